#include "ToolIcons.h"

#include "platform/Contrast.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// What a drawing needs to stand out from its background (text needs more).
constexpr double kGraphicContrast = 3.0;

}  // namespace

QColor toolIconLineColour(const QColor& barColour)
{
    if (skerra::contrastRatio(ToolIconNavy, barColour) >= kGraphicContrast) return ToolIconNavy;
    return skerra::readableTextOn(barColour, ToolIconNavy);
}

QIcon toolIcon(const QString& name, const QColor& barColour)
{
    const QString path = QStringLiteral(":/navigation/icons/") + name + QStringLiteral(".svg");
    const QColor lines = toolIconLineColour(barColour);
    if (lines == ToolIconNavy) return QIcon(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QIcon(path);
    QByteArray svg = file.readAll();
    svg.replace(ToolIconNavy.name().toLatin1(), lines.name().toLatin1());
    QSvgRenderer renderer(svg);
    QIcon icon;
    for (const int side : {16, 18, 20, 24, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
