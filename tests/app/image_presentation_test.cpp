// Image1 on screen: every shown pixel of the window is the back buffer's index looked up in its
// palette, frame after frame, wherever the image sits in its window and whatever part is shown.
// Run on the offscreen platform (Qt paints), and on a real X server, where the frames go to the
// server from shared memory (with KORVAN_EXPECT_DIRECT set, they must).
#include "present/FrameChanges.h"
#include "present/TImage.h"
#include "present/ShmConnection.h"
#include "present/ShmPresenter.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <thread>

using FrameChange = std::function<void(korvan::IndexedImage&, std::mt19937&)>;
Q_DECLARE_METATYPE(FrameChange)

// The regions Image1 is painted with, seen from outside.
class PaintRecorder : public QObject {
public:
    QList<QRegion> Painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted.append(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

// The editor's client area, shown: a 640 x 462 window with the 640 x 480 image at its origin.
struct EditorView {
    QWidget Window;
    TImage* Image = new TImage(&Window);

    explicit EditorView(const korvan::IndexedImage& buffer)
    {
        Window.setFixedSize(640, 462);
        Image->setGeometry(0, 0, 640, 480);
        Image->SetBackBuffer(&buffer);
        Window.show();
    }
    ~EditorView() { Image->SetBackBuffer(nullptr); }
};

class ImagePresentationTest : public QObject {
    Q_OBJECT

    static korvan::IndexedImage Buffer(std::mt19937& rng)
    {
        korvan::IndexedImage buffer(640, 480);
        for (auto& colour : buffer.Palette)
            colour = rng() & 0xFFFFFFu;
        for (auto& pixel : buffer.Pixels)
            pixel = std::uint8_t(rng());
        return buffer;
    }

    // The first pixel the screen shows otherwise than the buffer through its palette, if any.
    static QString Mismatch(QWidget& window, TImage& image, const korvan::IndexedImage& buffer, QSize shown)
    {
        image.CurrentPresenter().WaitUntilShown();
        const QImage grabbed = QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
        const QPoint origin = image.mapTo(&window, QPoint(0, 0));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb expected =
                    buffer.Palette[buffer.Pixels[std::size_t(y) * std::size_t(buffer.Width) + std::size_t(x)]] | 0xFF000000u;
                const QRgb actual = grabbed.pixel(origin + QPoint(x, y));
                if (actual != expected)
                    return QString("pixel %1,%2: %3 against %4").arg(x).arg(y).arg(actual, 8, 16).arg(expected, 8, 16);
            }
        return QString();
    }

    // The window as the screen shows it, compared with the buffer through its palette; with
    // KORVAN_EXPECT_DIRECT set, shown from shared memory unless the test made it fall back.
    static void VerifyShown(QWidget& window, TImage& image, const korvan::IndexedImage& buffer, QSize shown,
                            bool direct = true)
    {
        if (direct && qEnvironmentVariableIsSet("KORVAN_EXPECT_DIRECT"))
            QVERIFY(image.PresentsDirectly());
        const QString mismatch = Mismatch(window, image, buffer, shown);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

private slots:
    void everyShownPixelIsItsPaletteColour_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("image");
        const QSize whole(640, 480);
        QTest::newRow("at the origin, last rows hidden as in the editor") << QPoint(0, 0) << QSize(640, 462) << whole;
        QTest::newRow("below a bar, whole") << QPoint(0, 21) << QSize(640, 501) << whole;
        QTest::newRow("offset on both axes, cut right and below") << QPoint(7, 13) << QSize(500, 300) << whole;
        QTest::newRow("smaller than the buffer")
            << QPoint(0, 0) << QSize(400, 300) << QSize(400, 300);
    }
    void everyShownPixelIsItsPaletteColour()
    {
        QFETCH(QPoint, position);
        QFETCH(QSize, client);
        QFETCH(QSize, image);
        std::mt19937 rng(7);
        korvan::IndexedImage buffer = Buffer(rng);
        QWidget window;
        window.setFixedSize(client);
        auto* view = new TImage(&window);
        view->setGeometry(QRect(position, image));
        view->SetBackBuffer(&buffer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize shown(std::min(image.width(), client.width() - position.x()),
                          std::min(image.height(), client.height() - position.y()));
        for (int frame = 0; frame < 3; ++frame) {
            // A new frame, and on the third a new palette, as a newly loaded Black.BMP brings.
            for (auto& pixel : buffer.Pixels)
                pixel = std::uint8_t(rng());
            if (frame == 2)
                buffer = Buffer(rng);
            // As the frame tick puts it, then as an exposure paints it.
            view->Present();
            VerifyShown(window, *view, buffer, shown);
            view->repaint();
            VerifyShown(window, *view, buffer, shown);
        }
        view->SetBackBuffer(nullptr);
    }

    // Frames put on screen as the frame tick does: only what changed is sent, tiles of 16 rows by
    // 64 columns holding a change. Qt repaints the rows of those tiles whole; from shared memory
    // the tiles alone go to the server.
    void presentRepaintsWhatChangedOnly_data()
    {
        using Change = FrameChange;
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("maxRows");   // through Qt, whole rows of the view; -1: the whole view
        QTest::addColumn<int>("maxTiles");  // from shared memory; -1: the whole view
        QTest::newRow("the same frame again: nothing painted") << Change([](auto&, auto&) {}) << 0 << 0;
        QTest::newRow("one pixel: its band of rows, its tile")
            << Change([](auto& b, auto&) { b.Pixels[200 * 640 + 333] ^= 1; }) << TileHeight << 1;
        QTest::newRow("a rectangle, first row and column shown: its bands, its tiles")
            << Change([](auto& b, auto&) {
                   for (int y = 0; y < 30; ++y)
                       for (int x = 0; x < 50; ++x)
                           b.Pixels[std::size_t(y) * 640 + std::size_t(x)] ^= std::uint8_t(x == 0 || y == 29 ? 1 : 0);
               })
            << 2 * TileHeight << 2;
        QTest::newRow("two far corners, last row and column shown: the rows between, three tiles")
            << Change([](auto& b, auto&) {
                   b.Pixels[100 * 640 + 600] ^= 1;
                   b.Pixels[461 * 640 + 639] ^= 1;
                   b.Pixels[300 * 640 + 620] ^= 1;
               })
            << 462 - 96 << 3;
        QTest::newRow("a hidden row only: nothing painted")
            << Change([](auto& b, auto&) { b.Pixels[470 * 640 + 10] ^= 1; }) << 0 << 0;
        QTest::newRow("pixels scattered over rows 100-299 of the left half: their bands, their tiles")
            << Change([](auto& b, auto& rng) {
                   for (int k = 0; k < 300; ++k)
                       b.Pixels[(100 + rng() % 200) * 640 + rng() % 320] ^= std::uint8_t(1 + rng() % 255);
               })
            << 304 - 96 << (304 - 96) / TileHeight * (320 / TileWidth);
        QTest::newRow("a new palette: everything painted") << Change([](auto& b, auto&) { b.Palette[9] ^= 0x10203u; })
                                                           << -1 << -1;
    }
    void presentRepaintsWhatChangedOnly()
    {
        QFETCH(FrameChange, change);
        QFETCH(int, maxRows);
        QFETCH(int, maxTiles);
        std::mt19937 rng(11);
        korvan::IndexedImage buffer = Buffer(rng);
        EditorView view(buffer);
        QWidget& window = view.Window;
        TImage* image = view.Image;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        image->Present();
        VerifyShown(window, *image, buffer, QSize(640, 462));
        PaintRecorder recorder;
        image->installEventFilter(&recorder);
        const qsizetype whole = 640 * 462;
        const qsizetype most = image->PresentsDirectly() ? (maxTiles < 0 ? whole : maxTiles * TileWidth * TileHeight)
                                                         : (maxRows < 0 ? whole : maxRows * 640);
        for (int frame = 0; frame < 3; ++frame) {
            recorder.Painted.clear();
            change(buffer, rng);
            image->Present();
            VerifyShown(window, *image, buffer, QSize(640, 462));
            // What Qt painted, seen from outside, or what went to the server from shared memory.
            qsizetype painted = 0;
            for (const QRegion& region : recorder.Painted)
                for (const QRect& rect : region)
                    painted += qsizetype(rect.width()) * rect.height();
            if (image->PresentsDirectly())
                for (const QRect& rect : image->CurrentPresenter().LastPut())
                    painted += qsizetype(rect.width()) * rect.height();
            if (most == whole)
                QCOMPARE(painted, whole);
            else
                QVERIFY2(painted <= most, qPrintable(QString("%1 pixels painted, %2 at most").arg(painted).arg(most)));
        }
    }

    // Frames that come back, as an idle view's water cycle brings them: each is shown exactly.
    // On a shared-memory display a frame met again converts nothing: a frame the frame cache
    // names, always; any other, when it comes back after a cycle of pictures. A new palette with
    // only a part exposed before the next frame still shows whole.
    void framesThatComeBackAreShownAndNotConvertedAgain_data()
    {
        QTest::addColumn<QList<int>>("cycle");  // the frames, by number, over and over
        QTest::addColumn<bool>("named");
        const QList<std::pair<const char*, QList<int>>> cycles = {
            {"still", {0}},
            {"period 2", {0, 1}},
            {"period 3", {0, 1, 2}},
            {"period 6, repeats inside", {0, 0, 1, 2, 2, 3}},
            {"period 4", {0, 1, 2, 3}},
            {"in no order", {0, 1, 2, 0, 2, 1, 3, 1, 0, 3}}};
        for (const auto& [name, cycle] : cycles) {
            QTest::newRow(name) << cycle << false;
            QTest::newRow(qPrintable(QString(name) + ", named")) << cycle << true;
        }
    }
    void framesThatComeBackAreShownAndNotConvertedAgain()
    {
        QFETCH(QList<int>, cycle);
        QFETCH(bool, named);
        std::mt19937 rng(5);
        const korvan::IndexedImage first = Buffer(rng);
        std::vector<korvan::IndexedImage> frames(4, first);
        // Water here and there, in rows of each frame's own: which rows change on screen depends
        // on the frame before.
        for (std::size_t k = 1; k < frames.size(); ++k)
            for (int n = 0; n < 2000; ++n)
                frames[k].Pixels[(100 * k - 80 + rng() % 50) * 640 + rng() % 640] ^= std::uint8_t(1 + rng() % 255);
        korvan::IndexedImage buffer = first;
        EditorView view(buffer);
        QWidget& window = view.Window;
        TImage* image = view.Image;
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const bool periodDividesSix = 6 % cycle.size() == 0;
        std::set<int> met;  // named frames converted since the last new palette
        for (int tick = 0; tick < 24; ++tick) {
            if (tick == 13) {  // a new palette, and a part exposed before the frame
                for (auto& frame : frames)
                    frame.Palette[frame.Pixels[0]] ^= 0x304050u;
                buffer.Palette = frames[0].Palette;
                image->repaint(QRect(10, 10, 40, 40));
                met.clear();
            }
            const int number = cycle[tick % cycle.size()];
            const bool changed = buffer.Pixels != frames[std::size_t(number)].Pixels;
            buffer = frames[std::size_t(number)];
            image->Present(named ? std::uint64_t(number) + 1 : 0);
            if (tick % 4 == 0 || tick >= 13)
                VerifyShown(window, *image, buffer, QSize(640, 462));
            if (!image->PresentsDirectly())
                continue;
            if (!changed && tick != 0 && tick != 13)
                QVERIFY(image->CurrentPresenter().LastPut().empty());
            if (changed)
                QVERIFY(!image->CurrentPresenter().LastPut().empty());
            if (named) {
                if (!met.insert(number).second)
                    QCOMPARE(image->CurrentPresenter().LastConverted(), std::size_t(0));
                continue;
            }
            const bool metBefore = (tick >= 6 && tick < 13) || tick >= 19;
            if (periodDividesSix && metBefore)
                QCOMPARE(image->CurrentPresenter().LastConverted(), std::size_t(0));
            else if (changed && cycle.size() == 4 && tick >= 6)  // six frames back was another
                QVERIFY(image->CurrentPresenter().LastConverted() > 0);
        }
    }

    // The tiles sent for a change: every changed pixel of the area in one, none overlapping,
    // none outside the area, and each tile of them holding a change (neighbours joined).
    void changedTilesHoldEveryChangeAndNothingElse()
    {
        std::mt19937 rng(3);
        const int stride = 300;
        for (int round = 0; round < 40; ++round) {
            std::vector<std::uint8_t> shown(std::size_t(stride) * 200), current;
            for (auto& pixel : shown)
                pixel = std::uint8_t(rng());
            current = shown;
            const int changes = round % 4 == 0 ? 0 : int(rng() % 400);
            for (int k = 0; k < changes; ++k)
                current[rng() % current.size()] ^= std::uint8_t(1 + rng() % 255);
            const QRect area(int(rng() % 40), int(rng() % 30), 150 + int(rng() % 110), 100 + int(rng() % 70));
            const std::vector<QRect> tiles = ChangedTiles(shown.data(), current.data(), stride, area);
            QRegion covered;
            for (const QRect& tile : tiles) {
                QVERIFY(area.contains(tile));
                QVERIFY(!covered.intersects(tile));
                covered += tile;
                for (int left = tile.left(); left <= tile.right(); left += TileWidth) {
                    bool changed = false;
                    for (int y = tile.top(); y <= tile.bottom(); ++y)
                        for (int x = left; x <= std::min(left + TileWidth - 1, tile.right()); ++x)
                            changed |= shown[std::size_t(y * stride + x)] != current[std::size_t(y * stride + x)];
                    QVERIFY2(changed, "a tile without a change");
                }
            }
            for (int y = 0; y < 200; ++y)
                for (int x = 0; x < stride; ++x)
                    if (shown[std::size_t(y * stride + x)] != current[std::size_t(y * stride + x)])
                        QCOMPARE(covered.contains(QPoint(x, y)), area.contains(QPoint(x, y)));
        }
    }

    // The view resized between frames, smaller and larger than its buffer, as the editor does
    // between the intro and the map: each frame shows whole at each size.
    void aResizedViewShowsEachFrameWhole()
    {
        std::mt19937 rng(13);
        korvan::IndexedImage buffer = Buffer(rng);
        QWidget window;
        window.setFixedSize(700, 500);
        auto* image = new TImage(&window);
        image->setGeometry(0, 0, 640, 480);
        image->SetBackBuffer(&buffer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QSize size : {QSize(640, 480), QSize(320, 200), QSize(700, 500), QSize(640, 462)}) {
            image->resize(size);
            for (int frame = 0; frame < 2; ++frame) {
                for (int n = 0; n < 5000; ++n)
                    buffer.Pixels[rng() % buffer.Pixels.size()] = std::uint8_t(rng());
                image->Present();
                VerifyShown(window, *image, buffer, size.boundedTo(QSize(640, 480)));
            }
        }
        image->SetBackBuffer(nullptr);
    }

    // A window of another program over the view, then gone: the X server asks for the part it
    // uncovered again (the view's own window keeps no copy of it), and it shows the buffer again.
    void anExposedPartShowsTheBufferAgain()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("exposures come from an X server; this platform has none");
        std::mt19937 rng(17);
        korvan::IndexedImage buffer = Buffer(rng);
        EditorView view(buffer);
        QVERIFY(QTest::qWaitForWindowExposed(&view.Window));
        view.Image->Present();
        VerifyShown(view.Window, *view.Image, buffer, QSize(640, 462));
        QWidget cover;
        cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        cover.setAutoFillBackground(true);
        QPalette red = cover.palette();
        red.setColor(QPalette::Window, Qt::red);
        cover.setPalette(red);
        cover.setGeometry(QRect(view.Image->mapToGlobal(QPoint(100, 50)), QSize(300, 200)));
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTRY_VERIFY(!Mismatch(view.Window, *view.Image, buffer, QSize(640, 462)).isEmpty());  // covered
        cover.hide();
        QTRY_VERIFY(Mismatch(view.Window, *view.Image, buffer, QSize(640, 462)).isEmpty());
        VerifyShown(view.Window, *view.Image, buffer, QSize(640, 462));
    }

    // The X server refuses a put from shared memory for another reason than a window gone (here
    // its segment was freed behind the editor's back): it says so once on standard error, and Qt
    // paints the view from then on, each frame exact.
    void aRefusedPutFallsBackToQtPainting()
    {
        std::mt19937 rng(19);
        korvan::IndexedImage buffer = Buffer(rng);
        EditorView view(buffer);
        QVERIFY(QTest::qWaitForWindowExposed(&view.Window));
        const auto change = [&] {
            for (int n = 0; n < 3000; ++n)
                buffer.Pixels[rng() % buffer.Pixels.size()] = std::uint8_t(rng());
        };
        for (int frame = 0; frame < ShmPresenter::Pictures; ++frame) {  // every picture shared
            change();
            view.Image->Present();
        }
        if (!view.Image->PresentsDirectly())
            QSKIP("Qt paints the frames here: KORVAN_PRESENT=qt, or no X server that shares memory with a 24-bit TrueColor visual");
        auto& shm = static_cast<ShmPresenter&>(view.Image->CurrentPresenter()).Connection();
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        for (int index = 0; index < ShmPresenter::Pictures; ++index)
            if (const std::uint32_t segment = shm.SegmentName(index))
                xcb_shm_detach(other, segment);
        std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
        xcb_disconnect(other);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("the X server refused a frame"));
        for (int frame = 0; frame < 4; ++frame) {
            change();
            view.Image->Present();
            // The refusal comes back with the put; once it is in, the next frame is Qt's.
            view.Image->CurrentPresenter().WaitUntilShown();
            if (frame > 0) {
                QVERIFY(!view.Image->PresentsDirectly());
                VerifyShown(view.Window, *view.Image, buffer, QSize(640, 462), false);
            }
        }
        view.Image->repaint(QRect(30, 30, 100, 100));
        VerifyShown(view.Window, *view.Image, buffer, QSize(640, 462), false);
    }

