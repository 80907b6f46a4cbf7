// The AVX-512 blitter: windows encoded into 64-column masks (MaskCode), each record drawn with one
// load, one byte expansion and one masked store (MaskedBlits.h). For processors with AVX-512 F,
// BW, VL, VBMI and VBMI2, and BMI2.
#pragma once

#include "render/Blitter.h"
#include "render/MaskCode.h"
#include "render/MaskedBlits.h"
#include "render/TileClip.h"

#include <array>
#include <cstdint>

namespace korvan {

class MaskTileBlitter : TileClip {
public:
    explicit MaskTileBlitter(Canvas& canvas);

    template <int Slot>
    void Blit(std::int64_t x, std::int64_t y, int column, int row)
    {
        constexpr SheetGeometry g = SheetGeometries[Slot];
        if constexpr (g.WindowWidth > 0) {
            if (DrawnWhole<Slot>(x, y)) {
                const MaskCode& code = *codes_[Slot];
                const MaskWindow* window = code.Window(g.GridWidth == 0 ? 0 : column, row);
                if (window != nullptr && window->InSheet) {
                    const std::uint8_t* stream = code.Pool.data() + window->Pixels;
                    if constexpr (g.Shimmer) {
                        stream += std::size_t(phase_) * window->Stride;
                        phase_ = Mod6Of(phase_ + window->OpaqueMod6);
                    }
                    BlitWholeMasked(code.MaskRowsByWidth.data() + window->FirstMaskRow, window->ByWidth, stream,
                                    buffer_ + y * WholeRunPitch + x);
                    return;
                }
            }
            BlitClipped(Slot, x, y, g.GridWidth == 0 ? 0 : column, row);
        }
    }

private:
    void BlitClipped(int slot, std::int64_t x, std::int64_t y, int column, int row);

    std::array<const MaskCode*, SheetCount> codes_{};
};

class Avx512Blitter final : public Blitter {
public:
    BlitterKind Kind() const override { return BlitterKind::Avx512; }
    void BlitWindow(Canvas& canvas, int slot, std::int64_t x, std::int64_t y, int column, int row) const override;
    void DrawCells(Canvas& canvas, const VisibleCells& cells, std::size_t count) const override;
};

}  // namespace korvan
