// The editor's tools beyond the menu: the tile windows' palettes, the map overview (the M key)
// and what keeps them in step with the brush, the map and the view. None of them changes a map
// byte; they choose the brush and move the view.
#include "Korvan_Editor_Source.h"

#include "windows/SecondaryWindows.h"
#include "windows/TilePaletteView.h"
#include "windows/Window_Panoramica.h"
#include "windows/Window_Tiles_Fiumi.h"
#include "windows/Window_Tiles_Risorse.h"
#include "windows/Window_Tiles_Status_Terreno.h"
#include "windows/Window_Tiles_Strade.h"
#include "windows/Window_Tiles_Terreno.h"

#include "edit/Brush.h"
#include "edit/BrushModes.h"
#include "edit/TilePalette.h"
#include "render/Overview.h"
#include "render/OverviewPicture.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <utility>

namespace {

// The four tile windows' palettes, where they exist.
std::array<TilePaletteView*, 4> Palettes()
{
    return {Form_Tiles_Risorse != nullptr ? Form_Tiles_Risorse->Palette : nullptr,
            Form_Tiles_Fiumi != nullptr ? Form_Tiles_Fiumi->Palette : nullptr,
            Form_Tiles_Strade != nullptr ? Form_Tiles_Strade->Palette : nullptr,
            Form_Tiles_Status_Terreno != nullptr ? Form_Tiles_Status_Terreno->Palette : nullptr};
}

}  // namespace

// The four tile windows, shown as "Tiles Terreno" shows its own.
void TForm_Main::ilesRisorse1Click() { ShowSecondaryWindow(Form_Tiles_Risorse, this); }
void TForm_Main::SpritesUnit1Click() { ShowSecondaryWindow(Form_Tiles_Fiumi, this); }
void TForm_Main::ilesStrade1Click() { ShowSecondaryWindow(Form_Tiles_Strade, this); }
void TForm_Main::ilesStTerreno1Click() { ShowSecondaryWindow(Form_Tiles_Status_Terreno, this); }

void TForm_Main::ConnectToolWindows()
{
    korvan::Editor& editor = *editor_;
    auto choose = [this](int mode, int item) {
        korvan::ChooseItem(editor_->Brush, mode, item);
        SyncToolWindows();
    };
    for (TilePaletteView* palette : Palettes())
        if (palette != nullptr) {
            palette->SetArtwork(editor.Canvas);
            palette->OnChoose = choose;
        }
    if (Form_Tiles_Terreno != nullptr)
        Form_Tiles_Terreno->OnChoose = [choose](int terrain) { choose(korvan::TerritMode, terrain); };
    toolsConnected_ = true;
    shownBrush_.reset();
    SyncToolWindows();
}

void TForm_Main::SyncToolWindows()
{
    if (!toolsConnected_)
        return;
    const korvan::BrushState& brush = editor_->Brush;
    const auto fields = std::make_tuple(brush.EditMode, brush.ItemTerrit, brush.ItemLands, brush.ItemTerrain,
                                        brush.ItemUnits, brush.ItemQuadri);
    if (!shownBrush_ || *shownBrush_ != fields) {
        shownBrush_ = fields;
        for (TilePaletteView* palette : Palettes())
            if (palette != nullptr) {
                const int mode = palette->Layout().Mode;
                palette->ShowSelection(korvan::ItemOfMode(editor_->Brush, mode), brush.EditMode == mode);
            }
        if (Form_Tiles_Terreno != nullptr)
            Form_Tiles_Terreno->ShowSelection(brush.ItemTerrit, brush.EditMode == korvan::TerritMode);
    }
    if (Panoramica != nullptr && Panoramica->isVisible()) {
        RunReportedOnce([this] {
            if (overview_->Update(editor_->Canvas, std::as_const(editor_->Map.Cells), editor_->Map.CellsVersion))
                Panoramica->PictureChanged();
        });
        Panoramica->ShowView(korvan::ViewInOverview(editor_->Canvas));
    }
}

void TForm_Main::ToggleOverview()
{
    if (Panoramica == nullptr) {
        overview_ = std::make_unique<korvan::OverviewPicture>();
        Panoramica = new TForm_Panoramica(this);
        Panoramica->SetPicture(overview_->Pixels());
        Panoramica->OnPoint = [this](int x, int y) {
            korvan::MoveViewToOverviewPoint(editor_->Canvas, x, y);
            SyncToolWindows();
        };
        Panoramica->OnToggleKey = [this] { ToggleOverview(); };
        // First shown in the lower right corner of the screen, where it covers the least of a
        // centred editor and none of its menu bar.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        Panoramica->move(screen.right() + 1 - korvan::OverviewWidth - 8, screen.bottom() + 1 - korvan::OverviewHeight - 34);
    }
    if (Panoramica->isVisible()) {
        Panoramica->hide();
        return;
    }
    Panoramica->show();
    SyncToolWindows();
}

// M opens and closes the overview, with or without Shift; Ctrl, Alt and the logo key leave it.
bool TForm_Main::OverviewKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event.key() != Qt::Key_M || modifiers != Qt::NoModifier)
        return false;
    ToggleOverview();
    return true;
}
