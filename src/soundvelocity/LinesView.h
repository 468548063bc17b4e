#pragma once
// A list of lines shown as a read-only text control shows them, without a text
// document: only the lines in view are drawn, so showing a list of any length costs
// a look at its line lengths (for the horizontal scroll bar) and no more.
//
// A click into it, or reaching it with Tab, asks for the list to be edited
// (editRequested) with the line that was clicked.

#include <QAbstractScrollArea>

#include <string>
#include <vector>

namespace skerra::svp {

class LinesView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LinesView(QWidget* parent = nullptr);

    // Shows these lines from the top; the caller keeps them unchanged while shown.
    void setLines(const std::vector<std::string>* lines);
    // The first line in view.
    int firstLine() const;
    // The line at a point of the viewport (past the last one below the text).
    int lineAt(const QPoint& at) const;

    static constexpr int kMargin = 4;  // around the text, as a text control's document

signals:
    void editRequested(int line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateScrollBars();
    int lineHeight() const;
    int textTop() const;

    const std::vector<std::string>* lines_ = nullptr;
    std::size_t longest_ = 0;  // bytes in the longest line
};

}  // namespace skerra::svp
