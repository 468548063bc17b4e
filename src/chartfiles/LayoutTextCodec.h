#pragma once
// How layer names, font names and the texts of text shapes travel in a layout
// file. The file's text is UTF-8; an older file written in the Turkish Windows
// code page is read through the program's one decoder of 8-bit text.
//
// - A line break inside a name or text would end the line early, so every
//   control character but the tab is written as a blank.
// - A font name is one token of its line: blank, tab and "%" are written as
//   %20, %09 and %25, and an empty name as a lone "%".

#include <QString>

#include <string>
#include <string_view>

namespace skerra::layout {

// A name or text as it is written: control characters (tab aside) become blanks.
std::string encodeFieldText(const QString& text);
// A name or text read from the file, its control characters (tab aside) as blanks.
QString decodeFieldText(std::string_view bytes);

// The font-name token of a TEXT line.
std::string encodeFontToken(const QString& fontName);
QString decodeFontToken(std::string_view token);

}  // namespace skerra::layout
