// main() for tests that need a QApplication: offscreen platform, "C" number locale,
// and message boxes that never block (a test that wants to see them installs its own).

#include "platform/MessageBox.h"
#include "platform/SkerraApplication.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    testing::InitGoogleTest(&argc, argv);
    // The program's own application object: it resets the number locale and catches
    // exceptions that reach the event loop.
    skerra::SkerraApplication app(argc, argv);
    skerra::setMessageHandler({});
    return RUN_ALL_TESTS();
}
