// The pictures at full size: 32,765 records drawn as the window shows them (anti-aliased
// QImage), the parameter plots, the net with every plane's great circle, and the metafile.

#include "bench_data.h"
#include "math/group_statistics.h"
#include "math/principal_axes.h"
#include "plot/metafile_canvas.h"
#include "plot/recording_canvas.h"
#include "plot/views.h"
#include "render/painter_canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace tesmor;

// Text needs a Gui application; without a display it draws off-screen.
void EnsureGuiApplication()
{
    static int argc = 1;
    static char name[] = "tesmor_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (!platform || !*platform)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

struct BenchViews
{
    model::Records records;
    math::GroupStatistics statistics;
    plot::ViewData data;
};

const BenchViews& Views()
{
    static const BenchViews* views = [] {
        auto* v = new BenchViews;
        v->records = bench::MakeBenchRecords();
        math::ComputeRecordDerived(v->records);
        v->statistics = math::ComputeGroupStatistics(v->records, math::Projection::EqualArea);
        v->data.records = v->records;
        v->data.statistics = &v->statistics;
        v->data.options.foliationTypes = {'B', 'S'};
        v->data.options.lineationTypes = {'K', 'L'};
        v->data.options.display.chcMean = true;
        v->data.options.display.chcEllipses = true;
        return v;
    }();
    return *views;
}

// The net and the plots in the window's layout for a picture of width x height device pixels, as
// the browser records them.
void DrawWindowNet(plot::Canvas& canvas, const plot::ViewData& data, int width, int height)
{
    plot::DrawStereonet(canvas, data.records, data.statistics, data.options,
                        plot::ScreenNetStyle(data.options, width, height));
}

void DrawWindowPlot(plot::Canvas& canvas, const plot::ViewData& data, int plot, int width,
                    int height)
{
    const int kind = plot == 1 ? data.options.plot1Kind : data.options.plot2Kind;
    if (auto prepared = plot::PrepareParameterPlot(plot, kind, data.records))
        plot::DrawParameterPlot(canvas, plot::ScreenPlotStyle(data.options, width, height),
                                *prepared);
}

template<typename Draw>
void DrawIntoImage(benchmark::State& state, int width, int height, Draw draw)
{
    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        render::PainterCanvas canvas(painter);
        draw(canvas);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_NetAllAxes(benchmark::State& state)
{
    const auto& views = Views();
    DrawIntoImage(state, 400, 400,
                  [&](plot::Canvas& canvas) { DrawWindowNet(canvas, views.data, 400, 400); });
}
BENCHMARK(BM_NetAllAxes)->Unit(benchmark::kMillisecond);

// As the window redraws: recorded off-screen (into a recording whose memory is reused, as the
// browser does), then replayed onto the picture.
void BM_NetAllAxesRecordedAndReplayed(benchmark::State& state)
{
    const auto& views = Views();
    plot::RecordingCanvas recording;
    DrawIntoImage(state, 400, 400, [&](plot::Canvas& canvas) {
        recording.clear();
        DrawWindowNet(recording, views.data, 400, 400);
        recording.replay(canvas);
    });
}
BENCHMARK(BM_NetAllAxesRecordedAndReplayed)->Unit(benchmark::kMillisecond);

void BM_ParameterPlot(benchmark::State& state)
{
    BenchViews& views = const_cast<BenchViews&>(Views());
    const int plot = static_cast<int>(state.range(0));
    const int kind = static_cast<int>(state.range(1));
    plot::ViewData data = views.data;
    data.options.plot1Kind = kind;
    data.options.plot2Kind = kind;
    DrawIntoImage(state, 400, 300,
                  [&](plot::Canvas& canvas) { DrawWindowPlot(canvas, data, plot, 400, 300); });
}
BENCHMARK(BM_ParameterPlot)
    ->ArgsProduct({{1, 2}, {1, 2, 3, 4}})
    ->ArgNames({"plot", "kind"})
    ->Unit(benchmark::kMillisecond);

void BM_NetWithEveryGreatCircle(benchmark::State& state)
{
    plot::ViewData data = Views().data;
    data.options.display.chcF1C = true;
    DrawIntoImage(state, 400, 400,
                  [&](plot::Canvas& canvas) { DrawWindowNet(canvas, data, 400, 400); });
}
BENCHMARK(BM_NetWithEveryGreatCircle)->Unit(benchmark::kMillisecond);

void BM_MetafilePicture(benchmark::State& state)
{
    const auto& views = Views();
    for (auto _ : state)
        benchmark::DoNotOptimize(plot::MetafilePicture(views.data));
}
BENCHMARK(BM_MetafilePicture)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_NetRecordingOnly(benchmark::State& state)
{
    plot::ViewData data = Views().data;
    data.options.display.chcF1C = state.range(0) != 0;
    plot::RecordingCanvas recording;
    for (auto _ : state) {
        recording.clear();
        DrawWindowNet(recording, data, 400, 400);
        benchmark::DoNotOptimize(recording.size());
    }
}
BENCHMARK(BM_NetRecordingOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
