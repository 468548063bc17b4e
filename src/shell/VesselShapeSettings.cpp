#include "VesselShapeSettings.h"

#include "platform/IniFile.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace skerra {
namespace {

// The key names are those older settings files hold, misspellings included.
const QString kRingCount = QStringLiteral("Number of circles");
const QString kRingInterval = QStringLiteral("Cirecle offset interval");
const QString kFirstRadius = QStringLiteral("Radious of first circle");
const QString kBowArrow = QStringLiteral("Arrow length to bow");
const QString kSideArrow = QStringLiteral("Left right offset of arrow");

std::string readLength(const IniFile& ini, const QString& key, double fallback)
{
    return FormatGeneral(ini.ReadFloat(VesselShapeSection, key, fallback));
}

}  // namespace

VesselShapeTexts readVesselShape(const IniFile& ini)
{
    VesselShapeTexts t;
    t.ringCount = IntToStr(std::clamp(ini.ReadInteger(VesselShapeSection, kRingCount, 2), 0, kMaxRangeRings));
    t.ringInterval = readLength(ini, kRingInterval, 10);
    t.firstRingRadius = readLength(ini, kFirstRadius, 10);
    t.bowArrow = readLength(ini, kBowArrow, 100);
    t.sideArrow = readLength(ini, kSideArrow, 0);
    return t;
}

void writeVesselShape(IniFile& ini, const VesselShapeTexts& t)
{
    IniFile::Batch batch(ini);
    const auto write = [&](const QString& key, const std::string& text) {
        ini.WriteString(VesselShapeSection, key, QString::fromStdString(text));
    };
    write(kRingCount, t.ringCount);
    write(kRingInterval, t.ringInterval);
    write(kFirstRadius, t.firstRingRadius);
    write(kBowArrow, t.bowArrow);
    write(kSideArrow, t.sideArrow);
    batch.commit();
}

VesselShapeTexts defaultVesselShapeTexts() { return VesselShapeTexts{}; }

}  // namespace skerra
