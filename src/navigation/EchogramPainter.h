#pragma once
// Draws the echogram for a picture of a given size: water columns down to each
// sounding with a red seabed mark, the black profile, the dotted depth grid with its
// labels and the yellow box with the newest depth.

#include <QColor>
#include <QSize>

class QPainter;
class EchogramModel;

// The colours of the picture. By day: a pale background, sky-blue water, black profile
// and labels. Under a dark style the picture stays dark as well, with light lines and
// labels. The red seabed marks and the yellow box of the newest depth keep theirs.
struct EchogramColours {
    QColor background, water, grid, profile, text;
};
EchogramColours EchogramColoursFor(bool darkStyle);

void PaintEchogram(QPainter& painter, const EchogramModel& model, QSize size, const EchogramColours& colours);
