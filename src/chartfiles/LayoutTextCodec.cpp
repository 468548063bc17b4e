#include "chartfiles/LayoutTextCodec.h"

#include "platform/Windows1254.h"

#include <QByteArray>

namespace skerra::layout {

namespace {

QString withoutControls(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 && c != u'\t')
            c = u' ';
    return text;
}

}  // namespace

std::string encodeFieldText(const QString& text)
{
    const QByteArray bytes = withoutControls(text).toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString decodeFieldText(std::string_view bytes)
{
    return withoutControls(decodeUtf8OrWindows1254(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}

std::string encodeFontToken(const QString& fontName)
{
    const std::string plain = encodeFieldText(fontName);
    if (plain.empty())
        return "%";
    std::string token;
    token.reserve(plain.size());
    for (char c : plain) {
        switch (c) {
        case ' ': token += "%20"; break;
        case '\t': token += "%09"; break;
        case '%': token += "%25"; break;
        default: token += c;
        }
    }
    return token;
}

QString decodeFontToken(std::string_view token)
{
    if (token == "%")
        return QString();
    std::string plain;
    plain.reserve(token.size());
    for (std::size_t i = 0; i < token.size(); ++i) {
        const std::string_view rest = token.substr(i);
        if (rest.starts_with("%20")) {
            plain += ' ';
            i += 2;
        } else if (rest.starts_with("%09")) {
            plain += '\t';
            i += 2;
        } else if (rest.starts_with("%25")) {
            plain += '%';
            i += 2;
        } else {
            plain += token[i];
        }
    }
    return decodeFieldText(plain);
}

}  // namespace skerra::layout
