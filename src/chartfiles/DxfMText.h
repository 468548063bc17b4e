#pragma once
// MTEXT formatting codes taken out of a text.

#include <string>
#include <string_view>

// Removes the backslash codes of MTEXT: \P (a new paragraph, which becomes a
// blank), \L \O \K (underline, overline, strike-through on) go without a trace;
// \A \C \F \H \Q \S \T \W \f \p go with their argument up to and including the
// ";" that ends it; "\\" is one backslash. With groupingBraces (an MTEXT) the
// braces that group formatting go, while "\{" and "\}" are literal braces;
// without (a TEXT, whose braces are letters) braces stay as they are. Everything
// else stays: the %% codes, \~, \U+ escapes, other letters and a backslash at
// the end.
std::string StripMTextCodes(std::string_view text, bool groupingBraces = true);
