// The main menu: its tree, the map and view commands, the exits and the three file commands.
#include "AppFixture.h"
#include "DialogAnswer.h"

#include "map/MapFile.h"
#include "TempFolder.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include <cstring>
#include <fstream>
#include <sys/stat.h>

using korvan::testing::CollectedErrors;
using korvan::testing::DialogAnswer;
using korvan::testing::RunIntro;
using korvan::testing::TempFolder;
using korvan::testing::UseOfflineMusic;

namespace {

bool SameCells(const korvan::MapGrid& a, const korvan::MapGrid& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

class MainMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CollectedErrors> errors_;
    std::unique_ptr<TForm_Main> form_;

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

    void TreeInItsFixedOrder()
    {
        const struct {
            const char* item;
            const char* caption;
            QStringList entries;
        } tree[] = {
            {"File1", "File", {"OpzioniMappa1:Opzioni Mappa", "NuovaMappa1:Nuova Mappa", "CaricaGioco1:Carica Mappa",
                               "SalvaGioco1:Salva Mappa", "SalvaConNome1:Salva Con Nome", "EsciGioco1:Esci Demo"}},
            {"Modifica1", "Editor", {"ilesTerreno1:Tiles Terreno", "ilesRisorse1:Tiles Risorse sul Terreno",
                                     "SpritesUnit1:Tiles Fiumi e Laghi", "ilesStrade1:Tiles Strade e Ferrovie",
                                     "ilesStTerreno1:Tiles Status Del Terreno"}},
            {"CentraMappa1", "Centra Mappa", {"AngoloSinistro1:Angolo Alto Sinistro", "AngoloAltoDestro1:Angolo Alto Destro",
                                              "AngoloBassoSinistro1:Angolo Basso Sinistro",
                                              "AngoloBassoDestro1:Angolo Basso Destro", "ZonaCentrale1:Zona Centrale"}},
            {"Musica1", "Musica", {"Disattiva1:Musica On", "Mozart1:Musica Off"}},
            {"Help1", "Help", {"Info1:Guida Generale", "Autore1:Guida Editor"}},
            {"Crediti1", "Crediti", {"Grafica1:Grafica", "Sonoro1:Sonoro", "Altro1:Altro"}},
            {"Uscita1", "Uscita", {"Esci1:Esci"}},
            {"Info2", "Info", {"Autore2:Autore", "Versione1:Versione", "Licenza1:Licenza"}},
        };
        const QList<QAction*> top = form_->MainMenu1->actions();
        QCOMPARE(top.size(), 8);
        int entries = 0;
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(top[i]->text(), QString(tree[i].caption));
            QCOMPARE(top[i]->menu()->objectName(), QString(tree[i].item));
            QCOMPARE(top[i]->menu(), form_->TopMenus[i]);
            QStringList got;
            for (QAction* entry : top[i]->menu()->actions()) {
                got << entry->objectName() + ":" + entry->text();
                QVERIFY(!entry->isSeparator());
                QVERIFY(entry->shortcut().isEmpty());
                QVERIFY(entry->isEnabled());
                QCOMPARE(entry->isChecked(), entry->objectName() == "Disattiva1");
                ++entries;
            }
            QCOMPARE(got, tree[i].entries);
        }
        QCOMPARE(entries, 27);
        QVERIFY(!form_->MainMenu1->isNativeMenuBar());
    }

    void NewMapKeepsTheScrollAndResetsTheBrush()
    {
        korvan::Editor& editor = form_->State();
        editor.Canvas.ScrollX = -5000;
        editor.Canvas.ScrollY = 900;
        editor.Brush.EditMode = 1;
        editor.Brush.ItemLands = 30;
        editor.Brush.ItemQuadri = 5;
        const auto before = editor.Map.Cells;
        form_->Item("NuovaMappa1")->trigger();
        QCOMPARE(editor.Canvas.ScrollX, -5000);
        QCOMPARE(editor.Canvas.ScrollY, 900);
        QCOMPARE(editor.Brush.EditMode, 3);
        QCOMPARE(editor.Brush.ItemLands + editor.Brush.ItemQuadri + editor.Brush.ItemTerrit + editor.Brush.ItemTerrain + editor.Brush.ItemUnits, 0);
        QVERIFY(!SameCells(before, editor.Map.Cells));
    }

