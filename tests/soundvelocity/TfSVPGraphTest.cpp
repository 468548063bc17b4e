#include "soundvelocity/TfSVPGraph.h"

#include "platform/NumberText.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

class TfSVPGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        graph_ = std::make_unique<TfSVPGraph>();
        graph_->show();
        QApplication::processEvents();
    }
    TfSVPGraph& g() { return *graph_; }
    QPoint pixelOf(size_t i) { return {g().SVToX(g().Points[i].SV), g().DepthToY(g().Points[i].Depth)}; }
    QImage plot()
    {
        return g().PaintBox1->grab().toImage();
    }
    QString cell(int r, int c) { return g().StringGrid1->item(r, c) ? g().StringGrid1->item(r, c)->text() : "<none>"; }

    std::unique_ptr<TfSVPGraph> graph_;
};

TEST_F(TfSVPGraphTest, LayoutAndStartState)
{
    EXPECT_EQ(g().windowTitle(), "SVP Profile Graph - Drag Points or Lasso Select");
    EXPECT_EQ(g().bDeleteSelected->text(), "Delete Selected (0)");
    EXPECT_FALSE(g().bDeleteSelected->isEnabled());
    EXPECT_EQ(g().Label1->text(), "Drag points to edit SV, or draw lasso to select spikes");
    EXPECT_EQ(g().StringGrid1->horizontalHeaderItem(1)->text(), "SV (m/s)");
    EXPECT_EQ(g().PanelGrid->width(), 195);
    EXPECT_EQ(g().Panel1->height(), 50);
}

TEST_F(TfSVPGraphTest, TableRoundTripGivesTwoDecimals)
{
    g().LoadFromStrings({"0,1500.123,1", "", "junk", "5,1490.5", "9,1480.4567,0"});
    ASSERT_EQ(g().StringGrid1->rowCount(), 3);
    EXPECT_EQ(cell(0, 1), "1500.12");
    EXPECT_EQ(cell(1, 2), "1");
    g().bSaveAndClose->click();
    EXPECT_EQ(g().ModalResult(), QDialog::Accepted);
    EXPECT_TRUE(g().Modified);
    EXPECT_EQ(g().SaveToStrings(), (Lines{"0,1500.12,1", "5,1490.50,1", "9,1480.46,0"}));
}

TEST_F(TfSVPGraphTest, AddAndDeleteRows)
{
    g().LoadFromStrings({});
    g().bAddRow->click();
    EXPECT_EQ(g().SaveToStrings(), Lines{"0,1500.00,0"});
    g().bAddRow->click();
    EXPECT_EQ(g().SaveToStrings(), (Lines{"0,1500.00,0", "1,1500.00,0"}));
    // A typed cell is read by the next row command; the new row copies the point
    // as it was before.
    g().StringGrid1->item(1, 1)->setText("1490.25");
    g().bAddRow->click();
    EXPECT_EQ(g().SaveToStrings(), (Lines{"0,1500.00,0", "1,1490.25,0", "2,1500.00,0"}));
    g().StringGrid1->setCurrentCell(0, 0);
    g().bDeleteRow->click();
    EXPECT_EQ(g().SaveToStrings(), (Lines{"1,1490.25,0", "2,1500.00,0"}));
    g().bDeleteRow->click();
    g().StringGrid1->setCurrentCell(0, 0);
    g().bDeleteRow->click();  // the last data row stays
    EXPECT_EQ(g().SaveToStrings(), Lines{"2,1500.00,0"});
}

TEST_F(TfSVPGraphTest, DragChangesTheSVWithinLimits)
{
    g().LoadFromStrings({"0,1500,1", "10,1480,1", "20,1490,1"});
    const QPoint p = pixelOf(1);
    g().PaintBox1MouseDown(Qt::LeftButton, p);
    EXPECT_TRUE(g().IsDragging);
    EXPECT_EQ(g().DragIndex, 1);
    g().PaintBox1MouseMove(p + QPoint(40, 25));
    const double moved = g().Points[1].SV;
    EXPECT_GT(moved, 1480);
    EXPECT_EQ(g().Points[1].Depth, 10);
    EXPECT_EQ(cell(1, 1).toStdString(), skerra::FormatFixed(moved, 2));
    EXPECT_TRUE(g().Label1->text().startsWith("SV: "));
    EXPECT_TRUE(g().Label1->text().endsWith(" m  (Drag point to edit SV)"));
    g().PaintBox1MouseMove({g().SVToX(1800), p.y()});  // beyond 1700: the SV stays
    EXPECT_EQ(g().Points[1].SV, moved);
    g().PaintBox1MouseUp(Qt::LeftButton, p);
    EXPECT_FALSE(g().IsDragging);
    EXPECT_EQ(g().DragIndex, -1);
    EXPECT_TRUE(g().Modified);
}

