// The shape store against a plain reference (a vector in drawing order) under a
// long random sequence of adds, removals, moves, layer changes, pen changes and
// batches taken back.

#include "canvas/ShapeList.h"
#include "canvas/ShapeStore.h"
#include "canvas/THLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>

namespace {

struct Reference {
    std::vector<long> order;           // numbers in drawing order
    std::map<long, int> layerOf;
    std::map<long, TColor> penOf;
};

class ShapeStoreFuzz : public ::testing::Test {
protected:
    ShapeStore store;
    Reference ref;
    long next = 1;
    std::mt19937 rng{12345};

    int randomInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    long randomExisting() { return ref.order[randomInt(0, static_cast<int>(ref.order.size()) - 1)]; }

    void add()
    {
        auto s = std::make_unique<THLine>(0, 0, 1, 1);
        const int layer = randomInt(0, 4);
        const TColor pen = randomInt(0, 2);
        s->SetLayerId(layer);
        s->SetPenFg(pen);
        ShapeStore::assignNumber(*s, next);
        store.add(std::move(s));
        ref.order.push_back(next);
        ref.layerOf[next] = layer;
        ref.penOf[next] = pen;
        ++next;
    }

    void forget(long n)
    {
        ref.order.erase(std::find(ref.order.begin(), ref.order.end(), n));
        ref.layerOf.erase(n);
        ref.penOf.erase(n);
    }

    void step()
    {
        const int op = randomInt(0, 10);
        if (ref.order.empty() || op <= 2) {
            add();
            return;
        }
        if (op == 10) {  // a reader's batch given up: the shapes added since the mark go
            const std::size_t mark = store.endMark();
            const long first = next;
            for (int k = randomInt(1, 4); k > 0; --k)
                add();
            store.truncate(mark);
            for (long gone = first; gone < next; ++gone)
                forget(gone);
            return;
        }
        const long n = randomExisting();
        THShape* s = store.find(n);
        ASSERT_NE(s, nullptr);
        switch (op) {
        case 3:
            store.remove(s);
            forget(n);
            break;
        case 4:
            store.moveToFront(s);
            ref.order.erase(std::find(ref.order.begin(), ref.order.end(), n));
            ref.order.push_back(n);
            break;
        case 5:
            store.moveToBack(s);
            ref.order.erase(std::find(ref.order.begin(), ref.order.end(), n));
            ref.order.insert(ref.order.begin(), n);
            break;
        case 6: {
            const int layer = randomInt(0, 4);
            store.setLayer(s, layer);
            ref.layerOf[n] = layer;
            break;
        }
        case 7: {
            const TColor pen = randomInt(0, 2);
            store.setPenFg(s, pen);
            ref.penOf[n] = pen;
            break;
        }
        case 8: {
            const int layer = randomInt(0, 4);
            const TColor pen = randomInt(0, 2);
            bool differs = false;
            for (auto& [num, l] : ref.layerOf)
                if (l == layer) {
                    differs |= ref.penOf[num] != pen;
                    ref.penOf[num] = pen;
                }
            EXPECT_EQ(store.applyLayerPenFg(layer, pen), differs);
            break;
        }
        case 9: {
            if (randomInt(0, 20) == 0) {  // now and then a whole layer goes
                const int layer = randomInt(0, 4);
                store.destroyLayer(layer);
                std::vector<long> gone;
                for (auto& [num, l] : ref.layerOf)
                    if (l == layer)
                        gone.push_back(num);
                for (long g : gone)
                    forget(g);
            } else {
                const int from = randomInt(0, 4), to = randomInt(0, 4);
                store.moveLayer(from, to);
                for (auto& [num, l] : ref.layerOf)
                    if (l == from)
                        l = to;
            }
            break;
        }
        }
    }

