#include "canvas/ShapeStore.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
// Layer ids below this have their list found by position.
constexpr int kListedLayers = 1 << 16;
}  // namespace

ShapeStore::~ShapeStore() { clear(); }

ShapeRange ShapeStore::shapes() const
{
    return ShapeRange(slots_.data() + head_, slots_.data() + slots_.size(), live_);
}

// ---- drawing order ----

void ShapeStore::trimEnds()
{
    while (!slots_.empty() && slots_.back() == nullptr && slots_.size() > head_)
        slots_.pop_back();
    while (head_ < slots_.size() && slots_[head_] == nullptr)
        ++head_;
    if (head_ == slots_.size()) {
        slots_.clear();
        head_ = 0;
    }
}

void ShapeStore::compact(std::size_t frontRoom)
{
    ShapeList packed;
    packed.reserve(frontRoom + live_ + live_ / 2 + 16);
    packed.resize(frontRoom);
    for (std::size_t i = head_; i < slots_.size(); ++i)
        if (THShape* s = slots_[i])
            packed.push_back(s);
    slots_ = std::move(packed);
    head_ = frontRoom;
    for (std::size_t i = head_; i < slots_.size(); ++i)
        placeAt(slots_[i], i);
}

void ShapeStore::placeAt(THShape* s, std::size_t slot)
{
    s->slot_ = static_cast<std::uint32_t>(slot);
    slots_[slot] = s;
    bucket(s->layer_).members[s->layerPos_] = s->slot_;
    index_.moved(s->number_, slot);
}

void ShapeStore::compactIfSparse()
{
    const std::size_t holes = slots_.size() - head_ - live_;
    if (holes > 64 && holes > live_)
        compact(0);
}

void ShapeStore::unlinkOrder(THShape* shape)
{
    slots_[shape->slot_] = nullptr;
    shape->slot_ = THShape::kDetached;
    --live_;
    trimEnds();
}

// The shape stays in its layer's list and the number index while it moves:
// its entries there are brought to the new position.
void ShapeStore::moveToFront(THShape* shape)
{
    slots_.makeRoom();
    unlinkOrder(shape);
    slots_.push_back(nullptr);
    placeAt(shape, slots_.size() - 1);
    ++live_;
    compactIfSparse();
}

void ShapeStore::moveToBack(THShape* shape)
{
    unlinkOrder(shape);
    if (head_ == 0)
        compact(std::max<std::size_t>(16, live_));
    --head_;
    placeAt(shape, head_);
    ++live_;
    compactIfSparse();
}

// ---- layers ----

ShapeStore::Bucket& ShapeStore::farBucket(int layer)
{
    if (layer >= 0 && layer < kListedLayers) {
        buckets_.resize(static_cast<std::size_t>(layer) + 1);
        return buckets_[static_cast<std::size_t>(layer)];
    }
    return farBuckets_[layer];
}

const ShapeStore::Bucket* ShapeStore::findBucket(int layer) const
{
    if (static_cast<unsigned>(layer) < buckets_.size())
        return &buckets_[static_cast<unsigned>(layer)];
    auto it = farBuckets_.find(layer);
    return it == farBuckets_.end() ? nullptr : &it->second;
}

void ShapeStore::joinBucket(THShape* shape)
{
    Bucket& b = bucket(shape->layer_);
    if (b.members.empty())
        for (const auto& [field, tally] : kPens)
            b.*tally = PenTally{shape->*field, 0};
    shape->layerPos_ = static_cast<std::uint32_t>(b.members.size());
    b.members.push_back(shape->slot_);
    for (const auto& [field, tally] : kPens)
        (b.*tally).other += shape->*field != (b.*tally).counted;
}

void ShapeStore::leaveBucket(THShape* shape)
{
    Bucket& b = bucket(shape->layer_);
    const std::uint32_t last = b.members.back();
    b.members[shape->layerPos_] = last;
    slots_[last]->layerPos_ = shape->layerPos_;
    b.members.pop_back();
    for (const auto& [field, tally] : kPens)
        (b.*tally).other -= shape->*field != (b.*tally).counted;
}

void ShapeStore::setLayer(THShape* shape, int layer)
{
    if (shape->layer_ == layer)
        return;
    leaveBucket(shape);
    shape->layer_ = layer;
    joinBucket(shape);
}

void ShapeStore::moveLayer(int from, int to)
{
    if (from == to)
        return;
    if (!findBucket(from))
        return;
    Bucket& b = bucket(from);
    SlotList moving = std::move(b.members);
    b = Bucket{};
    for (std::uint32_t slot : moving) {
        THShape* s = slots_[slot];
        s->layer_ = to;
        joinBucket(s);
    }
}

LayerShapes ShapeStore::layerMembers(int layer) const
{
    const Bucket* b = findBucket(layer);
    return b ? LayerShapes(b->members.data(), b->members.size(), slots_.data()) : LayerShapes();
}

std::vector<THShape*> ShapeStore::layerInDrawingOrder(int layer) const
{
    const Bucket* bucket = findBucket(layer);
    if (!bucket || bucket->members.empty())
        return {};
    const double k = static_cast<double>(bucket->members.size());
    // Sorting costs k log k; walking the whole order costs the chart's size.
    if (k * std::log2(k + 2.0) < static_cast<double>(slots_.size() - head_)) {
        std::vector<std::uint32_t> positions(bucket->members.begin(), bucket->members.end());
        std::sort(positions.begin(), positions.end());
        std::vector<THShape*> sorted;
        sorted.reserve(positions.size());
        for (std::uint32_t slot : positions)
            sorted.push_back(slots_[slot]);
        return sorted;
    }
    std::vector<THShape*> ordered;
    ordered.reserve(bucket->members.size());
    for (THShape* s : shapes())
        if (s->layer_ == layer)
            ordered.push_back(s);
    return ordered;
}

