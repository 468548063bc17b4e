#include "platform/HandlerGuard.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace skerra;

namespace {

TEST(ExceptionDialog, AddsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    const struct { const char* message; const char* shown; } cases[] = {
        {"Unable to write to /x/skerra.INI", "Unable to write to /x/skerra.INI."},
        {"Done.", "Done."},
        {"Failed!", "Failed!"},      // '!' sorts before '.'
        {"Range (1-5)", "Range (1-5)"},
        {"Path /", "Path /."},       // '/' sorts after '.'
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(exceptionDialogText(c.message), c.shown) << c.message;
}

TEST(ExceptionDialog, GuardedHandlerShowsTheInnermostMessageAndReturns)
{
    QStringList shown;
    MessageHandler old = setMessageHandler([&](const MessageRequest& r) {
        shown << r.text;
        return MbOk;
    });
    guarded(nullptr, [] {
        try {
            throw std::runtime_error("disk full");
        } catch (...) {
            std::throw_with_nested(std::runtime_error("save failed"));
        }
    });
    guarded(nullptr, [] { throw 42; });
    bool ran = false;
    guarded(nullptr, [&] { ran = true; });
    setMessageHandler(old);

    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "disk full.");
    EXPECT_EQ(shown[1], "");
    EXPECT_TRUE(ran);
}

// Once told that the settings file cannot be written, the user is not told again
// while the telling holds; other failures are still shown.
TEST(ExceptionDialog, ASettingsFileFailureAlreadyToldIsNotShownAgain)
{
    QStringList shown;
    MessageHandler old = setMessageHandler([&](const MessageRequest& r) {
        shown << r.text;
        return MbOk;
    });
    const auto settingsFailure = [] { throw IniWriteError("/x/skerra.INI", "No space left on device"); };
    {
        SettingsWriteFailureTold told;
        guarded(nullptr, settingsFailure);
        guarded(nullptr, [] { throw std::runtime_error("other"); });
    }
    guarded(nullptr, settingsFailure);
    setMessageHandler(old);
    EXPECT_EQ(shown, QStringList({"other.", "Unable to write to /x/skerra.INI (No space left on device)"}));
}

}  // namespace
