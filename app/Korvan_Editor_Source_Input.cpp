// The main window's pointer and key handlers: Qt events in, editing core calls out.
#include "Korvan_Editor_Source.h"

#include "ErrorBox.h"
#include "KeyTranslation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

void TForm_Main::MouseInfo(QObject*, Qt::KeyboardModifiers, int X, int Y) { korvan::PointerOverImage(*editor_, X, Y); }

void TForm_Main::FormMouseMove(QObject*, Qt::KeyboardModifiers, int X, int Y)
{
    korvan::PointerOverWindow(*editor_, X, Y);
}

void TForm_Main::MapClick(QObject*, korvan::MouseButton Button, Qt::KeyboardModifiers, int, int)
{
    korvan::PressMap(*editor_, Button);
}

void TForm_Main::Tasto(QObject*, int& Key, Qt::KeyboardModifiers) { korvan::KeyDown(*editor_, Key); }

// Ctrl+Z takes back the last press that changed the map, Ctrl+Y and Ctrl+Shift+Z replay it: by
// the character the key types, so that they sit where the layout puts Z and Y. The brush keys
// never see them.
bool TForm_Main::HistoryKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (event.key() == Qt::Key_Z && modifiers == Qt::ControlModifier)
        korvan::Undo(korvan::ChangeCells(*editor_), editor_->History);
    else if ((event.key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) ||
             (event.key() == Qt::Key_Y && modifiers == Qt::ControlModifier))
        korvan::Redo(korvan::ChangeCells(*editor_), editor_->History);
    else
        return false;
    return true;
}

void TForm_Main::keyPressEvent(QKeyEvent* event)
{
    if (HistoryKey(*event) || OverviewKey(*event))
        return;
    int key = VirtualKeyCode(*event);
    Tasto(this, key, event->modifiers());
}

void TForm_Main::mouseMoveEvent(QMouseEvent* event)
{
    // Positions in the window's client area, which starts below the menu bar.
    const QPoint client = centralWidget()->mapFrom(this, event->position().toPoint());
    FormMouseMove(this, event->modifiers(), client.x(), client.y());
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever other windows are open, unless the user
    // keeps unsaved edits. Qt closes every window once the program has been told to end: the
    // answer given then stands.
    if (exiting_) {
        event->accept();
        return;
    }
    if (!MayDiscardMap()) {
        event->ignore();
        return;
    }
    event->accept();
    RequestExit();
}
