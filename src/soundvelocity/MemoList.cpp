#include "MemoList.h"

#include "MemoLines.h"

#include <QPlainTextEdit>

#include <utility>

namespace skerra::svp {

MemoList::MemoList(QPlainTextEdit* memo) : memo_(memo), lines_(memoLines(memo))
{
    changed_ = QObject::connect(memo_, &QPlainTextEdit::textChanged, memo_, [this] {
        if (!refreshing_) editedByHand_ = true;
    });
}

MemoList::~MemoList() { QObject::disconnect(changed_); }

const std::vector<std::string>& MemoList::lines() const
{
    if (editedByHand_) {
        lines_ = memoLines(memo_);
        editedByHand_ = false;
    }
    return lines_;
}

void MemoList::setLines(std::vector<std::string> lines)
{
    lines_ = std::move(lines);
    editedByHand_ = false;
    refreshing_ = true;
    try {
        setMemoLines(memo_, lines_);
    } catch (...) {
        refreshing_ = false;
        editedByHand_ = true;  // the memo may show part of the lines: trust what it shows
        throw;
    }
    refreshing_ = false;
}

void MemoList::clear() { setLines({}); }

}  // namespace skerra::svp
