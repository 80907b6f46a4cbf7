// The question before unsaved edits are lost: every path that ends the program or replaces the
// map asks only when a press changed the map, and goes on only after "Non salvare" or a save that
// really wrote the file.
#include "AppFixture.h"
#include "DialogAnswer.h"
#include "SaveQuestion.h"
#include "TempFolder.h"
#include "present/TImage.h"

#include "edit/Input.h"
#include "map/MapFile.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QtTest>

#include <cstring>
#include <functional>

using korvan::testing::CollectedErrors;
using korvan::testing::DialogAnswer;
using korvan::testing::RunIntro;
using korvan::testing::TempFolder;
using korvan::testing::UseOfflineMusic;

namespace {

bool SameCells(const korvan::MapGrid& a, const korvan::MapGrid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Answers the question with the given answer and counts how often it was asked.
class ScriptedQuestion {
public:
    explicit ScriptedQuestion(SaveAnswer answer)
    {
        previous_ = SetSaveQuestionPresenter([this, answer] {
            ++Asked;
            return answer;
        });
    }
    ~ScriptedQuestion() { SetSaveQuestionPresenter(previous_); }
    int Asked = 0;

private:
    SaveQuestionPresenter previous_;
};

// Paints the cell under (5, 5)'s anchor with a ground tile it does not have: one changed byte.
void PaintOneCell(TForm_Main& form)
{
    korvan::Editor& editor = form.State();
    const korvan::MapCell& cell = editor.Map.Cells[5][5];
    editor.Canvas.CursorX = cell.ScreenX + editor.Canvas.ScrollX;
    editor.Canvas.CursorY = cell.ScreenY + editor.Canvas.ScrollY;
    editor.Brush.EditMode = 0;
    editor.Brush.ItemTerrit = (cell.Terrain + 1) % 10;
    form.MapClick(form.Image1, korvan::MouseButton::Left, {}, 0, 0);
}

}  // namespace

class UnsavedChangesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CollectedErrors> errors_;
    std::unique_ptr<TForm_Main> form_;

    // The paths that would lose the map. Each returns whether it went on.
    struct Path {
        const char* name;
        std::function<bool(TForm_Main&, QSignalSpy& exits)> run;
    };
    // A fresh program for each case: the old one (and its collected errors) goes first.
    void Restart()
    {
        cleanup();
        init();
    }

    static QList<Path> Paths()
    {
        const auto exitBy = [](const char* item) {
            return [item](TForm_Main& form, QSignalSpy& exits) {
                form.Item(item)->trigger();
                return exits.count() == 1;
            };
        };
        return {
            {"Esci Demo", exitBy("EsciGioco1")},
            {"Esci", exitBy("Esci1")},
            {"opening Uscita",
             [](TForm_Main& form, QSignalSpy& exits) {
                 emit form.TopMenus[6]->aboutToShow();
                 QCoreApplication::processEvents();  // the question waits until the drop-down is up
                 return exits.count() == 1;
             }},
            {"the close box",
             [](TForm_Main& form, QSignalSpy& exits) {
                 QCloseEvent event;
                 QCoreApplication::sendEvent(&form, &event);
                 return event.isAccepted() && exits.count() == 1;
             }},
            {"Nuova Mappa",
             [](TForm_Main& form, QSignalSpy&) {
                 const korvan::MapGrid before = form.State().Map.Cells;
                 form.Item("NuovaMappa1")->trigger();
                 return !SameCells(before, form.State().Map.Cells);
             }},
            {"Carica Mappa",
             [](TForm_Main& form, QSignalSpy&) {
                 DialogAnswer answer(form.OpenDialog1, "");  // shown only when the command goes on
                 form.Item("CaricaGioco1")->trigger();
                 return answer.Shown == 1;
             }},
        };
    }

private slots:
    void init()
    {
        errors_ = std::make_unique<CollectedErrors>();
        form_ = std::make_unique<TForm_Main>();
        UseOfflineMusic(*form_);
        RunIntro(*form_);
    }
    void cleanup()
    {
        form_.reset();
        errors_.reset();
    }

    void WithNothingUnsavedEveryPathGoesOnWithoutAsking()
    {
        for (const Path& path : Paths()) {
            Restart();
            ScriptedQuestion question(SaveAnswer::Cancel);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            QVERIFY2(path.run(*form_, exits), path.name);
            QCOMPARE(question.Asked, 0);
        }
        // A press that writes what the cell already holds, or one in mode 3 (units), changes nothing.
        Restart();
        PaintOneCell(*form_);
        korvan::Editor& editor = form_->State();
        korvan::StartHistory(editor.History);
        form_->MapClick(form_->Image1, korvan::MouseButton::Left, {}, 0, 0);
        editor.Brush.EditMode = 3;
        form_->MapClick(form_->Image1, korvan::MouseButton::Left, {}, 0, 0);
        QVERIFY(!korvan::HasUnsavedChanges(editor.History));
        ScriptedQuestion question(SaveAnswer::Cancel);
        form_->Item("NuovaMappa1")->trigger();
        QCOMPARE(question.Asked, 0);
    }

