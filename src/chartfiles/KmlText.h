#pragma once
// The text of a KML document as the loader searches it: UTF-8 bytes. A byte-order
// mark selects UTF-8 or UTF-16 (little- or big-endian); without one the bytes are
// taken as UTF-8 as they stand.

#include <QString>

#include <string>

namespace skerra::chartfiles {

// The document's bytes as UTF-8, the byte-order mark removed.
std::string DecodeKmlText(std::string bytes);

// Reads a whole file and decodes it; false when it cannot be read.
bool ReadKmlTextFile(const QString& path, std::string& text);

}  // namespace skerra::chartfiles
