#include "StyleRegistry.h"

#include "Contrast.h"
#include "MessageBox.h"
#include "VisibleFramesStyle.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace skerra {
namespace {

struct StyleDef {
    const char* name;
    QRgb window, windowText, base, alternateBase, text, button, buttonText, highlight, highlightedText;
    bool darkChart = false;  // the chart keeps the window colour: no white chart at night
};

// Light is the everyday look; the dark ones keep night work easy on the eyes. Fusion
// paints a button lighter than the palette's Button colour (more so the darker it is),
// so the dark styles give their buttons a darker colour and a brighter text.
const StyleDef kStyles[] = {
    {"Light", 0xF0F0F0, 0x000000, 0xFFFFFF, 0xF5F5F5, 0x000000, 0xE8E8E8, 0x000000, 0x2A6AC0, 0xFFFFFF},
    {"Dark", 0x2D2D30, 0xE0E0E0, 0x1E1E1E, 0x262626, 0xE0E0E0, 0x3A3A3D, 0xE0E0E0, 0x2F65CA, 0xFFFFFF},
    {"Night Red", 0x140000, 0xE85050, 0x0A0000, 0x1A0000, 0xE85050, 0x1E0202, 0xF05A5A, 0x702020, 0xFFB0B0, true},
    {"Slate", 0x3C4650, 0xE6EBF0, 0x2C343C, 0x343D46, 0xE6EBF0, 0x404A55, 0xF2F5F8, 0x2F6A9C, 0xFFFFFF},
    {"Ocean Blue", 0xDCE8F4, 0x0A1E3C, 0xFFFFFF, 0xEAF2FA, 0x0A1E3C, 0xC4D8EE, 0x0A1E3C, 0x1E5AA0, 0xFFFFFF},
    {"High Contrast", 0x000000, 0xFFFFFF, 0x000000, 0x101010, 0xFFFFFF, 0x000000, 0xFFFF00, 0x00FFFF, 0x000000},
    {"Sand", 0xF2EAD8, 0x3A2E1A, 0xFFFCF4, 0xF7F0E2, 0x3A2E1A, 0xE4D8BE, 0x3A2E1A, 0xA06A28, 0xFFFFFF},
};

QString& activeName()
{
    static QString name = DefaultStyleName;
    return name;
}

// The platform's own look, taken before the first style replaces it.
struct PlatformLook {
    bool taken = false;
    QString styleName;
    QPalette palette;
};

PlatformLook& platformLook()
{
    static PlatformLook look;
    return look;
}

void takePlatformLook()
{
    PlatformLook& look = platformLook();
    if (look.taken || !qApp) return;
    look.styleName = QApplication::style()->name();
    look.palette = QApplication::palette();
    look.taken = true;
}

void restorePlatformLook()
{
    const PlatformLook& look = platformLook();
    if (look.taken && qApp) {
        if (QStyle* style = QStyleFactory::create(look.styleName)) QApplication::setStyle(style);
        QApplication::setPalette(look.palette);
    }
    activeName() = DefaultStyleName;
}

// Text halfway to its background: how a greyed control shows its caption.
QColor faded(QRgb text, QRgb background)
{
    return QColor((qRed(text) + qRed(background)) / 2, (qGreen(text) + qGreen(background)) / 2,
                  (qBlue(text) + qBlue(background)) / 2);
}

QPalette paletteFor(const StyleDef& s)
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(s.window));
    p.setColor(QPalette::WindowText, QColor(s.windowText));
    p.setColor(QPalette::Base, QColor(s.base));
    p.setColor(QPalette::AlternateBase, QColor(s.alternateBase));
    p.setColor(QPalette::Text, QColor(s.text));
    p.setColor(QPalette::Button, QColor(s.button));
    p.setColor(QPalette::ButtonText, QColor(s.buttonText));
    p.setColor(QPalette::Highlight, QColor(s.highlight));
    p.setColor(QPalette::HighlightedText, QColor(s.highlightedText));
    p.setColor(QPalette::ToolTipBase, QColor(s.base));
    p.setColor(QPalette::ToolTipText, QColor(s.text));
    p.setColor(QPalette::PlaceholderText, QColor(s.text).darker(150));
    // Every colour above went to all states; a disabled command must look disabled.
    p.setColor(QPalette::Disabled, QPalette::WindowText, faded(s.windowText, s.window));
    p.setColor(QPalette::Disabled, QPalette::Text, faded(s.text, s.base));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, faded(s.buttonText, s.button));
    p.setColor(QPalette::Disabled, QPalette::HighlightedText, faded(s.highlightedText, s.highlight));
    return p;
}

}  // namespace

QStringList styleNames()
{
    QStringList names;
    for (const auto& s : kStyles) names << QString::fromLatin1(s.name);
    return names;
}

bool trySetStyle(const QString& name, bool showErrorBox)
{
    for (const auto& s : kStyles) {
        if (QString::fromLatin1(s.name).compare(name, Qt::CaseInsensitive) != 0) continue;
        if (qApp) {
            takePlatformLook();
            QApplication::setStyle(new VisibleFramesStyle);
            QApplication::setPalette(paletteFor(s));
        }
        activeName() = QString::fromLatin1(s.name);
        return true;
    }
    if (showErrorBox) {
        MessageRequest r;
        r.kind = MessageKind::Error;
        r.text = QStringLiteral("Style '%1' not found").arg(name);
        r.buttons = MbClose;
        r.defaultButton = MbClose;
        showMessage(r);
    }
    return false;
}

QString activeStyleName() { return activeName(); }

bool applyStyle(const QString& name, bool showErrorBox)
{
    if (name == DefaultStyleName) {
        restorePlatformLook();
        return true;
    }
    return trySetStyle(name, showErrorBox);
}

std::optional<QColor> activeStyleChartColour()
{
    for (const auto& s : kStyles)
        if (s.darkChart && activeName() == QString::fromLatin1(s.name)) return QColor(s.window);
    return std::nullopt;
}

bool activeStyleIsDark()
{
    if (!qApp) return false;
    const QPalette palette = QApplication::palette();
    return relativeLuminance(palette.color(QPalette::Window)) < relativeLuminance(palette.color(QPalette::WindowText));
}

QColor activeRunningColour()
{
    if (activeStyleChartColour()) return QApplication::palette().color(QPalette::Highlight);
    return activeStyleIsDark() ? QColor(0x1E, 0x46, 0x20) : QColor(0x00, 0x80, 0x00);
}

QColor activePanelColour() { return qApp ? QApplication::palette().color(QPalette::Window) : QColor(Qt::white); }

}  // namespace skerra
