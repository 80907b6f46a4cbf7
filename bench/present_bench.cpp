// Putting one frame into the window: Image1 repainted from the back buffer, as each frame tick
// ends, beside the way an indexed QImage drawn by QPainter would do it. CPU time counts every
// thread of the process: Qt converts large images on its thread pool.
#include "BenchScenes.h"

#include "TImage.h"
#include "edit/Frame.h"
#include "render/MapView.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "Repeated.h"

#include <benchmark/benchmark.h>

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
        QApplication::processEvents();
    }
};

void BM_PresentFrame(benchmark::State& state)
{
    auto editor = SceneEditor(Scene::StartView);
    FrameTick(*editor);
    auto* image = new TImage;
    Window window(image);
    image->SetBackBuffer(&editor->BackBuffer);
    for (auto _ : state)
        image->repaint();
    image->SetBackBuffer(nullptr);
}
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

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
    image->Buffer = &editor->BackBuffer;
    Window window(image);
    for (auto _ : state)
        image->repaint();
}
BENCHMARK(BM_PresentFrameIndexed8Painter)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->Apply(korvan::bench::Repeated);

}  // namespace
