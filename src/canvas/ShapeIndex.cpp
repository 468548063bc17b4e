#include "canvas/ShapeIndex.h"

#include <algorithm>
#include <cassert>

namespace {
// A gap of up to this many numbers (or the run's length) beyond the run's end still extends it.
constexpr std::size_t kMaxGap = 4096;
// Empty entries the run may hold before it is trimmed or given up.
constexpr std::size_t kSlack = 4096;
}  // namespace

void ShapeIndex::insert(THShape* shape, std::size_t slot)
{
    const auto entry = static_cast<std::uint32_t>(slot + 1);
    const long number = shape->ShapeNumber();
    assert(number > 0);
    if (runCount_ == 0 && run_.empty())
        base_ = number;
    if (number >= base_) {
        const auto i = static_cast<std::size_t>(number - base_);
        if (i < run_.size()) {
            run_[i] = entry;
            ++runCount_;
            return;
        }
        if (i - run_.size() <= std::max(kMaxGap, run_.size())) {
            run_.reserve(i + 1);  // may fail: nothing changed yet
            run_.resize(i);
            run_.push_back(entry);
            ++runCount_;
            return;
        }
    }
    far_.insert(shape);
}

void ShapeIndex::erase(long number, const ShapeList& order)
{
    const auto i = static_cast<unsigned long>(number - base_);
    if (i >= run_.size() || !run_[i]) {
        far_.erase(number);
        return;
    }
    run_[i] = 0;
    --runCount_;
    while (!run_.empty() && run_.back() == 0)
        run_.pop_back();
    if (i == 0)
        trimFront();
    const std::size_t holes = run_.size() - runCount_;
    if (holes > kSlack && holes > 3 * runCount_)
        moveRunToFar(order);
}

// Drops the empty entries at the front once they are many (the base moves up).
void ShapeIndex::trimFront()
{
    std::size_t lead = 0;
    while (lead < run_.size() && run_[lead] == 0)
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

void ShapeIndex::moveRunToFar(const ShapeList& order)
{
    for (std::uint32_t entry : run_)
        if (entry)
            far_.insert(order[entry - 1]);
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
