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

void TForm_Main::keyPressEvent(QKeyEvent* event)
{
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
