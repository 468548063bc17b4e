#pragma once
// The sound-velocity window's section "SVP" of the settings file.

#include <QString>

namespace skerra {
class IniFile;
}

namespace skerra::svp {

inline const char* kDefaultSearchString = "%*23s %lf,%lf";
inline const char* kDefaultMaxDepth = "200";

struct SvpSettings {
    QString searchString = QString::fromLatin1(kDefaultSearchString);  // eSearchString
    QString maxDepth = QString::fromLatin1(kDefaultMaxDepth);          // eMaxDepth
    bool svFirst = true;                                               // rSVFirst
    bool depthFirst = false;                                           // rDFirst
    bool useProfile = false;                                           // cUseSVP
};

// Missing keys keep the values of `defaults`.
SvpSettings ReadSvpSettings(const skerra::IniFile& ini, const SvpSettings& defaults);

// The booleans are written as 1 or 0.
void WriteSvpSettings(skerra::IniFile& ini, const SvpSettings& settings);

}  // namespace skerra::svp
