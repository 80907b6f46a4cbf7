// The pictures compiled into the program: the team emblem and banner of the author card, the
// version badge and the window icon. Shapes only (QPainter) and our pixel font, so every build
// draws the same pixels.
#include "Artwork.h"
#include "Draw.h"
#include "PixelFont.h"

#include "base/Version.h"
#include "render/SharedPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstring>

namespace korvan::art {
namespace {

QColor Pal(int index) { return QColor::fromRgb(SharedPalette()[std::size_t(index)]); }

// An isometric diamond of land on the sea, the emblem shared by the icon and the author card.
void Emblem(QPainter& p, QRectF box)
{
    const double cx = box.center().x(), cy = box.center().y(), w = box.width() / 2, h = box.height() / 2;
    QPainterPath diamond;
    diamond.moveTo(cx, cy - h);
    diamond.lineTo(cx + w, cy);
    diamond.lineTo(cx, cy + h);
    diamond.lineTo(cx - w, cy);
    diamond.closeSubpath();
    QLinearGradient sea(cx, cy - h, cx, cy + h);
    sea.setColorAt(0, Pal(66));
    sea.setColorAt(1, Pal(78));
    p.fillPath(diamond, sea);
    // The island: a smaller diamond of grass with a golden beach and a mountain.
    QPainterPath island;
    island.moveTo(cx - w * 0.1, cy - h * 0.62);
    island.lineTo(cx + w * 0.62, cy - h * 0.02);
    island.lineTo(cx + w * 0.05, cy + h * 0.6);
    island.lineTo(cx - w * 0.62, cy + h * 0.05);
    island.closeSubpath();
    p.setPen(QPen(Pal(pal::Beige + 13), std::max(1.0, w * 0.06)));
    QLinearGradient grass(cx - w, cy - h, cx + w, cy + h);
    grass.setColorAt(0, Pal(pal::Green + 13));
    grass.setColorAt(1, Pal(pal::Green + 4));
    p.setBrush(grass);
    p.drawPath(island);
    QPainterPath peak;
    peak.moveTo(cx - w * 0.3, cy + h * 0.15);
    peak.lineTo(cx, cy - h * 0.5);
    peak.lineTo(cx + w * 0.32, cy + h * 0.15);
    peak.closeSubpath();
    p.setPen(QPen(Pal(pal::Grey + 4), std::max(1.0, w * 0.03)));
    QLinearGradient rock(cx - w * 0.3, 0, cx + w * 0.3, 0);
    rock.setColorAt(0, Pal(pal::Grey + 24));
    rock.setColorAt(0.5, Pal(pal::Grey + 18));
    rock.setColorAt(0.51, Pal(pal::Grey + 10));
    rock.setColorAt(1, Pal(pal::Grey + 8));
    p.setBrush(rock);
    p.drawPath(peak);
    QPainterPath snow;
    snow.moveTo(cx - w * 0.12, cy - h * 0.22);
    snow.lineTo(cx, cy - h * 0.5);
    snow.lineTo(cx + w * 0.13, cy - h * 0.22);
    snow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Pal(31));
    p.drawPath(snow);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Pal(pal::Gold + 1), std::max(1.0, w * 0.08)));
    p.drawPath(diamond);
}

void PixelText(QImage& image, const std::string& text, int x, int y, int scale, QColor colour, QColor shadow)
{
    DrawText(text, x + 1, y + 1, scale, [&](int px, int py) {
        if (image.valid(px, py))
            image.setPixelColor(px, py, shadow);
    });
    DrawText(text, x, y, scale, [&](int px, int py) {
        if (image.valid(px, py))
            image.setPixelColor(px, py, colour);
    });
}

QImage Canvas24(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

}  // namespace

