// The picture put from longest ago takes each frame met for the first time, one picture per frame
// tick whether or not the frame is put, so that frames repeating every 1, 2, 3 or 6 ticks meet
// their older selves. The window shows picture `onScreen_`: comparing its indexed pixels with the
// buffer tells which tiles must be sent.
#include "ShmPresenter.h"

#include "FrameChanges.h"
#include "ShmConnection.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

std::unique_ptr<ShmPresenter> ShmPresenter::Open(QWidget& widget)
{
    auto connection = ShmConnection::Open();
    return connection ? std::unique_ptr<ShmPresenter>(new ShmPresenter(widget, std::move(connection))) : nullptr;
}

ShmPresenter::ShmPresenter(QWidget& widget, std::unique_ptr<ShmConnection> connection)
    : widget_(widget), connection_(std::move(connection))
{
}

ShmPresenter::~ShmPresenter() = default;

void ShmPresenter::Forget()
{
    for (Picture& picture : pictures_) {
        picture.Converted.clear();
        picture.Frame = 0;
    }
    onScreen_ = -1;
}

void ShmPresenter::WaitUntilShown() { connection_->WaitForServer(); }

bool ShmPresenter::Begin()
{
    lastPut_.clear();
    lastConverted_ = 0;
    // One window pixel per picture pixel: a scaled window (device pixel ratio) is left to Qt.
    if (widget_.devicePixelRatioF() != 1.0 || !connection_->Attach(std::uint32_t(widget_.winId())) ||
        connection_->Failed())
        return false;
    if (connection_->PictureSize() != widget_.size())
        Forget();  // new pictures, all black
    return true;
}

int ShmPresenter::Oldest() const
{
    const auto taken = [](const Picture& a, const Picture& b) { return a.Taken < b.Taken; };
    return int(std::min_element(pictures_.begin(), pictures_.end(), taken) - pictures_.begin());
}

bool ShmPresenter::Convert(int index, const Content& content, const QRect& rows)
{
    QImage* shared = connection_->Picture(widget_.size(), index);
    if (shared == nullptr)
        return false;
    const korvan::IndexedImage& buffer = *content.Buffer;
    std::vector<std::uint8_t>& converted = pictures_[std::size_t(index)].Converted;
    const QRect bufferRect(0, 0, buffer.Width, buffer.Height);
    std::uint8_t* const bits = shared->bits();
    const qsizetype bytesPerLine = shared->bytesPerLine();
    const auto line = [&](int y, int x) { return reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine) + x; };
    if (converted.size() != buffer.Pixels.size()) {
        converted = buffer.Pixels;
        const QRect part = shared->rect() & bufferRect;
        for (int y = part.top(); y <= part.bottom(); ++y)
            content.Colours->Convert(buffer.Pixels.data() + std::size_t(y) * std::size_t(buffer.Width), line(y, 0),
                                     std::size_t(part.width()));
        lastConverted_ += std::size_t(part.width()) * std::size_t(part.height());
        QPainter painter(shared);
        for (const QRect& r : QRegion(shared->rect()) - bufferRect)
            painter.fillRect(r, Qt::black);
        return true;
    }
    const QRect part = rows & shared->rect() & bufferRect;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(buffer.Width) + std::size_t(part.left());
        const auto changes = content.Colours->ConvertChanged(buffer.Pixels.data() + offset, converted.data() + offset,
                                                             line(y, part.left()), std::size_t(part.width()));
        if (changes.Any())
            lastConverted_ += std::size_t(changes.Last - changes.First + 1);
    }
    return true;
}

void ShmPresenter::Put(int index, std::vector<QRect> parts, bool kept)
{
    lastPut_ = std::move(parts);
    connection_->Put(lastPut_, index, !kept);
}

bool ShmPresenter::Present(const Content& content)
{
    if (!Begin())
        return false;
    const korvan::IndexedImage& buffer = *content.Buffer;
    const std::uint64_t tick = ++presented_;
    const QRect window = widget_.visibleRegion().boundingRect() & widget_.rect();
    const QRect area = window & QRect(0, 0, buffer.Width, buffer.Height);
    const Picture* screen = onScreen_ >= 0 && pictures_[std::size_t(onScreen_)].Converted.size() == buffer.Pixels.size()
                                ? &pictures_[std::size_t(onScreen_)]
                                : nullptr;
    const std::uint64_t screenFrame = screen != nullptr ? screen->Frame : 0;
    if (content.Frame != 0 && content.Frame == screenFrame)
        return true;
    const auto changes = [&] { return ChangedTiles(screen->Converted.data(), buffer.Pixels.data(), buffer.Width, area); };
    const auto kept = std::find_if(pictures_.begin(), pictures_.end(), [&](const Picture& picture) {
        return content.Frame != 0 && picture.Frame == content.Frame && picture.Converted.size() == buffer.Pixels.size();
    });
    if (kept != pictures_.end() && screen != nullptr) {
        // A named frame met before: put as it is, with the tiles it changed last time over this screen.
        if (screenFrame == 0 || kept->PutOver != screenFrame || kept->PutArea != area) {
            kept->PutTiles = changes();
            kept->PutOver = screenFrame;
            kept->PutArea = area;
        }
        kept->Taken = tick;
        onScreen_ = int(kept - pictures_.begin());
        Put(onScreen_, kept->PutTiles, true);
        return true;
    }
    // Compared before the picture is written: it may be the one on screen.
    std::vector<QRect> parts = screen != nullptr ? changes() : std::vector<QRect>{window};
    const int index = Oldest();
    Picture& picture = pictures_[std::size_t(index)];
    picture.Taken = tick;
    if (parts.empty() && content.Frame == 0)
        return true;
    if (!Convert(index, content, QRect(0, 0, buffer.Width, buffer.Height)))
        return false;
    picture.Frame = content.Frame;
    picture.PutOver = screenFrame;
    picture.PutArea = area;
    picture.PutTiles = parts;
    onScreen_ = index;
    Put(index, std::move(parts), content.Frame != 0);
    return true;
}

bool ShmPresenter::Paint(const QRegion& region, const Content& content)
{
    if (!Begin())
        return false;
    const QRegion inside = region & widget_.rect();
    if (!content.HasFrame()) {
        // The intro picture, in picture 0; what it holds then is no frame.
        QImage* shared = connection_->Picture(widget_.size(), 0);
        if (shared == nullptr)
            return false;
        pictures_[0].Converted.clear();
        pictures_[0].Frame = 0;
        QPainter painter(shared);
        painter.setClipRegion(inside);
        PaintPicture(painter, shared->rect(), content);
        painter.end();
        onScreen_ = -1;
        Put(0, std::vector<QRect>(inside.begin(), inside.end()));
        return true;
    }
    // The picture on screen, brought up to the buffer where the exposure asks (then it holds the
    // frame it was named for no longer, if it changed); with none, the next frame's, which then
    // puts the whole window.
    const int index = onScreen_ >= 0 ? onScreen_ : Oldest();
    if (!Convert(index, content, inside.boundingRect()))
        return false;
    if (lastConverted_ != 0)
        pictures_[std::size_t(index)].Frame = 0;
    Put(index, std::vector<QRect>(inside.begin(), inside.end()));
    return true;
}
