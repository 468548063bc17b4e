// The shape store against a plain reference (a vector in drawing order) under a
// long random sequence of adds, removals, moves, layer changes and pen changes.

#include "canvas/ShapeStore.h"
#include "canvas/THLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
        const int op = randomInt(0, 9);
        if (ref.order.empty() || op <= 2) {
            add();
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
        for (int layer = 0; layer <= 4; ++layer) {
            std::vector<long> expected;
            for (long n : ref.order)
                if (ref.layerOf[n] == layer)
                    expected.push_back(n);
            std::vector<long> got;
            for (const THShape* s : store.layerInDrawingOrder(layer))
                got.push_back(s->ShapeNumber());
            ASSERT_EQ(got, expected) << "layer " << layer;
            ASSERT_EQ(store.layerMembers(layer).size(), expected.size());
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

TEST(ShapeIndexTest, SurvivesGrowthAndMassRemoval)
{
    ShapeIndex index;
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

}  // namespace
