#include "StartUp.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const QString error = skerra::applyCommandLinePaths(argc, argv);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "skerra: %s\n", qPrintable(error));
        return 2;
    }
    return skerra::runSkerra(argc, argv);
}
