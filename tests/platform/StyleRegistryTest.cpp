#include "platform/Contrast.h"
#include "platform/MessageBox.h"
#include "platform/StyleRegistry.h"

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

using namespace skerra;

TEST(StyleRegistry, LightComesFirstAndNamesMatchWithoutCase)
{
    ASSERT_FALSE(styleNames().isEmpty());
    EXPECT_EQ(styleNames().front(), "Light");
    EXPECT_FALSE(styleNames().contains(DefaultStyleName));
    EXPECT_TRUE(trySetStyle("dark", false));
    EXPECT_EQ(activeStyleName(), "Dark");
}

TEST(StyleRegistry, UnknownStyleShowsOneCloseBoxAndKeepsTheLook)
{
    ASSERT_TRUE(trySetStyle("Light", false));
    std::vector<MessageRequest> boxes;
    MessageHandler old = setMessageHandler([&](const MessageRequest& r) {
        boxes.push_back(r);
        return MbClose;
    });
    EXPECT_FALSE(trySetStyle("Glossy Purple"));
    setMessageHandler(old);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Style 'Glossy Purple' not found");
    EXPECT_EQ(boxes[0].buttons, MbClose);
    EXPECT_EQ(activeStyleName(), "Light");
}

TEST(StyleRegistry, EveryStyleGreysTheTextOfDisabledControls)
{
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false)) << name.toStdString();
        const QPalette p = QApplication::palette();
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            const QColor active = p.color(QPalette::Active, role), disabled = p.color(QPalette::Disabled, role);
            EXPECT_NE(disabled, active) << name.toStdString() << " role " << int(role);
            // Still readable: not the background itself.
            EXPECT_NE(disabled, p.color(QPalette::Disabled, QPalette::Window)) << name.toStdString();
        }
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}

// Every text colour of every style against the background it is drawn on.
TEST(StyleRegistry, EveryStyleGivesReadableTextOnItsOwnBackgrounds)
{
    const struct {
        QPalette::ColorRole text, background;
    } pairs[] = {
        {QPalette::WindowText, QPalette::Window},       {QPalette::Text, QPalette::Base},
        {QPalette::Text, QPalette::AlternateBase},      {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight}, {QPalette::ToolTipText, QPalette::ToolTipBase},
        {QPalette::WindowText, QPalette::Button},       // labels on tool bars and buttons' panels
    };
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false)) << name.toStdString();
        const QPalette p = QApplication::palette();
        for (const auto& pair : pairs)
            EXPECT_GE(contrastRatio(p.color(QPalette::Active, pair.text), p.color(QPalette::Active, pair.background)),
                      ReadableContrast)
                << name.toStdString() << ": role " << int(pair.text) << " on " << int(pair.background);
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}

TEST(StyleRegistry, OnlyStylesForNightWorkDarkenTheChart)
{
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false));
        const std::optional<QColor> chart = activeStyleChartColour();
        EXPECT_EQ(chart.has_value(), name == "Night Red") << name.toStdString();
        if (chart) EXPECT_LT(relativeLuminance(*chart), 0.05) << name.toStdString();
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}
