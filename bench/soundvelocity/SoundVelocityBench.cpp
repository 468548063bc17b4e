// Sound-velocity benchmarks (offscreen).
//
// Steps/AML: steps 1-3 of the sound-velocity window on the AML Minos.X cast (about
//   14,300 rows; "%*[^,],%*[^,],%lf,%lf", SV first, Max Depth 200), the lists
//   updated in the window each time.
// Floor/AML: only split the same lines and read two numbers from each.
//   Goal: Steps within 5x of Floor.
// StepsLogic/AML: the same three steps over the lines alone, without the window
//   (what the steps cost apart from the text controls).
// MemoRefresh/AML: only showing step 1's samples (about 14,300 lines) in their list,
//   the part of Steps that the window's update takes whatever the steps do.
// GraphRepaint/12001: a repaint of the graph editor's plot (700 x 500) with 12,001
//   points. StraightDraw/12001: the same polyline and markers drawn with QPainter
//   on an image of the same size. Goal: GraphRepaint within 2x of StraightDraw.

#include "soundvelocity/CastExtraction.h"
#include "soundvelocity/ListMemo.h"
#include "soundvelocity/MemoLines.h"
#include "soundvelocity/MetreAveraging.h"
#include "soundvelocity/SvpGraphModel.h"
#include "soundvelocity/VelocityColumn.h"
#include "soundvelocity/SvpGraphPainter.h"
#include "soundvelocity/TfSVP.h"

#include "platform/AppPaths.h"
#include "platform/MessageBox.h"
#include "platform/TextLines.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

QString castText()
{
    return skerra::readTextLines(QStringLiteral(SKERRA_TESTDATA "/svp/030454_2018-04-11_17-23-35.csv"))
        .join(QLatin1Char('\n'));
}

void Steps(benchmark::State& state)
{
    QTemporaryDir dir;
    skerra::setProgramFolderForTesting(dir.path(), "skerra");
    skerra::setMessageHandler([](const skerra::MessageRequest&) { return int(skerra::MbOk); });
    TfSVP window;
    window.mRawSVData->setPlainText(castText());
    window.eSearchString->setText(QStringLiteral("%*[^,],%*[^,],%lf,%lf"));
    window.rSVFirst->setChecked(true);
    window.eMaxDepth->setText(QStringLiteral("200"));
    for (auto _ : state) {
        window.bRawToSVVClick();
        window.bSVVtoAveragedSVClick();
        window.bAveragedSVtoSVPClick();
    }
    state.counters["samples"] = double(window.mRawSVExtracted->lines().size());
    state.counters["column"] = double(window.mSVPColumn->lines().size());
    skerra::setMessageHandler({});
    skerra::setProgramFolderForTesting({});
}
BENCHMARK(Steps)->Name("Steps/AML")->Unit(benchmark::kMillisecond);

// The floor starts from the same place: the text of the source list.
void Floor(benchmark::State& state)
{
    QPlainTextEdit memo;
    memo.setPlainText(castText());
    for (auto _ : state) {
        const std::string text = memo.toPlainText().toStdString();
        double sum = 0;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            const std::string_view line(text.data() + start, end - start);
            const size_t a = line.find(','), b = a == line.npos ? a : line.find(',', a + 1);
            const size_t c = b == line.npos ? b : line.find(',', b + 1);
            if (c != line.npos) {
                double sv = 0, depth = 0;
                std::from_chars(line.data() + b + 1, line.data() + c, sv);
                std::from_chars(line.data() + c + 1, line.data() + line.size(), depth);
                sum += sv + depth;
            }
            start = end + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(Floor)->Name("Floor/AML")->Unit(benchmark::kMillisecond);

void StepsLogic(benchmark::State& state)
{
    QPlainTextEdit memo;
    memo.setPlainText(castText());
    const auto format = skerra::svp::CompileCastFormat("%*[^,],%*[^,],%lf,%lf", nullptr, true);
    for (auto _ : state) {
        const QByteArray text = memo.toPlainText().toUtf8();
        std::vector<std::string> lines;
        for (const QByteArray& l : text.split('\n')) lines.emplace_back(l.constData(), size_t(l.size()));
        const auto samples = skerra::svp::ExtractSamples(lines, *format, true, [](double, long long) { return true; });
        const auto averaged = skerra::svp::AverageByMetre(samples.samples, 200);
        benchmark::DoNotOptimize(skerra::svp::BuildColumn(averaged, 200));
    }
}
BENCHMARK(StepsLogic)->Name("StepsLogic/AML")->Unit(benchmark::kMillisecond);

void MemoRefresh(benchmark::State& state)
{
    QPlainTextEdit source;
    source.setPlainText(castText());
    const auto format = skerra::svp::CompileCastFormat("%*[^,],%*[^,],%lf,%lf", nullptr, true);
    const auto samples = skerra::svp::ExtractSamples(skerra::svp::memoLines(&source), *format, true,
                                                     [](double, long long) { return true; });
    skerra::svp::ListMemo memo("mRawSVExtracted");
    for (auto _ : state) memo.setLines(samples.samples);
    state.counters["lines"] = double(memo.lines().size());
}
BENCHMARK(MemoRefresh)->Name("MemoRefresh/AML")->Unit(benchmark::kMillisecond);

skerra::svp::SvpGraphModel profile(int points)
{
    skerra::svp::SvpGraphModel m;
    m.PlotWidth = 700;
    m.PlotHeight = 500;
    for (int d = 0; d < points; ++d) m.Points.push_back({d, 1480 + 20 * std::sin(d / 50.0), 1, false});
    m.CalculateRanges();
    return m;
}

void GraphRepaint(benchmark::State& state)
{
    const auto m = profile(int(state.range(0)));
    QImage image(m.PlotWidth, m.PlotHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        skerra::svp::PaintGraph(p, m);
    }
}
BENCHMARK(GraphRepaint)->Arg(12001)->Unit(benchmark::kMillisecond);

void StraightDraw(benchmark::State& state)
{
    const auto m = profile(int(state.range(0)));
    QPolygon line;
    for (const auto& p : m.Points) line << QPoint(m.SVToX(p.SV), m.DepthToY(p.Depth));
    QImage image(m.PlotWidth, m.PlotHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        p.setPen(QColor(0, 0, 255));
        p.drawPolyline(line);
        p.setBrush(QColor(0, 0, 255));
        p.setPen(QColor(0, 0, 128));
        for (const QPoint& at : line) p.drawEllipse(QRect(at.x() - 4, at.y() - 4, 8, 8));
    }
}
BENCHMARK(StraightDraw)->Arg(12001)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
