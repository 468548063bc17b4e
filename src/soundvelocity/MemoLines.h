#pragma once
// A multi-line text control seen as a list of 8-bit (UTF-8) lines: an empty text has
// no lines, otherwise every line break separates two lines (so trailing empty lines
// are lines too).

#include <string>
#include <vector>

class QPlainTextEdit;

namespace skerra::svp {

std::vector<std::string> memoLines(const QPlainTextEdit* memo);
void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);
QPlainTextEdit* makeMemo(const char* name);

}  // namespace skerra::svp
