#pragma once
// The vessel shape in the settings file (section VESSEL_SHAPE) and the texts of the
// window's "Default" button. No widgets.

#include "shell/SurveySettingsValues.h"

#include <QString>

namespace skerra {

class IniFile;

inline const QString VesselShapeSection = QStringLiteral("VESSEL_SHAPE");

// The five keys as the edits show them: the ring count as a whole number within
// 0..kMaxRangeRings, the lengths in the shortest decimal form ("10", "0.5"). A key
// that is absent or not a number gives 2 rings, 10 m, 10 m, 100 m and 0 m.
VesselShapeTexts readVesselShape(const IniFile& ini);
// The texts as they stand.
void writeVesselShape(IniFile& ini, const VesselShapeTexts& texts);

// What "Default" puts into the edits (a 10 m sideward arrow).
VesselShapeTexts defaultVesselShapeTexts();

}  // namespace skerra
