// The frame cache: keying a tick, putting a frame back, keeping a frame.
#include "edit/FrameCache.h"

#include "edit/Editor.h"
#include "edit/Frame.h"
#include "render/BackBuffer.h"
#include "render/Blitter.h"

#include <atomic>
#include <cstring>
#include <type_traits>

namespace korvan {
namespace {

// Byte comparison stands for field comparison only without padding.
static_assert(std::has_unique_object_representations_v<FrameKey>);
static_assert(offsetof(FrameKey, Shimmer) + sizeof(ShimmerState) + sizeof(FrameKey::Unused) == sizeof(FrameKey));

constexpr std::size_t FrameBytes = std::size_t(BackBufferWidth) * BackBufferHeight;

// Frame identities, never given twice in a run.
std::atomic<std::uint64_t> frames{0};

bool SameKey(const FrameKey& a, const FrameKey& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Everything but the shimmer: the view, brush, map and artwork are as they were.
bool SameScene(const FrameKey& a, const FrameKey& b) { return std::memcmp(&a, &b, offsetof(FrameKey, Shimmer)) == 0; }

// Frames are kept only for the back buffer the editor draws into; any other leaves the tick to
// itself (it may well raise).
bool Cacheable(const Editor& editor)
{
    const IndexedImage& buffer = editor.Canvas.BackBuffer;
    return buffer.Width == BackBufferWidth && buffer.Height == BackBufferHeight && buffer.Pixels.size() == FrameBytes;
}

FrameKey KeyOf(const Editor& editor)
{
    FrameKey key{};
    key.CellsVersion = editor.Map.CellsVersion;
    for (std::size_t slot = 0; slot < SheetCount; ++slot)
        key.SheetVersion[slot] = editor.Canvas.Sheets.Version(slot);
    key.View = editor.Canvas;
    key.Brush = editor.Brush;
    key.Blitter = std::int32_t(ActiveBlitter().Kind());
    key.Shimmer = editor.Canvas;
    return key;
}

}  // namespace

bool FrameCache::Tick(Editor& editor)
{
    frame_ = 0;
    if (!Cacheable(editor)) {
        haveLast_ = false;
        ++misses_;
        FrameTick(editor);
        return false;
    }
    const FrameKey key = KeyOf(editor);
    for (Entry& entry : entries_)
        if (entry.Used && SameKey(entry.Key, key)) {
            std::memcpy(editor.Canvas.BackBuffer.Pixels.data(), entry.Pixels.data(), FrameBytes);
            static_cast<ViewState&>(editor.Canvas) = entry.ViewAfter;
            static_cast<ShimmerState&>(editor.Canvas) = entry.ShimmerAfter;
            last_ = key;
            haveLast_ = true;
            frame_ = entry.Frame;
            ++hits_;
            return true;
        }
    // Only a frame whose scene stood still since the last tick is kept: while the view scrolls,
    // the pointer moves or the map changes, frames do not come back, and copying each one
    // would only add to the tick.
    const bool still = haveLast_ && SameScene(key, last_);
    haveLast_ = false;  // a tick that raises leaves no last key
    ++misses_;
    FrameTick(editor);
    if (still)
        Store(key, editor);
    last_ = key;
    haveLast_ = true;
    return false;
}

void FrameCache::Store(const FrameKey& key, const Editor& editor)
{
    Entry& entry = entries_[next_];
    next_ = (next_ + 1) % Capacity;
    entry.Key = key;
    entry.ViewAfter = editor.Canvas;
    entry.ShimmerAfter = editor.Canvas;
    entry.Pixels.assign(editor.Canvas.BackBuffer.Pixels.begin(), editor.Canvas.BackBuffer.Pixels.end());
    entry.Frame = ++frames;
    entry.Used = true;
    frame_ = entry.Frame;
}

void FrameCache::Clear()
{
    for (Entry& entry : entries_)
        entry.Used = false;
    haveLast_ = false;
}

}  // namespace korvan
