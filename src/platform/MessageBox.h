#pragma once
// Message boxes go through one replaceable function.
//
// The program installs an on-screen implementation at start-up (WidgetMessageBox);
// tests install their own to record texts and answer questions, so no test ever
// blocks on a modal box. Without any installed, texts go to standard error and
// questions answer with their default button.

#include <QString>
#include <functional>

class QObject;

namespace skerra {

enum class MessageKind { Information, Warning, Error, Question };

// Buttons, combinable. The answer is one of them.
enum MessageButton : int {
    MbOk = 1, MbCancel = 2, MbYes = 4, MbNo = 8, MbClose = 16, MbAbort = 32, MbRetry = 64, MbIgnore = 128
};

struct MessageRequest {
    MessageKind kind = MessageKind::Information;
    QString title;
    QString text;
    int buttons = MbOk;
    int defaultButton = MbOk;
    QObject* parent = nullptr;  // the window that raises the box (a QWidget), may be null
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// Installs a handler and returns the one it replaces.
MessageHandler setMessageHandler(MessageHandler handler);

int showMessage(const MessageRequest& request);

// Shorthands. The title is the application's ("Skerra") when empty.
void showInformation(const QString& text, QObject* parent = nullptr);
void showWarning(const QString& text, QObject* parent = nullptr);
void showError(const QString& text, QObject* parent = nullptr);
int askQuestion(const QString& text, int buttons = MbYes | MbNo, int defaultButton = MbYes,
                QObject* parent = nullptr);

}  // namespace skerra
