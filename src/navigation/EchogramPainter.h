#pragma once
// Draws the echogram for a picture of a given size: water columns down to each
// sounding with a red seabed mark, the black profile, the dotted depth grid with its
// labels and the yellow box with the newest depth.

#include <QSize>

class QPainter;
class EchogramModel;

void PaintEchogram(QPainter& painter, const EchogramModel& model, QSize size);
