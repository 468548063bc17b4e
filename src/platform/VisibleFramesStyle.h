#pragma once
// Fusion, with the frame of a line edit drawn where Fusion's own frame would vanish:
// Fusion draws it a shade darker than the window, which is nothing on a black window,
// and an empty edit whose field has the window's colour would then not show at all.

#include <QProxyStyle>

namespace skerra {

class VisibleFramesStyle : public QProxyStyle {
public:
    VisibleFramesStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Whether an edit's place shows on a palette as Fusion draws it: its frame or its
// field stands out from the window.
bool fusionEditShows(const QPalette& palette);

}  // namespace skerra
