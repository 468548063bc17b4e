#include "MissingTool.h"
#include "platform/Colour.h"
#include "platform/MessageBox.h"
#include "platform/SkerraApplication.h"

#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <stdexcept>

using namespace skerra;

namespace {

// A widget whose event handler fails, as a faulty handler in the program might.
class FailingWidget : public QWidget {
protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) throw std::runtime_error("handler failed");
        return QWidget::event(e);
    }
};

TEST(SkerraApplication, AnExceptionReachingTheEventLoopIsShownAndTheProgramGoesOn)
{
    QStringList shown;
    MessageHandler old = setMessageHandler([&](const MessageRequest& r) {
        shown << r.text;
        return MbOk;
    });
    FailingWidget w;
    QEvent e(QEvent::User);
    EXPECT_NO_THROW(QCoreApplication::sendEvent(&w, &e));
    setMessageHandler(old);
    EXPECT_EQ(shown, QStringList({"handler failed."}));
}

TEST(SkerraApplication, NumbersAreFormattedWithAPointUnderAnyUserLocale)
{
    if (!std::setlocale(LC_ALL, "tr_TR.UTF-8")) SKERRA_SKIP_UNLESS_CI("tr_TR.UTF-8 not installed");
    resetNumericLocale();
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", 1.5);
    EXPECT_STREQ(text, "1.50");
    std::setlocale(LC_ALL, "C");
}

TEST(Colour, TColorIsBlueGreenRed)
{
    EXPECT_EQ(toQColor(0x800000), QColor(0, 0, 128));
    EXPECT_EQ(toQColor(colors::Red), QColor(255, 0, 0));
    EXPECT_EQ(fromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
}

}  // namespace
