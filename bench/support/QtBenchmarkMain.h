#pragma once
// The main of a benchmark that makes widgets: the offscreen platform unless
// another is asked for, then the benchmarks given on the command line.

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace benchsupport {

inline int runQtBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace benchsupport
