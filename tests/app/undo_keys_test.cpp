// Undo and redo from the keyboard: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z act on the map's record of
// presses, auto-repeat included, and never reach the brush keys.
#include "AppFixture.h"
#include "SaveQuestion.h"
#include "present/TImage.h"

#include "edit/Input.h"

#include <QKeyEvent>
#include <QtTest>

#include <cstring>

using korvan::testing::CollectedErrors;
using korvan::testing::RunIntro;
using korvan::testing::UseOfflineMusic;

namespace {

bool SameCells(const korvan::MapGrid& a, const korvan::MapGrid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

class UndoKeysTest : public QObject {
    Q_OBJECT

private slots:
    void KeysWalkTheRecordAndLeaveTheBrushAlone()
    {
        CollectedErrors errors;
        TForm_Main form;
        UseOfflineMusic(form);
        RunIntro(form);
        korvan::Editor& editor = form.State();
        // Three presses on three cells, each grid kept to compare with.
        std::vector<korvan::MapGrid> grids{editor.Map.Cells};
        editor.Brush.EditMode = 0;
        for (auto [row, col] : {std::pair{5, 5}, {6, 6}, {7, 5}}) {
            const korvan::MapCell& cell = editor.Map.Cells[row][col];
            editor.Canvas.CursorX = cell.ScreenX + editor.Canvas.ScrollX;
            editor.Canvas.CursorY = cell.ScreenY + editor.Canvas.ScrollY;
            editor.Brush.ItemTerrit = (cell.Terrain + 3) % 10;
            form.MapClick(form.Image1, korvan::MouseButton::Left, {}, 0, 0);
            grids.push_back(editor.Map.Cells);
            QVERIFY(!SameCells(grids[grids.size() - 2], grids.back()));
        }
        const auto brush = [&] {
            return QList<int>{editor.Brush.EditMode, editor.Brush.ItemTerrit, editor.Brush.ItemLands, editor.Brush.ItemTerrain, editor.Brush.ItemUnits,
                              editor.Brush.ItemQuadri};
        };
        const QList<int> brushBefore = brush();
        const struct {
            const char* name;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            bool autoRepeat;
            int expected;  // the grid shown afterwards
        } steps[] = {
            {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, false, 2},
            {"Ctrl+Z held down", Qt::Key_Z, Qt::ControlModifier, true, 1},
            {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, false, 2},
            {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier, false, 1},
            {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, false, 2},
            {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, false, 3},
            {"Ctrl+Y past the last press", Qt::Key_Y, Qt::ControlModifier, false, 3},
            {"Z alone", Qt::Key_Z, Qt::NoModifier, false, 3},
            {"Ctrl+Alt+Z", Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier, false, 3},
            {"Ctrl+Z held down", Qt::Key_Z, Qt::ControlModifier, true, 2},
            {"Ctrl+Z held down", Qt::Key_Z, Qt::ControlModifier, true, 1},
            {"Ctrl+Z held down", Qt::Key_Z, Qt::ControlModifier, true, 0},
            {"Ctrl+Z before the first press", Qt::Key_Z, Qt::ControlModifier, false, 0},
        };
        for (const auto& step : steps) {
            const QString text = step.key == Qt::Key_Z ? "\x1a" : "\x19";
            QKeyEvent press(QEvent::KeyPress, step.key, step.modifiers, 0, 0, 0, text, step.autoRepeat);
            QCoreApplication::sendEvent(&form, &press);
            QVERIFY2(SameCells(editor.Map.Cells, grids[step.expected]), step.name);
            QCOMPARE(brush(), brushBefore);
        }
        QVERIFY(!korvan::HasUnsavedChanges(editor.History));  // back to the map as generated

        // A new map starts with nothing to take back or replay.
        QKeyEvent redo(QEvent::KeyPress, Qt::Key_Y, Qt::ControlModifier, "\x19");
        QCoreApplication::sendEvent(&form, &redo);
        QVERIFY(korvan::HasUnsavedChanges(editor.History));
        const auto saveQuestion = SetSaveQuestionPresenter([] { return SaveAnswer::DontSave; });
        form.Item("NuovaMappa1")->trigger();
        SetSaveQuestionPresenter(saveQuestion);
        const korvan::MapGrid fresh = editor.Map.Cells;
        for (Qt::Key key : {Qt::Key_Z, Qt::Key_Y}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, key == Qt::Key_Z ? "\x1a" : "\x19");
            QCoreApplication::sendEvent(&form, &press);
            QVERIFY(SameCells(editor.Map.Cells, fresh));
        }
        QVERIFY(!korvan::HasUnsavedChanges(editor.History));
        QCOMPARE(errors.Texts, QStringList());
    }
};

QTEST_MAIN(UndoKeysTest)
#include "undo_keys_test.moc"