    void ViewJumps()
    {
        korvan::Editor& editor = form_->State();
        const struct {
            const char* item;
            int x, y;
        } jumps[] = {{"ZonaCentrale1", -800, 0},           {"AngoloSinistro1", -1692, 1115},
                     {"AngoloAltoDestro1", -5652, 1055},   {"AngoloBassoSinistro1", -1692, -745},
                     {"AngoloBassoDestro1", -5652, -805}};
        for (const auto& jump : jumps) {
            for (int times = 0; times < 2; ++times) {
                form_->Item(jump.item)->trigger();
                QCOMPARE(editor.Canvas.ScrollX, jump.x);
                QCOMPARE(editor.Canvas.ScrollY, jump.y);
            }
            editor.Canvas.CursorX = 300;
            editor.Canvas.CursorY = 200;
            form_->Timer1Timer();  // the clamps leave every jump where it is
            QCOMPARE(editor.Canvas.ScrollX, jump.x);
            QCOMPARE(editor.Canvas.ScrollY, jump.y);
        }
    }

    void ExitsQuitTheApplication()
    {
        QSignalSpy exits(form_.get(), &TForm_Main::ExitRequested);
        form_->close();
        QCOMPARE(exits.count(), 1);
        form_->Item("EsciGioco1")->trigger();
        form_->Item("Esci1")->trigger();
        emit form_->TopMenus[6]->aboutToShow();  // opening "Uscita" is enough
        QCOMPARE(exits.count(), 4);
        for (int i : {0, 1, 2, 3, 4, 5, 7})
            emit form_->TopMenus[i]->aboutToShow();  // the others do nothing when opened
        QCOMPARE(exits.count(), 4);
        form_->close();  // Qt closes the windows once the program ends: no second request
        QCOMPARE(exits.count(), 4);
    }

    void SaveAsksOnceThenWritesTheSameFile()
    {
        TempFolder folder;
        const QString path = QString::fromStdString(folder.File("one.korv"));
        {
            DialogAnswer answer(form_->SaveDialog1, path);
            form_->Item("SalvaGioco1")->trigger();
            QCOMPARE(answer.Shown, 1);
        }
        QFile::remove(path);
        {
            DialogAnswer answer(form_->SaveDialog1, "/should/not/be/used.korv");
            form_->State().Map.Cells[5][5].Terrain = 3;
            form_->Item("SalvaGioco1")->trigger();
            QCOMPARE(answer.Shown, 0);
        }
        QVERIFY(QFile::exists(path));
        korvan::MapGrid loaded{};
        korvan::LoadMap(loaded, path.toStdString());
        QVERIFY(SameCells(loaded, form_->State().Map.Cells));
        QCOMPARE(errors_->Texts, QStringList());
    }

    void SaveAsChangesTheNameLaterSavesUse()
    {
        TempFolder folder;
        const QString first = QString::fromStdString(folder.File("first.korv"));
        const QString second = QString::fromStdString(folder.File("second"));
        {
            DialogAnswer answer(form_->SaveDialog1, first);
            form_->Item("SalvaConNome1")->trigger();
        }
        {
            DialogAnswer answer(form_->SaveDialog1, second);
            form_->Item("SalvaConNome1")->trigger();
            QCOMPARE(answer.Shown, 1);
        }
        QCOMPARE(form_->SaveDialog1FileName, second);
        QFile::remove(second);
        form_->Item("SalvaGioco1")->trigger();
        QVERIFY(QFile::exists(second));  // no extension added
        QCOMPARE(form_->SaveDialog1FileName, second);
        QCOMPARE(form_->OpenDialog1FileName, QString());
    }

    void LoadGivesTheSavedMapBackAndNoSaveName()
    {
        TempFolder folder;
        const QString path = QString::fromStdString(folder.File("round.korv"));
        korvan::SaveMap(form_->State().Map.Cells, path.toStdString());
        const auto saved = form_->State().Map.Cells;
        form_->Item("NuovaMappa1")->trigger();
        QVERIFY(!SameCells(saved, form_->State().Map.Cells));
        {
            DialogAnswer answer(form_->OpenDialog1, path);
            form_->Item("CaricaGioco1")->trigger();
            QCOMPARE(answer.Shown, 1);
        }
        QVERIFY(SameCells(saved, form_->State().Map.Cells));
        QCOMPARE(form_->SaveDialog1FileName, QString());
        {
            DialogAnswer answer(form_->SaveDialog1, "");  // the first save after a load still asks
            form_->Item("SalvaGioco1")->trigger();
            QCOMPARE(answer.Shown, 1);
        }
    }

