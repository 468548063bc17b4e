#pragma once
// One of the sound-velocity window's lists: its lines kept as data, shown through a
// view that draws only the lines in view, and edited by hand in a text control.
//
// The steps read and write the lines; writing shows them in the view at once, however
// long the list (a cast's samples run to tens of thousands of lines). A click into
// the list (or Tab) puts the lines into the text control, which takes the view's
// place, with the line clicked current; from then on an edit by hand marks the lines
// out of date, and they are read back from the text control the next time they are
// used. The next write shows the view again.

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;
class QStackedLayout;

namespace skerra::svp {

class LinesView;

class ListMemo : public QWidget {
    Q_OBJECT
public:
    // `name`: the objectName, the list's control name.
    explicit ListMemo(const char* name, QWidget* parent = nullptr);

    // The lines as shown (see ListText.h for how text splits into lines).
    const std::vector<std::string>& lines() const;
    // Replaces the lines and shows them from the top.
    void setLines(std::vector<std::string> lines);
    void clear();
    // The lines as one text, as a text control takes and gives it.
    void setPlainText(const QString& text);
    QString toPlainText() const;

    // The text control, holding the lines and shown in the view's place (what a click
    // into the list does).
    QPlainTextEdit* editor();
    bool editing() const;
    LinesView* view() const { return view_; }

private:
    void openEditor(int line);
    void fillEditor(const std::vector<std::string>& lines);

    LinesView* view_;
    QPlainTextEdit* editor_;
    QStackedLayout* stack_;
    mutable std::vector<std::string> lines_;
    mutable bool editedByHand_ = false;
    bool editorFilled_ = false;  // the text control holds text
    bool filling_ = false;
};

}  // namespace skerra::svp
