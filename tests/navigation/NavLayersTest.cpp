#include "canvas/THalvekCanvasModel.h"
#include "navigation/NavLayers.h"

#include <gtest/gtest.h>

namespace {

struct StandardLayer {
    const char* name;
    const int* id;
};

const StandardLayer kStandard[] = {
    {"Halvek Grid", &GridLayerId},           {"track_fix", &TrackFixLayerId},
    {"track_nofix", &TrackNoFixLayerId},     {"track_float", &TrackFloatLayerId},
    {"halvek_tempshape", &TempShapeLayerId}, {"halvek_usershape", &UserShapeLayerId},
    {"event_number", &EventLayerId},         {"~~Halvek Vessel", &VesselLayerId},
};

void expectIdsMatchNames(const THalvekCanvasModel& chart)
{
    for (const StandardLayer& layer : kStandard) EXPECT_EQ(*layer.id, chart.LayerFindByName(layer.name)) << layer.name;
}

TEST(EnsureNavLayers, OnAFreshChartMakesTheLayersInOrderAndLeavesTheUserShapeLayerCurrent)
{
    THalvekCanvasModel chart;
    EnsureNavLayers(chart);
    for (int i = 0; i < int(std::size(kStandard)); ++i) EXPECT_EQ(*kStandard[i].id, i + 1) << kStandard[i].name;
    EXPECT_EQ(chart.CurrentLayer, UserShapeLayerId);
    EXPECT_NE(chart.CurrentLayer, VesselLayerId);
}

// A loaded layout may bring some standard layers, at its own ids, and lack others.
TEST(EnsureNavLayers, KeepsTheIdsOfLayersThatExistAndAppendsTheMissingOnes)
{
    THalvekCanvasModel chart;
    const int harbour = chart.LayerOpen("harbour");
    const int vessel = chart.LayerOpen("~~Halvek Vessel");
    const int fix = chart.LayerOpen("track_fix");
    const int before = chart.NextLayerId();
    EnsureNavLayers(chart);
    EXPECT_EQ(VesselLayerId, vessel);
    EXPECT_EQ(TrackFixLayerId, fix);
    EXPECT_EQ(chart.LayerFindByName("harbour"), harbour);
    EXPECT_EQ(chart.NextLayerId(), before + 6);
    expectIdsMatchNames(chart);
    EXPECT_EQ(chart.CurrentLayer, UserShapeLayerId);

    // A second run changes nothing but the current layer.
    chart.CurrentLayer = vessel;
    EnsureNavLayers(chart);
    EXPECT_EQ(chart.NextLayerId(), before + 6);
    expectIdsMatchNames(chart);
    EXPECT_EQ(chart.CurrentLayer, UserShapeLayerId);
}

}  // namespace
