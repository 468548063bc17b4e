// The navigation display and vessel shape sections of a damaged or foreign settings
// file: reading never fails, the ring count stays within its bounds and every length
// the vessel-shape window shows is a number again.
#include "FuzzScratchFolder.h"
#include "platform/IniFile.h"
#include "platform/NumberText.h"
#include "shell/NavigationSettings.h"
#include "shell/VesselShapeSettings.h"

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
    static const QString path = makeFuzzScratchFolder("display") + "/skerra.INI";
    return path;
}

void mustBeNumber(const std::string& text, const char* what)
{
    if (skerra::tryParseDouble(text)) return;
    std::fprintf(stderr, "%s is not a number: '%s'\n", what, text.c_str());
    std::abort();
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
    const skerra::IniFile ini(path);
    QStringList problems;
    const NavigationDisplayValues display = skerra::readNavigationSettings(ini, &problems);
    // The widths are settled into what the window's width edits hold.
    for (const std::string& width : {display.vesselWidth, display.trackWidth}) {
        const std::optional<int> w = skerra::tryParseInt(width);
        if (!w || *w < skerra::MinPenWidth || *w > skerra::MaxPenWidth) {
            std::fprintf(stderr, "width out of bounds: '%s'\n", width.c_str());
            std::abort();
        }
    }
    skerra::mapTimerInterval(ini.ReadString(skerra::NavigationSettingsSection, "VesselWidth", QString()));
    const VesselShapeTexts shape = skerra::readVesselShape(ini);
    const std::optional<int> rings = skerra::tryParseInt(shape.ringCount);
    if (!rings || *rings < 0 || *rings > kMaxRangeRings) {
        std::fprintf(stderr, "ring count out of bounds: '%s'\n", shape.ringCount.c_str());
        std::abort();
    }
    mustBeNumber(shape.ringInterval, "ring interval");
    mustBeNumber(shape.firstRingRadius, "first radius");
    mustBeNumber(shape.bowArrow, "bow arrow");
    mustBeNumber(shape.sideArrow, "side arrow");
    return 0;
}
