// The on-screen keypad and keyboard: what the keys type, and that typing with them
// leaves the focus where it is.

#include "shell/HalvekKeyboard.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A press and a release in the middle of a key, delivered as a mouse would.
void press(QWidget* key)
{
    const QPointF at(key->width() / 2.0, key->height() / 2.0);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, key->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(key, &event);
    }
}

// A key by the caption it was made with (letters in either case): "c" is the C key
// whichever case it shows.
QToolButton* keyNamed(QWidget* panel, const QString& caption)
{
    for (QToolButton* key : panel->findChildren<QToolButton*>())
        if (key->objectName().compare(QStringLiteral("Key") + caption, Qt::CaseInsensitive) == 0) return key;
    ADD_FAILURE() << "no key " << caption.toStdString();
    return nullptr;
}

void pressKeys(QWidget* panel, const QStringList& captions)
{
    for (const QString& caption : captions)
        if (QToolButton* key = keyNamed(panel, caption)) press(key);
}

// Counts the times an edit loses the focus within its window (a click that moves the
// focus to another control). A change of the active window is not such a loss: the
// window keeps the edit as its focus, and where the platform activates a newly shown
// panel the panel hands the activation straight back.
class FocusOutCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            ++count;
        return false;
    }
};

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_ = std::make_unique<QWidget>();
        form_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(form_.get());
        edit_ = new QLineEdit(form_.get());
        other_ = new QLineEdit(form_.get());
        layout->addWidget(edit_);
        layout->addWidget(other_);
        owner_->show();
        form_->show();
        form_->activateWindow();
        edit_->setFocus();
        QApplication::processEvents();
    }
    std::unique_ptr<QWidget> owner_, form_;
    QLineEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
};

TEST_F(KeyboardTest, KeypadTypesDigitsSignAndPointAndEnterHidesIt)
{
    THalvekNumericKeypad keypad(owner_.get());
    keypad.TargetControl = edit_;
    keypad.show();
    pressKeys(&keypad, {"-", "1", "2", ".", "5"});
    EXPECT_EQ(edit_->text(), "-12.5");
    pressKeys(&keypad, {"Back", "Back"});
    EXPECT_EQ(edit_->text(), "-12");
    pressKeys(&keypad, {"Enter"});
    EXPECT_FALSE(keypad.isVisible());
}

TEST_F(KeyboardTest, BackOnAnEmptyTargetAndKeysWithoutATargetDoNothing)
{
    THalvekNumericKeypad keypad(owner_.get());
    keypad.show();
    pressKeys(&keypad, {"1", "Enter"});  // no target: not even Enter
    EXPECT_TRUE(keypad.isVisible());
    keypad.TargetControl = edit_;
    pressKeys(&keypad, {"Back"});
    EXPECT_EQ(edit_->text(), "");
    edit_->setText("12");
    pressKeys(&keypad, {"Back"});
    EXPECT_EQ(edit_->text(), "1");
}

TEST_F(KeyboardTest, KeypadKeysNeverTakeTheFocusNorDoesItsWindow)
{
    FocusOutCounter counter;
    edit_->installEventFilter(&counter);
    THalvekNumericKeypad keypad(owner_.get());
    keypad.TargetControl = edit_;
    keypad.show();
    QApplication::processEvents();
    pressKeys(&keypad, {"3", "4"});
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_EQ(counter.count, 0);
    EXPECT_EQ(edit_->text(), "34");
    EXPECT_EQ(QApplication::activeWindow(), form_.get());
    for (QToolButton* key : keypad.findChildren<QToolButton*>()) EXPECT_EQ(key->focusPolicy(), Qt::NoFocus);
    edit_->removeEventFilter(&counter);
}

TEST_F(KeyboardTest, KeyboardShiftIsOneShotAndLettersTurnSmallAfterItsFirstUse)
{
    THalvekSimpleKeyboard keyboard(owner_.get());
    keyboard.TargetControl = edit_;
    keyboard.show();
    EXPECT_EQ(keyboard.KeyCount, 36);
    pressKeys(&keyboard, {"A", "Shift", "B", "C"});
    EXPECT_EQ(edit_->text(), "ABc");
    pressKeys(&keyboard, {"Shift", "Shift", "d"});
    EXPECT_EQ(edit_->text(), "ABcd");
    EXPECT_EQ(keyboard.Keys[0]->text(), "1");  // digits keep their captions
    EXPECT_EQ(keyboard.Keys[10]->text(), "q");
}

