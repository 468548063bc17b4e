#include "canvas/ShapeIndex.h"

#include <algorithm>
#include <cassert>

namespace {
// A gap of up to this many numbers (or the run's length) beyond the run's end still extends it.
constexpr std::size_t kMaxGap = 4096;
// Empty entries the run may hold before it is trimmed or given up.
constexpr std::size_t kSlack = 4096;
}  // namespace

void ShapeIndex::insert(THShape* shape)
{
    const long number = shape->ShapeNumber();
    assert(number > 0);
    if (runCount_ == 0 && run_.empty())
        base_ = number;
    if (number >= base_) {
        const auto i = static_cast<std::size_t>(number - base_);
        if (i < run_.size()) {
            run_[i] = shape;
            ++runCount_;
            return;
        }
        if (i - run_.size() <= std::max(kMaxGap, run_.size())) {
            run_.resize(i);
            run_.push_back(shape);
            ++runCount_;
            return;
        }
    }
    far_.insert(shape);
}

void ShapeIndex::erase(long number)
{
    const auto i = static_cast<unsigned long>(number - base_);
    if (i >= run_.size() || !run_[i]) {
        far_.erase(number);
        return;
    }
    run_[i] = nullptr;
    --runCount_;
    while (!run_.empty() && run_.back() == nullptr)
        run_.pop_back();
    if (i == 0)
        trimFront();
    const std::size_t holes = run_.size() - runCount_;
    if (holes > kSlack && holes > 3 * runCount_)
        moveRunToFar();
}

// Drops the empty entries at the front once they are many (the base moves up).
void ShapeIndex::trimFront()
{
    std::size_t lead = 0;
    while (lead < run_.size() && run_[lead] == nullptr)
        ++lead;
    if (lead == run_.size()) {
        run_.clear();
        return;
    }
    if (lead > kSlack || lead * 2 > run_.size()) {
        run_.eraseFront(lead);
        base_ += static_cast<long>(lead);
    }
}

void ShapeIndex::moveRunToFar()
{
    for (THShape* s : run_)
        if (s)
            far_.insert(s);
    base_ += static_cast<long>(run_.size());
    run_.release();
    runCount_ = 0;
}

void ShapeIndex::clear()
{
    run_.release();
    runCount_ = 0;
    base_ = 1;
    far_.clear();
}
