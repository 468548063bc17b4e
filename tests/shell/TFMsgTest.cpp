#include "shell/TFMsg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

void processEventsFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do QApplication::processEvents(QEventLoop::AllEvents, 5);
    while (clock.elapsed() < milliseconds);
}

void clickOn(QWidget* target)
{
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

TEST(TFMsg, KeepsTheNewestThousandLines)
{
    TFMsg w;
    EXPECT_EQ(FMsg, &w);
    EXPECT_EQ(w.windowTitle(), "Message Window");
    for (int i = 0; i < TFMsg::MaxLines + 5; ++i) w.addStatusLine(QStringLiteral("line %1").arg(i), false);
    const QStringList lines = w.statusLines();
    ASSERT_EQ(lines.size(), TFMsg::MaxLines);
    EXPECT_EQ(lines.front(), "line 5");
    EXPECT_EQ(lines.back(), QStringLiteral("line %1").arg(TFMsg::MaxLines + 4));
    EXPECT_FALSE(w.isVisible());  // added without showing
}

TEST(TFMsg, ShowsWithoutTakingTheFocusFromTheWindowInUse)
{
    QWidget typing;
    auto* edit = new QLineEdit(&typing);
    (new QVBoxLayout(&typing))->addWidget(edit);
    typing.show();
    typing.activateWindow();
    edit->setFocus();
    processEventsFor(20);
    ASSERT_EQ(QApplication::focusWidget(), edit);

    TFMsg w;
    w.addStatusLine("GNSS port timeout", true);
    processEventsFor(20);
    ASSERT_TRUE(w.isVisible());
    // What the window system is told: no activation at the show, no input focus at all.
    EXPECT_TRUE(w.testAttribute(Qt::WA_ShowWithoutActivating));
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_TRUE(w.windowHandle()->flags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(typing.focusWidget(), edit);
    // The offscreen platform activates every window it shows, whatever the hints say;
    // on a real window system the window in use keeps the focus.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        EXPECT_EQ(QApplication::activeWindow(), &typing);
        EXPECT_EQ(QApplication::focusWidget(), edit);
    }
}

TEST(TFMsg, HidesWhenItsCountRunsOutOrAtAClickThatEmptiesIt)
{
    TFMsg w;
    w.addStatusLine("first", true);
    ASSERT_TRUE(w.isVisible());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), TFMsg::ShowMilliseconds);

    // A message while visible does not restart the count.
    processEventsFor(40);
    w.addStatusLine("second", true);
    EXPECT_LT(w.Timer1->remainingTime(), TFMsg::ShowMilliseconds - 20);

    // The count runs out: hidden, lines kept, timer stopped.
    QMetaObject::invokeMethod(w.Timer1, "timeout");
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_EQ(w.statusLines(), QStringList({"first", "second"}));

    // Shown again: a fresh count.
    w.addStatusLine("third", true);
    EXPECT_TRUE(w.isVisible());
    EXPECT_GT(w.Timer1->remainingTime(), TFMsg::ShowMilliseconds - 20);

    // A click on the text hides the window and empties the memo; the next message
    // starts a new list.
    clickOn(w.Msg->viewport());
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.statusLines().isEmpty());
    w.addStatusLine("fourth", false);
    EXPECT_EQ(w.statusLines(), QStringList({"fourth"}));
}

// A report the survey keeps on screen: no count while kept, whether the window was
// up already or comes up later; released, the usual count runs.
TEST(TFMsg, AKeptWindowStaysUpUntilReleased)
{
    for (const bool shownFirst : {true, false}) {
        TFMsg w;
        if (shownFirst) w.addStatusLine("before", true);
        w.keepShown(true);
        w.addStatusLine("Disconnected from GPS on COM3", true);
        EXPECT_TRUE(w.isVisible()) << shownFirst;
        EXPECT_FALSE(w.Timer1->isActive()) << shownFirst;
        w.keepShown(false);
        EXPECT_TRUE(w.Timer1->isActive()) << shownFirst;
        EXPECT_GT(w.Timer1->remainingTime(), TFMsg::ShowMilliseconds - 20) << shownFirst;
    }
}

}  // namespace
