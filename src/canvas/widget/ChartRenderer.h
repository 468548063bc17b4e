#pragma once
// ChartRenderer: the chart's back buffer: background, grid and shapes.
//
// The picture is, pixel for pixel, that of one pass over the shapes in drawing
// order (background, grid under the shapes, the shapes except texts, the texts
// at most one per 60 x 60 pixel cell, grid over the shapes), with the culls of
// that pass: hidden shapes and layers, shapes outside the window, curves
// smaller than half a pixel, points within 2 pixels of the last point drawn,
// short lines when they would paint nothing new (see below), and at most
// 500,000 shapes.
//
// Line thinning: a line whose ends fall on one pixel or on neighbouring ones
// paints with a one-pixel pen the pixel of its first end alone, and with a
// wide pen nothing when its ends share a pixel (GdiPainter::line). It is
// skipped when it paints nothing, or when the last shape drawn was such a
// line painting the same pixel in the same colour. A survey's track of short
// segments seen whole thus costs about one shape per pixel it crosses, and the
// pixels are those of drawing every segment.
//
// The limit never hides what is newest: shapes on the always-drawn layer (the
// main window names its vessel layer) and the newest shapes in drawing order
// (the newest 10,000 to 20,000 once there are more shapes than the limit; where
// that span starts moves in steps of 10,000) are drawn whatever the count, and
// are not counted. So with a big imported plan in view the vessel and the last
// stretch of track still show on top of it.
//
// To keep the map timer's ticks cheap on a chart of a million shapes, the pass
// is split at a checkpoint: the picture of every shape up to the checkpoint is
// kept with the pass's running state (last point, count, claimed text cells).
// When only shapes after the checkpoint changed (appended, removed, restyled),
// the picture is rebuilt from there. After each rebuild the checkpoint moves up
// to just below the first shape on a layer that changes often (the vessel
// layer), so the part redrawn stays small while the tracks grow.
//
// Following the vessel pans the window at every tick. A pan by whole pixels
// (renderPanned) moves the picture below the checkpoint by those pixels and
// draws again only what moving cannot give: the strips that come in at the
// edges, the shapes coming into or going out of the window, the grid's
// labels and dotted lines, which stay put on the client. That picture equals a
// full rebuild's: every rule of the pass gives the same answer for a shape
// drawn in both windows (see ChartScroll.cpp). Where a rule looks across the
// whole picture in a way moving cannot keep (a point or text in either
// window, more shapes than the limit) or the window did not just move by
// whole pixels, the picture is rebuilt whole. The renderer tells how a
// picture came from the one before by a pan (movedSince), so that what is laid
// over it can be moved along as well.

#include "canvas/ShapeRange.h"
#include "canvas/THShape.h"
#include "canvas/widget/PixelMapping.h"
#include "canvas/widget/ScrollRegion.h"
#include "platform/Colour.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

class THalvekCanvasModel;
class THShape;
class THText;

namespace skerra::canvas {

class GdiPainter;

class ChartRenderer {
public:
    // How many shapes below the checkpoint a scroll keeps its compact list of
    // (tests set it to 0 to make scrolls walk the shapes).
    static inline std::size_t keptCommittedLimit = 65536;
    static constexpr int kDrawLimit = 500000;
    static constexpr int kTextCell = 60;
    // At most this many shapes are left above the checkpoint after a rebuild.
    static constexpr std::size_t kMaxTail = 1024;
    // The newest shapes are drawn whatever the limit: the span starts at a multiple of this.
    static constexpr std::size_t kNewestStep = 10000;

    // Where the newest shapes begin (an index in drawing order) among `shapes`.
    static std::size_t newestFrom(std::size_t shapes);

    // Shapes on this layer are drawn whatever the limit; -1: none. A change
    // rebuilds the picture whole.
    void setAlwaysDrawnLayer(int layer);
    int alwaysDrawnLayer() const { return alwaysDrawnLayer_; }

