#pragma once
// One of the sound-velocity window's lists: its lines kept as data and shown in a memo.
//
// The steps read and write the lines; writing refreshes the memo from them, so a step
// never reads its own output back from the text control. The memo stays editable: an
// edit by hand (any change of its text not made through this class) marks the lines
// out of date, and they are read back from the memo the next time they are used.

#include <QMetaObject>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace skerra::svp {

class MemoList {
public:
    explicit MemoList(QPlainTextEdit* memo);
    ~MemoList();
    MemoList(const MemoList&) = delete;
    MemoList& operator=(const MemoList&) = delete;

    QPlainTextEdit* memo() const { return memo_; }

    // The lines as the memo shows them (see MemoLines.h for how text splits into lines).
    const std::vector<std::string>& lines() const;
    // Replaces the lines and shows them in the memo.
    void setLines(std::vector<std::string> lines);
    void clear();

private:
    QPlainTextEdit* memo_;
    mutable std::vector<std::string> lines_;
    mutable bool editedByHand_ = false;
    bool refreshing_ = false;
    QMetaObject::Connection changed_;
};

}  // namespace skerra::svp
