#pragma once
// Windows code page 1254 (Turkish), the 8-bit text of settings and chart files
// written on Turkish Windows systems. Qt has no such codec without ICU.
//
// Each byte is one character: ASCII below 0x80, the Windows table above. The seven
// bytes the code page leaves unassigned (0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E)
// read as the C1 control of the same value, as Windows reads them, so every byte
// string decodes and encodes back unchanged.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace skerra {

// The character a byte stands for.
char16_t windows1254ToUnicode(unsigned char byte);

// The whole text, byte by byte.
QString decodeWindows1254(QByteArrayView bytes);

// The program's 8-bit text: UTF-8 when the bytes are valid UTF-8, otherwise text
// written in the Turkish Windows code page (an older file).
QString decodeUtf8OrWindows1254(QByteArrayView bytes);

// The bytes of a text, or nothing when a character has no byte in the code page.
std::optional<QByteArray> encodeWindows1254(QStringView text);

}  // namespace skerra
