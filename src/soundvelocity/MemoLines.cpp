#include "MemoLines.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <string_view>

namespace skerra::svp {

std::vector<std::string> memoLines(const QPlainTextEdit* memo)
{
    const QByteArray text = memo->toPlainText().toUtf8();  // one conversion, then split the bytes
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    const std::string_view all(text.constData(), static_cast<size_t>(text.size()));
    lines.reserve(static_cast<size_t>(text.count('\n')) + 1);
    size_t start = 0;
    for (;;) {
        const size_t end = all.find('\n', start);
        lines.emplace_back(all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines)
{
    std::string joined;
    size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 1;
    joined.reserve(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) joined += '\n';
        joined += lines[i];
    }
    // Straight into the document: one edit (one textChanged), without the control's
    // extra pass that sets the character format of the whole text again.
    memo->document()->setPlainText(QString::fromStdString(joined));
    memo->moveCursor(QTextCursor::Start);  // shown from the top, as after setPlainText
}

QPlainTextEdit* makeMemo(const char* name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QString::fromLatin1(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

}  // namespace skerra::svp
