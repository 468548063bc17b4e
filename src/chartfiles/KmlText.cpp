#include "KmlText.h"

#include <QFile>

#include <cstring>

namespace skerra::chartfiles {
namespace {

bool startsWith(const std::string& s, const char* prefix)
{
    return s.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string fromUtf16(const std::string& bytes, bool bigEndian)
{
    QString text;
    text.reserve(qsizetype(bytes.size() / 2));
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        text.append(QChar(char16_t((hi << 8) | lo)));
    }
    return text.toStdString();
}

}  // namespace

std::string DecodeKmlText(std::string bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        return bytes;
    }
    if (startsWith(bytes, "\xFF\xFE")) return fromUtf16(bytes, false);
    if (startsWith(bytes, "\xFE\xFF")) return fromUtf16(bytes, true);
    return bytes;
}

bool ReadKmlTextFile(const QString& path, std::string& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    std::string bytes;
    const qint64 size = file.size();
    if (size > 0) {
        bytes.resize(size_t(size));
        const qint64 got = file.read(bytes.data(), size);
        if (got < 0) return false;
        bytes.resize(size_t(got));
    }
    // Whatever a growing file appended since its size was taken.
    const QByteArray rest = file.readAll();
    bytes.append(rest.constData(), size_t(rest.size()));
    text = DecodeKmlText(std::move(bytes));
    return true;
}

}  // namespace skerra::chartfiles