TEST_F(TfSVPGraphTest, LassoSelectsAndDeletes)
{
    g().LoadFromStrings({"0,1500,1", "10,1560,1", "20,1490,1"});
    const QPoint spike = pixelOf(1);
    const QPoint path[] = {spike + QPoint(-20, -20), spike + QPoint(20, -20), spike + QPoint(20, 20),
                           spike + QPoint(-20, 20)};
    g().PaintBox1MouseDown(Qt::LeftButton, path[0]);
    for (const QPoint& p : path) g().PaintBox1MouseMove(p);
    g().PaintBox1MouseUp(Qt::LeftButton, path[3]);
    EXPECT_EQ(g().bDeleteSelected->text(), "Delete Selected (1)");
    ASSERT_TRUE(g().bDeleteSelected->isEnabled());
    const QImage selected = plot();
    EXPECT_EQ(selected.pixelColor(spike), QColor(255, 0, 0));
    g().bDeleteSelected->click();
    EXPECT_EQ(g().SaveToStrings(), (Lines{"0,1500.00,1", "20,1490.00,1"}));
    EXPECT_EQ(g().bDeleteSelected->text(), "Delete Selected (0)");
    EXPECT_FALSE(g().bDeleteSelected->isEnabled());

    // A two-point lasso keeps the selection as it was.
    g().Points[0].Selected = true;
    g().PaintBox1MouseDown(Qt::LeftButton, {5, 5});
    g().PaintBox1MouseMove({30, 30});
    g().PaintBox1MouseUp(Qt::LeftButton, {30, 30});
    EXPECT_TRUE(g().Points[0].Selected);
}

TEST_F(TfSVPGraphTest, TableClickSelectsOnePoint)
{
    g().LoadFromStrings({"0,1500,1", "10,1560,1"});
    g().StringGrid1->setCurrentCell(1, 0);
    g().StringGrid1Click();
    EXPECT_FALSE(g().Points[0].Selected);
    EXPECT_TRUE(g().Points[1].Selected);
}

TEST_F(TfSVPGraphTest, WheelZoomAndDoubleClickReset)
{
    g().LoadFromStrings({"0,1500,1", "20,1510,1"});
    const QPoint centre = g().PaintBox1->mapToGlobal(QPoint(g().SVToX(1505), g().DepthToY(10)));
    for (int i = 0; i < 40; ++i) g().FormMouseWheel(centre, 120);
    EXPECT_NEAR(g().MaxDepth - g().MinDepth, 5, 1e-9);
    g().PaintBox1DblClick();
    EXPECT_EQ(g().MinDepth, 0);
    EXPECT_EQ(g().MaxDepth, 20);
}

TEST_F(TfSVPGraphTest, PlotPixels)
{
    g().LoadFromStrings({"0,1500,1", "10,1480,1", "20,1490,1"});
    const QImage image = plot();
    ASSERT_EQ(image.width(), g().PlotWidth);
    EXPECT_EQ(image.pixelColor(pixelOf(1)), QColor(0, 0, 255));                      // marker fill
    EXPECT_EQ(image.pixelColor(pixelOf(1) + QPoint(4, 0)), QColor(0, 0, 128));       // marker rim
    EXPECT_EQ(image.pixelColor(g().MarginLeft, g().MarginTop + 3), QColor(0, 0, 0)); // depth axis
    EXPECT_EQ(image.pixelColor(g().PlotWidth - 5, 5), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(g().MarginLeft + 1, g().PlotHeight - g().MarginBottom), QColor(0, 0, 0));
}

TEST_F(TfSVPGraphTest, ModalResultFromTheButtons)
{
    g().LoadFromStrings({"0,1500,1"});
    QTimer::singleShot(0, graph_.get(), [this] { g().bCancel->click(); });
    EXPECT_EQ(g().ShowModal(), QDialog::Rejected);
    EXPECT_FALSE(g().isVisible());
    QTimer::singleShot(0, graph_.get(), [this] { g().bSaveAndClose->click(); });
    EXPECT_EQ(g().ShowModal(), QDialog::Accepted);
    QTimer::singleShot(0, graph_.get(), [this] { g().close(); });
    EXPECT_EQ(g().ShowModal(), QDialog::Rejected);
}

}  // namespace
