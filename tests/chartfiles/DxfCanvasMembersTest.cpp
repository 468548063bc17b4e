// The chart control's DXF members reach the import and the export.

#include "canvas/widget/THalvekCanvas.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DxfCanvasMembers, AChartSavedByTheControlComesBackThroughIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    THalvekCanvas saved;
    saved.DrawLine(1, 2, 3, 4, 0);
    saved.DrawCircle(5, 6, 7, 0);
    const QString path = dir.filePath("chart.dxf");
    ASSERT_EQ(saved.DXFSave(path), 1);

    THalvekCanvas loaded;
    EXPECT_TRUE(loaded.DXFLoad(path));
    EXPECT_TRUE(loaded.DXFLoadReplace(path));
    EXPECT_EQ(loaded.ShapeCount(), 2);
    EXPECT_EQ(loaded.GetOrCreateDXFLayer("any"), loaded.LayerFindByName("_dxf_chart.dxf"));
    EXPECT_FALSE(loaded.DXFLoad(dir.filePath("missing.dxf")));
}

}  // namespace
