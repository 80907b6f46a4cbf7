// The look the fourteen secondary windows share: their faces, colours and control builders.
#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QLabel;
class QWidget;

namespace korvan::look {

// The three faces the windows were laid out with; each maps onto the nearest face installed here.
enum class Face { Verdana, Arial, MsSansSerif };

// The families a face is looked for under, the original first, then Debian's stand-ins.
QStringList Families(Face face);
QFont Font(Face face, int pixelHeight);  // always bold: every text of these windows is

inline const QColor Black{0x00, 0x00, 0x00};
inline const QColor Lime{0x00, 0xFF, 0x00};
inline const QColor Blue{0x00, 0x00, 0xFF};
inline const QColor Red{0xFF, 0x00, 0x00};
inline const QColor Silver{0xC0, 0xC0, 0xC0};

// The desktop's own colours, taken from the application palette.
QColor ButtonFace();
QColor WindowColour();
QColor WindowText();
QColor WindowFrame();

// Caption, client size, where the frame's top-left corner first appears, and the background.
void SetUpWindow(QWidget* form, const QString& caption, QSize client, QPoint framePosition, const QColor& background);

// A label that sizes itself to its text and shows the window's background through it.
QLabel* AddLabel(QWidget* form, const char* name, QPoint position, const QString& text, const QFont& font,
                 const QColor& colour);

// A picture control: the picture unscaled at the control's top-left corner.
QLabel* AddPicture(QWidget* form, const char* name, QRect geometry, const QString& resource);

}  // namespace korvan::look
