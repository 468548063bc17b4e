// Language files written by hand or by other tools: read; what reads must write in the
// program's own format and read back to the same table and the same bytes.
#include "shell/LanguageFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const skerra::LanguageFileContent read = skerra::parseLanguageFile(bytes);
    if (!read.ok) {
        if (!read.texts.empty() || read.problem.empty()) std::abort();
        return 0;
    }
    const std::string written = skerra::formatLanguageFile(read.texts);
    const skerra::LanguageFileContent again = skerra::parseLanguageFile(written);
    if (!again.ok || again.texts != read.texts) std::abort();
    if (skerra::formatLanguageFile(again.texts) != written) std::abort();
    return 0;
}
