#include "SvpGraphPainter.h"

#include "SvpGraphModel.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace skerra::svp {

void DrawGrid(QPainter& painter, const SvpGraphModel& m)
{
    const int w = m.PlotWidth, h = m.PlotHeight;
    const QPen gridPen(QColor(192, 192, 192), 1, Qt::DotLine);
    const QPen textPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    for (const GridLine& line : m.SVGridLines()) {
        painter.setPen(gridPen);
        painter.drawLine(line.pixel, m.MarginTop, line.pixel, h - m.MarginBottom);
        painter.setPen(textPen);
        painter.drawText(QPoint(line.pixel - 15, h - m.MarginBottom + 5 + ascent), QString::fromStdString(line.label));
    }
    for (const GridLine& line : m.DepthGridLines()) {
        painter.setPen(gridPen);
        painter.drawLine(m.MarginLeft, line.pixel, w - m.MarginRight, line.pixel);
        painter.setPen(textPen);
        painter.drawText(QPoint(5, line.pixel - 6 + ascent), QString::fromStdString(line.label));
    }
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(m.MarginLeft, m.MarginTop, m.MarginLeft, h - m.MarginBottom);
    painter.drawLine(m.MarginLeft, h - m.MarginBottom, w - m.MarginRight, h - m.MarginBottom);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(QPoint(w / 2 - 30, h - 18 + painter.fontMetrics().ascent()), QStringLiteral("SV (m/s)"));
    painter.restore();
}

void DrawProfile(QPainter& painter, const SvpGraphModel& m)
{
    if (m.Points.empty()) return;
    QPolygon line;
    line.reserve(static_cast<qsizetype>(m.Points.size()));
    for (const TSVPPoint& p : m.Points) line << QPoint(m.SVToX(p.SV), m.DepthToY(p.Depth));
    painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::SolidLine));
    painter.drawPolyline(line);
    for (size_t i = 0; i < m.Points.size(); ++i) {
        const TSVPPoint& p = m.Points[i];
        if (p.Selected) {
            painter.setBrush(QColor(255, 0, 0));
            painter.setPen(QColor(128, 0, 0));
        } else if (static_cast<int>(i) == m.DragIndex) {
            painter.setBrush(QColor(0, 255, 0));
            painter.setPen(QColor(0, 128, 0));
        } else {
            painter.setBrush(QColor(0, 0, 255));
            painter.setPen(QColor(0, 0, 128));
        }
        const QPoint at = line[static_cast<qsizetype>(i)];
        painter.drawEllipse(QRect(at.x() - 4, at.y() - 4, 8, 8));
    }
    painter.setBrush(Qt::NoBrush);
}

void DrawLasso(QPainter& painter, const SvpGraphModel& m)
{
    if (m.LassoPoints.size() < 2) return;
    QPolygon path(static_cast<qsizetype>(m.LassoPoints.size()));
    for (size_t i = 0; i < m.LassoPoints.size(); ++i) path[static_cast<qsizetype>(i)] = m.LassoPoints[i];
    if (m.IsLassoing) path << m.LassoPoints.front();
    painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(path);
}

void PaintGraph(QPainter& painter, const SvpGraphModel& m)
{
    painter.fillRect(QRect(0, 0, m.PlotWidth, m.PlotHeight), Qt::white);
    DrawGrid(painter, m);
    DrawProfile(painter, m);
    DrawLasso(painter, m);
}

}  // namespace skerra::svp
