#pragma once
// The echo sounder's message types: the items of the settings window's type list, the
// scan format each proposes for its lines and whether the realtime window shows its
// low-frequency depth frame for it.

#include <QStringList>

#include <optional>

namespace skerra {

enum class LowFrequencyFrame { Hidden, Shown, Unchanged };

struct SbesMessageType {
    const char* name;
    const char* format;  // empty for "OTHER": the user types one
    LowFrequencyFrame frame;
};

// The list items, in list order.
QStringList sbesMessageTypeNames();

// The type whose name equals `text` exactly (letter case counts), or none.
std::optional<SbesMessageType> sbesMessageType(const QString& text);

}  // namespace skerra