TEST_F(KeyboardTest, SpaceKeepsAPendingShiftAndBackRemovesOneCharacter)
{
    THalvekSimpleKeyboard keyboard(owner_.get());
    keyboard.TargetControl = edit_;
    keyboard.show();
    pressKeys(&keyboard, {"Shift", "Space", "Q", "Back", "w", "Shift", "E"});
    EXPECT_EQ(edit_->text(), " wE");
    EXPECT_FALSE(keyboard.ShiftOn);
    pressKeys(&keyboard, {"Enter"});
    EXPECT_FALSE(keyboard.isVisible());
}

TEST_F(KeyboardTest, EnterHidesTheKeyboardEvenWithoutATarget)
{
    THalvekSimpleKeyboard keyboard(owner_.get());
    keyboard.show();
    pressKeys(&keyboard, {"A", "Space"});
    EXPECT_TRUE(keyboard.isVisible());
    pressKeys(&keyboard, {"Enter"});
    EXPECT_FALSE(keyboard.isVisible());
}

TEST_F(KeyboardTest, KeyboardTypingKeepsTheFocusInTheTargetsWindow)
{
    FocusOutCounter counter;
    edit_->installEventFilter(&counter);
    THalvekSimpleKeyboard keyboard(owner_.get());
    keyboard.TargetControl = edit_;
    keyboard.show();
    QApplication::processEvents();
    pressKeys(&keyboard, {"H", "Space", "Shift", "Back"});
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), edit_);
    EXPECT_EQ(QApplication::activeWindow(), form_.get());
    EXPECT_EQ(counter.count, 0);
    edit_->removeEventFilter(&counter);
}

// A panel left up after its window was confirmed or closed would type into an edit
// that nobody sees but the program still reads: it goes with the target's window.
TEST_F(KeyboardTest, APanelHidesAndLetsGoOfItsTargetWhenTheTargetsWindowHides)
{
    const struct {
        const char* name;
        std::function<std::unique_ptr<THalvekKeyboardPanel>(QWidget*)> make;
    } panels[] = {
        {"keypad", [](QWidget* owner) { return std::make_unique<THalvekNumericKeypad>(owner); }},
        {"keyboard", [](QWidget* owner) { return std::make_unique<THalvekSimpleKeyboard>(owner); }},
    };
    for (const auto& p : panels) {
        SCOPED_TRACE(p.name);
        form_->show();
        edit_->setText("1500");
        const std::unique_ptr<THalvekKeyboardPanel> panel = p.make(owner_.get());
        panel->SetTarget(edit_);
        panel->show();
        QApplication::processEvents();
        form_->hide();
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(panel->TargetControl, nullptr);
        panel->show();  // shown again without a new target: its keys type nowhere
        pressKeys(panel.get(), {"0", "Back"});
        EXPECT_EQ(edit_->text(), "1500");

        // Given a target in another window, it follows that window only.
        form_->show();
        QWidget otherForm;
        auto* otherEdit = new QLineEdit(&otherForm);
        otherForm.show();
        panel->SetTarget(otherEdit);
        form_->hide();
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->TargetControl, otherEdit);
        otherForm.close();
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(panel->TargetControl, nullptr);
    }
}

TEST_F(KeyboardTest, OnlyEditsAndEditableComboBoxesAreTargets)
{
    QLabel label(QStringLiteral("Depth"));
    QComboBox fixedList;
    fixedList.addItems({"one", "two"});
    QComboBox editableList;
    editableList.setEditable(true);
    THalvekNumericKeypad keypad(owner_.get());
    keypad.show();
    keypad.TargetControl = &label;
    pressKeys(&keypad, {"7", "Back"});
    EXPECT_EQ(label.text(), "Depth");
    EXPECT_EQ(GetTargetText(&label), "");
    keypad.TargetControl = &fixedList;
    pressKeys(&keypad, {"7"});
    EXPECT_EQ(fixedList.currentText(), "one");
    keypad.TargetControl = &editableList;
    pressKeys(&keypad, {"7", "8", "Back"});
    EXPECT_EQ(editableList.currentText(), "7");
}

TEST_F(KeyboardTest, EveryKeyLiesWithinItsPanel)
{
    THalvekNumericKeypad keypad(owner_.get());
    THalvekSimpleKeyboard keyboard(owner_.get());
    for (QWidget* panel : std::initializer_list<QWidget*>{&keypad, &keyboard})
        for (QToolButton* key : panel->findChildren<QToolButton*>())
            EXPECT_TRUE(panel->rect().contains(key->geometry())) << key->text().toStdString();
}

}  // namespace
