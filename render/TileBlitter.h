// The blit of one tile window, with what every blit of a frame shares (the clip rectangle, the
// back buffer, the sheets' codes, the shimmer phase) looked up once rather than per tile.
#pragma once

#include "render/Canvas.h"
#include "render/MaskedBlits.h"
#include "render/RunCopy.h"
#include "render/Shimmer.h"

#include <array>
#include <cstdint>

namespace korvan {

class TileBlitter {
public:
    // Encodes any sheet whose code is out of date.
    explicit TileBlitter(Canvas& canvas);
    // Leaves the shimmer fields as the drawn pixels left them, also when a blit raised.
    ~TileBlitter();
    TileBlitter(const TileBlitter&) = delete;
    TileBlitter& operator=(const TileBlitter&) = delete;

    // The window (column, row) of the sheet in slot, its top-left pixel at (x, y) in the back
    // buffer. A source row past the sheet's last raises ScanLineError once the rows before it
    // are drawn.
    template <int Slot>
    void Blit(std::int64_t x, std::int64_t y, int column, int row)
    {
        constexpr SheetGeometry g = SheetGeometries[Slot];
        if constexpr (g.WindowWidth > 0) {
            const Rect& whole = whole_[Slot];
            if (x >= whole.Left && x <= whole.Right && y >= whole.Top && y <= whole.Bottom && (!g.Shimmer || phase_ >= 0)) {
                const SheetCode& code = *codes_[Slot];
                const TileWindow* window = code.Window(g.GridWidth == 0 ? 0 : column, row);
                if (window != nullptr && window->InSheet) {
                    std::uint8_t* origin = buffer_ + y * WholeRunPitch + x;
                    if (masked_)
                        BlitWholeMasked<g.Shimmer>(code, *window, origin);
                    else
                        BlitWhole<g.Shimmer>(code, *window, origin);
                    return;
                }
            }
            BlitClipped(Slot, x, y, column, row);
        }
    }

    void Blit(int slot, std::int64_t x, std::int64_t y, int column, int row);

private:
    struct Rect {
        std::int64_t Left, Top, Right, Bottom;
    };

    // A window drawn whole reads the stream of the phase it starts from, and moves the phase on
    // by its pixel count.
    template <bool Shimmer>
    const std::uint8_t* WholeStream(const SheetCode& code, const TileWindow& window)
    {
        const std::uint8_t* stream = code.Pool.data() + window.Pixels;
        if constexpr (Shimmer) {
            stream += std::size_t(phase_) * window.Stride;
            phase_ = Mod6Of(phase_ + window.OpaqueMod6);
        }
        return stream;
    }

    // The window lies inside the clip rectangle: its runs are copied in order.
    template <bool Shimmer>
    void BlitWhole(const SheetCode& code, const TileWindow& window, std::uint8_t* origin)
    {
        const std::uint8_t* source = WholeStream<Shimmer>(code, window);
        const WholeRun* run = code.WholeRuns.data() + window.FirstRun;
        for (const WholeRun* end = run + window.RunCount; run != end; ++run) {
            CopyRun(origin + run->Target, source, run->Length);
            source += run->Length;
        }
    }

    template <bool Shimmer>
    void BlitWholeMasked(const SheetCode& code, const TileWindow& window, std::uint8_t* origin)
    {
        korvan::BlitWholeMasked(code.MaskRowsByWidth.data() + window.FirstMaskRow, window.ByWidth,
                                WholeStream<Shimmer>(code, window), origin);
    }

    void BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row);
    void BlitPixels(int slot, std::int64_t x, std::int64_t y, std::int64_t sx0, std::int64_t sy0);

    Canvas& canvas_;
    Rect clip_;
    std::array<Rect, SheetCount> whole_;  // the origins from which a whole window may be drawn at once
    std::uint8_t* buffer_;
    std::int64_t pitch_;
    bool masked_;  // rows as masked stores rather than runs copied
    int phase_;  // the shimmer's place on its cycle, or -1 while the fields hold a state off it
    std::array<const SheetCode*, SheetCount> codes_{};
};

}  // namespace korvan
