// Lists the captions of the program's windows that a language file does not translate.
//   skerra_missing_keys [FILE]     (default: Languages/tr.json beside this program)
// Prints one key per line; exits with 1 when a key is missing, 2 when the file cannot
// be read.

#include "LanguageCoverage.h"
#include "platform/AppPaths.h"
#include "platform/SkerraApplication.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    skerra::SkerraApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : skerra::besideProgram("Languages/tr.json");
    const skerra::LanguageCoverage coverage = skerra::checkLanguageCoverage(file);
    if (!coverage.problem.isEmpty()) {
        std::fprintf(stderr, "skerra_missing_keys: %s\n", qPrintable(coverage.problem));
        return 2;
    }
    for (const QString& key : coverage.missingKeys) std::printf("%s\n", key.toUtf8().constData());
    std::fprintf(stderr, "%lld key(s) missing from %s\n", static_cast<long long>(coverage.missingKeys.size()),
                 qPrintable(file));
    return coverage.missingKeys.isEmpty() ? 0 : 1;
}
