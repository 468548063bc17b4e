#include "ListText.h"

#include <QByteArray>

#include <string_view>

namespace skerra::svp {

std::vector<std::string> listLines(const QString& text)
{
    const QByteArray bytes = text.toUtf8();  // one conversion, then split the bytes
    std::vector<std::string> lines;
    if (bytes.isEmpty()) return lines;
    const std::string_view all(bytes.constData(), static_cast<size_t>(bytes.size()));
    lines.reserve(static_cast<size_t>(bytes.count('\n')) + 1);
    size_t start = 0;
    for (;;) {
        const size_t end = all.find('\n', start);
        lines.emplace_back(all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

QString listText(const std::vector<std::string>& lines)
{
    std::string joined;
    size_t size = 0;
    for (const std::string& l : lines) size += l.size() + 1;
    joined.reserve(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) joined += '\n';
        joined += lines[i];
    }
    return QString::fromStdString(joined);
}

}  // namespace skerra::svp
