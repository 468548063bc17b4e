#pragma once
// DepthLabelLayer: the depth labels drawn once into a transparent image that is
// laid over the chart at every paint.
//
// Near the 10,000-label cap, drawing every label afresh at each paint took most
// of a map-timer tick. The image is rebuilt only when the view (world window,
// client size), the label settings (shown, face, size, colour) or the labels
// other than newly appended ones changed; a label appended since the last paint
// is drawn onto it alone, which is the same as drawing all labels in order
// again. The labels are compared with those drawn at every paint, so a change
// made straight to the fields (as the canvas's public fields allow) is seen too.
//
// Following the vessel pans the window at every tick. A pan by whole pixels
// moves the image and draws again only the strips that come in at the edges,
// and the bands along the client's left and top edges, where a label's pixel,
// truncated toward zero, does not move along with the others; each widened by
// half the largest label of the list (those not drawn yet included: a pan may
// bring them in) and the overhang of its glyphs, and the labels whose point
// lies within that much of them drawn again there. Labels larger than the
// reach of a label (how far outside the client its point may lie) make every
// pan a rebuild. The image is laid within the box of every pixel the labels
// may touch, so that moved or drawn afresh, it lays the same pixels.
//
// Laying a screenful of labels over the chart still costs a blend of every
// pixel, so the chart with its labels is kept as well: at the next paint only
// the rows of the chart's picture that changed (the vessel's, mostly) are
// copied and laid over again. After a pan that moved both the chart's picture
// and the image, it is moved along too, and laid again only where either was
// drawn again.
//
// Each label text is drawn once into an image of its own and laid from there
// (DepthLabelText): the strips of a pan take a few labels at every tick.

#include "canvas/widget/CanvasOverlayFields.h"
#include "canvas/widget/ChartRenderer.h"
#include "canvas/widget/OverlayPainter.h"

#include <QImage>
#include <QRect>

#include <optional>

#include <vector>

class QPainter;
class THalvekCanvasModel;

namespace skerra::canvas {

class DepthLabelLayer {
public:
    // Brings the image up to date and lays it over the painter's device.
    void paint(QPainter& painter, const THalvekCanvasModel& view, const CanvasOverlayFields& labels);
    // The renderer's present picture with the labels laid over it (the
    // picture itself when no label is shown): the same pixels as painting the
    // picture, then paint(). The renderer tells which rows its picture changed
    // in; when it cannot, the rows are compared.
    const QImage& over(const ChartRenderer& renderer, const THalvekCanvasModel& view,
                       const CanvasOverlayFields& labels);

    // How the image was kept, for tests and benchmarks.
    struct Stats {
        long rebuilds = 0;  // drawn whole
        long scrolls = 0;   // moved along with a pan
        long appends = 0;   // new labels drawn onto it
        long rowsLaid = 0;      // rows of the picture laid over again by over()
        long rowsCompared = 0;  // rows compared with the picture laid before
        long moves = 0;         // times the picture laid over was moved along with a pan
    };
    const Stats& stats() const { return stats_; }

private:
    struct Key {
        double left = 0, right = 0, top = 0, bottom = 0;
        int width = 0, height = 0;
        bool visible = false;
        QString fontName;
        int fontSize = 0;
        TColor colour = 0;
        bool operator==(const Key&) const = default;
    };
    static Key keyOf(const THalvekCanvasModel& view, const CanvasOverlayFields& labels);
    bool onlyAppended(const std::vector<CanvasOverlayFields::DepthLabel>& labels) const;
    // Draws the labels of the pass, within `clip` when given; the box they were drawn in.
    QRect draw(const THalvekCanvasModel& view, const CanvasOverlayFields& labels, DepthLabelPass pass,
               const QRegion* clip);
    // Draws the labels appended since the last drawing and notes them.
    QRect append(const THalvekCanvasModel& view, const CanvasOverlayFields& labels);
    // The pixels the image moves by when the key changed by a pan alone, by whole pixels.
    std::optional<QPoint> pannedBy(const Key& key) const;
    // Moves the image; the part drawn again.
    QRegion scroll(const THalvekCanvasModel& view, const CanvasOverlayFields& labels, QPoint shift);
    // Brings the image up to date; the part of it that changed (all of it when rebuilt).
    QRect update(const THalvekCanvasModel& view, const CanvasOverlayFields& labels);
    void layRows(const QImage& picture, int first, int last);
    bool layMoved(const ChartRenderer& renderer, const QImage& picture);

    bool valid_ = false;
    Key key_;
    std::vector<CanvasOverlayFields::DepthLabel> drawn_;  // the labels in the image, in order
    QImage image_;                                        // client-sized, transparent where no label is
    QRect ink_;                                           // the part of the image labels were drawn in
    QSize largest_;                                       // the largest label of those drawn and measured
    QHash<QString, DepthLabelText> texts_;                // the label texts drawn in its font and colour
    QImage laid_;         // a picture with the image laid over it
    QImage laidPicture_;  // that picture (shared, not copied)
    long laidNumber_ = 0;  // and its number
    // The last update moved the image by a pan, then drew it again in redrawn_.
    std::optional<QPoint> movedBy_;
    QRegion redrawn_;
    Stats stats_;
};

}  // namespace skerra::canvas