QImage MakeAuthorPortrait()
{
    QImage image = Canvas24(80, 88);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient glow(40, 40, 50);
        glow.setColorAt(0, Pal(pal::Teal + 3));
        glow.setColorAt(1, Pal(pal::Black));
        p.fillRect(image.rect(), glow);
        // A shield with the emblem inside.
        QPainterPath shield;
        shield.moveTo(8, 6);
        shield.lineTo(72, 6);
        shield.lineTo(72, 44);
        shield.cubicTo(72, 64, 52, 76, 40, 82);
        shield.cubicTo(28, 76, 8, 64, 8, 44);
        shield.closeSubpath();
        QLinearGradient steel(0, 6, 0, 82);
        steel.setColorAt(0, Pal(pal::Single + 3));
        steel.setColorAt(1, Pal(pal::Single + 2));
        p.setPen(QPen(Pal(pal::Gold + 2), 3));
        p.setBrush(steel);
        p.drawPath(shield);
        Emblem(p, QRectF(14, 14, 52, 40));
    }
    const int w = TextWidth("TEAM", 1);
    PixelText(image, "TEAM", 40 - w / 2, 62, 1, Pal(pal::Gold + 0), Pal(pal::Black));
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage MakeAuthorBanner()
{
    QImage image = Canvas24(200, 80);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, 80);
        sky.setColorAt(0, Pal(83));
        sky.setColorAt(0.7, Pal(75));
        sky.setColorAt(1, Pal(68));
        p.fillRect(image.rect(), sky);
        Emblem(p, QRectF(8, 12, 64, 46));
        p.setPen(QPen(Pal(pal::Gold + 2), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, 198, 78));
    }
    PixelText(image, "KORVAN", 80, 16, 3, Pal(pal::Gold + 0), Pal(pal::OrangeBrown + 15));
    PixelText(image, "Team Korvan", 82, 46, 1, Pal(31), Pal(pal::Black));
    PixelText(image, "Mappe Isometriche", 82, 58, 1, Pal(pal::Teal + 10), Pal(pal::Black));
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage MakeVersionBadge()
{
    // Its own palette: a dark-to-gold ramp and a few text colours.
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i / 4, i / 5, 24 + i / 3);
    table[250] = qRgb(248, 212, 96);
    table[251] = qRgb(110, 70, 24);
    table[252] = qRgb(255, 255, 255);
    table[253] = qRgb(0, 0, 0);
    QImage image(111, 46, QImage::Format_Indexed8);
    std::memset(image.bits(), 0, std::size_t(image.sizeInBytes()));  // row padding too: it goes into the file
    image.setColorTable(table);
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 111; ++x) {
            const bool border = x < 2 || y < 2 || x > 108 || y > 43;
            const int shade = std::clamp(int(200 - y * 3 + Bayer(x, y) * 8), 0, 249);
            image.setPixel(x, y, border ? 250 : uint(shade));
        }
    auto plot = [&](int index) {
        return [&image, index](int px, int py) {
            if (image.valid(px, py))
                image.setPixel(px, py, uint(index));
        };
    };
    const int w = TextWidth("KORVAN", 2);
    DrawText("KORVAN", (111 - w) / 2 + 1, 7, 2, plot(251));
    DrawText("KORVAN", (111 - w) / 2, 6, 2, plot(250));
    const int v = TextWidth(korvan::Version, 2);
    DrawText(korvan::Version, (111 - v) / 2 + 1, 25, 2, plot(253));
    DrawText(korvan::Version, (111 - v) / 2, 24, 2, plot(252));
    return image;
}

QImage MakeIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, size > 32);
        Emblem(p, QRectF(size * 0.03, size * 0.2, size * 0.94, size * 0.62));
    }
    // Sixteen colours: transparent plus fifteen from the shared palette.
    static constexpr int indices[15] = {66, 70, 74, 78, pal::Green + 4, pal::Green + 9, pal::Green + 13,
                                        pal::Beige + 13, pal::Gold + 1, pal::Gold + 4, pal::Grey + 4,
                                        pal::Grey + 10, pal::Grey + 20, 31, pal::Black};
    QList<QRgb> table{qRgba(0, 0, 0, 0)};
    for (int index : indices)
        table.push_back(SharedPalette()[std::size_t(index)]);
    QImage icon(size, size, QImage::Format_Indexed8);
    icon.setColorTable(table);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 128) {
                icon.setPixel(x, y, 0);
                continue;
            }
            int best = 1, bestDistance = 1 << 30;
            for (int i = 1; i < table.size(); ++i) {
                const int dr = qRed(c) - qRed(table[i]), dg = qGreen(c) - qGreen(table[i]), db = qBlue(c) - qBlue(table[i]);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance)
                    bestDistance = d, best = i;
            }
            icon.setPixel(x, y, uint(best));
        }
    return icon;
}

}  // namespace korvan::art
