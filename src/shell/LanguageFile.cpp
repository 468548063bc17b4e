#include "LanguageFile.h"

#include <cstdint>
#include <optional>

namespace skerra {

namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr int MaxNesting = 64;

// A strict reader of one JSON object; it stops at the first fault and says where.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    LanguageFileContent ReadObject()
    {
        LanguageFileContent content;
        if (!ReadMembers(content.texts) || !AtEndAfterBlanks()) {
            content.texts.clear();
            content.problem = "not a valid language file at byte " + std::to_string(failedAt_ + 1) + ": " + problem_;
            return content;
        }
        content.ok = true;
        return content;
    }

private:
    bool Fail(const std::string& problem)
    {
        if (problem_.empty()) {
            problem_ = problem;
            failedAt_ = pos_;
        }
        return false;
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' ||
                                       text_[pos_] == '\r'))
            ++pos_;
    }

    bool AtEndAfterBlanks()
    {
        SkipBlanks();
        return pos_ == text_.size() || Fail("text after the end of the object");
    }

    bool Expect(char c)
    {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return Fail(std::string("expected '") + c + "'");
    }

    bool Peek(char c)
    {
        SkipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    bool ReadMembers(TranslationTable& texts)
    {
        SkipBlanks();
        if (!Peek('{')) return Fail("the file must hold one JSON object");
        ++pos_;
        if (Peek('}')) {
            ++pos_;
            return true;
        }
        for (;;) {
            std::string key;
            if (!Peek('"')) return Fail("expected a key in double quotes");
            if (!ReadString(key) || !Expect(':')) return false;
            SkipBlanks();
            if (Peek('"')) {
                std::string value;
                if (!ReadString(value)) return false;
                texts[key] = value;
            } else if (!SkipValue(1)) {
                return false;
            }
            if (Peek(',')) {
                ++pos_;
                continue;
            }
            return Expect('}');
        }
    }

    // Any JSON value that is not a member's text: checked, then ignored.
    bool SkipValue(int depth)
    {
        if (depth > MaxNesting) return Fail("values nested too deeply");
        SkipBlanks();
        if (pos_ >= text_.size()) return Fail("unexpected end of the file");
        const char c = text_[pos_];
        if (c == '"') {
            std::string ignored;
            return ReadString(ignored);
        }
        if (c == '{' || c == '[') return SkipContainer(depth, c == '{' ? '}' : ']', c == '{');
        if (c == '-' || (c >= '0' && c <= '9')) return SkipNumber();
        for (std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(pos_, word.size()) == word) {
                pos_ += word.size();
                return true;
            }
        }
        return Fail("expected a value");
    }

    bool SkipContainer(int depth, char close, bool members)
    {
        ++pos_;
        if (Peek(close)) {
            ++pos_;
            return true;
        }
        for (;;) {
            if (members) {
                std::string ignored;
                if (!Peek('"')) return Fail("expected a key in double quotes");
                if (!ReadString(ignored) || !Expect(':')) return false;
            }
            if (!SkipValue(depth + 1)) return false;
            if (Peek(',')) {
                ++pos_;
                continue;
            }
            return Expect(close);
        }
    }

    bool Digits()
    {
        const size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        return pos_ > start || Fail("expected a digit");
    }

    bool SkipNumber()
    {
        if (text_[pos_] == '-') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '0')
            ++pos_;
        else if (!Digits())
            return false;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!Digits()) return false;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            if (!Digits()) return false;
        }
        return true;
    }

    static void AppendUtf8(std::string& out, uint32_t cp)
    {
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }

    std::optional<uint32_t> Hex4()
    {
        if (text_.size() - pos_ < 4) return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_ + size_t(i)];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= uint32_t(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= uint32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= uint32_t(c - 'A' + 10);
            else
                return std::nullopt;
        }
        pos_ += 4;
        return value;
    }

    bool ReadEscape(std::string& out)
    {
        if (pos_ >= text_.size()) return Fail("unexpected end of the file");
        const char c = text_[pos_++];
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': break;
        default: --pos_; return Fail("unknown escape in a string");
        }
        std::optional<uint32_t> unit = Hex4();
        if (!unit) return Fail("expected four hexadecimal digits after \\u");
        uint32_t cp = *unit;
        if (cp >= 0xDC00 && cp <= 0xDFFF) return Fail("a low surrogate without its high one");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (text_.substr(pos_, 2) != "\\u") return Fail("a high surrogate without its low one");
            pos_ += 2;
            std::optional<uint32_t> low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return Fail("a high surrogate without its low one");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (*low - 0xDC00);
        }
        AppendUtf8(out, cp);
        return true;
    }

    // One UTF-8 character beyond ASCII, copied when it is well formed.
    bool CopyUtf8(std::string& out)
    {
        const auto byte = [&](size_t i) { return uint8_t(text_[i]); };
        const uint8_t lead = byte(pos_);
        size_t length = 0;
        uint32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return Fail("not UTF-8 text");
        }
        if (text_.size() - pos_ < length) return Fail("not UTF-8 text");
        for (size_t i = 1; i < length; ++i) {
            if ((byte(pos_ + i) & 0xC0) != 0x80) return Fail("not UTF-8 text");
            cp = (cp << 6) | (byte(pos_ + i) & 0x3F);
        }
        const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return Fail("not UTF-8 text");
        out.append(text_.substr(pos_, length));
        pos_ += length;
        return true;
    }

    bool ReadString(std::string& out)
    {
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= text_.size()) return Fail("a string without its closing quote");
            const uint8_t c = uint8_t(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c == '\\') {
                ++pos_;
                if (!ReadEscape(out)) return false;
            } else if (c < 0x20) {
                return Fail("a control character inside a string");
            } else if (c < 0x80) {
                out += char(c);
                ++pos_;
            } else if (!CopyUtf8(out)) {
                return false;
            }
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
    std::string problem_;
    size_t failedAt_ = 0;
};

void AppendJsonString(std::string& out, const std::string& text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const uint8_t c = uint8_t(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

}  // namespace

LanguageFileContent parseLanguageFile(std::string_view bytes)
{
    if (bytes.substr(0, Bom.size()) == Bom) bytes.remove_prefix(Bom.size());
    return Reader(bytes).ReadObject();
}

std::string formatLanguageFile(const TranslationTable& texts)
{
    std::string out(Bom);
    out += "{\r\n";
    size_t left = texts.size();
    for (const auto& [key, text] : texts) {
        out += "  ";
        AppendJsonString(out, key);
        out += ": ";
        AppendJsonString(out, text);
        if (--left > 0) out += ',';
        out += "\r\n";
    }
    out += "}\r\n";
    return out;
}

bool isSafeLanguageCode(std::string_view code)
{
    if (code.empty() || code.size() > 32) return false;
    for (const char c : code) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-';
        if (!ok) return false;
    }
    return true;
}

}  // namespace skerra
