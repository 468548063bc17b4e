#include "MemoLines.h"

#include <QPlainTextEdit>

namespace skerra::svp {

std::vector<std::string> memoLines(const QPlainTextEdit* memo)
{
    const QString text = memo->toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        lines.push_back(text.mid(start, end < 0 ? -1 : end - start).toStdString());
        if (end < 0) break;
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
    memo->setPlainText(QString::fromStdString(joined));
}

QPlainTextEdit* makeMemo(const char* name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QString::fromLatin1(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

}  // namespace skerra::svp
