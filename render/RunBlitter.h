// The portable blitter: windows encoded into opaque runs (RunCode), a whole window copied run by
// run from a stream that already carries the shimmer, a cut one run by run from the stream that
// matches the shimmer at each.
#pragma once

#include "render/Blitter.h"
#include "render/RunCode.h"
#include "render/RunCopy.h"
#include "render/TileClip.h"

#include <array>
#include <cstdint>

namespace korvan {

// The blits of one frame (or of one window), with the sheets' runs looked up once.
class RunTileBlitter : TileClip {
public:
    explicit RunTileBlitter(Canvas& canvas);

    template <int Slot>
    void Blit(std::int64_t x, std::int64_t y, int column, int row)
    {
        constexpr SheetGeometry g = SheetGeometries[Slot];
        if constexpr (g.WindowWidth > 0) {
            if (DrawnWhole<Slot>(x, y)) {
                const RunCode& code = *codes_[Slot];
                const RunWindow* window = code.Window(g.GridWidth == 0 ? 0 : column, row);
                if (window != nullptr && window->InSheet) {
                    BlitWhole<g.Shimmer>(code, *window, buffer_ + y * WholeRunPitch + x);
                    return;
                }
            }
            BlitClipped(Slot, x, y, g.GridWidth == 0 ? 0 : column, row);
        }
    }

private:
    // A window drawn whole reads the stream of the phase it starts from, and moves the phase on
    // by its pixel count.
    template <bool Shimmer>
    void BlitWhole(const RunCode& code, const RunWindow& window, std::uint8_t* origin)
    {
        const std::uint8_t* source = code.Pool.data() + window.Pixels;
        if constexpr (Shimmer) {
            source += std::size_t(phase_) * window.Stride;
            phase_ = Mod6Of(phase_ + window.OpaqueMod6);
        }
        const WholeRun* run = code.WholeRuns.data() + window.FirstRun;
        for (const WholeRun* end = run + window.RunCount; run != end; ++run) {
            CopyRun(origin + run->Target, source, run->Length);
            source += run->Length;
        }
    }

    void BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row);
    void BlitRows(const RunCode& code, const RunWindow& window, const std::uint32_t* rowStarts, const Cut& cut,
                  bool shimmer, std::uint8_t* origin);
    void BlitRuns(const RunCode& code, const RunWindow& window, const std::uint32_t* rowStarts, const Cut& cut,
                  bool shimmer, std::int64_t x, std::int64_t y);

    std::array<const RunCode*, SheetCount> codes_{};
};

class PortableBlitter final : public Blitter {
public:
    BlitterKind Kind() const override { return BlitterKind::Portable; }
    void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const override;
    void DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const override;
};

}  // namespace korvan
