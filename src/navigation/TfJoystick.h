#pragma once
// The "Battery" window: the battery value the echo sounder reports in its
// "Halvek SMT" sentences, and a hidden panel of axis buttons that send axis commands
// ("<A+002>\n") through the GNSS port. The window hides while the sounder's message
// type is another one and shows again when the type returns to "Halvek SMT".

#include "platform/Form.h"

#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

class TfJoystick : public skerra::FormOf<TfJoystick> {
    Q_OBJECT
public:
    explicit TfJoystick(QWidget* parent = nullptr);

    // Where the axis commands go and where the message type is read; by default the
    // main window's GNSS port and the settings window's message-type box.
    void SetSend(std::function<void(const std::string&)> send) { send_ = std::move(send); }
    void SetMessageType(std::function<QString()> messageType) { messageType_ = std::move(messageType); }

    QLabel* pBattery;
    QWidget* Panel1;
    QPushButton *bUp, *bBottom, *bLeft, *bRight, *BitBtn5, *BitBtn1, *BitBtn2;
    QTimer* Timer1;

    // The axis counters, 1 at the start of every run.
    int AxisA = 1, AxisB = 1;

    void bUpClick();
    void bBottomClick();
    void bRightClick();
    void bLeftClick();
    void BitBtn1Click();
    void BitBtn5Click();
    void Timer1Timer();

private:
    QPushButton* NewAxisButton(const char* name, const QString& caption, void (TfJoystick::*handler)());
    void Send(const std::string& text);

    std::function<void(const std::string&)> send_;
    std::function<QString()> messageType_;
    bool hiddenForType_ = false;
};

extern TfJoystick* fJoystick;
