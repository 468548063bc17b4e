#pragma once
// Fonts of the chart. Charts and settings name Windows faces (Arial, Tahoma,
// Consolas, Arial Black); they are drawn with metric-compatible faces that a
// Debian system carries (fonts-liberation2, fonts-dejavu-core). The stored
// name is never changed: only the face used for drawing is chosen here.
//
// Sizes are points at 96 pixels per inch, as the charts were made on such
// screens: a 10-point font is 13 pixels high on every device.

#include <QFont>
#include <QString>

namespace skerra::canvas {

// The family drawn for a stored face name ("Arial" -> "Liberation Sans", ...);
// other names are passed through unchanged.
QString drawnFamily(const QString& storedName);

// A font for drawing: the mapped family with a style hint, the point size as
// pixels at 96 dpi, bold and italic as given. A size below 1 counts as 1.
QFont chartFont(const QString& storedName, int pointSize, bool bold = false, bool italic = false);

}  // namespace skerra::canvas
