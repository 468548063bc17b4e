#include "VisibleFramesStyle.h"

#include "Contrast.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace skerra {
namespace {

// What tells two neighbouring areas apart at a glance.
constexpr double kVisibleEdge = 1.5;

// Fusion's frame colour: the window a shade darker.
QColor fusionOutline(const QPalette& palette) { return palette.color(QPalette::Window).darker(140); }

// Halfway between the window and its text: plain on every palette, never glaring.
QColor frameColour(const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText), window = palette.color(QPalette::Window);
    return QColor((text.red() + window.red()) / 2, (text.green() + window.green()) / 2,
                  (text.blue() + window.blue()) / 2);
}

}  // namespace

bool fusionEditShows(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window), base = palette.color(QPalette::Base);
    return contrastRatio(fusionOutline(palette), window) >= kVisibleEdge ||
           contrastRatio(fusionOutline(palette), base) >= kVisibleEdge || contrastRatio(base, window) >= kVisibleEdge;
}

VisibleFramesStyle::VisibleFramesStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void VisibleFramesStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_FrameLineEdit || fusionEditShows(option->palette)) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(0.5, 0.5);
    painter->setPen(frameColour(option->palette));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect.adjusted(0, 0, -1, -1)), 2, 2);
    painter->restore();
}

}  // namespace skerra
