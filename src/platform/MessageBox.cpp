#include "MessageBox.h"

#include <QTextStream>
#include <cstdio>

namespace skerra {
namespace {

int answerOnConsole(const MessageRequest& r)
{
    std::fprintf(stderr, "%s\n", r.text.toLocal8Bit().constData());
    return r.defaultButton;
}

MessageHandler& handler()
{
    static MessageHandler h = answerOnConsole;
    return h;
}

int box(MessageKind kind, const QString& text, int buttons, int defaultButton, QObject* parent)
{
    MessageRequest r;
    r.kind = kind;
    r.title = QStringLiteral("Skerra");
    r.text = text;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    r.parent = parent;
    return showMessage(r);
}

}  // namespace

MessageHandler setMessageHandler(MessageHandler h)
{
    MessageHandler old = std::move(handler());
    handler() = h ? std::move(h) : MessageHandler(answerOnConsole);
    return old;
}

int showMessage(const MessageRequest& request) { return handler()(request); }

void showInformation(const QString& text, QObject* parent)
{
    box(MessageKind::Information, text, MbOk, MbOk, parent);
}

void showWarning(const QString& text, QObject* parent) { box(MessageKind::Warning, text, MbOk, MbOk, parent); }

void showError(const QString& text, QObject* parent) { box(MessageKind::Error, text, MbOk, MbOk, parent); }

int askQuestion(const QString& text, int buttons, int defaultButton, QObject* parent)
{
    return box(MessageKind::Question, text, buttons, defaultButton, parent);
}

}  // namespace skerra
