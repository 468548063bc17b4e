#pragma once
// No exception may pass through Qt's event loop. Every event handler body runs under
// guarded(): an exception is shown by the application's exception dialog and the
// handler ends; the program goes on.
//
//   connect(button, &QPushButton::clicked, this, [this] { guarded(this, [&] { OkClick(); }); });

#include <QString>
#include <exception>
#include <utility>

class QObject;

namespace skerra {

// The text the exception dialog shows for a message: a "." is added when the
// message's last character sorts after ".".
QString exceptionDialogText(const QString& message);

// The innermost message of an exception (nested exceptions are unwrapped).
QString innermostMessage(const std::exception& e);

// Shows the exception dialog (an error box through showMessage) for the current
// exception. Call from within a catch block.
void showCurrentException(QObject* parent = nullptr) noexcept;

// While one is alive, a settings file that cannot be written shows no exception
// dialog: the user has been told once, and each later write would say it again.
class SettingsWriteFailureTold {
public:
    SettingsWriteFailureTold();
    ~SettingsWriteFailureTold();
    SettingsWriteFailureTold(const SettingsWriteFailureTold&) = delete;
    SettingsWriteFailureTold& operator=(const SettingsWriteFailureTold&) = delete;
};

template <class F>
void guarded(QObject* parent, F&& body) noexcept
{
    try {
        std::forward<F>(body)();
    } catch (...) {
        showCurrentException(parent);
    }
}

}  // namespace skerra
