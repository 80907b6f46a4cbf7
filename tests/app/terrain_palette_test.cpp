// The terrain palette: the compiled-in legend picture against the Territ sheet, and the names beside it.
#include "app/SecondaryWindowLookup.h"

#include "windows/SecondaryWindows.h"

#include <QLabel>
#include <QTest>

namespace {

constexpr int TileStep = 33;
constexpr int FrameIndex = 254;

double TileMiddle(int terrain) { return TileStep * terrain + 16.5; }  // rows 33t+1 .. 33t+32

const char* const NameControls[10] = {"StaticText1", "StaticText3", "StaticText2", "StaticText4", "StaticText5",
                                      "StaticText6", "StaticText7", "StaticText8", "StaticText9", "StaticText10"};

}  // namespace

class TerrainPaletteTest : public QObject {
    Q_OBJECT

    QImage legend_;

private slots:
    void initTestCase()
    {
        CreateSecondaryWindows();
        legend_ = QImage(":/pictures/TerrainLegend.bmp");
        QVERIFY2(!legend_.isNull(), "the legend picture is not compiled in");
    }
    void cleanupTestCase() { DestroySecondaryWindows(); }

    void legendIsAnIndexedPictureInTheTerritLayout()
    {
        QCOMPARE(legend_.size(), QSize(66, 331));
        QCOMPARE(legend_.format(), QImage::Format_Indexed8);
        QCOMPARE(QColor(legend_.color(FrameIndex)).rgb(), QColor(0, 255, 0).rgb());
        for (int y = 0; y < legend_.height(); ++y) {
            for (int x = 0; x < legend_.width(); ++x) {
                const int index = legend_.pixelIndex(x, y);
                const bool frame = x == 0 || x == 65 || y % TileStep == 0;
                if (frame)
                    QVERIFY2(index == FrameIndex, qPrintable(QString("frame pixel %1,%2 is %3").arg(x).arg(y).arg(index)));
                else
                    QVERIFY2(index < 240, qPrintable(QString("tile pixel %1,%2 is %3").arg(x).arg(y).arg(index)));
            }
        }
    }

    void legendTilesAreDiamondsWithFullMiddleRows()
    {
        for (int terrain = 0; terrain < 10; ++terrain) {
            const int top = TileStep * terrain + 1;
            for (int row : {15, 16})
                for (int x = 1; x <= 64; ++x)
                    QVERIFY2(legend_.pixelIndex(x, top + row) != 0, qPrintable(QString("tile %1 row %2").arg(terrain).arg(row)));
            // The corners of each cell are background, outside the diamond.
            for (QPoint corner : {QPoint(1, top), QPoint(64, top), QPoint(1, top + 31), QPoint(64, top + 31)})
                QCOMPARE(legend_.pixelIndex(corner), 0);
        }
    }

    void seaTileUsesOnlyWaterBlues()
    {
        for (int y = 9 * TileStep + 1; y < 10 * TileStep; ++y)
            for (int x = 1; x <= 64; ++x) {
                const int index = legend_.pixelIndex(x, y);
                QVERIFY2(index == 0 || (index >= 68 && index <= 75), qPrintable(QString("%1,%2 is %3").arg(x).arg(y).arg(index)));
            }
    }

    // The legend shows the very tiles the map is drawn with.
    void legendMatchesTheTerritSheet()
    {
        const QImage territ(KORVAN_RUN_DIR "/Graphic/Territ.BMP");
        QVERIFY2(!territ.isNull(), "Graphic/Territ.BMP was not generated");
        QCOMPARE(territ.format(), QImage::Format_Indexed8);
        QVERIFY(territ.width() >= 66 && territ.height() >= 331);
        for (int terrain = 0; terrain < 10; ++terrain) {
            const int top = TileStep * terrain;
            for (QPoint p : {QPoint(32, 16), QPoint(1, 15), QPoint(64, 16), QPoint(31, 2), QPoint(32, 30), QPoint(20, 10),
                             QPoint(45, 22), QPoint(0, 0), QPoint(0, 0)})
                QCOMPARE(legend_.pixelIndex(p.x(), top + p.y()), territ.pixelIndex(p.x(), top + p.y()));
        }
    }

    void pictureIsDrawnUnscaledAtTheOrigin()
    {
        QWidget* window = SecondaryWindow("Tiles_Terreno");
        const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < legend_.height(); y += 7)
            for (int x = 0; x < legend_.width(); x += 5)
                QCOMPARE(drawn.pixelColor(x, y).rgb(), legend_.pixelColor(x, y).rgb());
    }

    // Each name sits beside its tile: the control's middle and the middle of its drawn ink.
    void namesLineUpWithTheirTiles()
    {
        QWidget* window = SecondaryWindow("Tiles_Terreno");
        const QImage drawn = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int terrain = 0; terrain < 10; ++terrain) {
            auto* name = ControlOf<QLabel>("Tiles_Terreno", NameControls[terrain]);
            QVERIFY(name != nullptr);
            const QRect box = name->geometry();
            const double middle = box.top() + box.height() / 2.0;
            QVERIFY2(std::abs(middle - TileMiddle(terrain)) <= 4.0, NameControls[terrain]);
            int first = -1;
            int last = -1;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    if (qGray(drawn.pixel(x, y)) < 96) {
                        first = first < 0 ? y : first;
                        last = y;
                        break;
                    }
            QVERIFY2(first >= 0, NameControls[terrain]);
            QVERIFY2(std::abs((first + last) / 2.0 - TileMiddle(terrain)) <= 4.0,
                     qPrintable(QString("%1: ink rows %2..%3").arg(NameControls[terrain]).arg(first).arg(last)));
        }
    }
};

QTEST_MAIN(TerrainPaletteTest)
#include "terrain_palette_test.moc"
