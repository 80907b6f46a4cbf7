// The main menu: its tree, and the map, view, file and exit commands.
#include "Korvan_Editor_Source.h"
#include "EditorArguments.h"

#include "ErrorBox.h"
#include "SaveQuestion.h"

#include "edit/Brush.h"
#include "map/MapFile.h"
#include "edit/NewMap.h"
#include "render/ViewState.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QTimer>

#include <utility>

namespace {

using Handler = void (TForm_Main::*)();

struct MenuEntry {
    const char* item;
    const char* caption;
    Handler handler;
    bool checked;
};

struct TopMenu {
    const char* item;
    const char* caption;
    Handler onOpen;  // runs when the drop-down opens
    std::initializer_list<MenuEntry> entries;
};

// The order is fixed: other commands reach the menus and the music entries by position.
const TopMenu MenuTree[] = {
    {"File1", "File", nullptr,
     {{"OpzioniMappa1", "Opzioni Mappa", &TForm_Main::OpzioniMappa1Click, false},
      {"NuovaMappa1", "Nuova Mappa", &TForm_Main::NuovaMappa1Click, false},
      {"CaricaGioco1", "Carica Mappa", &TForm_Main::CaricaGioco1Click, false},
      {"SalvaGioco1", "Salva Mappa", &TForm_Main::SalvaGioco1Click, false},
      {"SalvaConNome1", "Salva Con Nome", &TForm_Main::SalvaConNome1Click, false},
      {"EsciGioco1", "Esci Demo", &TForm_Main::EsciGioco1Click, false}}},
    {"Modifica1", "Editor", nullptr,
     {{"ilesTerreno1", "Tiles Terreno", &TForm_Main::ilesTerreno1Click, false},
      {"ilesRisorse1", "Tiles Risorse sul Terreno", &TForm_Main::ilesRisorse1Click, false},
      {"SpritesUnit1", "Tiles Fiumi e Laghi", &TForm_Main::SpritesUnit1Click, false},
      {"ilesStrade1", "Tiles Strade e Ferrovie", &TForm_Main::ilesStrade1Click, false},
      {"ilesStTerreno1", "Tiles Status Del Terreno", &TForm_Main::ilesStTerreno1Click, false}}},
    {"CentraMappa1", "Centra Mappa", nullptr,
     {{"AngoloSinistro1", "Angolo Alto Sinistro", &TForm_Main::AngoloSinistro1Click, false},
      {"AngoloAltoDestro1", "Angolo Alto Destro", &TForm_Main::AngoloAltoDestro1Click, false},
      {"AngoloBassoSinistro1", "Angolo Basso Sinistro", &TForm_Main::AngoloBassoSinistro1Click, false},
      {"AngoloBassoDestro1", "Angolo Basso Destro", &TForm_Main::AngoloBassoDestro1Click, false},
      {"ZonaCentrale1", "Zona Centrale", &TForm_Main::ZonaCentrale1Click, false}}},
    {"Musica1", "Musica", nullptr,
     {{"Disattiva1", "Musica On", &TForm_Main::Disattiva1Click, true},
      {"Mozart1", "Musica Off", &TForm_Main::Mozart1Click, false}}},
    {"Help1", "Help", nullptr,
     {{"Info1", "Guida Generale", &TForm_Main::Info1Click, false},
      {"Autore1", "Guida Editor", &TForm_Main::Autore1Click, false}}},
    {"Crediti1", "Crediti", nullptr,
     {{"Grafica1", "Grafica", &TForm_Main::Grafica1Click, false},
      {"Sonoro1", "Sonoro", &TForm_Main::Sonoro1Click, false},
      {"Altro1", "Altro", &TForm_Main::Altro1Click, false}}},
    {"Uscita1", "Uscita", &TForm_Main::Uscita1Click, {{"Esci1", "Esci", &TForm_Main::Esci1Click, false}}},
    {"Info2", "Info", nullptr,
     {{"Autore2", "Autore", &TForm_Main::Autore2Click, false},
      {"Versione1", "Versione", &TForm_Main::Versione1Click, false},
      {"Licenza1", "Licenza", &TForm_Main::Licenza1Click, false}}},
};

}  // namespace

void TForm_Main::CreateMainMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setNativeMenuBar(false);  // a global desktop menu would change how it behaves
    int position = 0;
    for (const TopMenu& top : MenuTree) {
        QMenu* menu = MainMenu1->addMenu(top.caption);
        menu->setObjectName(top.item);
        menu->menuAction()->setObjectName(top.item);
        TopMenus[position++] = menu;
        if (top.onOpen != nullptr)
            connect(menu, &QMenu::aboutToShow, this, [this, handler = top.onOpen] { RunHandler([&] { (this->*handler)(); }); });
        for (const MenuEntry& entry : top.entries) {
            QAction* action = menu->addAction(entry.caption);
            action->setObjectName(entry.item);
            if (std::string_view(top.item) == "Musica1") {
                // Only the music commands set these marks: undo the toggle Qt makes on a click.
                action->setCheckable(true);
                action->setChecked(entry.checked);
                connect(action, &QAction::triggered, action, [action](bool checked) { action->setChecked(!checked); });
            }
            if (entry.handler != nullptr)
                connect(action, &QAction::triggered, this, [this, handler = entry.handler] { RunHandler([&] { (this->*handler)(); }); });
        }
    }
    menuBarHeight_ = MainMenu1->sizeHint().height();
}

