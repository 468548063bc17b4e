#pragma once
// The "Message Window" window: a stay-on-top memo that collects the port and sensor
// status messages. Shown, it hides itself after 4 seconds; a click on the text hides
// it and empties it. It never takes the focus from the window the user works in.

#include "platform/Form.h"

#include <QStringList>

class QPlainTextEdit;
class QTimer;

class TFMsg : public skerra::FormOf<TFMsg> {
    Q_OBJECT
public:
    explicit TFMsg(QWidget* parent = nullptr);

    // Appends one status line to `Msg` (the oldest lines go beyond MaxLines) and, with
    // show, shows the window without activating it. Showing an already visible window
    // does not restart its 4-second count; it raises the window above the other tool windows.
    void addStatusLine(const QString& text, bool show);
    QStringList statusLines() const;
    // Kept, the window does not hide itself (a click still hides it); released, a
    // shown window hides 4 seconds later.
    void keepShown(bool keep);
    bool keptShown() const { return kept_; }

    static constexpr int MaxLines = 1000;
    static constexpr int ShowMilliseconds = 4000;

    QPlainTextEdit* Msg = nullptr;
    QTimer* Timer1 = nullptr;

    void FormShow();
    void FormHide();
    void Timer1Timer();
    void MsgClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool kept_ = false;
};

extern TFMsg* FMsg;
