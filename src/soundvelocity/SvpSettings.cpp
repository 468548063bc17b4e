#include "SvpSettings.h"

#include "platform/IniFile.h"

namespace skerra::svp {
namespace {
const QString kSection = QStringLiteral("SVP");
}

SvpSettings ReadSvpSettings(const skerra::IniFile& ini, const SvpSettings& defaults)
{
    SvpSettings s;
    s.searchString = ini.ReadString(kSection, QStringLiteral("eSearchString"), defaults.searchString);
    s.maxDepth = ini.ReadString(kSection, QStringLiteral("eMaxDepth"), defaults.maxDepth);
    s.svFirst = ini.ReadBool(kSection, QStringLiteral("rSVFirst"), defaults.svFirst);
    s.depthFirst = ini.ReadBool(kSection, QStringLiteral("rDFirst"), defaults.depthFirst);
    s.useProfile = ini.ReadBool(kSection, QStringLiteral("cUseSVP"), defaults.useProfile);
    return s;
}

void WriteSvpSettings(skerra::IniFile& ini, const SvpSettings& s)
{
    skerra::IniFile::Batch batch(ini);
    ini.WriteBool(kSection, QStringLiteral("cUseSVP"), s.useProfile);
    ini.WriteString(kSection, QStringLiteral("eSearchString"), s.searchString);
    ini.WriteString(kSection, QStringLiteral("eMaxDepth"), s.maxDepth);
    ini.WriteBool(kSection, QStringLiteral("rSVFirst"), s.svFirst);
    ini.WriteBool(kSection, QStringLiteral("rDFirst"), s.depthFirst);
    batch.commit();
}

}  // namespace skerra::svp