QAction* TForm_Main::Item(const char* name) const { return MainMenu1->findChild<QAction*>(name); }

void TForm_Main::SetMenusVisible(bool visible)
{
    for (QMenu* menu : TopMenus)
        menu->menuAction()->setVisible(visible);
    MainMenu1->setVisible(visible);
}

void TForm_Main::NuovaMappa1Click()
{
    if (!MayDiscardMap())
        return;
    korvan::GenerateMap(*editor_);
    korvan::ResetBrushAfterNewMap(editor_->Canvas, editor_->Brush);
    MapReplaced();
}

void TForm_Main::ZonaCentrale1Click() { korvan::JumpView(editor_->Canvas, korvan::ViewJump::Centre); }
void TForm_Main::AngoloSinistro1Click() { korvan::JumpView(editor_->Canvas, korvan::ViewJump::TopLeft); }
void TForm_Main::AngoloAltoDestro1Click() { korvan::JumpView(editor_->Canvas, korvan::ViewJump::TopRight); }
void TForm_Main::AngoloBassoSinistro1Click() { korvan::JumpView(editor_->Canvas, korvan::ViewJump::BottomLeft); }
void TForm_Main::AngoloBassoDestro1Click() { korvan::JumpView(editor_->Canvas, korvan::ViewJump::BottomRight); }

void TForm_Main::RequestExit()
{
    exiting_ = true;
    emit ExitRequested();
    QCoreApplication::quit();  // ends the event loop once the handler has returned
}

void TForm_Main::EsciGioco1Click()
{
    if (MayDiscardMap())
        RequestExit();
}

void TForm_Main::Esci1Click()
{
    if (MayDiscardMap())
        RequestExit();
}

void TForm_Main::Uscita1Click()
{
    if (!korvan::HasUnsavedChanges(editor_->History)) {
        RequestExit();  // opening the menu is enough
        return;
    }
    // The drop-down is about to open: ask once it is up, close it, and leave no menu open behind.
    if (!asking_)
        QTimer::singleShot(0, this, &TForm_Main::AskThenExit);
}

void TForm_Main::AskThenExit()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (MayDiscardMap())
        RequestExit();
}

bool TForm_Main::MayDiscardMap()
{
    if (asking_)
        return false;  // a second request while the question is open waits for its answer
    if (!korvan::HasUnsavedChanges(editor_->History))
        return true;
    asking_ = true;
    const SaveAnswer answer = AskToSaveChanges();
    asking_ = false;
    switch (answer) {
    case SaveAnswer::Save:
        return SaveMapCommand();
    case SaveAnswer::DontSave:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void TForm_Main::MapReplaced() { korvan::StartHistory(editor_->History); }

// A dialog that is cancelled ends its command: no file is read or written.
void TForm_Main::CaricaGioco1Click()
{
    if (!MayDiscardMap())
        return;
    OpenDialog1->selectFile(OpenDialog1FileName);
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return;
    OpenDialog1FileName = OpenDialog1->selectedFiles().constFirst();
    korvan::LoadMap(korvan::ChangeCells(editor_->Map), QFile::encodeName(OpenDialog1FileName).toStdString());
    MapReplaced();
}

// The command line's map, loaded as "Carica Mappa" loads one: a file that cannot be loaded is
// reported and the generated map stays. The open dialog then starts from that file; the save
// dialog still asks for a name the first time, so nothing is overwritten without being chosen.
void TForm_Main::LoadStartMapFile()
{
    if (StartMapFile.empty())
        return;
    const std::string path = AbsolutePath(StartMapFile);
    OpenDialog1FileName = QFile::decodeName(QByteArray::fromStdString(path));
    RunHandler([&] {
        const QString warning = LoadStartMap(korvan::ChangeCells(editor_->Map), path);
        MapReplaced();  // a loaded map has nothing to take back and nothing unsaved
        if (!warning.isEmpty())
            ShowErrorBox(warning);
    });
}

bool TForm_Main::SaveDialogExec()
{
    SaveDialog1->selectFile(SaveDialog1FileName);
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return false;
    SaveDialog1FileName = SaveDialog1->selectedFiles().constFirst();
    return true;
}

void TForm_Main::SaveTo(const QString& name)
{
    korvan::SaveMap(std::as_const(editor_->Map.Cells), QFile::encodeName(name).toStdString());
    korvan::MarkSaved(editor_->History);
}

// "Salva Mappa" for the unsaved-changes question: true only when the map was written. A failure
// is shown in the error box here, since the command that asked does not go on.
bool TForm_Main::SaveMapCommand()
{
    bool saved = false;
    RunHandler([&] {
        if (SaveDialog1FileName.isEmpty() && !SaveDialogExec())
            return;
        SaveTo(SaveDialog1FileName);
        saved = true;
    });
    return saved;
}

void TForm_Main::SalvaGioco1Click()
{
    if (SaveDialog1FileName.isEmpty() && !SaveDialogExec())
        return;
    SaveTo(SaveDialog1FileName);
}

void TForm_Main::SalvaConNome1Click()
{
    if (SaveDialogExec())
        SaveTo(SaveDialog1FileName);
}