    // Rebuilds the whole picture.
    void renderAll(const THalvekCanvasModel& model);
    // Rebuilds from the checkpoint; the shapes below it must be unchanged since
    // the last rebuild, and so must the view (see viewUnchanged).
    void renderTail(const THalvekCanvasModel& model);
    // The view changed since the last rebuild: the picture is scrolled when
    // only the window moved, by whole pixels, else rebuilt whole. The shapes
    // below the checkpoint must be unchanged, as for renderTail.
    void renderPanned(const THalvekCanvasModel& model);

    bool valid() const { return valid_; }
    void invalidate() { valid_ = false; }
    // The window, client size, background, grid and layer visibility are those
    // of the last rebuild.
    bool viewUnchanged(const THalvekCanvasModel& model) const;
    // The shape lies above the checkpoint (so its removal or change can be
    // redrawn from there). Only for a shape of the model last rendered while
    // no shape below the checkpoint was removed.
    bool aboveCheckpoint(const THalvekCanvasModel& model, const THShape* shape) const;
    // Shapes on this layer are changed often: keep them above the checkpoint.
    void markVolatile(int layer);

    const QImage& image() const { return pictures_[shown_]; }

    // Each rebuild makes a new picture, numbered from 1.
    long pictureNumber() const { return pictureNumber_; }
    // Rows [first, last] outside which the picture numbered `since` and the
    // present one are equal (first > last: equal); none when not known.
    struct Rows {
        int first, last;
    };
    std::optional<Rows> rowsChangedSince(long since) const;
    // The present picture made by a pan from the one numbered `since`: that
    // one moved by `shift` pixels, then drawn again within `rects` (client
    // pixels; they may overlap). None when it was not made so.
    struct Moved {
        QPoint shift;
        std::vector<QRect> rects;
    };
    const Moved* movedSince(long since) const;

    // How the picture was made, for tests and benchmarks.
    struct Stats {
        long fullRebuilds = 0;
        long tailRebuilds = 0;
        long scrolls = 0;      // pans drawn by moving the picture
        long lastRedrawn = 0;  // shapes drawn again by the last scroll
        std::size_t lastTailLength = 0;
        long lastDrawn = 0;    // shapes drawn by the last rebuild
        int lastCounted = 0;   // of them, those counted against the limit
    };
    const Stats& stats() const { return stats_; }

private:
    struct ClaimedText {
        const THText* text;
        bool alwaysDrawn;
    };
    // The last thing drawn when it was a short line painting one pixel.
    struct LineDot {
        int x = 0, y = 0;
        TColor colour = 0;
        bool selected = false;
        bool operator==(const LineDot&) const = default;
    };
    struct PassState {
        std::size_t index = 0;  // of the next shape in drawing order
        int lastPointX = -9999;
        int lastPointY = -9999;
        int count = 0;
        long alwaysDrawn = 0;
        std::optional<LineDot> lastDot;
        std::vector<char> cellTaken;
        std::vector<ClaimedText> claimedTexts;
    };
    struct ViewKey {
        double left = 0, right = 0, top = 0, bottom = 0;
        int width = 0, height = 0;
        TColor back = 0;
        bool gridVisible = false, gridAuto = false;
        double gridX = 0, gridY = 0;
        TColor gridColour = 0;
        int gridOnTop = 0;
        int nextLayerId = 0;
        std::vector<char> layerVisible;  // by id, 0 .. nextLayerId
        bool operator==(const ViewKey&) const = default;
    };
    static ViewKey keyOf(const THalvekCanvasModel& model);
    // The shape is shown (its layer too) / its bounds meet the window of `key`.
    static bool isShown(const THShape& s, const ViewKey& key);
    static bool inWindow(const THShape& s, const ViewKey& key);
    static bool layerShown(bool visible, int layer, const ViewKey& key);
    static bool boundsMeet(double minX, double minY, double maxX, double maxY, const ViewKey& key);
    // What a scroll looks at first of a shape below the checkpoint, taken in
    // one go: most shapes it need not look at further (ChartScroll.cpp). Kept
    // for the shapes below the checkpoint, in drawing order, while they are at
    // most keptCommittedLimit (a pan then reads one compact list); beyond that
    // the scroll takes them from the shapes as it walks them, since a copy
    // would cost a large chart more memory than its shapes.
    struct Committed {
        const THShape* shape;
        double minX, minY, maxX, maxY;
        double radius;  // a circle's, else -1
        int layer;
        int type;       // ShapeTypeCode
        int penWidth;
        bool visible;
        ShapeKind kind;
        bool exact;     // Qt draws it moved along by whole pixels exactly
        Committed(const THShape& s, const skerra::canvas::ShapeBounds& b);  // (ChartScroll.cpp)
    };
    std::vector<Committed> committed_;
    bool keepCommitted_ = true;  // committed_ holds every shape below the checkpoint
    void keepCommitted(ShapeRange::iterator first, ShapeRange::iterator boundary);
    // One shape below the checkpoint in either window: false when the pan
    // cannot be made by moving the picture.
    struct ScrollPass;
    bool scrollShape(ScrollPass& pass, std::size_t index, const Committed& c, bool before, bool after);

