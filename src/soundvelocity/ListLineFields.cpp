#include "ListLineFields.h"

#include "platform/NumberText.h"


namespace skerra::svp {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The rest of a line as scanf's input: each reader consumes what it reads.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

    bool Integer(int& out)
    {
        skipSpace();
        const size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
        const size_t digits = pos_;
        while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
        if (pos_ == digits) return false;
        const auto value = skerra::tryParseInt(text_.substr(start, pos_ - start));
        if (!value) return false;
        out = *value;
        return true;
    }

    // Greedy like scanf: an exponent letter is taken, and without digits after it
    // the number does not match.
    bool Real(double& out)
    {
        skipSpace();
        const size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
        size_t mantissaDigits = 0;
        while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_, ++mantissaDigits;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_, ++mantissaDigits;
        }
        if (mantissaDigits == 0) return false;
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            const size_t expDigits = pos_;
            while (pos_ < text_.size() && isDigit(text_[pos_])) ++pos_;
            if (pos_ == expDigits) return false;
        }
        const auto value = skerra::tryParseDouble(text_.substr(start, pos_ - start));
        if (!value) return false;
        out = *value;
        return true;
    }

    bool Literal(char c)
    {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }

private:
    void skipSpace()
    {
        while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

namespace {

LineFields readFields(std::string_view line, bool withHits)
{
    LineFields f;
    Cursor in(line);
    if (!in.Integer(f.depth)) return f;
    f.count = 1;
    if (!in.Literal(',') || !in.Real(f.sv)) return f;
    f.count = 2;
    if (withHits && in.Literal(',') && in.Integer(f.hits)) f.count = 3;
    return f;
}

}  // namespace

LineFields ReadDepthSV(std::string_view line) { return readFields(line, false); }

LineFields ReadSlot(std::string_view line) { return readFields(line, true); }

LineFields ReadSlotSV(std::string_view line)
{
    LineFields f = readFields(line, false);
    f.count = f.count == 2 ? 1 : 0;
    return f;
}

}  // namespace skerra::svp
