// The faces, colours and control builders of the secondary windows.
#include "WindowLook.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace korvan::look {

// The original faces first, so a desktop that has them shows them; then faces of the same
// build that Debian ships: DejaVu Sans descends from Verdana's sister Vera, Nimbus Sans is
// metric-compatible with Arial, and DejaVu Sans at 11 pixels keeps MS Sans Serif's 13-pixel line.
QStringList Families(Face face)
{
    switch (face) {
    case Face::Verdana:
        return {"Verdana", "DejaVu Sans"};
    case Face::Arial:
        return {"Arial", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"};
    case Face::MsSansSerif:
        break;
    }
    return {"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans", "Liberation Sans", "Nimbus Sans"};
}

QFont Font(Face face, int pixelHeight)
{
    QFont font;
    font.setFamilies(Families(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    font.setBold(true);
    return font;
}

QColor ButtonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }
QColor WindowColour() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor WindowText() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }
// Qt has no frame role; the shadow colour is what its styles draw window edges with.
QColor WindowFrame() { return QApplication::palette().color(QPalette::Active, QPalette::Shadow); }

void SetUpWindow(QWidget* form, const QString& caption, QSize client, QPoint framePosition, const QColor& background)
{
    form->setWindowTitle(caption);
    // Only the editor's own window ends the program; an open card must not keep it running.
    form->setAttribute(Qt::WA_QuitOnClose, false);
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, background);
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    form->resize(client);
    form->move(framePosition);  // a top-level's pos() is its frame's corner
}

QLabel* AddLabel(QWidget* form, const char* name, QPoint position, const QString& text, const QFont& font,
                 const QColor& colour)
{
    auto* label = new QLabel(text, form);
    label->setObjectName(name);
    label->setFont(font);
    label->setMargin(0);
    label->setIndent(0);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->move(position);
    label->adjustSize();
    return label;
}

QLabel* AddPicture(QWidget* form, const char* name, QRect geometry, const QString& resource)
{
    auto* picture = new QLabel(form);
    picture->setObjectName(name);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setScaledContents(false);
    picture->setPixmap(QPixmap(resource));
    picture->setGeometry(geometry);
    return picture;
}

}  // namespace korvan::look
