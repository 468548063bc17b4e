// DXF drawings from anywhere: the import reads them from memory into a chart.
// Any crash, leak, overflow or undefined behaviour is a finding; so is a shape
// with a coordinate that is not finite. What it reads is painted as well.
#include "FuzzPaint.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/DxfByteSource.h"
#include "chartfiles/DxfLoad.h"
#include "platform/MessageBox.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

bool finiteBounds(const THShape& s)
{
    return std::isfinite(s.MinX()) && std::isfinite(s.MinY()) && std::isfinite(s.MaxX()) && std::isfinite(s.MaxY());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        skerra::setMessageHandler([](const skerra::MessageRequest& r) { return r.defaultButton; });
        return true;
    }();
    (void)quiet;
    THalvekCanvasModel canvas;
    DxfMemorySource source(std::string_view(reinterpret_cast<const char*>(data), size));
    DXFLoadFromSource(canvas, source, "fuzz.dxf");
    // A second load of the same bytes empties the import layer and fills it again.
    DxfMemorySource again(std::string_view(reinterpret_cast<const char*>(data), size));
    DXFLoadFromSource(canvas, again, "fuzz.dxf");
    for (const THShape* s : canvas.Shapes()) {
        if (!finiteBounds(*s)) {
            std::fprintf(stderr, "shape %ld has bounds that are not finite\n", s->ShapeNumber());
            std::abort();
        }
    }
    paintChartForFuzzing(canvas);
    return 0;
}
