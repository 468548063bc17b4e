#include "chartfiles/DxfMText.h"

namespace {

bool codeWithArgument(char c)
{
    switch (c) {
    case 'A': case 'C': case 'F': case 'H': case 'Q': case 'S': case 'T': case 'W': case 'f': case 'p':
        return true;
    default:
        return false;
    }
}

bool switchCode(char c) { return c == 'L' || c == 'O' || c == 'K'; }

}  // namespace

std::string StripMTextCodes(std::string_view text, bool groupingBraces)
{
    std::string out;
    out.reserve(text.size());
    bool skipping = false;  // inside a code's argument
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            const char n = text[i + 1];
            if (codeWithArgument(n)) {
                skipping = true;
                ++i;
                continue;
            }
            if (n == 'P' || switchCode(n)) {
                if (n == 'P' && !skipping)
                    out += ' ';
                ++i;
                continue;
            }
            if (n == '\\' || (groupingBraces && (n == '{' || n == '}'))) {
                out += n;
                ++i;
                continue;
            }
        }
        if (skipping) {
            if (c == ';')
                skipping = false;
            continue;
        }
        if (groupingBraces && (c == '{' || c == '}'))
            continue;
        out += c;
    }
    return out;
}
