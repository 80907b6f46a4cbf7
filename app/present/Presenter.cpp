#include "Presenter.h"

#include <QPainter>

#include <algorithm>

void PaintPicture(QPainter& painter, const QRect& rect, const Content& content)
{
    painter.fillRect(rect, Qt::black);
    const int level = std::clamp(content.PictureLevel, 0, 255);
    if (content.Picture == nullptr || content.Picture->isNull() || level == 0)
        return;
    painter.setOpacity(level / 255.0);  // over black: the picture dimmed
    painter.drawImage(0, 0, *content.Picture);
    painter.setOpacity(1.0);
}
