// A named frame met for the first time takes the picture put from longest ago. Frames without a
// name take the pictures in turn, one per frame tick whether or not the frame is put, so that even
// those repeating every 1, 2, 3 or 6 ticks meet their older selves. A picture
// holds its frame's pixels converted; the screen holds those of the picture last put from whole,
// `onScreen_`, so comparing with its indexed pixels tells which tiles must go to the server.
#include "SharedFrames.h"

#include "X11Presenter.h"

#include <QPainter>

#include <algorithm>

SharedFrames::SharedFrames(std::unique_ptr<X11Presenter> presenter) : presenter_(std::move(presenter)) {}

SharedFrames::~SharedFrames() = default;

bool SharedFrames::Attach(std::uint32_t window) { return presenter_->Attach(window); }

void SharedFrames::Forget()
{
    for (Held& held : held_) {
        held.Holds = false;
        held.Frame = 0;
    }
    onScreen_ = -1;
}

int SharedFrames::Holding(std::uint64_t frame) const
{
    for (int index = 0; frame != 0 && index < Pictures; ++index)
        if (held_[std::size_t(index)].Holds && held_[std::size_t(index)].Frame == frame)
            return index;
    return -1;
}

// The tiles of `area` where the buffer differs from the screen, as parts to put.
std::vector<QRect> SharedFrames::Changes(const korvan::IndexedImage& buffer, const QRect& area) const
{
    return ChangedTiles(held_[std::size_t(onScreen_)].Pixels.data(), buffer.Pixels.data(), buffer.Width, area);
}

void SharedFrames::WaitUntilShown() { presenter_->WaitForServer(); }

void SharedFrames::Begin(QSize size)
{
    lastPut_.clear();
    lastConverted_ = 0;
    if (presenter_->PictureSize() != size)
        Forget();  // new pictures, all black
}

// Picture `index` brought up to the buffer over `rows`, or converted whole if what it held does
// not count.
QImage* SharedFrames::Refresh(int index, const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours,
                              QSize size, const QRect& rows)
{
    QImage* picture = presenter_->Picture(size, index);
    if (picture == nullptr)
        return nullptr;
    Held& held = held_[std::size_t(index)];
    const QRect bufferRect(0, 0, buffer.Width, buffer.Height);
    std::uint8_t* const bits = picture->bits();
    const qsizetype bytesPerLine = picture->bytesPerLine();
    const auto line = [&](int y, int x) { return reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine) + x; };
    if (!held.Holds || held.Pixels.size() != buffer.Pixels.size()) {
        held.Pixels = buffer.Pixels;
        const QRect part = picture->rect() & bufferRect;
        for (int y = part.top(); y <= part.bottom(); ++y)
            colours.Convert(buffer.Pixels.data() + std::size_t(y) * std::size_t(buffer.Width), line(y, 0),
                            std::size_t(part.width()));
        lastConverted_ += std::size_t(part.width()) * std::size_t(part.height());
        if (const QRegion outside = QRegion(picture->rect()) - bufferRect; !outside.isEmpty()) {
            QPainter painter(picture);
            for (const QRect& r : outside)
                painter.fillRect(r, Qt::black);
        }
        held.Holds = true;
        return picture;
    }
    const QRect part = rows & picture->rect() & bufferRect;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(buffer.Width) + std::size_t(part.left());
        const auto changes = colours.ConvertChanged(buffer.Pixels.data() + offset, held.Pixels.data() + offset,
                                                    line(y, part.left()), std::size_t(part.width()));
        if (changes.Any())
            lastConverted_ += std::size_t(changes.Last - changes.First + 1);
    }
    return picture;
}

void SharedFrames::Put(int index, std::vector<QRect> parts, bool kept)
{
    lastPut_ = std::move(parts);
    if (!lastPut_.empty())
        presenter_->Put(lastPut_, index, !kept);
}

bool SharedFrames::Present(const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours, QSize size,
                           const QRect& visible, std::uint64_t frame)
{
    Begin(size);
    const std::uint64_t tick = ++ticks_;
    const int turn = int(tick % Pictures);
    const QRect window = visible & QRect(QPoint(), size);
    const QRect area = window & QRect(0, 0, buffer.Width, buffer.Height);
    const bool screenKnown = onScreen_ >= 0 && held_[std::size_t(onScreen_)].Pixels.size() == buffer.Pixels.size();
    const std::uint64_t screenFrame = screenKnown ? held_[std::size_t(onScreen_)].Frame : 0;
    if (frame != 0 && frame == screenFrame)
        return true;
    int index = Holding(frame);
    if (index >= 0 && screenKnown) {
        // A frame met before: put as it is, with the tiles it changed last time over this screen.
        Held& held = held_[std::size_t(index)];
        if (screenFrame == 0 || held.After != screenFrame || held.Area != area) {
            held.Tiles = Changes(buffer, area);
            held.After = screenFrame;
            held.Area = area;
        }
        Put(index, held.Tiles, true);
        onScreen_ = index;
        used_[std::size_t(index)] = tick;
        return true;
    }
    std::vector<QRect> parts;
    if (screenKnown) {
        // Before the picture is touched: it may be the one on screen.
        parts = Changes(buffer, area);
        if (parts.empty() && frame == 0)
            return true;
    } else if (!window.isEmpty()) {
        parts.push_back(window);
    }
    if (index < 0 && frame == 0)
        index = turn;
    if (index < 0)
        index = int(std::min_element(used_.begin(), used_.end()) - used_.begin());
    used_[std::size_t(index)] = tick;
    QImage* picture = Refresh(index, buffer, colours, size, QRect(0, 0, buffer.Width, buffer.Height));
    if (picture == nullptr)
        return false;
    Held& held = held_[std::size_t(index)];
    held.Frame = frame;
    held.After = screenFrame;
    held.Area = area;
    held.Tiles = parts;
    Put(index, std::move(parts), frame != 0);
    onScreen_ = index;
    return true;
}

bool SharedFrames::Expose(const korvan::IndexedImage& buffer, const korvan::PaletteConverter& colours, QSize size,
                          const QRegion& region)
{
    Begin(size);
    // The picture on screen, brought up to the buffer where the exposure asks; with none, the
    // next frame's: then only the next frame puts the whole window.
    const int index = onScreen_ >= 0 ? onScreen_ : int((ticks_ + 1) % Pictures);
    const QRegion inside = region & QRect(QPoint(), size);
    if (Refresh(index, buffer, colours, size, inside.boundingRect()) == nullptr)
        return false;
    if (lastConverted_ != 0)
        held_[std::size_t(index)].Frame = 0;  // no longer the frame it was named for
    Put(index, std::vector<QRect>(inside.begin(), inside.end()));
    return true;
}

bool SharedFrames::ShowPicture(const QImage& picture, QSize size, const QRegion& region)
{
    Begin(size);
    const int index = 0;
    QImage* target = presenter_->Picture(size, index);
    if (target == nullptr)
        return false;
    held_[index].Holds = false;
    held_[index].Frame = 0;
    onScreen_ = -1;
    const QRegion inside = region & target->rect();
    {
        QPainter painter(target);
        painter.setClipRegion(inside);
        painter.fillRect(target->rect(), Qt::black);
        if (!picture.isNull())
            painter.drawImage(0, 0, picture);
    }
    Put(index, std::vector<QRect>(inside.begin(), inside.end()));
    return true;
}
