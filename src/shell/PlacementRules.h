#pragma once
// Keeps a saved window position on the screen, as the placement restore does:
// each test applied to the value the previous one left.

#include <QPoint>
#include <QSize>

namespace skerra {

inline QPoint keepOnScreen(QPoint pos, QSize screen)
{
    int left = pos.x(), top = pos.y();
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (left >= screen.width()) left = 0;
    if (top >= screen.height()) top = 0;
    return {left, top};
}

}  // namespace skerra
