// Layout files from anywhere (a damaged disk, another program, "All Files" in
// the open dialog). The reader must not crash, leak or misbehave; a file it
// refuses leaves the chart as it was; and whatever it accepts, saved and read
// again, saves to the same text. What it accepts is painted as well.
#include "FuzzPaint.h"
#include "FuzzScratchFolder.h"
#include "canvas/THalvekCanvasModel.h"
#include "chartfiles/LayoutFile.h"
#include "chartfiles/LayoutWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

QString scratchFolder()
{
    static const QString folder = makeFuzzScratchFolder("qmt");
    return folder;
}

std::string text(const THalvekCanvasModel& chart)
{
    return skerra::layout::composeLayoutText(chart, QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
}

void fail(const char* what, const std::string& a, const std::string& b)
{
    std::fprintf(stderr, "%s\n--- first\n%s\n--- second\n%s\n", what, a.c_str(), b.c_str());
    std::abort();
}

// A chart that already holds something: a layer, a shape, a moved window.
void drawSomething(THalvekCanvasModel& chart)
{
    chart.DrawLine(1, 2, 3, 4, chart.LayerOpen("mine"));
    chart.WorldLeft = -7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString input = scratchFolder() + "/input.qmt";
    const QString output = scratchFolder() + "/output.qmt";
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    for (const LayoutLoadMode mode : {LayoutLoadMode::Merge, LayoutLoadMode::Replace}) {
        THalvekCanvasModel chart;
        drawSomething(chart);
        const std::string before = text(chart);
        const LayoutResult loaded = CadLoad(chart, input, mode);
        if (!loaded.ok) {
            if (loaded.reason.isEmpty()) fail("a refusal without a reason", before, "");
            if (text(chart) != before) fail("a refused file changed the chart", before, text(chart));
            return 0;
        }
        const std::string first = text(chart);
        const LayoutResult saved = CadSave(chart, output);
        if (!saved.ok) fail("an accepted chart did not save", saved.reason.toStdString(), "");
        THalvekCanvasModel again;
        const LayoutResult reloaded = CadLoad(again, output, LayoutLoadMode::Replace);
        if (!reloaded.ok) fail("a saved chart did not load", reloaded.reason.toStdString(), first);
        const std::string second = text(again);
        if (second != first) fail("saved and read again, the chart saves differently", first, second);
        paintChartForFuzzing(chart);
    }
    return 0;
}
