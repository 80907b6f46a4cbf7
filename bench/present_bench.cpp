// Putting one frame into the window: Image1 repainted whole from the back buffer, Image1 given
// each new frame of a still view as the frame tick does (only what changed is repainted), beside
// the way an indexed QImage drawn by QPainter would do it. CPU time counts every thread of the
// process: Qt converts large images on its thread pool. Run on a real X server (bench/present_xvfb.sh)
// with KORVAN_BENCH_SERVER_PID naming it, each also reports the server's CPU time per frame.
#include "BenchScenes.h"

#include "present/TImage.h"
#include "edit/Frame.h"
#include "edit/FrameCache.h"
#include "render/MapView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QPainter>
#include <QWidget>

#include "Repeated.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace korvan;
using namespace korvan::bench;

// The editor's client area: a 640 x 462 view with the 640 x 480 image at its origin.
struct Window {
    QWidget Client;
    explicit Window(QWidget* image)
    {
        Client.setFixedSize(640, 462);
        image->setParent(&Client);
        image->setGeometry(0, 0, 640, 480);
        Client.show();
        // On a real X server the window is mapped and exposed a little later; until then
        // nothing is painted and a benchmark would time nothing.
        QElapsedTimer waited;
        waited.start();
        do
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        while (!Client.windowHandle()->isExposed() && waited.elapsed() < 5000);
    }
};

// CPU time (user + system, in clock ticks) of the X server named by KORVAN_BENCH_SERVER_PID.
class ServerTime {
public:
    ServerTime() : pid_(qEnvironmentVariableIntValue("KORVAN_BENCH_SERVER_PID")), start_(Ticks()) {}

    // The server's microseconds per frame since construction, as a counter, when a server is named.
    void Report(benchmark::State& state) const
    {
        if (pid_ <= 0 || state.iterations() == 0)
            return;
        const double us = double(Ticks() - start_) * 1e6 / double(sysconf(_SC_CLK_TCK));
        state.counters["server_us"] = us / double(state.iterations());
    }

private:
    long long Ticks() const
    {
        if (pid_ <= 0)
            return 0;
        std::ifstream file("/proc/" + std::to_string(pid_) + "/stat");
        std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        long long utime = 0, stime = 0;
        for (int k = 3; k <= 15 && fields >> field; ++k) {
            if (k == 14)
                utime = std::stoll(field);
            if (k == 15)
                stime = std::stoll(field);
        }
        return utime + stime;
    }

    int pid_;
    long long start_;
};

// The whole image painted and put, as at the first frame or after a new palette.
void BM_PresentFrame(benchmark::State& state)
{
    auto editor = SceneEditor(Scene::StartView);
    FrameTick(*editor);
    auto* image = new TImage;
    Window window(image);
    image->SetBackBuffer(&editor->Canvas.BackBuffer);
    const ServerTime server;
    for (auto _ : state)
        image->repaint();
    server.Report(state);
    image->SetBackBuffer(nullptr);
}
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

// Each frame of a still view put on screen as the frame tick ends (the tick itself not timed):
// only the parts that changed since the last frame are painted and put.
void BM_PresentTick(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    FrameTick(*editor);
    auto* image = new TImage;
    Window window(image);
    image->SetBackBuffer(&editor->Canvas.BackBuffer);
    image->Present();
    const ServerTime server;
    for (auto _ : state) {
        state.PauseTiming();
        FrameTick(*editor);
        state.ResumeTiming();
        image->Present();
    }
    server.Report(state);
    image->SetBackBuffer(nullptr);
}
BENCHMARK(BM_PresentTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

// The same through the frame cache, as the editor ticks: once the idle cycle is kept, each frame
// comes named, and a shared-memory display puts the picture kept for it without converting.
void BM_PresentCachedTick(benchmark::State& state)
{
    auto editor = SceneEditor(Scene(state.range(0)));
    FrameCache cache;
    for (int tick = 0; tick < 8; ++tick)
        CachedFrameTick(*editor, cache);
    auto* image = new TImage;
    Window window(image);
    image->SetBackBuffer(&editor->Canvas.BackBuffer);
    image->Present(cache.Frame());
    const ServerTime server;
    for (auto _ : state) {
        state.PauseTiming();
        CachedFrameTick(*editor, cache);
        state.ResumeTiming();
        image->Present(cache.Frame());
    }
    server.Report(state);
    image->SetBackBuffer(nullptr);
}
BENCHMARK(BM_PresentCachedTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

// For comparison: the buffer wrapped in an Indexed8 QImage with its colour table, converted by
// QPainter on every paint.
class IndexedImageWidget : public QWidget {
public:
    const IndexedImage* Buffer = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QImage frame(Buffer->Pixels.data(), Buffer->Width, Buffer->Height, Buffer->Width, QImage::Format_Indexed8);
        QList<QRgb> colours;
        for (std::uint32_t colour : Buffer->Palette)
            colours.append(colour | 0xFF000000u);
        frame.setColorTable(colours);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(0, 0, frame);
    }
};

void BM_PresentFrameIndexed8Painter(benchmark::State& state)
{
    auto editor = SceneEditor(Scene::StartView);
    FrameTick(*editor);
    auto* image = new IndexedImageWidget;
    image->setAttribute(Qt::WA_OpaquePaintEvent);
    image->Buffer = &editor->Canvas.BackBuffer;
    Window window(image);
    for (auto _ : state)
        image->repaint();
}
BENCHMARK(BM_PresentFrameIndexed8Painter)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

}  // namespace
