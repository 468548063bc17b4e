#pragma once
// The text of a layout file for a chart: the header comments, the world
// window, the layers in list order and the shapes in drawing order, each line
// ending with LF. Reals have six decimals; shapes name their layer by its
// position among the LAYER lines.

#include <QDateTime>

#include <functional>
#include <string>

class THalvekCanvasModel;

namespace skerra::layout {

std::string composeLayoutText(const THalvekCanvasModel& canvas, const QDateTime& createdOn);

// The same text handed to sink in pieces of about pieceSize bytes (whole lines),
// in order. The sink may take the piece's content (it is not read again) and
// leave the string empty or with another buffer to fill.
void composeLayoutText(const THalvekCanvasModel& canvas, const QDateTime& createdOn, std::size_t pieceSize,
                       const std::function<void(std::string& piece)>& sink);

// "Created on" time: year unpadded, the rest two digits, hundredths of a second
// (milliseconds / 10, truncated): "2024-03-07 09:05:02.04".
std::string createdOnText(const QDateTime& t);

}  // namespace skerra::layout
