#include "HandlerGuard.h"

#include "IniFile.h"
#include "MessageBox.h"

#include <cstdio>

namespace skerra {

namespace {
int settingsWriteFailureTold = 0;
}

SettingsWriteFailureTold::SettingsWriteFailureTold() { ++settingsWriteFailureTold; }
SettingsWriteFailureTold::~SettingsWriteFailureTold() { --settingsWriteFailureTold; }

QString exceptionDialogText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar('.')) return message + '.';
    return message;
}

QString innermostMessage(const std::exception& e)
{
    try {
        std::rethrow_if_nested(e);
    } catch (const std::exception& inner) {
        return innermostMessage(inner);
    } catch (...) {
    }
    return QString::fromUtf8(e.what());
}

void showCurrentException(QObject* parent) noexcept
{
    try {
        QString message;
        try {
            throw;
        } catch (const IniWriteError& e) {
            if (settingsWriteFailureTold > 0) return;
            message = innermostMessage(e);
        } catch (const std::exception& e) {
            message = innermostMessage(e);
        } catch (...) {
            message.clear();  // an unknown exception is shown with an empty message
        }
        MessageRequest r;
        r.kind = MessageKind::Error;
        r.title = QStringLiteral("Skerra");
        r.text = exceptionDialogText(message);
        r.parent = parent;
        showMessage(r);
    } catch (...) {
        std::fputs("Skerra: an error could not be shown\n", stderr);
    }
}

}  // namespace skerra
