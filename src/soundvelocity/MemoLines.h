#pragma once
// A multi-line text control seen as a list of lines (see ListText.h for how text
// splits into lines).

#include <string>
#include <vector>

class QPlainTextEdit;

namespace skerra::svp {

std::vector<std::string> memoLines(const QPlainTextEdit* memo);
void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines);
QPlainTextEdit* makeMemo(const char* name);

}  // namespace skerra::svp
