#pragma once
// The language files: one flat JSON object from English text to translated text,
// UTF-8. Written with a byte-order mark, one pair per line in byte order of the keys,
// indented by two blanks, CR LF line ends and characters beyond ASCII as themselves.

#include <map>
#include <string>
#include <string_view>

namespace skerra {

using TranslationTable = std::map<std::string, std::string>;

struct LanguageFileContent {
    TranslationTable texts;  // empty when the file could not be read
    bool ok = false;
    std::string problem;     // why not, for the people who edit the files
};

// Reads a language file's bytes. A leading UTF-8 byte-order mark is skipped. Members
// whose value is not a string are left out; a key given twice keeps its later value.
// Anything that is not one well-formed JSON object of valid UTF-8 gives an empty
// table and a problem text naming the byte where reading stopped.
LanguageFileContent parseLanguageFile(std::string_view bytes);

// The file's bytes for a table.
std::string formatLanguageFile(const TranslationTable& texts);

// A language code may name a file only when it is 1 to 32 letters, digits, "_" or "-".
bool isSafeLanguageCode(std::string_view code);

}  // namespace skerra
