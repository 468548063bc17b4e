#include "canvas/PointList.h"

#include "canvas/ShapeAllocator.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace skerra::canvas {

namespace {
constexpr std::size_t kMaxPoints = std::numeric_limits<std::uint32_t>::max();
}  // namespace

PointList& PointList::operator=(const PointList& other)
{
    if (this != &other) {
        PointList copy(other);
        swap(copy);
    }
    return *this;
}

PointList& PointList::operator=(PointList&& other) noexcept
{
    PointList gone(static_cast<PointList&&>(*this));
    swap(other);
    return *this;
}

PointList& PointList::operator=(const std::vector<WorldPoint>& points)
{
    PointList copy;
    copy.assign(points.data(), points.size());
    swap(copy);
    return *this;
}

PointList& PointList::operator=(std::initializer_list<WorldPoint> points)
{
    PointList copy(points);
    swap(copy);
    return *this;
}

void PointList::assign(const WorldPoint* points, std::size_t count)
{
    reserve(count);
    if (count > 0)
        std::memcpy(data_, points, count * sizeof(WorldPoint));
    size_ = static_cast<std::uint32_t>(count);
}

void PointList::reallocate(std::size_t capacity)
{
    if (capacity > kMaxPoints)
        throw std::length_error("a polyline cannot hold that many points");
    WorldPoint* fresh = nullptr;
    if (capacity > 0) {
        fresh = static_cast<WorldPoint*>(ShapeAllocator::allocate(capacity * sizeof(WorldPoint)));
        if (size_ > 0)
            std::memcpy(fresh, data_, size_ * sizeof(WorldPoint));
    }
    release();
    data_ = fresh;
    capacity_ = static_cast<std::uint32_t>(capacity);
}

void PointList::release() noexcept
{
    if (data_)
        ShapeAllocator::release(data_, capacity_ * sizeof(WorldPoint));
    data_ = nullptr;
    capacity_ = 0;
}

void PointList::reserve(std::size_t capacity)
{
    if (capacity > capacity_) {
        const std::uint32_t size = size_;
        reallocate(capacity);
        size_ = size;
    }
}

void PointList::push_back(WorldPoint p)
{
    if (size_ == capacity_)
        reserve(std::max<std::size_t>(4, std::size_t{capacity_} * 2));
    data_[size_++] = p;
}

PointList::iterator PointList::insert(const_iterator at, WorldPoint p)
{
    const std::size_t i = static_cast<std::size_t>(at - data_);
    if (size_ == capacity_)
        reserve(std::max<std::size_t>(4, std::size_t{capacity_} * 2));
    std::memmove(data_ + i + 1, data_ + i, (size_ - i) * sizeof(WorldPoint));
    data_[i] = p;
    ++size_;
    return data_ + i;
}

PointList::iterator PointList::erase(const_iterator at)
{
    const std::size_t i = static_cast<std::size_t>(at - data_);
    std::memmove(data_ + i, data_ + i + 1, (size_ - i - 1) * sizeof(WorldPoint));
    --size_;
    return data_ + i;
}

void PointList::shrink_to_fit()
{
    if (capacity_ > size_) {
        const std::uint32_t size = size_;
        reallocate(size);
        size_ = size;
    }
}

void PointList::swap(PointList& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
}

bool operator==(const PointList& a, const PointList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const PointList& a, const std::vector<WorldPoint>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace skerra::canvas
