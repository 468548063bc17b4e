#include "ControlCaptions.h"

#include "THalvekTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVariant>

namespace {

// Labels show "&" as it is; the other controls take "&&" for one "&". Keys are written
// the other controls' way, so "Save && Exit" is a key for a label too.
enum class Ampersands { Doubled, Plain };

QString keyFromShown(const QString& shown, Ampersands kind)
{
    if (kind == Ampersands::Doubled || shown.contains(QLatin1String("&&"))) return shown;
    QString key = shown;
    return key.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString shownFromText(const QString& text, Ampersands kind)
{
    if (kind == Ampersands::Doubled) return text;
    QString shown = text;
    return shown.replace(QLatin1String("&&"), QLatin1String("&"));
}

bool hasLetter(const QString& text)
{
    for (const QChar c : text)
        if (c.isLetter()) return true;
    return false;
}

QByteArray memoryName(const char* slot, const char* what) { return QByteArray("skerraCaption") + slot + what; }

// The key of a caption that code has set: an English key when it is one, else the key
// whose translation it is.
std::string keyOfCaption(const QString& shown, Ampersands kind)
{
    const std::string text = keyFromShown(shown, kind).toStdString();
    return Translation->Texts.count(text) ? text : Translation->KeyOf(text);
}

// The caption to show for a caption shown now. `slot` tells the captions of one
// holder apart (a tab widget holds one per page, on the page).
QString translatedCaption(QObject* holder, const char* slot, const QString& shown, Ampersands kind)
{
    if (!Translation || !hasLetter(shown)) return shown;
    const QVariant rememberedKey = holder->property(memoryName(slot, "Key"));
    const QVariant rememberedShown = holder->property(memoryName(slot, "Shown"));
    std::string key;
    if (rememberedKey.isValid() && rememberedShown.toString() == shown)
        key = rememberedKey.toString().toStdString();
    else
        key = keyOfCaption(shown, kind);
    const QString result = shownFromText(QString::fromStdString(Translation->TextOf(key)), kind);
    holder->setProperty(memoryName(slot, "Key"), QString::fromStdString(key));
    holder->setProperty(memoryName(slot, "Shown"), result);
    return result;
}

QString translatedFromKey(QObject* holder, const char* slot, const QString& key, Ampersands kind)
{
    if (!Translation) return shownFromText(key, kind);
    const QString result = shownFromText(QString::fromStdString(Translation->TextOf(key.toStdString())), kind);
    holder->setProperty(memoryName(slot, "Key"), key);
    holder->setProperty(memoryName(slot, "Shown"), result);
    return result;
}

bool isMenuItem(const QAction* action)
{
    if (action->menu()) return true;
    for (QObject* user : action->associatedObjects())
        if (qobject_cast<QMenu*>(user)) return true;
    return false;
}

void translateAction(QAction* action)
{
    if (action->isSeparator()) return;
    action->setText(translatedCaption(action, "", action->text(), Ampersands::Doubled));
}

void translateTabs(QTabWidget* tabs)
{
    for (int i = 0; i < tabs->count(); ++i) {
        QObject* holder = tabs->widget(i) ? static_cast<QObject*>(tabs->widget(i)) : tabs;
        tabs->setTabText(i, translatedCaption(holder, "Tab", tabs->tabText(i), Ampersands::Doubled));
    }
}

// The caption rules for one object.
void translateOwnCaption(QObject* component)
{
    if (auto* label = qobject_cast<QLabel*>(component)) {
        // Status-bar panels show positions, folders and the language code.
        if (!qobject_cast<QStatusBar*>(label->parent()))
            label->setText(translatedCaption(label, "", label->text(), Ampersands::Plain));
    } else if (auto* button = qobject_cast<QAbstractButton*>(component)) {
        // A tool-bar command's button follows its command.
        auto* tool = qobject_cast<QToolButton*>(button);
        if (!tool || !tool->defaultAction())
            button->setText(translatedCaption(button, "", button->text(), Ampersands::Doubled));
    } else if (auto* group = qobject_cast<QGroupBox*>(component)) {
        group->setTitle(translatedCaption(group, "", group->title(), Ampersands::Doubled));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(component)) {
        translateTabs(tabs);
    } else if (auto* menu = qobject_cast<QMenu*>(component)) {
        translateAction(menu->menuAction());
    } else if (auto* action = qobject_cast<QAction*>(component)) {
        if (isMenuItem(action)) translateAction(action);
    }
}

}  // namespace

void TranslateComponent(QObject* component)
{
    if (!Translation || !component) return;
    translateOwnCaption(component);
    auto* widget = qobject_cast<QWidget*>(component);
    if (!widget) return;
    for (QObject* child : widget->children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        // Other windows are walked on their own; a menu is part of its window.
        if (childWidget && childWidget->isWindow() && !qobject_cast<QMenu*>(childWidget)) continue;
        TranslateComponent(child);
    }
}

void TranslateFormControls(QWidget* window)
{
    if (!Translation || !window) return;
    for (QObject* child : window->children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (childWidget && childWidget->isWindow() && !qobject_cast<QMenu*>(childWidget)) continue;
        TranslateComponent(child);
    }
}

void TranslateForm(QWidget* window)
{
    if (!Translation || !window) return;
    window->setWindowTitle(translatedCaption(window, "Title", window->windowTitle(), Ampersands::Plain));
    TranslateFormControls(window);
}

void TranslateMenuItem(QAction* item)
{
    if (!Translation || !item) return;
    translateAction(item);
    if (QMenu* menu = item->menu())
        for (QAction* sub : menu->actions()) TranslateMenuItem(sub);
}

void SetCaptionFromKey(QObject* control, const QString& key)
{
    if (!control) return;
    if (auto* window = qobject_cast<QWidget*>(control); window && window->isWindow()) {
        window->setWindowTitle(translatedFromKey(window, "Title", key, Ampersands::Plain));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(translatedFromKey(label, "", key, Ampersands::Plain));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(translatedFromKey(button, "", key, Ampersands::Doubled));
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        const QString text = translatedFromKey(action, "", key, Ampersands::Doubled);
        action->setText(text);
        action->setToolTip(shownFromText(text, Ampersands::Plain));
    }
}
