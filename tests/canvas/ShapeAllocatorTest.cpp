#include "canvas/ShapeAllocator.h"
#include "canvas/ShapeStore.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THText.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Shapes of several sizes come and go in a mixed order: every live shape keeps
// what was written into it, and once all are gone the slabs go back to the
// system (but for one spare slab per size).
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
    const std::size_t spares = 3 * (std::size_t{1} << 18);
    EXPECT_LE(ShapeAllocator::slabBytes(), before + spares);
}

// The free texts and notes of shapes take their block from the same slabs:
// each keeps its own text while others come and go, and the slabs go back
// once all are gone.
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
    const std::size_t spares = 2 * (std::size_t{1} << 18);
    EXPECT_LE(ShapeAllocator::slabBytes(), before + spares);
}

}  // namespace
