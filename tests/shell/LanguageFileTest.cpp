// The language file format: reading, writing, malformed input and language codes.

#include "shell/LanguageFile.h"

#include <gtest/gtest.h>

using skerra::formatLanguageFile;
using skerra::isSafeLanguageCode;
using skerra::parseLanguageFile;
using skerra::TranslationTable;

TEST(LanguageFile, WritesBomSortedPairsIndentedWithCrLf)
{
    const TranslationTable table{{"Save && Exit", "Kaydet && Çık"}, {"Cancel", "İptal"}, {"Zoom In", "Yakınlaş"}};
    EXPECT_EQ(formatLanguageFile(table),
              "\xEF\xBB\xBF{\r\n"
              "  \"Cancel\": \"İptal\",\r\n"
              "  \"Save && Exit\": \"Kaydet && Çık\",\r\n"
              "  \"Zoom In\": \"Yakınlaş\"\r\n"
              "}\r\n");
    EXPECT_EQ(formatLanguageFile({}), "\xEF\xBB\xBF{\r\n}\r\n");
}

TEST(LanguageFile, EscapesQuotesBackslashesAndControlCharacters)
{
    const TranslationTable table{{"a\"b\\c", "line\nbreak\ttab\x01"}};
    const std::string bytes = formatLanguageFile(table);
    EXPECT_NE(bytes.find(R"("a\"b\\c": "line\nbreak\ttab\u0001")"), std::string::npos) << bytes;
    EXPECT_EQ(parseLanguageFile(bytes).texts, table);
}

TEST(LanguageFile, RoundTripIsExact)
{
    const TranslationTable table{{"", "empty key"},          {"Depth", ""},
                                 {"Ölçüm", "ğüşıöçĞÜŞİÖÇ"},   {"emoji \xF0\x9F\x8C\x8A", "dalga \xF0\x9F\x8C\x8A"},
                                 {"Realtime", "Gerçek Zamanlı"}, {"slash/and\\back", "\"quoted\""}};
    const std::string first = formatLanguageFile(table);
    const skerra::LanguageFileContent read = parseLanguageFile(first);
    ASSERT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.texts, table);
    EXPECT_EQ(formatLanguageFile(read.texts), first);
}

TEST(LanguageFile, ReadsWhatOtherToolsWrite)
{
    const struct {
        const char* name;
        std::string bytes;
        TranslationTable expected;
    } cases[] = {
        {"no BOM, LF, compact", "{\"Open\":\"Aç\",\"Save\":\"Kaydet\"}", {{"Open", "Aç"}, {"Save", "Kaydet"}}},
        {"escaped non-ASCII", R"({"Exit": "\u00c7\u0131k\u0131\u015f"})", {{"Exit", "Çıkış"}}},
        {"surrogate pair", R"({"wave": "\ud83c\udf0a"})", {{"wave", "\xF0\x9F\x8C\x8A"}}},
        {"later duplicate wins", R"({"Open": "A", "Open": "Aç"})", {{"Open", "Aç"}}},
        {"non-string values left out", R"({"n": 1.5e3, "t": true, "f": false, "z": null, "o": {"x": [1, {}]}, "k": "v"})",
         {{"k", "v"}}},
        {"escaped slash", R"({"a\/b": "c"})", {{"a/b", "c"}}},
        {"empty object", " \r\n{ }\r\n", {}},
    };
    for (const auto& c : cases) {
        const skerra::LanguageFileContent read = parseLanguageFile(c.bytes);
        EXPECT_TRUE(read.ok) << c.name << ": " << read.problem;
        EXPECT_EQ(read.texts, c.expected) << c.name;
    }
}

TEST(LanguageFile, MalformedFileGivesEmptyTableAndSaysWhere)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* problemPart;
    } cases[] = {
        {"array", R"(["Open", "Aç"])", "one JSON object"},
        {"empty file", "", "one JSON object"},
        {"missing colon", R"({"Open" "Aç"})", "byte 9: expected ':'"},
        {"trailing comma", R"({"Open": "Aç",})", "expected a key"},
        {"unterminated string", R"({"Open": "A)", "closing quote"},
        {"unterminated object", R"({"Open": "Aç")", "expected '}'"},
        {"text after the object", R"({"Open": "Aç"} x)", "after the end"},
        {"bad escape", R"({"Open": "\q"})", "unknown escape"},
        {"short \\u", R"({"Open": "\u00"})", "hexadecimal"},
        {"lone high surrogate", R"({"a": "\ud83c"})", "surrogate"},
        {"lone low surrogate", R"({"a": "\udf0a"})", "surrogate"},
        {"raw line break in a string", "{\"a\": \"b\nc\"}", "control character"},
        {"Latin-5 byte, not UTF-8", "{\"a\": \"\xDE\"}", "not UTF-8"},
        {"overlong UTF-8", "{\"a\": \"\xC0\xAF\"}", "not UTF-8"},
        {"bad number", R"({"a": -})", "digit"},
        {"bare word", R"({"a": yes})", "expected a value"},
        {"deep nesting", "{\"a\": " + std::string(200, '[') + std::string(200, ']') + "}", "nested"},
        {"good pairs before a fault are dropped too", R"({"Open": "Aç", "Save" 1})", "expected ':'"},
    };
    for (const auto& c : cases) {
        const skerra::LanguageFileContent read = parseLanguageFile(c.bytes);
        EXPECT_FALSE(read.ok) << c.name;
        EXPECT_TRUE(read.texts.empty()) << c.name;
        EXPECT_NE(read.problem.find(c.problemPart), std::string::npos) << c.name << ": " << read.problem;
    }
}

TEST(LanguageFile, OnlyPlainCodesMayNameAFile)
{
    const struct {
        std::string code;
        bool safe;
    } cases[] = {
        {"tr", true}, {"en", true}, {"pt-BR", true}, {"zh_Hans", true}, {std::string(32, 'a'), true},
        {"", false}, {std::string(33, 'a'), false}, {"../tr", false}, {"..", false}, {"a/b", false},
        {"a\\b", false}, {"C:tr", false}, {"tr.json", false}, {"t r", false}, {"tr\n", false},
        {std::string("t\0r", 3), false}, {"türk", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isSafeLanguageCode(c.code), c.safe) << c.code;
}
