// Test helper: finds a secondary window by its name and a control in it by its object name.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QWidget>

// "Author" finds the top-level window of class TForm_Author.
inline QWidget* SecondaryWindow(const QString& name)
{
    const QByteArray className = ("TForm_" + name).toLatin1();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (className == widget->metaObject()->className())
            return widget;
    return nullptr;
}

template <typename Control = QWidget>
Control* ControlOf(const QString& window, const QString& control)
{
    QWidget* form = SecondaryWindow(window);
    return form == nullptr ? nullptr : form->findChild<Control*>(control, Qt::FindDirectChildrenOnly);
}
