// Image1 on screen: every shown pixel of the window is the back buffer's index looked up in its
// palette, frame after frame, wherever the image sits in its window and whatever part is shown.
#include "TImage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <random>

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

    // The window as the screen shows it, compared with the buffer through its palette.
    static void VerifyShown(QWidget& window, const TImage& image, const korvan::IndexedImage& buffer, QSize shown)
    {
        const QImage grabbed = QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage();
        const QPoint origin = image.mapTo(&window, QPoint(0, 0));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb expected = buffer.Palette[buffer.Pixels[std::size_t(y) * 640 + std::size_t(x)]] | 0xFF000000u;
                const QRgb actual = grabbed.pixel(origin + QPoint(x, y));
                if (actual != expected)
                    QFAIL(qPrintable(QString("pixel %1,%2: %3 against %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(actual, 8, 16)
                                         .arg(expected, 8, 16)));
            }
    }

private slots:
    void everyShownPixelIsItsPaletteColour_data()
    {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QSize>("client");
        QTest::newRow("at the origin, last rows hidden as in the editor") << QPoint(0, 0) << QSize(640, 462);
        QTest::newRow("below a bar, whole") << QPoint(0, 21) << QSize(640, 501);
        QTest::newRow("offset on both axes, cut right and below") << QPoint(7, 13) << QSize(500, 300);
    }
    void everyShownPixelIsItsPaletteColour()
    {
        QFETCH(QPoint, position);
        QFETCH(QSize, client);
        std::mt19937 rng(7);
        korvan::IndexedImage buffer = Buffer(rng);
        QWidget window;
        window.setFixedSize(client);
        auto* image = new TImage(&window);
        image->setGeometry(QRect(position, QSize(640, 480)));
        image->SetBackBuffer(&buffer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize shown(std::min(640, client.width() - position.x()), std::min(480, client.height() - position.y()));
        for (int frame = 0; frame < 3; ++frame) {
            // A new frame, and on the third a new palette, as a newly loaded Black.BMP brings.
            for (auto& pixel : buffer.Pixels)
                pixel = std::uint8_t(rng());
            if (frame == 2)
                buffer = Buffer(rng);
            image->repaint();
            VerifyShown(window, *image, buffer, shown);
        }
        image->SetBackBuffer(nullptr);
    }
};

QTEST_MAIN(ImagePresentationTest)
#include "image_presentation_test.moc"
