#pragma once
// The on-screen numeric keypad and text keyboard for touch screens. Each edits the
// text of one target control (an edit, or an editable combo box) by appending key
// captions, removing the last character or hiding itself on "Enter".
//
// A panel is a small frameless window that floats over its owner and never takes
// the focus, nor do its keys: the control being typed into keeps its caret and its
// window stays the active one, so no focus-out check runs on a half-typed value.
// A panel lives no longer than its target's window: when that window hides, the
// panel hides too and lets go of the target, so no stray key reaches a hidden edit.

#include <QPointer>
#include <QWidget>
#include <array>

class QToolButton;

// The text of a supported target (QLineEdit, editable QComboBox); empty otherwise.
QString GetTargetText(const QWidget* target);
// Sets the text of a supported target; nothing for any other control.
void SetTargetText(QWidget* target, const QString& text);

class THalvekKeyboardPanel : public QWidget {
    Q_OBJECT
public:
    // The control whose text the keys edit; none: the keys change nothing.
    QPointer<QWidget> TargetControl;
    // Sets the target and follows its window: the panel hides with it.
    void SetTarget(QWidget* target);

protected:
    THalvekKeyboardPanel(QWidget* owner, const QSize& size);
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QToolButton* MakeKey(const QString& caption, const QRect& rect, bool bold);
    void AppendToTarget(const QString& text);
    void BackspaceTarget();

private:
    void WatchTargetWindow();

    // The window that keeps the activation while the panel is up.
    QPointer<QWidget> activeWindow_;
    // The target's window, watched for its hiding.
    QPointer<QWidget> targetWindow_;
};

class THalvekNumericKeypad : public THalvekKeyboardPanel {
    Q_OBJECT
public:
    explicit THalvekNumericKeypad(QWidget* owner);

    static constexpr int KeyTotal = 14;  // the twelve number keys, "-" and "."
    std::array<QToolButton*, KeyTotal> Keys{};

    void KeyClick(QObject* sender);

private:
    void CreateKeys();
};

class THalvekSimpleKeyboard : public THalvekKeyboardPanel {
    Q_OBJECT
public:
    explicit THalvekSimpleKeyboard(QWidget* owner);

    bool ShiftOn = false;
    std::array<QToolButton*, 50> Keys{};
    QToolButton* ShiftKey = nullptr;
    QToolButton* SpaceKey = nullptr;
    QToolButton* BackKey = nullptr;
    QToolButton* EnterKey = nullptr;
    int KeyCount = 0;

    void CharKeyClick(QObject* sender);
    void ShiftClick();
    void SpaceClick();
    void BackClick();
    void EnterClick();

private:
    void CreateKeys();
    void UpdateLetterCaptions();
};
