#include "DrawnContrast.h"
#include "platform/Contrast.h"
#include "platform/MessageBox.h"
#include "platform/ReadableText.h"
#include "platform/StyleRegistry.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QToolButton>

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
        if (chart) {
            EXPECT_LT(relativeLuminance(*chart), 0.05) << name.toStdString();
        }
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}

// The palette is what a style asks for; Fusion paints button faces lighter or darker
// and as gradients. Every text is measured on the pixels drawn, in every style, at rest
// and under the pointer.
TEST(StyleRegistry, EveryStyleDrawsReadableTextOnItsControls)
{
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false)) << name.toStdString();
        QPushButton push(QStringLiteral("OK"));
        push.resize(329, 37);
        QPushButton defaultPush(QStringLiteral("OK"));
        defaultPush.setDefault(true);
        defaultPush.resize(329, 37);
        QToolButton tool;  // a command button in a tool bar, bold like the Realtime button
        tool.setText(QStringLiteral("Start"));
        tool.setAutoRaise(false);
        QFont bold(QStringLiteral("Segoe UI"), 10);
        bold.setBold(true);
        tool.setFont(bold);
        tool.resize(70, 28);
        QToolButton navy;  // a caption in a colour of its own, kept readable
        navy.setText(QStringLiteral("Start"));
        navy.setAutoRaise(false);
        navy.setFont(bold);
        navy.resize(70, 28);
        showTextReadably(&navy, QColor(0x00, 0x00, 0x80), QPalette::Button);
        QToolButton running;  // white on the running survey's colour
        running.setText(QStringLiteral("Stop"));
        running.setAutoRaise(false);
        running.setFont(bold);
        running.resize(70, 28);
        showTextReadably(&running, Qt::white, QPalette::Button, activeRunningColour());
        QLineEdit edit(QStringLiteral("1520.0"));
        edit.resize(90, 24);
        QLabel label(QStringLiteral("Update Rate (ms)"));
        label.setAutoFillBackground(true);
        label.resize(120, 20);

        const struct {
            const char* what;
            QWidget* widget;
        } controls[] = {{"push button", &push}, {"default push button", &defaultPush}, {"tool button", &tool},
                        {"navy caption", &navy}, {"running caption", &running}, {"line edit", &edit},
                        {"label", &label}};
        for (const auto& c : controls)
            for (const bool hovered : {false, true}) {
                c.widget->setAttribute(Qt::WA_UnderMouse, hovered);
                const DrawnContrast drawn = measureDrawnContrast(*c.widget);
                EXPECT_GE(drawn.ratio, ReadableContrast)
                    << name.toStdString() << ", " << c.what << (hovered ? " under the pointer" : "") << ": "
                    << drawn.text.name().toStdString() << " on " << drawn.face.name().toStdString();
            }
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}

// An empty edit shows where it is: its frame or its field stands out from the window.
TEST(StyleRegistry, EveryStyleShowsWhereAnEmptyEditIs)
{
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false)) << name.toStdString();
        QLineEdit edit;
        edit.resize(90, 24);
        const QImage image = edit.grab().toImage();
        const QColor window = QApplication::palette().color(QPalette::Window);
        const QColor frame = image.pixelColor(0, image.height() / 2), field = image.pixelColor(45, 12);
        EXPECT_GE(std::max(contrastRatio(frame, window), contrastRatio(field, window)), 1.5)
            << name.toStdString() << ": frame " << frame.name().toStdString() << ", field "
            << field.name().toStdString() << " on " << window.name().toStdString();
    }
    ASSERT_TRUE(trySetStyle("Light", false));
}

TEST(StyleRegistry, DarkStylesRunOnADarkBand)
{
    for (const QString& name : styleNames()) {
        ASSERT_TRUE(trySetStyle(name, false));
        const QColor window = QApplication::palette().color(QPalette::Window);
        EXPECT_EQ(activeStyleIsDark(), relativeLuminance(window) < 0.2) << name.toStdString();
        if (activeStyleIsDark())
            EXPECT_LT(relativeLuminance(activeRunningColour()), 0.1) << name.toStdString();
    }
    ASSERT_TRUE(trySetStyle("Light", false));
    EXPECT_EQ(activeRunningColour(), QColor(0x00, 0x80, 0x00));  // the day's green
}
