#include "shell/TformAbout.h"

#include "DrawnContrast.h"
#include "platform/Contrast.h"
#include "platform/StyleRegistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(TformAbout, ShowsTheProductNameVersionAndMakerNotice)
{
    TformAbout w;
    EXPECT_EQ(formAbout, &w);
    EXPECT_EQ(w.windowTitle(), "About Skerra");
    EXPECT_EQ(w.SoftName->text(), "Skerra");
    EXPECT_EQ(w.SoftName->font().family(), "Arial");
    EXPECT_EQ(w.SoftName->font().pixelSize(), 19);
    EXPECT_TRUE(w.SoftName->font().bold());
    EXPECT_EQ(w.Version->text(), "Version 6.7.10");
    EXPECT_TRUE(w.Version->font().bold());
    for (const QLabel* label : {w.SoftName, w.Version, w.MakerNotice1, w.MakerNotice2}) {
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << label->objectName().toStdString();
        EXPECT_FALSE(label->text().isEmpty()) << label->objectName().toStdString();
    }
    EXPECT_EQ(w.width(), 340);
    EXPECT_EQ(w.BitBtn2->size(), QSize(329, 37));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
}

// White by day and the style's own window at night; its text and its OK button read
// on the pixels drawn, under every style, at rest and under the pointer.
TEST(TformAbout, ItsTextAndItsOkButtonReadUnderEveryStyle)
{
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        TformAbout w;
        const QColor window = w.palette().color(QPalette::Window);
        EXPECT_EQ(window, skerra::activeStyleIsDark() ? QApplication::palette().color(QPalette::Window)
                                                      : QColor(Qt::white))
            << style.toStdString();
        const QImage picture = w.grab().toImage();
        for (const QLabel* label : {w.SoftName, w.Version, w.MakerNotice1, w.MakerNotice2}) {
            const QRect area(label->mapTo(&w, QPoint(0, 0)), label->size());
            EXPECT_GE(measureDrawnContrast(picture.copy(area), 0).ratio, skerra::ReadableContrast)
                << style.toStdString() << " " << label->objectName().toStdString();
        }
        for (const bool hovered : {false, true}) {
            w.BitBtn2->setAttribute(Qt::WA_UnderMouse, hovered);
            const DrawnContrast ok = measureDrawnContrast(*w.BitBtn2);
            EXPECT_GE(ok.ratio, skerra::ReadableContrast)
                << style.toStdString() << (hovered ? " under the pointer: " : ": ") << ok.text.name().toStdString()
                << " on " << ok.face.name().toStdString();
        }
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

// A window already open follows a change of style.
TEST(TformAbout, AnOpenBoxTurnsDarkWithTheStyleAndWhiteAgain)
{
    ASSERT_TRUE(skerra::trySetStyle("Light", false));
    TformAbout w;
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    ASSERT_TRUE(skerra::trySetStyle("Night Red", false));
    QApplication::processEvents();  // the open window hears of the new style
    EXPECT_LT(skerra::relativeLuminance(w.palette().color(QPalette::Window)), 0.05);
    EXPECT_GE(measureDrawnContrast(*w.BitBtn2).ratio, skerra::ReadableContrast);
    ASSERT_TRUE(skerra::trySetStyle("Light", false));
    QApplication::processEvents();
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(w.palette().color(QPalette::WindowText), QColor(Qt::black));
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

TEST(TformAbout, ModalShowReturnsWhenOkOrEnterCloses)
{
    TformAbout w;
    QTimer::singleShot(0, &w, [&] {
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
        w.BitBtn2->click();
    });
    w.ShowModal();
    EXPECT_FALSE(w.isVisible());

    QTimer::singleShot(0, &w, [&] {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
    });
    w.ShowModal();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowModality(), Qt::NonModal);
}

}  // namespace
