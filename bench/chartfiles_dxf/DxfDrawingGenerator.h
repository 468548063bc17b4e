#pragma once
// A survey plan as a CAD program writes it in release 12: a layer table, a few
// blocks of lines, and an ENTITIES section of LINE, POLYLINE, ARC, CIRCLE,
// POINT, TEXT and INSERT records at projected coordinates (UTM, near
// 500000 E 4500000 N), group codes right-aligned in three columns, CR LF.
// The same seed writes the same bytes.

#include <cstdint>
#include <string>

// Writes the drawing to path; returns its size in bytes, 0 when writing failed.
std::uint64_t writeSurveyPlanDxf(const std::string& path, int entities, std::uint32_t seed = 20240611);