    void startPicture(const THalvekCanvasModel& model);
    void passShapes(const THalvekCanvasModel& model, ShapeRange::iterator from, ShapeRange::iterator to,
                    QImage& target, PassState& state);
    void passShape(const THalvekCanvasModel& model, const THShape& s, GdiPainter& g, PassState& state);
    bool isAlwaysDrawn(const THShape& s, std::size_t index) const;
    void noteDrawnRows(const THShape& s);
    static void countDrawn(PassState& state, bool alwaysDrawn);
    void drawTexts(const THalvekCanvasModel& model, PassState& state, QImage& target);
    void finishPicture(const THalvekCanvasModel& model);
    bool isVolatile(int layer) const;
    bool scroll(const THalvekCanvasModel& model);

    ViewKey key_;
    PixelMapping map_;
    double unitsPerPixel_ = 1.0;
    int cellColumns_ = 0, cellRows_ = 0;
    bool valid_ = false;

    QImage checkpoint_;      // every shape up to lastCommitted_
    PassState checkpointState_;
    const THShape* lastCommitted_ = nullptr;  // null: nothing below the checkpoint
    QImage scratch_;         // where a scroll draws what it draws again
    // What a scroll draws again, and the shapes in view below the checkpoint:
    // kept between pans, so that a pan takes no fresh memory.
    struct InView {
        std::size_t index;
        const THShape* shape;
        QRect box;
    };
    ScrollRegion region_;
    std::vector<InView> inView_;
    // The picture handed out and the one the next rebuild paints over a copy
    // of the checkpoint's pixels (then the shapes above it, the texts and the
    // grid on top). They take turns: a caller keeping the last picture (the
    // depth-label layer compares the next one with it) leaves the other one
    // unshared, so a rebuild takes no new buffer.
    QImage pictures_[2];
    int shown_ = 0;

    // Rows painted by the shapes drawn: by this rebuild, and by the last one's
    // pass above the checkpoint (what a tail rebuild can take away again).
    struct RowSpan {
        int first = 1 << 30, last = -(1 << 30);
        bool unbounded = false;
        void add(int a, int b) { first = std::min(first, a), last = std::max(last, b); }
        void add(const RowSpan& o) { add(o.first, o.last), unbounded = unbounded || o.unbounded; }
    };
    RowSpan drawnRows_;           // while a pass runs
    RowSpan lastTailRows_;
    // After a scroll: notes how the picture came from the one before (movedSince).
    void noteMoved(QPoint shift, const RowSpan& tailBefore, bool textsBefore);
    bool startedAfresh_ = false;  // the picture was begun anew during the rebuild
    bool hadTexts_ = false;       // the last picture has texts drawn over its shapes
    long pictureNumber_ = 0;
    std::optional<Rows> changedRows_;  // from the picture before to this one
    Moved moved_;                      // how the picture numbered movedNumber_ came from the one before
    long movedNumber_ = 0;
    int alwaysDrawnLayer_ = -1;
    std::size_t newestFrom_ = 0;  // of the picture's last rebuild

    std::unordered_map<int, long> volatileMarks_;  // layer -> rebuild number of the last mark
    long rebuildNumber_ = 0;
    Stats stats_;
};

}  // namespace skerra::canvas
