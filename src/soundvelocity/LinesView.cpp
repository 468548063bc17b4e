#include "LinesView.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace skerra::svp {

LinesView::LinesView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    horizontalScrollBar()->setSingleStep(20);
}

void LinesView::setLines(const std::vector<std::string>* lines)
{
    lines_ = lines;
    longest_ = 0;
    if (lines_)
        for (const std::string& l : *lines_) longest_ = std::max(longest_, l.size());
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

int LinesView::lineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int LinesView::firstLine() const { return verticalScrollBar()->value(); }

// The margin lies above the first line: scrolled down, the lines start at the top.
int LinesView::textTop() const { return firstLine() == 0 ? kMargin : 0; }

int LinesView::lineAt(const QPoint& at) const
{
    return firstLine() + std::max(0, at.y() - textTop()) / lineHeight();
}

// Vertical steps are lines, as in a text control; the widest line is reckoned from
// its length in digits' widths, the lists being mostly numbers.
void LinesView::updateScrollBars()
{
    const int count = lines_ ? static_cast<int>(std::min<std::size_t>(lines_->size(), 1u << 30)) : 0;
    const int inView = std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
    verticalScrollBar()->setRange(0, std::max(0, count - inView));
    verticalScrollBar()->setPageStep(inView);
    const QFontMetrics fm = fontMetrics();
    const double charWidth = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('0')));
    const double width = static_cast<double>(longest_) * charWidth + 2 * kMargin;
    const int hidden = static_cast<int>(std::min(width - viewport()->width(), double(1 << 30)));
    horizontalScrollBar()->setRange(0, std::max(0, hidden));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void LinesView::paintEvent(QPaintEvent*)
{
    if (!lines_ || lines_->empty()) return;
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::Text));
    const QFontMetrics fm = fontMetrics();
    const int height = lineHeight(), bottom = viewport()->height();
    const int x = kMargin - horizontalScrollBar()->value();
    int top = textTop();
    for (std::size_t i = static_cast<std::size_t>(firstLine()); i < lines_->size() && top < bottom;
         ++i, top += height)
        p.drawText(x, top + fm.ascent(), QString::fromStdString((*lines_)[i]));
}

void LinesView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LinesView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateScrollBars();
}

void LinesView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit editRequested(lineAt(event->position().toPoint()));
}

void LinesView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    // A click is answered by the press, at the line clicked.
    if (event->reason() != Qt::MouseFocusReason) emit editRequested(firstLine());
}

}  // namespace skerra::svp
