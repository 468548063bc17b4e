#include "canvas/THFont.h"

#include "platform/NumberText.h"

namespace {

// A decimal integer with leading blanks allowed and nothing after it.
int sizeOrDefault(const QString& text, int fallback)
{
    QString t = text;
    while (!t.isEmpty() && t.front().isSpace())
        t.remove(0, 1);
    if (t.isEmpty() || t.back().isSpace())
        return fallback;
    return skerra::tryParseInt(t.toStdString()).value_or(fallback);
}

}  // namespace

THFont parseFontText(const QString& description)
{
    THFont font;
    const qsizetype comma = description.indexOf(u',');
    if (comma < 0) {
        font.name = description;
    } else {
        font.name = description.left(comma);
        const QString rest = description.mid(comma + 1);
        const qsizetype second = rest.indexOf(u',');
        const QString sizeText = second < 0 ? rest : rest.left(second);
        font.size = sizeOrDefault(sizeText, 10);
        if (second >= 0) {
            const QString styles = rest.mid(second + 1).toUpper();
            font.bold = styles.contains(u'B');
            font.italic = styles.contains(u'I');
        }
    }
    if (font.name.toUpper() == QStringLiteral("TXT"))
        font.name = QStringLiteral("Arial");
    return font;
}