    void AnnullaKeepsEverythingAsItWas()
    {
        for (const Path& path : Paths()) {
            Restart();
            PaintOneCell(*form_);
            const korvan::MapGrid edited = form_->State().Map.Cells;
            ScriptedQuestion question(SaveAnswer::Cancel);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            QVERIFY2(!path.run(*form_, exits), path.name);
            QCOMPARE(question.Asked, 1);
            QCOMPARE(exits.count(), 0);
            QVERIFY2(SameCells(edited, form_->State().Map.Cells), path.name);
            QVERIFY(korvan::HasUnsavedChanges(form_->State().History));
            for (QMenu* menu : form_->TopMenus)
                QVERIFY2(!menu->isVisible(), path.name);
            QVERIFY(form_->MainMenu1->activeAction() == nullptr);
        }
    }

    void NonSalvareGoesOnAsWithoutEdits()
    {
        for (const Path& path : Paths()) {
            Restart();
            PaintOneCell(*form_);
            ScriptedQuestion question(SaveAnswer::DontSave);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            QVERIFY2(path.run(*form_, exits), path.name);
            QCOMPARE(question.Asked, 1);
            QCOMPARE(errors_->Texts, QStringList());
        }
    }

    void SalvaWritesTheMapThenGoesOn()
    {
        for (const Path& path : Paths()) {
            // With a name from an earlier save: no dialog.
            Restart();
            TempFolder folder;
            const QString file = QString::fromStdString(folder.File("map.korv"));
            form_->SaveDialog1FileName = file;
            PaintOneCell(*form_);
            const korvan::MapGrid edited = form_->State().Map.Cells;
            ScriptedQuestion question(SaveAnswer::Save);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            QVERIFY2(path.run(*form_, exits), path.name);
            korvan::MapGrid saved{};
            korvan::LoadMap(saved, file.toStdString());
            QVERIFY2(SameCells(saved, edited), path.name);
            QCOMPARE(errors_->Texts, QStringList());
        }
    }

    void SalvaWithoutANameAsksForOneAndStopsOnCancel()
    {
        for (const Path& path : Paths()) {
            Restart();
            TempFolder folder;
            const QString file = QString::fromStdString(folder.File("named.korv"));
            PaintOneCell(*form_);
            ScriptedQuestion question(SaveAnswer::Save);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            {
                DialogAnswer cancel(form_->SaveDialog1, "");
                QVERIFY2(!path.run(*form_, exits), path.name);
                QCOMPARE(cancel.Shown, 1);
            }
            QVERIFY(korvan::HasUnsavedChanges(form_->State().History));
            {
                DialogAnswer name(form_->SaveDialog1, file);
                QVERIFY2(path.run(*form_, exits), path.name);
                QCOMPARE(name.Shown, 1);
            }
            QCOMPARE(QFileInfo(file).size(), qint64(korvan::MapFileSize));
            QCOMPARE(form_->SaveDialog1FileName, file);
        }
    }

    void AFailedSaveIsReportedAndStops()
    {
        for (const Path& path : Paths()) {
            Restart();
            TempFolder folder;
            form_->SaveDialog1FileName = QString::fromStdString(folder.File("gone/map.korv"));
            PaintOneCell(*form_);
            const korvan::MapGrid edited = form_->State().Map.Cells;
            ScriptedQuestion question(SaveAnswer::Save);
            QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
            QVERIFY2(!path.run(*form_, exits), path.name);
            QCOMPARE(errors_->Texts, QStringList{"Invalid filename."});
            errors_->Texts.clear();
            QVERIFY(SameCells(edited, form_->State().Map.Cells));
            QVERIFY(korvan::HasUnsavedChanges(form_->State().History));
        }
    }

    void SavingLoadingAndNewMapsLeaveNothingUnsaved()
    {
        TempFolder folder;
        const QString file = QString::fromStdString(folder.File("map.korv"));
        PaintOneCell(*form_);
        {
            DialogAnswer name(form_->SaveDialog1, file);
            form_->Item("SalvaGioco1")->trigger();
        }
        QVERIFY(!korvan::HasUnsavedChanges(form_->State().History));
        PaintOneCell(*form_);
        {
            ScriptedQuestion question(SaveAnswer::DontSave);
            DialogAnswer load(form_->OpenDialog1, file);
            form_->Item("CaricaGioco1")->trigger();
            QCOMPARE(question.Asked, 1);
        }
        QVERIFY(!korvan::HasUnsavedChanges(form_->State().History));
        {
            // A load that fails leaves the map, and what is unsaved in it, as it was.
            PaintOneCell(*form_);
            ScriptedQuestion question(SaveAnswer::DontSave);
            DialogAnswer load(form_->OpenDialog1, QString::fromStdString(folder.File("missing.korv")));
            form_->Item("CaricaGioco1")->trigger();
            QCOMPARE(errors_->Texts, QStringList{"File not found."});
            QVERIFY(korvan::HasUnsavedChanges(form_->State().History));
        }
    }
};

QTEST_MAIN(UnsavedChangesTest)
#include "unsaved_changes_test.moc"