    void verify()
    {
        std::vector<long> order;
        for (const THShape* s : store.shapes())
            order.push_back(s->ShapeNumber());
        ASSERT_EQ(order, ref.order);
        ASSERT_EQ(store.size(), ref.order.size());
        std::vector<long> reversed;
        const ShapeRange r = store.shapes();
        for (auto it = r.rbegin(); it != r.rend(); ++it)
            reversed.push_back((*it)->ShapeNumber());
        std::reverse(reversed.begin(), reversed.end());
        ASSERT_EQ(reversed, ref.order);
        for (long n : ref.order) {
            const THShape* s = store.find(n);
            ASSERT_NE(s, nullptr);
            ASSERT_EQ(s->LayerId(), ref.layerOf[n]);
            ASSERT_EQ(s->PenFg(), ref.penOf[n]);
        }
        for (int layer = 0; layer <= 6; ++layer) {  // 5 and 6 never hold a shape
            std::vector<long> expected;
            for (long n : ref.order)
                if (ref.layerOf[n] == layer)
                    expected.push_back(n);
            std::vector<long> got;
            for (const THShape* s : store.layerInDrawingOrder(layer))
                got.push_back(s->ShapeNumber());
            ASSERT_EQ(got, expected) << "layer " << layer;
            std::vector<long> members;
            for (const THShape* s : store.layerMembers(layer))
                members.push_back(s->ShapeNumber());
            std::sort(members.begin(), members.end());
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(members, expected) << "layer " << layer;
        }
        ASSERT_EQ(store.find(next), nullptr);
    }
};

TEST_F(ShapeStoreFuzz, MatchesReferenceThroughRandomEdits)
{
    for (int i = 0; i < 6000; ++i) {
        step();
        if (i % 97 == 0)
            verify();
    }
    verify();
    store.clear();
    EXPECT_EQ(store.size(), 0u);
    EXPECT_TRUE(store.shapes().empty());
}

// The index keeps positions in a drawing order; here one that only grows.
struct IndexedOrder {
    ShapeIndex index;
    ShapeList order;
    void insert(THShape* s)
    {
        order.push_back(s);
        index.insert(s, order.size() - 1);
    }
    void erase(long n) { index.erase(n, order); }
    THShape* find(long n) const { return index.find(n, order); }
    std::size_t size() const { return index.size(); }
    std::size_t runLength() const { return index.runLength(); }
};

TEST(ShapeIndexTest, SurvivesGrowthAndMassRemoval)
{
    IndexedOrder index;
    std::vector<std::unique_ptr<THLine>> shapes;
    for (long n = 1; n <= 5000; ++n) {
        shapes.push_back(std::make_unique<THLine>());
        ShapeStore::assignNumber(*shapes.back(), n * 7);  // the index reads each shape's own number
    }
    for (long n = 1; n <= 5000; ++n)
        index.insert(shapes[n - 1].get());
    for (long n = 1; n <= 5000; n += 2)
        index.erase(n * 7);
    EXPECT_EQ(index.size(), 2500u);
    for (long n = 1; n <= 5000; ++n)
        EXPECT_EQ(index.find(n * 7), n % 2 ? nullptr : shapes[n - 1].get()) << n;
    EXPECT_EQ(index.find(0), nullptr);
    EXPECT_EQ(index.find(-7), nullptr);
}

// Number lookups through the ways numbers come: in a run, with gaps, far
// apart, below the run, and after the run has been given up for its gaps.
struct IndexCase {
    const char* name;
    std::vector<long> inserted;  // in this order
    std::vector<long> erased;
};

const IndexCase kIndexCases[] = {
    {"a run from 1", {1, 2, 3, 4, 5}, {}},
    {"gaps within the run", {1, 3, 4, 9, 12}, {3}},
    {"a number far beyond the run", {1, 2, 3, 1000000000L, 4}, {2}},
    {"a number below the run", {50, 51, 52, 7, 53}, {50}},
    {"a shape finished after later ones", {10, 12, 13, 11}, {12}},
    {"the front of the run emptied", {1, 2, 3, 4, 5, 6}, {1, 2, 3}},
    {"everything erased, then numbering goes on", {1, 2, 3}, {1, 2, 3}},
};

TEST(ShapeIndexTest, FindsWhatIsThereAndNothingElse)
{
    for (const IndexCase& c : kIndexCases) {
        IndexedOrder index;
        std::map<long, std::unique_ptr<THLine>> shapes;
        for (long n : c.inserted) {
            auto& s = shapes[n] = std::make_unique<THLine>();
            ShapeStore::assignNumber(*s, n);
            index.insert(s.get());
        }
        for (long n : c.erased) {
            index.erase(n);
            shapes.erase(n);
        }
        EXPECT_EQ(index.size(), shapes.size()) << c.name;
        for (const auto& [n, s] : shapes)
            EXPECT_EQ(index.find(n), s.get()) << c.name << " " << n;
        for (long n : c.erased)
            EXPECT_EQ(index.find(n), nullptr) << c.name << " " << n;
        for (long n : {0L, -1L, 8L, 999999999L, 1000000001L})
            if (!shapes.count(n))
                EXPECT_EQ(index.find(n), nullptr) << c.name << " " << n;
        // Numbering goes on after the last one.
        const long next = c.inserted.back() + 100;
        auto more = std::make_unique<THLine>();
        ShapeStore::assignNumber(*more, next);
        index.insert(more.get());
        EXPECT_EQ(index.find(next), more.get()) << c.name;
    }
}

// A survey day: at every tick the vessel's seven shapes are cleared and drawn
// again and one track mark is added. The vector part of the index stays in
// proportion to the shapes that exist, and every track mark is still found.
TEST(ShapeIndexTest, ADayOfVesselSymbolsDoesNotGrowTheIndex)
{
    IndexedOrder index;
    std::vector<std::unique_ptr<THLine>> track;
    std::vector<std::unique_ptr<THLine>> vessel;
    long next = 1;
    auto make = [&next, &index](std::vector<std::unique_ptr<THLine>>& into) {
        into.push_back(std::make_unique<THLine>());
        ShapeStore::assignNumber(*into.back(), next++);
        index.insert(into.back().get());
    };
    for (int tick = 0; tick < 60000; ++tick) {
        for (const auto& v : vessel)
            index.erase(v->ShapeNumber());
        vessel.clear();
        for (int k = 0; k < 7; ++k)
            make(vessel);
        make(track);
        ASSERT_LE(index.runLength(), 4 * index.size() + 8192) << tick;
    }
    EXPECT_EQ(index.size(), track.size() + vessel.size());
    for (const auto& t : track)
        ASSERT_EQ(index.find(t->ShapeNumber()), t.get());
    for (long n = 1; n < next; ++n)
        if (n % 8 != 0 && n < vessel.front()->ShapeNumber())
            ASSERT_EQ(index.find(n), nullptr) << n;
}

// The list keeps its entries as it grows from the heap into a mapping of its
// own and on, new room reads as null, and dropping the front keeps the rest.
TEST(ShapeListTest, KeepsEntriesThroughGrowthResizeAndEraseFront)
{
    ShapeList list;
    auto fake = [](std::size_t i) { return reinterpret_cast<THShape*>((i + 1) * 8); };
    const std::size_t count = 600000;  // well past the heap's share
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(fake(i));
    ASSERT_EQ(list.size(), count);
    for (std::size_t i = 0; i < count; i += 997)
        ASSERT_EQ(list[i], fake(i)) << i;
    list.resize(count + 1000);
    for (std::size_t i = count; i < count + 1000; ++i)
        ASSERT_EQ(list[i], nullptr);
    list.resize(count);
    list.eraseFront(100);
    ASSERT_EQ(list.size(), count - 100);
    EXPECT_EQ(list[0], fake(100));
    EXPECT_EQ(list.back(), fake(count - 1));
    ShapeList moved = std::move(list);
    EXPECT_EQ(list.size(), 0u);
    EXPECT_EQ(moved[0], fake(100));
    moved.release();
    EXPECT_TRUE(moved.empty());
    moved.push_back(fake(1));
    EXPECT_EQ(moved[0], fake(1));
}

}  // namespace
