// Window_Panoramica: the map overview window.
#include "Window_Panoramica.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TForm_Panoramica::TForm_Panoramica(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Form_Panoramica");
    setWindowTitle(OverviewCaption);
    setAttribute(Qt::WA_QuitOnClose, false);
    // Opened from the editor by a key, it leaves the keyboard there: the brush keys and M go on
    // working while it is open.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setFixedSize(korvan::OverviewWidth, korvan::OverviewHeight);
    setCursor(Qt::CrossCursor);
}

void TForm_Panoramica::SetPicture(const std::vector<std::uint32_t>& pixels)
{
    picture_ = QImage(reinterpret_cast<const uchar*>(pixels.data()), korvan::OverviewWidth, korvan::OverviewHeight,
                      korvan::OverviewWidth * 4, QImage::Format_RGB32);
    update();
}

void TForm_Panoramica::ShowView(const korvan::OverviewRect& view)
{
    if (view.X == view_.X && view.Y == view_.Y && view.Width == view_.Width && view.Height == view_.Height)
        return;
    // Only the old and the new frame are painted again.
    const QRect before(view_.X - 1, view_.Y - 1, view_.Width + 2, view_.Height + 2);
    view_ = view;
    update(before);
    update(QRect(view_.X - 1, view_.Y - 1, view_.Width + 2, view_.Height + 2));
}

void TForm_Panoramica::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(event->rect(), Qt::black);
    else
        painter.drawImage(event->rect(), picture_, event->rect());
    // A white frame with a black edge outside it shows on sea, land and the black around the map.
    const QRect frame(view_.X, view_.Y, view_.Width, view_.Height);
    painter.setPen(Qt::black);
    painter.drawRect(frame.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

void TForm_Panoramica::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnPoint) {
        const QPoint at = event->position().toPoint();
        OnPoint(at.x(), at.y());
    }
}

void TForm_Panoramica::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && OnPoint) {
        const QPoint at = event->position().toPoint();
        OnPoint(at.x(), at.y());
    }
}

void TForm_Panoramica::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_M && OnToggleKey)
        OnToggleKey();
    else
        QWidget::keyPressEvent(event);
}
