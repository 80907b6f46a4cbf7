// The editor's tools through real Qt events: the four tile windows' palettes and the terrain
// legend choose the brush, the overview (M) moves the view, the middle button takes a tile, and
// none of them changes a map byte, asks about unsaved changes or leaves anything to take back.
#include "AppFixture.h"
#include "SecondaryWindows.h"
#include "TImage.h"
#include "TilePaletteView.h"
#include "Window_Panoramica.h"
#include "Window_Tiles_Fiumi.h"
#include "Window_Tiles_Risorse.h"
#include "Window_Tiles_Status_Terreno.h"
#include "Window_Tiles_Strade.h"
#include "Window_Tiles_Terreno.h"

#include "edit/Brush.h"
#include "edit/BrushModes.h"
#include "render/Overview.h"

#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QtTest>

#include <cstring>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::UseOfflineMusic;

namespace {

struct PaletteWindow {
    const char* menuItem;
    QWidget* (*window)();
    TilePaletteView* (*palette)();
    int mode;
};

const PaletteWindow PaletteWindows[] = {
    {"ilesRisorse1", [] { return static_cast<QWidget*>(Form_Tiles_Risorse); }, [] { return Form_Tiles_Risorse->Palette; },
     korvan::TerrainMode},
    {"SpritesUnit1", [] { return static_cast<QWidget*>(Form_Tiles_Fiumi); }, [] { return Form_Tiles_Fiumi->Palette; },
     korvan::QuadriMode},
    {"ilesStrade1", [] { return static_cast<QWidget*>(Form_Tiles_Strade); }, [] { return Form_Tiles_Strade->Palette; },
     korvan::UnitsMode},
    {"ilesStTerreno1", [] { return static_cast<QWidget*>(Form_Tiles_Status_Terreno); },
     [] { return Form_Tiles_Status_Terreno->Palette; }, korvan::LandsMode},
};

QPoint CentreOf(const korvan::PaletteRect& r) { return {r.X + r.Width / 2, r.Y + r.Height / 2}; }

// A left press at a point; QTest takes (0, 0) for "the widget's centre".
void PressAt(QWidget* widget, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CollectedErrors> errors_;
    std::unique_ptr<TForm_Main> form_;
    korvan::MapGrid cells_{};
    std::uint64_t version_ = 0;

    korvan::Editor& Editor() { return form_->State(); }
    void Tick() { form_->Timer1Timer(); form_->Timer1->stop(); }

    // Nothing the tools do may touch the map or its history.
    void MapUntouched()
    {
        QVERIFY(std::memcmp(&cells_, &Editor().Cells, sizeof cells_) == 0);
        QCOMPARE(Editor().CellsVersion, version_);
        QVERIFY(!korvan::HasUnsavedChanges(Editor().History));
        QVERIFY(!korvan::Undo(korvan::ChangeCells(Editor()), Editor().History));
    }

private slots:
    void initTestCase() { CreateSecondaryWindows(); }
    void cleanupTestCase() { DestroySecondaryWindows(); }

    void init()
    {
        errors_ = std::make_unique<CollectedErrors>();
        form_ = std::make_unique<TForm_Main>();
        UseOfflineMusic(*form_);
        RunIntro(*form_);
        cells_ = Editor().Cells;
        version_ = Editor().CellsVersion;
    }
    void cleanup()
    {
        for (const PaletteWindow& w : PaletteWindows)
            w.window()->hide();
        Form_Tiles_Terreno->hide();
        form_.reset();
        QCOMPARE(errors_->Texts, QStringList());
        errors_.reset();
    }

    void EachMenuEntryShowsItsPaletteAndEveryTileChoosesItsBrush()
    {
        for (const PaletteWindow& w : PaletteWindows) {
            form_->Item(w.menuItem)->trigger();
            QWidget* window = w.window();
            QVERIFY2(window->isVisible(), w.menuItem);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            TilePaletteView* palette = w.palette();
            QCOMPARE(palette->Layout().Mode, w.mode);
            QVERIFY2(palette->Layout().Width <= window->width(), w.menuItem);
            auto* area = window->findChild<QScrollArea*>("PaletteArea");
            QVERIFY(area != nullptr);
            QCOMPARE(area->geometry(), window->rect());
            for (int item = palette->Layout().Items - 1; item >= 0; --item) {
                area->ensureVisible(CentreOf(korvan::PaletteCell(palette->Layout(), item)).x(),
                                    CentreOf(korvan::PaletteCell(palette->Layout(), item)).y());
                QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier, CentreOf(korvan::PaletteCell(palette->Layout(), item)));
                QCOMPARE(Editor().EditMode, w.mode);
                QCOMPARE(korvan::ItemOfMode(Editor(), w.mode), item);
                QCOMPARE(palette->Selected(), item);  // marked at once, before any frame
                QVERIFY(palette->Current());
            }
            // A press between the tiles, or with another button, chooses nothing.
            korvan::ItemOfMode(Editor(), w.mode) = 1;
            QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
            QTest::mouseClick(palette, Qt::RightButton, Qt::NoModifier, CentreOf(korvan::PaletteCell(palette->Layout(), 0)));
            QCOMPARE(korvan::ItemOfMode(Editor(), w.mode), 1);
        }
        MapUntouched();
    }

