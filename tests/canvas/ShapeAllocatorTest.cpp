#include "canvas/ShapeAllocator.h"
#include "canvas/ShapeStore.h"
#include "canvas/THalvekCanvasModel.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THPolyline.h"
#include "canvas/THText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Shapes of several sizes come and go in a mixed order: every live shape keeps
// what was written into it, and once all are gone no more memory is held than
// the reserve of empty chunks.
TEST(ShapeAllocatorTest, ShapesKeepTheirContentAndSlabsGoBackWhenAllAreFreed)
{
    using skerra::canvas::ShapeAllocator;
    const std::size_t before = ShapeAllocator::slabBytes();
    std::vector<std::unique_ptr<THShape>> shapes;
    long next = 1;
    auto make = [&](int kind) {
        std::unique_ptr<THShape> s;
        if (kind == 0)
            s = std::make_unique<THLine>(next, -next, next * 2.0, 0.5);
        else if (kind == 1)
            s = std::make_unique<THPoint>(next, next);
        else {
            auto t = std::make_unique<THText>();
            t->DisplayText = QString::number(next);
            s = std::move(t);
        }
        ShapeStore::assignNumber(*s, next++);
        shapes.push_back(std::move(s));
    };
    for (int i = 0; i < 30000; ++i)
        make(i % 3);
    for (std::size_t i = 0; i < shapes.size(); i += 2)
        shapes[i].reset();
    for (int i = 0; i < 20000; ++i)
        make((i + 1) % 3);
    for (const auto& s : shapes) {
        if (!s)
            continue;
        const long n = s->ShapeNumber();
        if (const THLine* l = shape_cast<THLine>(s.get()))
            ASSERT_TRUE(l->X1 == n && l->Y1 == -n && l->X2 == n * 2.0) << n;
        else if (const THPoint* p = shape_cast<THPoint>(s.get()))
            ASSERT_TRUE(p->X == n && p->Y == n) << n;
        else
            ASSERT_EQ(shape_cast<THText>(s.get())->DisplayText, QString::number(n));
    }
    shapes.clear();
    EXPECT_LE(ShapeAllocator::slabBytes(), std::max(before, ShapeAllocator::reserveBytes()));
}

// The free texts and notes of shapes take their block from the same chunks:
// each keeps its own text while others come and go, and no more than the
// reserve stays once all are gone.
TEST(ShapeAllocatorTest, ShapeTextsAndNotesKeepTheirContentAndTheirSlabsGoBack)
{
    using skerra::canvas::ShapeAllocator;
    const std::size_t before = ShapeAllocator::slabBytes();
    std::vector<std::unique_ptr<THLine>> shapes;
    for (int i = 0; i < 20000; ++i) {
        auto line = std::make_unique<THLine>(i, i, i + 1.0, i + 1.0);
        line->SetText(QStringLiteral("text ") + QString::number(i));
        if (i % 3 == 0)
            line->SetNotes(QStringLiteral("note ") + QString::number(i));
        if (i % 5 == 0)
            line->SetZOrder(i);
        shapes.push_back(std::move(line));
    }
    for (std::size_t i = 0; i < shapes.size(); i += 2)
        shapes[i].reset();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        if (!shapes[i])
            continue;
        const int n = static_cast<int>(i);
        ASSERT_EQ(shapes[i]->Text(), QStringLiteral("text ") + QString::number(n));
        ASSERT_EQ(shapes[i]->Notes(), n % 3 == 0 ? QStringLiteral("note ") + QString::number(n) : QString());
        ASSERT_EQ(shapes[i]->ZOrder(), n % 5 == 0 ? n : 0);
        ASSERT_EQ(shapes[i]->BrushBg(), TColor{0xFFFFFF});
    }
    shapes.clear();
    EXPECT_LE(ShapeAllocator::slabBytes(), std::max(before, ShapeAllocator::reserveBytes()));
}

// Blocks of a chart larger than the reserve: once released, the chunks beyond
// the reserve go back to the system, and those kept serve the next chart
// without taking more from the system. A build that takes every shape from the
// general heap (AddressSanitizer) keeps no chunk at all.
TEST(ShapeAllocatorTest, EmptyChunksAreKeptUpToTheReserveAndReused)
{
    using skerra::canvas::ShapeAllocator;
    const bool chunks = ShapeAllocator::carvesChunks();
    constexpr std::size_t kBlock = 64;
    const std::size_t count =
        chunks ? (ShapeAllocator::reserveBytes() + (std::size_t{16} << 20)) / kBlock : std::size_t{4096};
    std::vector<void*> blocks(count);
    for (void*& b : blocks) {
        b = ShapeAllocator::allocate(kBlock);
        std::memset(b, 0x5a, kBlock);
    }
    if (chunks)
        EXPECT_GE(ShapeAllocator::slabBytes(), count * kBlock);
    else
        EXPECT_EQ(ShapeAllocator::slabBytes(), 0u);
    for (void* b : blocks)
        ShapeAllocator::release(b, kBlock);
    const std::size_t kept = ShapeAllocator::slabBytes();
    EXPECT_LE(kept, ShapeAllocator::reserveBytes());

    blocks.resize(kept / 2 / kBlock);
    for (void*& b : blocks)
        b = ShapeAllocator::allocate(kBlock);
    EXPECT_EQ(ShapeAllocator::slabBytes(), kept);
    for (void* b : blocks)
        ShapeAllocator::release(b, kBlock);
}

