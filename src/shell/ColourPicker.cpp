#include "ColourPicker.h"

#include "platform/HandlerGuard.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include <array>

namespace skerra {

namespace {

struct NamedColour {
    const char* name;
    TColor colour;
};

constexpr std::array kStandard{
    NamedColour{"Black", colors::Black},   NamedColour{"Maroon", colors::Maroon}, NamedColour{"Green", colors::Green},
    NamedColour{"Olive", colors::Olive},   NamedColour{"Navy", colors::Navy},     NamedColour{"Purple", colors::Purple},
    NamedColour{"Teal", colors::Teal},     NamedColour{"Gray", colors::Gray},     NamedColour{"Silver", colors::Silver},
    NamedColour{"Red", colors::Red},       NamedColour{"Lime", colors::Lime},     NamedColour{"Yellow", colors::Yellow},
    NamedColour{"Blue", colors::Blue},     NamedColour{"Fuchsia", colors::Fuchsia}, NamedColour{"Aqua", colors::Aqua},
    NamedColour{"White", colors::White},
};

QIcon swatch(TColor c)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(toQColor(c));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

QString hexText(TColor c) { return QStringLiteral("#%1").arg(toQColor(c).rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper(); }

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QComboBox(parent)
{
    for (const auto& c : kStandard) addItem(swatch(c.colour), QString::fromLatin1(c.name), QVariant(c.colour));
    addItem(tr("Custom..."));
    connect(this, &QComboBox::activated, this, [this](int index) { guarded(this, [&] { chosen(index); }); });
    showColour();
}

void ColourPicker::setColour(TColor colour)
{
    colour_ = colour;
    showColour();
}

void ColourPicker::pick(TColor colour)
{
    setColour(colour);
    emit colourChanged(colour_);
}

void ColourPicker::chosen(int index)
{
    if (index == customIndex_) return;  // the shown custom colour again
    const QVariant data = itemData(index);
    if (data.isValid()) {
        pick(data.toInt());
        return;
    }
    const QColor c = QColorDialog::getColor(toQColor(colour_), this);
    if (c.isValid()) pick(fromQColor(c));
    else showColour();
}

void ColourPicker::showColour()
{
    const QSignalBlocker block(this);
    if (customIndex_ >= 0) {
        removeItem(customIndex_);
        customIndex_ = -1;
    }
    const int standard = findData(QVariant(colour_));
    if (standard >= 0) {
        setCurrentIndex(standard);
        return;
    }
    customIndex_ = count() - 1;  // just before "Custom..."
    insertItem(customIndex_, swatch(colour_), hexText(colour_));
    setCurrentIndex(customIndex_);
}

}  // namespace skerra