    void LegendChoosesTheGroundByItsTileOrItsName()
    {
        form_->Item("ilesTerreno1")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(Form_Tiles_Terreno));
        for (int terrain = 9; terrain >= 0; --terrain) {
            Editor().EditMode = korvan::UnitsMode;
            // On the tile: the press goes to the picture, which passes it to the window.
            const QPoint at(33, 33 * terrain + 16);
            QWidget* picture = Form_Tiles_Terreno->childAt(at);
            QCOMPARE(picture, static_cast<QWidget*>(Form_Tiles_Terreno->Image1));
            QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, picture->mapFrom(Form_Tiles_Terreno, at));
            QCOMPARE(Editor().EditMode, korvan::TerritMode);
            QCOMPARE(Editor().ItemTerrit, terrain);
            QCOMPARE(Form_Tiles_Terreno->Selected(), terrain);
        }
        // A click on a name reaches the window through the label.
        QLabel* name = Form_Tiles_Terreno->TerrainNames[7];
        QTest::mouseClick(name, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(Editor().ItemTerrit, 7);
        MapUntouched();
    }

    void PalettesFollowKeysRightClicksAndNewMaps()
    {
        Tick();
        QCOMPARE(Form_Tiles_Status_Terreno->Palette->Selected(), 0);
        QVERIFY(!Form_Tiles_Status_Terreno->Palette->Current());
        QVERIFY(Form_Tiles_Strade->Palette->Current());  // the start brush: units
        QTest::keyClick(form_.get(), Qt::Key_2);
        QTest::keyClick(form_.get(), Qt::Key_Backslash);  // units -> coast pieces
        Tick();
        QCOMPARE(Form_Tiles_Status_Terreno->Palette->Selected(), 1);
        QVERIFY(Form_Tiles_Fiumi->Palette->Current());
        QVERIFY(!Form_Tiles_Strade->Palette->Current());
        QTest::mouseClick(form_->Image1, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
        Tick();
        QCOMPARE(Form_Tiles_Fiumi->Palette->Selected(), 1);
        QTest::keyClick(form_.get(), Qt::Key_1);
        Tick();
        QCOMPARE(Form_Tiles_Terreno->Selected(), 1);
        form_->Item("NuovaMappa1")->trigger();
        Tick();
        QCOMPARE(Form_Tiles_Fiumi->Palette->Selected(), 0);
        QCOMPARE(Form_Tiles_Terreno->Selected(), 0);
        QVERIFY(Form_Tiles_Strade->Palette->Current());
    }

    void MiddleButtonTakesTheTileAndTheNextPressPaintsIt()
    {
        korvan::Editor& editor = Editor();
        editor.ScrollX = 0;
        editor.ScrollY = 0;
        editor.EditMode = korvan::LandsMode;
        editor.ItemLands = 3;
        // Cell (3, 4) is anchored at (231, 19); the pointer over its middle.
        korvan::ChangeCells(editor)[3][4].LandsTile = 44;
        cells_ = editor.Cells;
        version_ = editor.CellsVersion;
        korvan::StartHistory(editor.History);
        QTest::mouseMove(form_->Image1, QPoint(231 + 34, 19 + 20 + 1));
        QTest::mouseClick(form_->Image1, Qt::MiddleButton, Qt::NoModifier, QPoint(231 + 34, 19 + 20 + 1));
        QCOMPARE(editor.ItemLands, 44);
        MapUntouched();
        Tick();
        QCOMPARE(Form_Tiles_Status_Terreno->Palette->Selected(), 44);
        // Cell (3, 8), anchored at (363, 83).
        QTest::mouseMove(form_->Image1, QPoint(363 + 34, 83 + 20 + 1));
        QTest::mouseClick(form_->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(363 + 34, 83 + 20 + 1));
        QCOMPARE(int(editor.Cells[3][8].LandsTile), 44);
    }

    void KeyMOpensAndClosesTheOverviewWhichMovesTheView()
    {
        QVERIFY(form_->Panoramica == nullptr);
        QTest::keyClick(form_.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(form_->Panoramica == nullptr);
        QTest::keyClick(form_.get(), Qt::Key_M);
        QVERIFY(form_->Panoramica != nullptr);
        TForm_Panoramica* overview = form_->Panoramica;
        QVERIFY(overview->isVisible());
        QCOMPARE(overview->windowTitle(), QString("Panoramica Mappa (tasto M)"));
        QCOMPARE(overview->size(), QSize(korvan::OverviewWidth, korvan::OverviewHeight));
        QVERIFY(QTest::qWaitForWindowExposed(overview));
        const struct {
            QPoint at;
            int scrollX, scrollY;
        } clicks[] = {{{0, 0}, 65, 1990},
                      {{korvan::OverviewWidth - 1, 0}, -7480, 1990},
                      {{0, korvan::OverviewHeight - 1}, 65, -1578},
                      {{korvan::OverviewWidth - 1, korvan::OverviewHeight - 1}, -7480, -1578},
                      {{256, 126}, 320 - 4039, 231 - 34}};
        for (const auto& click : clicks) {
            PressAt(overview, click.at);
            QCOMPARE(Editor().ScrollX, click.scrollX);
            QCOMPARE(Editor().ScrollY, click.scrollY);
            const korvan::OverviewRect view = overview->View();
            QVERIFY(click.at.x() >= view.X && click.at.x() < view.X + view.Width);
            QVERIFY(click.at.y() >= view.Y && click.at.y() < view.Y + view.Height);
        }
        // A drag follows the pointer; the frame tick's clamp keeps the view where it was put.
        QTest::mousePress(overview, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QMouseEvent drag(QEvent::MouseMove, QPointF(300, 120), overview->mapToGlobal(QPointF(300, 120)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(overview, &drag);
        QTest::mouseRelease(overview, Qt::LeftButton, Qt::NoModifier, QPoint(300, 120));
        const auto expected = korvan::ScrollForOverviewPoint(Editor(), 300, 120);
        QCOMPARE(Editor().ScrollX, expected.X);
        Editor().CursorX = 300;  // outside the edge bands
        Editor().CursorY = 200;
        Tick();
        QCOMPARE(Editor().ScrollX, expected.X);
        QCOMPARE(Editor().ScrollY, expected.Y);
        // Edge scrolling moves the frame in the overview.
        const korvan::OverviewRect before = overview->View();
        Editor().CursorX = -5;
        Tick();
        QCOMPARE(overview->View().X, korvan::ViewInOverview(Editor()).X);
        QVERIFY(overview->View().X < before.X);
        MapUntouched();
        QTest::keyClick(form_.get(), Qt::Key_M, Qt::ShiftModifier);
        QVERIFY(!overview->isVisible());
        QTest::keyClick(form_.get(), Qt::Key_M);
        QVERIFY(overview->isVisible());
        QCOMPARE(form_->Panoramica, overview);
    }

    void OverviewFollowsEditsAndNewMaps()
    {
        Editor().ScrollX = -800;
        Editor().ScrollY = 0;
        Editor().CursorX = 300;
        Editor().CursorY = 211;
        QTest::keyClick(form_.get(), Qt::Key_M);
        TForm_Panoramica* overview = form_->Panoramica;
        Tick();
        const QImage first = overview->grab().toImage();
        Editor().EditMode = korvan::TerritMode;
        Editor().ItemTerrit = 8;
        for (int x = 100; x < 500; x += 33) {
            Editor().CursorX = x;
            korvan::PressMap(Editor(), korvan::MouseButton::Left);
        }
        Editor().CursorX = 300;
        Tick();
        const QImage edited = overview->grab().toImage();
        QVERIFY(edited != first);
        korvan::MarkSaved(Editor().History);  // no question before the new map
        form_->Item("NuovaMappa1")->trigger();
        Tick();
        QVERIFY(overview->grab().toImage() != edited);
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