    // A picture is written again only once the server has read the last put from it: with the
    // server held by another connection, getting the picture waits until it is let go.
    void aPictureIsWrittenOnlyOnceTheServerReadIt()
    {
        auto shm = ShmConnection::Open();
        if (!shm)
            QSKIP("no X server that shares memory with a 24-bit TrueColor visual, or KORVAN_PRESENT=qt");
        QWidget window;
        window.setFixedSize(64, 48);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(shm->Attach(std::uint32_t(window.winId())));
        QVERIFY(shm->Picture(QSize(64, 48), 0) != nullptr);
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        xcb_grab_server(other);
        std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));  // held from here
        shm->Put({QRect(0, 0, 64, 48)}, 0);
        std::atomic<bool> got = false;
        std::thread writer([&] {
            shm->Picture(QSize(64, 48), 0);
            got = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const bool waited = !got;
        xcb_ungrab_server(other);
        xcb_flush(other);
        writer.join();
        xcb_disconnect(other);
        QVERIFY2(waited, "the picture was handed out while the server could not have read it");
        QVERIFY(got);
    }

    // A window that went away while its frame was on the way answers the put with an error,
    // not a completion: waiting for the server must end all the same.
    void aPutIntoAWindowGoneEndsTheWait()
    {
        auto presenter = ShmConnection::Open();
        if (!presenter)
            QSKIP("no X server that shares memory with a 24-bit TrueColor visual, or KORVAN_PRESENT=qt");
        QWidget window;
        window.setFixedSize(64, 48);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(presenter->Attach(std::uint32_t(window.winId())));
        QImage* picture = presenter->Picture(QSize(64, 48), 0);
        QVERIFY(picture != nullptr);
        picture->fill(Qt::red);
        window.windowHandle()->destroy();
        // Qt's own connection: once this answer is back, the server has destroyed the window.
        xcb_connection_t* qt = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
        presenter->Put({QRect(0, 0, 64, 48), QRect(0, 0, 10, 10)}, 0);
        presenter->WaitForServer();
        QVERIFY(presenter->Picture(QSize(64, 48), 0) != nullptr);
    }
};

QTEST_MAIN(ImagePresentationTest)
#include "image_presentation_test.moc"