// ---- pens ----

bool ShapeStore::setPen(THShape* shape, PenField field, PenTallyOf tally, std::int32_t value)
{
    if (shape->*field == value)
        return false;
    PenTally& t = bucket(shape->layer_).*tally;
    t.other -= shape->*field != t.counted;
    shape->*field = value;
    t.other += shape->*field != t.counted;
    return true;
}

bool ShapeStore::setPenFg(THShape* shape, TColor colour) { return setPen(shape, &THShape::penFg_, &Bucket::fg, colour); }

bool ShapeStore::setPenWidth(THShape* shape, int width)
{
    return setPen(shape, &THShape::penWidth_, &Bucket::width, width);
}

bool ShapeStore::applyLayerPen(int layer, PenField field, PenTallyOf tally, std::int32_t value)
{
    if (!findBucket(layer) || findBucket(layer)->members.empty())
        return false;
    Bucket& b = bucket(layer);
    PenTally& t = b.*tally;
    if (t.counted == value && t.other == 0)
        return false;
    bool changed = false;
    for (THShape* s : layerMembers(layer)) {
        changed |= s->*field != value;
        s->*field = value;
    }
    t = PenTally{value, 0};
    return changed;
}

bool ShapeStore::applyLayerPenFg(int layer, TColor colour)
{
    return applyLayerPen(layer, &THShape::penFg_, &Bucket::fg, colour);
}

bool ShapeStore::applyLayerPenWidth(int layer, int width)
{
    return applyLayerPen(layer, &THShape::penWidth_, &Bucket::width, width);
}

// ---- selection flag ----

void ShapeStore::setSelected(THShape* shape, bool selected)
{
    if (shape->selected_ == selected)
        return;
    shape->selected_ = selected;
    if (selected)
        ++selected_;
    else
        --selected_;
}

// ---- adding and removing ----

// Room is made first, so that a failure to get memory leaves the store as it was.
void ShapeStore::link(THShape* s)
{
    slots_.makeRoom();
    bucket(s->layer_).members.makeRoom();
    index_.insert(s, slots_.size());  // the last step that may fail
    s->slot_ = static_cast<std::uint32_t>(slots_.size());
    slots_.push_back(s);
    ++live_;
    joinBucket(s);
    if (s->selected_)
        ++selected_;
}

std::uint32_t ShapeStore::checkedNumber(long number)
{
    if (number < 0 || number > THShape::kMaxNumber)
        throw std::length_error("the chart has used up its shape numbers: start a new chart");
    return static_cast<std::uint32_t>(number);
}

void ShapeStore::add(std::unique_ptr<THShape> shape)
{
    link(shape.get());
    (void)shape.release();
}

void ShapeStore::addNew(THShape* s, long number, int layer, TColor penFg, int penWidth)
{
    s->number_ = checkedNumber(number);
    s->layer_ = layer;
    s->penFg_ = penFg;
    s->penWidth_ = penWidth;
    link(s);
}

void ShapeStore::reserve(std::size_t count)
{
    slots_.reserve(slots_.size() + count);
    index_.reserve(count);
}

void ShapeStore::truncate(std::size_t mark)
{
    while (slots_.size() > mark && slots_.size() > head_) {
        THShape* s = slots_.back();
        if (!s) {
            slots_.pop_back();
            continue;
        }
        // While the shape still holds its position: the lists read the others' from there.
        index_.erase(s->number_, slots_);
        leaveBucket(s);
        slots_.pop_back();
        if (s->selected_)
            --selected_;
        --live_;
        delete s;
    }
    trimEnds();
}

void ShapeStore::swap(ShapeStore& other) noexcept
{
    slots_.swap(other.slots_);
    std::swap(head_, other.head_);
    std::swap(live_, other.live_);
    std::swap(selected_, other.selected_);
    std::swap(index_, other.index_);
    std::swap(buckets_, other.buckets_);
    std::swap(farBuckets_, other.farBuckets_);
}

std::unique_ptr<THShape> ShapeStore::remove(THShape* shape)
{
    index_.erase(shape->number_, slots_);
    leaveBucket(shape);
    if (shape->selected_) {
        shape->selected_ = false;
        --selected_;
    }
    unlinkOrder(shape);
    compactIfSparse();
    return std::unique_ptr<THShape>(shape);
}

std::vector<long> ShapeStore::destroyLayer(int layer)
{
    std::vector<long> selectedNumbers;
    if (!findBucket(layer))
        return selectedNumbers;
    Bucket& b = bucket(layer);
    SlotList doomed = std::move(b.members);
    b = Bucket{};
    for (std::uint32_t slot : doomed) {
        THShape* s = slots_[slot];
        index_.erase(s->number_, slots_);
        if (s->selected_) {
            selectedNumbers.push_back(s->number_);
            --selected_;
        }
        slots_[s->slot_] = nullptr;
        --live_;
        delete s;
    }
    trimEnds();
    compactIfSparse();
    return selectedNumbers;
}

void ShapeStore::clear()
{
    for (std::size_t i = head_; i < slots_.size(); ++i)
        delete slots_[i];
    slots_.release();
    head_ = 0;
    live_ = 0;
    selected_ = 0;
    index_.clear();
    buckets_.clear();
    buckets_.shrink_to_fit();
    farBuckets_.clear();
}
