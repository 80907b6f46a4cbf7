// Creation, destruction and the show action of the fourteen secondary windows.
#include "SecondaryWindows.h"

#include "CompiledPictures.h"
#include "Window_Author.h"
#include "Window_Crediti_Altro.h"
#include "Window_Crediti_Grafica.h"
#include "Window_Crediti_Sonoro.h"
#include "Window_Guida_Editor.h"
#include "Window_Guida_Generale.h"
#include "Window_Licenza.h"
#include "Window_Opzioni_Mappa.h"
#include "Window_Tiles_Fiumi.h"
#include "Window_Tiles_Risorse.h"
#include "Window_Tiles_Status_Terreno.h"
#include "Window_Tiles_Strade.h"
#include "Window_Tiles_Terreno.h"
#include "Window_Versione.h"
#include "WindowSystem.h"

#include <QTimer>
#include <QWindow>

namespace {

template <typename Form>
void CreateOnce(Form*& instance)
{
    if (instance == nullptr)
        instance = new Form();  // no parent: each is a top-level window of its own
}

template <typename Form>
void Destroy(Form*& instance)
{
    delete instance;
    instance = nullptr;
}

// A free-standing window on a tiling Wayland compositor (sway) is tiled, filling the screen beside
// or behind the editor; one whose transient parent is the editor's window floats over it at its
// own size, as on a stacking desktop. On X11 the windows stay free-standing, at the places they
// ask for.
void TieToOwner(QWidget* window, QWidget* owner)
{
    if (owner == nullptr || !OnWayland())
        return;
    owner->createWinId();
    window->createWinId();
    QWindow* parent = owner->window()->windowHandle();
    if (parent != nullptr && window->windowHandle() != nullptr && window->windowHandle()->transientParent() != parent)
        window->windowHandle()->setTransientParent(parent);
}

}  // namespace

void CreateSecondaryWindows()
{
    RegisterCompiledPictures();
    CreateOnce(Form_Author);
    CreateOnce(Form_Versione);
    CreateOnce(Form_Crediti_Grafica);
    CreateOnce(Form_Crediti_Sonoro);
    CreateOnce(Form_Crediti_Altro);
    CreateOnce(Form_Guida_Generale);
    CreateOnce(Form_Guida_Editor);
    CreateOnce(Form_Tiles_Terreno);
    CreateOnce(Form_Tiles_Risorse);
    CreateOnce(Form_Tiles_Fiumi);
    CreateOnce(Form_Tiles_Strade);
    CreateOnce(Form_Tiles_Status_Terreno);
    CreateOnce(Form_Opzioni_Mappa);
    CreateOnce(Form_Licenza);
}

void DestroySecondaryWindows()
{
    Destroy(Form_Licenza);
    Destroy(Form_Opzioni_Mappa);
    Destroy(Form_Tiles_Status_Terreno);
    Destroy(Form_Tiles_Strade);
    Destroy(Form_Tiles_Fiumi);
    Destroy(Form_Tiles_Risorse);
    Destroy(Form_Tiles_Terreno);
    Destroy(Form_Guida_Editor);
    Destroy(Form_Guida_Generale);
    Destroy(Form_Crediti_Altro);
    Destroy(Form_Crediti_Sonoro);
    Destroy(Form_Crediti_Grafica);
    Destroy(Form_Versione);
    Destroy(Form_Author);
}

void ShowSecondaryWindow(QWidget* window, QWidget* owner)
{
    TieToOwner(window, owner);
    window->setVisible(true);
    window->setEnabled(true);
    window->raise();
    window->activateWindow();
    // Focus goes where it last was (the terms box, once typed into), else to the first control
    // that takes the keyboard, else to the window itself.
    QWidget* target = window->focusWidget();
    if (target == nullptr) {
        for (QWidget* next = window->nextInFocusChain(); next != window; next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(window)) {
                target = next;
                break;
            }
        }
    }
    (target != nullptr ? target : window)->setFocus(Qt::ActiveWindowFocusReason);
    // Without a window manager the first expose of a newly mapped window can be lost while the
    // editor repaints beneath it: paint the whole window once more when it is on screen.
    QTimer::singleShot(100, window, [window] { window->repaint(); });
}