// Shapes made on one thread and destroyed on another go back to the thread
// that made them, which uses their room again: shapes of several sizes, and
// polyline vertex lists, which come from the same chunks.
TEST(ShapeAllocatorTest, ShapesReleasedByAnotherThreadAreReused)
{
    using skerra::canvas::ShapeAllocator;
    constexpr int kCount = 50000;
    auto make = [](int i, double sign) -> std::unique_ptr<THShape> {
        switch (i % 3) {
        case 0: return std::make_unique<THLine>(sign * i, i, i + 1.0, i + 1.0);
        case 1: {
            auto p = std::make_unique<THPolyline>();
            for (int v = 0; v < 21; ++v)  // an arc's vertices
                p->AddPoint(sign * i, v);
            return p;
        }
        default: {
            auto t = std::make_unique<THText>();
            t->X = sign * i;
            return t;
        }
        }
    };
    auto firstX = [](const THShape& s) {
        if (auto* l = shape_cast<THLine>(&s))
            return l->X1;
        if (auto* p = shape_cast<THPolyline>(&s))
            return p->Points.back().x;
        return shape_cast<THText>(&s)->X;
    };
    std::vector<std::unique_ptr<THShape>> shapes;
    std::promise<void> made, released;
    std::size_t afterFirst = 0, afterSecond = 0;
    std::thread maker([&] {
        for (int i = 0; i < kCount; ++i)
            shapes.push_back(make(i, 1.0));
        afterFirst = ShapeAllocator::slabBytes();
        made.set_value();
        released.get_future().wait();
        for (int i = 0; i < kCount; ++i)
            shapes.push_back(make(i, -1.0));
        afterSecond = ShapeAllocator::slabBytes();
    });
    made.get_future().wait();
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(firstX(*shapes[static_cast<std::size_t>(i)]), static_cast<double>(i));
    shapes.clear();  // released from this thread
    released.set_value();
    maker.join();
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(firstX(*shapes[static_cast<std::size_t>(i)]), static_cast<double>(-i));
    // The second round fills the room of the first; at most the chunk it was in gets added.
    EXPECT_LE(afterSecond, afterFirst + (std::size_t{2} << 20));
    shapes.clear();
}

// A chart of 200,000 points made on a thread that ends, eight rounds over.
// However the chart is freed (by its own thread before it ends, by another
// thread after it ended, in part before and in part after, or while the next
// round's thread makes its own chart), every point keeps its place until it
// is freed, and the memory of the ended threads comes back: once the charts
// are gone no more is held than before the first round.
TEST(ShapeAllocatorTest, MemoryOfThreadsThatEndedComesBack)
{
    using skerra::canvas::ShapeAllocator;
    constexpr int kPoints = 200000, kRounds = 8;
    struct Chart {
        std::unique_ptr<THalvekCanvasModel> model;
        std::vector<long> numbers;
        int round = 0;
    };
    auto make = [](int round) {
        Chart chart;
        chart.model = std::make_unique<THalvekCanvasModel>();
        chart.round = round;
        chart.numbers.reserve(kPoints);
        for (int i = 0; i < kPoints; ++i)
            chart.numbers.push_back(chart.model->DrawPoint(i, round, 0));
        return chart;
    };
    // Every point of the chart still there is where it was made (the first `from` are gone).
    auto intact = [](const Chart& chart, int from) {
        for (int i = from; i < kPoints; ++i) {
            const auto* p = shape_cast<THPoint>(chart.model->FindShape(chart.numbers[static_cast<std::size_t>(i)]));
            if (!p || p->X != i || p->Y != chart.round)
                return false;
        }
        return true;
    };
    enum class FreedBy { ItsThread, AnotherAfter, AnotherBeforeAndAfter, AnotherDuringTheNextRound };
    const struct {
        const char* name;
        FreedBy freedBy;
    } cases[] = {
        {"by its own thread", FreedBy::ItsThread},
        {"by another thread after it ended", FreedBy::AnotherAfter},
        {"half before it ended, half after", FreedBy::AnotherBeforeAndAfter},
        {"while the next round's thread makes its chart", FreedBy::AnotherDuringTheNextRound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = ShapeAllocator::slabBytes();
        Chart previous;
        for (int round = 0; round < kRounds; ++round) {
            Chart chart;
            std::promise<void> made, halfFreed;
            std::thread maker([&] {
                chart = make(round);
                if (c.freedBy == FreedBy::ItsThread) {
                    EXPECT_TRUE(intact(chart, 0));
                    chart = Chart();
                }
                made.set_value();
                if (c.freedBy == FreedBy::AnotherBeforeAndAfter)
                    halfFreed.get_future().wait();
            });
            made.get_future().wait();
            if (c.freedBy == FreedBy::AnotherBeforeAndAfter) {
                for (int i = 0; i < kPoints / 2; ++i)
                    chart.model->ShapeDelete(chart.numbers[static_cast<std::size_t>(i)]);
                ASSERT_TRUE(intact(chart, kPoints / 2));
                halfFreed.set_value();
            }
            if (c.freedBy == FreedBy::AnotherDuringTheNextRound)
                previous = Chart();  // while the thread makes its chart
            maker.join();
            if (c.freedBy == FreedBy::AnotherDuringTheNextRound) {
                ASSERT_TRUE(intact(chart, 0));
                previous = std::move(chart);
                continue;
            }
            if (chart.model) {
                ASSERT_TRUE(intact(chart, c.freedBy == FreedBy::AnotherBeforeAndAfter ? kPoints / 2 : 0));
            }
            chart = Chart();
            EXPECT_LE(ShapeAllocator::slabBytes(), before) << "round " << round;
        }
        previous = Chart();
        EXPECT_LE(ShapeAllocator::slabBytes(), before);
    }
}

}  // namespace
