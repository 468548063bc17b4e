#include "platform/Windows1254.h"

#include <gtest/gtest.h>

using skerra::decodeWindows1254;
using skerra::encodeWindows1254;

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(Windows1254Test, TurkishTextBothWays)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"\xF0\xFD\xFE\xDD\xD0\xDE\xFC\xDC\xF6\xD6\xE7\xC7", u("ğışİĞŞüÜöÖçÇ")},
        {"\xDDstanbul, \xC7" "anakkale", u("İstanbul, Çanakkale")},
        {"80 \x80 \x93\x94 \x96 \xB0", u("80 € “” – °")},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().constData());
        EXPECT_EQ(decodeWindows1254(c.bytes), c.text);
        EXPECT_EQ(encodeWindows1254(c.text), c.bytes);
    }
}

TEST(Windows1254Test, EveryByteReadsAndWritesBackUnchanged)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += char(b);
    const QString text = decodeWindows1254(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeWindows1254(text), all);
    EXPECT_EQ(text[0x81], QChar(0x81));  // unassigned: the C1 control of the same value
}

TEST(Windows1254Test, CharactersOutsideTheCodePageCannotBeWritten)
{
    for (const QString& text : {u("ā"), u("Ω"), u("şehir ✓"), u("😀"), u("\u00D0")}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(encodeWindows1254(text));
    }
}

}  // namespace
