#pragma once
// A panel of the main window's status bar. It asks for the width of its text, but a
// long text never widens the main window: short of room the panel narrows, its text
// is cut with an ellipsis and the whole text is the panel's tooltip. A panel that
// keeps its whole text (one of a bounded length) does not narrow; the others give way.

#include <QLabel>

class StatusPanelLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanelLabel(QWidget* parent);

    // Shows the text in a panel that asks for its width plus padding.
    void ShowText(const QString& text, int padding);
    // Shows the text in a panel that asks for the given width.
    void ShowText(const QString& text, int padding, int wantedWidth);

    // The panel takes the width it asks for, whatever the room.
    void KeepWholeText() { keepWhole_ = true; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Whether the panel is too narrow for its whole text.
    bool Elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateToolTip();

    int padding_ = 0;
    int wantedWidth_ = 0;
    bool keepWhole_ = false;
};
