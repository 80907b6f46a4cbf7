// The frame cache: the last few frames the tick drew, each kept under everything that decided it.
// An idle view's frames differ only by the water shimmer, whose state runs through a cycle of six,
// so they repeat within six ticks; such a frame is put back from memory instead of drawn again.
#pragma once

#include "edit/BrushState.h"
#include "render/SheetCatalogue.h"
#include "render/Shimmer.h"
#include "render/ViewState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvan {

struct Editor;

// Everything a frame tick reads, as plain bytes without padding, so that two keys are equal
// exactly when their bytes are. The shimmer comes last: what lies before it is the scene.
struct FrameKey {
    std::uint64_t CellsVersion;
    std::array<std::uint64_t, SheetCount> SheetVersion;  // each sheet's stamp (SheetSlots::Version)
    ViewState View;
    BrushState Brush;
    std::int32_t Blitter;
    ShimmerState Shimmer;
    std::uint8_t Unused[6];
};

class FrameCache {
public:
    // More than a shimmer cycle, so that a whole idle cycle fits.
    static constexpr std::size_t Capacity = 8;

    // What FrameTick(editor) would leave, the back buffer and every field, taken from memory when
    // the cache holds a frame drawn from the same key; otherwise the tick runs. True on a hit.
    bool Tick(Editor& editor);

    // Drops every frame (nothing requires it: a changed input is a different key).
    void Clear();

    // Who presents frames may keep what it made of one: the pixels the last Tick left in the back
    // buffer are the same whenever this is, among the frames of every cache; 0 when it cannot
    // say (a frame the cache did not keep, or a tick that raised).
    std::uint64_t Frame() const { return frame_; }

    std::uint64_t Hits() const { return hits_; }
    std::uint64_t Misses() const { return misses_; }

private:
    struct Entry {
        FrameKey Key{};
        ViewState ViewAfter;
        ShimmerState ShimmerAfter;
        std::vector<std::uint8_t> Pixels;  // the back buffer the tick left
        std::uint64_t Frame = 0;
        bool Used = false;
    };

    void Store(const FrameKey& key, const Editor& editor);

    std::array<Entry, Capacity> entries_;
    std::size_t next_ = 0;  // the entry the next frame replaces, oldest first
    FrameKey last_{};       // the key of the last tick, if it ran to its end
    bool haveLast_ = false;
    std::uint64_t frame_ = 0;
    std::uint64_t hits_ = 0;
    std::uint64_t misses_ = 0;
};

// The editor's frame tick: FrameTick through the cache.
inline bool CachedFrameTick(Editor& editor, FrameCache& cache) { return cache.Tick(editor); }

}  // namespace korvan