    void FailuresAreReportedAndTheMapIsKept()
    {
        TempFolder folder;
        const auto before = form_->State().Map.Cells;
        const std::string shortFile = folder.File("short.korv");
        std::ofstream(shortFile) << "tiny";
        const std::string readOnlyDir = folder.File("ro");
        std::filesystem::create_directory(readOnlyDir);
        ::chmod(readOnlyDir.c_str(), 0555);
        const struct {
            const char* item;
            QFileDialog* dialog;
            QString name;
            QString message;
        } cases[] = {
            {"CaricaGioco1", form_->OpenDialog1, QString::fromStdString(folder.File("missing.korv")), "File not found."},
            {"CaricaGioco1", form_->OpenDialog1, QString::fromStdString(folder.File("gone/x.korv")), "Invalid filename."},
            {"CaricaGioco1", form_->OpenDialog1, QString::fromStdString(shortFile),
             "Map file too short: 4 bytes (234256 expected)"},  // ")" sorts before "."
            {"SalvaConNome1", form_->SaveDialog1, QString::fromStdString(folder.File("gone/x.korv")),
             "Invalid filename."},
        };
        for (const auto& c : cases) {
            errors_->Texts.clear();
            DialogAnswer answer(c.dialog, c.name);
            form_->Item(c.item)->trigger();
            QCOMPARE(errors_->Texts, QStringList{c.message});
            QCOMPARE(errors_->Captions.last(), QString("main_menu_test"));
            QVERIFY(SameCells(before, form_->State().Map.Cells));
        }
        if (::geteuid() != 0) {  // root writes into read-only folders
            errors_->Texts.clear();
            DialogAnswer answer(form_->SaveDialog1, QString::fromStdString(readOnlyDir + "/x.korv"));
            form_->Item("SalvaConNome1")->trigger();
            QCOMPARE(errors_->Texts, QStringList{"File access denied."});
        }
    }

    void FileDialogsShowTheirFilterOnceAndSpeakItalian()
    {
        const struct {
            QFileDialog* dialog;
            QString shown;
        } dialogs[] = {{form_->OpenDialog1, "KORVAN Generator ( *.korv )"},
                       {form_->SaveDialog1, "KORVAN Generator (*.korv)"}};
        for (const auto& d : dialogs) {
            auto* types = d.dialog->findChild<QComboBox*>("fileTypeCombo");
            QVERIFY(types != nullptr);
            QCOMPARE(types->count(), 1);
            QCOMPARE(types->itemText(0), d.shown);
            QCOMPARE(d.dialog->nameFilters(), QStringList{d.shown + " (*.korv)"});
            QCOMPARE(d.dialog->findChild<QLabel*>("lookInLabel")->text(), QString("Cerca in:"));
            auto* buttons = d.dialog->findChild<QDialogButtonBox*>("buttonBox");
            QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString("Annulla"));
        }
    }

    void CancelTouchesNothing()
    {
        TempFolder folder;
        const QString path = QString::fromStdString(folder.File("kept.korv"));
        {
            DialogAnswer answer(form_->SaveDialog1, path);
            form_->Item("SalvaConNome1")->trigger();
        }
        const QDateTime written = QFileInfo(path).lastModified();
        QFile::remove(path);
        for (const char* item : {"SalvaConNome1", "CaricaGioco1"}) {
            DialogAnswer answer(QString(item) == "CaricaGioco1" ? form_->OpenDialog1 : form_->SaveDialog1, "");
            const auto before = form_->State().Map.Cells;
            form_->Item(item)->trigger();
            QCOMPARE(answer.Shown, 1);
            QVERIFY(SameCells(before, form_->State().Map.Cells));
        }
        QVERIFY(!QFile::exists(path));
        QCOMPARE(form_->SaveDialog1FileName, path);  // a cancel keeps the name from before
        QCOMPARE(errors_->Texts, QStringList());
        Q_UNUSED(written);
    }
};

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
