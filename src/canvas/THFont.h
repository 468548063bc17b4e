#pragma once
// An entry of the canvas's font table, referred to by index from text shapes.

#include <QString>

struct THFont {
    QString name = QStringLiteral("Arial");
    int size = 10;  // becomes the height of a text shape made with it
    bool bold = false;
    bool italic = false;
    friend bool operator==(const THFont&, const THFont&) = default;
};

// Reads a font description "name", "name,size" or "name,size,styles":
// fields separated by commas, nothing trimmed; a size that is not a decimal
// integer gives 10; the styles are bold with a "B" and italic with an "I" in
// any case; the name "TXT" (any case) means Arial.
THFont parseFontText(const QString& description);
