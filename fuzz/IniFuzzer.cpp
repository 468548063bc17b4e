// Settings files written by other programs or damaged on disk: read, then changed,
// and the change must read back.
#include "FuzzScratchFolder.h"
#include "platform/IniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
QString scratchFile()
{
    static const QString path = makeFuzzScratchFolder("ini") + "/skerra.INI";
    return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchFile();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    skerra::IniFile ini(path);
    for (const QString& section : {QString("SETTINGS"), QString("S"), QString()}) {
        for (const QString& key : ini.ReadSection(section)) {
            ini.ReadString(section, key, QString());
            ini.ReadInteger(section, key, 0);
            ini.ReadFloat(section, key, 0);
        }
    }
    const QString value = QString::fromUtf8("değer ğüşıöç İ");
    // A key that is there keeps its name when it takes a value, whatever its bytes.
    for (const QString& key : ini.ReadSection("S")) {
        ini.WriteString("S", key, value);
        if (ini.ReadString("S", key, QString()) != value) {
            std::fprintf(stderr, "a key lost its name when written\n");
            std::abort();
        }
    }
    ini.WriteString("S", "K", value);
    if (ini.ReadString("S", "K", QString()) != value) {
        std::fprintf(stderr, "written value does not read back\n");
        std::abort();
    }
    ini.DeleteKey("S", "K");
    ini.EraseSection("S");
    if (ini.SectionExists("S")) {
        std::fprintf(stderr, "erased section still there\n");
        std::abort();
    }
    return 0;
}
