#pragma once
// One of the sound-velocity window's lists as text: an empty text has no lines,
// otherwise every line break separates two lines (so trailing empty lines are lines
// too). Lines are 8-bit (UTF-8).

#include <QString>

#include <string>
#include <vector>

namespace skerra::svp {

std::vector<std::string> listLines(const QString& text);
// The lines joined with line breaks between them.
QString listText(const std::vector<std::string>& lines);

}  // namespace skerra::svp
