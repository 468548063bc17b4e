#pragma once
// The vertices of a polyline: a growable array of world points, 16 bytes of
// its own (a vector takes 24) and its storage from ShapeAllocator (no heap
// header, beside the shapes). A chart may hold a hundred thousand polylines.
// The interface is the part of std::vector the program uses.

#include "canvas/WorldPoint.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace skerra::canvas {

class PointList {
public:
    using value_type = WorldPoint;
    using iterator = WorldPoint*;
    using const_iterator = const WorldPoint*;

    PointList() = default;
    PointList(std::initializer_list<WorldPoint> points) { assign(points.begin(), points.size()); }
    PointList(const PointList& other) { assign(other.data_, other.size_); }
    PointList(PointList&& other) noexcept { swap(other); }
    PointList& operator=(const PointList& other);
    PointList& operator=(PointList&& other) noexcept;
    PointList& operator=(const std::vector<WorldPoint>& points);
    PointList& operator=(std::initializer_list<WorldPoint> points);
    ~PointList() { release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    WorldPoint* data() { return data_; }
    const WorldPoint* data() const { return data_; }
    WorldPoint& operator[](std::size_t i) { return data_[i]; }
    const WorldPoint& operator[](std::size_t i) const { return data_[i]; }
    WorldPoint& front() { return data_[0]; }
    const WorldPoint& front() const { return data_[0]; }
    WorldPoint& back() { return data_[size_ - 1]; }
    const WorldPoint& back() const { return data_[size_ - 1]; }
    iterator begin() { return data_; }
    iterator end() { return data_ + size_; }
    const_iterator begin() const { return data_; }
    const_iterator end() const { return data_ + size_; }

    // Throw std::bad_alloc (nothing changed) when there is no memory, and
    // std::length_error past four thousand million points.
    void push_back(WorldPoint p);
    void emplace_back(double x, double y) { push_back({x, y}); }
    void reserve(std::size_t capacity);
    iterator insert(const_iterator at, WorldPoint p);
    iterator erase(const_iterator at);
    void clear() { size_ = 0; }
    void shrink_to_fit();
    void swap(PointList& other) noexcept;

    friend bool operator==(const PointList& a, const PointList& b);
    friend bool operator==(const PointList& a, const std::vector<WorldPoint>& b);

private:
    void assign(const WorldPoint* points, std::size_t count);
    void reallocate(std::size_t capacity);
    void release() noexcept;

    WorldPoint* data_ = nullptr;
    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = 0;
};

}  // namespace skerra::canvas
