#include "StartUp.h"

#include "platform/AppPaths.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString error = skerra::applyPathArguments(arguments);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "skerra: %s\n", qPrintable(error));
        return 2;
    }
    return skerra::runSkerra(argc, argv);
}
