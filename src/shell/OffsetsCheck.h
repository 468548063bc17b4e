#pragma once
// The checks of the offsets confirmation, in their fixed order: the five numbers,
// the three names, the pole (A + C = B), the sound velocity's range. The first
// failing check is the fault: its message pair and the edit that takes the focus.

#include "OffsetsEntries.h"

#include <optional>
#include <string_view>

// The edits of the offsets window that a fault points at.
enum class OffsetsField { OffsetA, OffsetB, OffsetC, SV, TideHt, Location, SurveyBoat, Surveyor };

struct OffsetsFault {
    OffsetsField focus;
    const char* english;  // UTF-8
    const char* turkish;  // UTF-8
};

// The pole's tolerance: A + C may differ from B by this much (metres). The small
// allowance keeps a difference of exactly 0.025 typed in decimals on the passing side.
inline constexpr double kPoleTolerance = 0.025;
inline constexpr double kPoleToleranceSlack = 1e-9;

// Sound velocity range, ends included (m/s).
inline constexpr double kLowestSoundVelocity = 1300.0;
inline constexpr double kHighestSoundVelocity = 1700.0;

// True when the three offsets describe one pole: |A + C - B| within the tolerance.
bool PoleOffsetsAgree(double a, double b, double c);

// The first fault of the entries, or nothing when all checks pass. Numbers must be
// whole, finite decimal texts with "." (blanks around them allowed); a name may be
// blank but not empty.
std::optional<OffsetsFault> CheckOffsets(const OffsetsEntries& entries);

// The confirmation warns (and goes on) when the time text holds a ":".
bool TimeTextHasSeparators(std::string_view time);
inline constexpr const char* kTimeFormatEnglish =
    "Time format does not fit requirements. The date and time fromat must be YYYY-DD-MM HHmmssfff";
inline constexpr const char* kTimeFormatTurkish =
    "Tarih ve saat formatı gereksinimleri karşılamıyor. Bilgisayar tarih ve zaman formatının "
    "YYYY-DD-MM HHmmssfff olduguna emin olunuz.";
