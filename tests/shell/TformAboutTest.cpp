#include "shell/TformAbout.h"

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

// White under every style, and the text on it black under every style.
TEST(TformAbout, ItsTextReadsOnItsWhiteUnderEveryStyle)
{
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        TformAbout w;
        for (const QLabel* label : {w.SoftName, w.Version, w.MakerNotice1, w.MakerNotice2}) {
            const QPalette p = label->palette();
            EXPECT_EQ(p.color(QPalette::Window), QColor(Qt::white)) << style.toStdString();
            EXPECT_GE(skerra::contrastRatio(p.color(QPalette::WindowText), p.color(QPalette::Window)),
                      skerra::ReadableContrast)
                << style.toStdString() << " " << label->objectName().toStdString();
        }
    }
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
