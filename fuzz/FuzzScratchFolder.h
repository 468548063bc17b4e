#pragma once
// A new folder for a fuzz target's files ("skerra-fuzz-<tag>-XXXXXX"), memory-backed
// when possible: every save ends with a flush to the disk. Aborts when none can be made.

#include <QDir>
#include <QString>

#include <cstdlib>
#include <string>

#include <unistd.h>

inline QString makeFuzzScratchFolder(const char* tag)
{
    const char* base = QDir("/dev/shm").exists() ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/skerra-fuzz-" + tag + "-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    if (!made) std::abort();
    return QString::fromLocal8Bit(made);
}
