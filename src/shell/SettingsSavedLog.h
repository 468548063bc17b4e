#pragma once
// The summary the lock save appends to the day's event log, one entry per line:
// a frame of "=== SETTINGS SAVED ===" and 22 equals signs around the ports, the datum,
// the Transverse Mercator and the Lambert parameters.

#include "shell/SettingsTable.h"

#include <string>
#include <vector>

namespace skerra {

std::vector<std::string> settingsSavedEntries(const FormValues& values);

// Appends each entry to the day's event log.
void logSettingsSaved(const FormValues& values);

}  // namespace skerra
