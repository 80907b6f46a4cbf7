// What the two encoded blitters share for the blits of one frame: the clip rectangle narrowed to
// the back buffer, where a window may be drawn whole, the shimmer's phase held while drawing,
// and the cut of a window that the clip rectangle or the sheet's end crosses.
#pragma once

#include "render/Canvas.h"
#include "render/SheetEncoding.h"
#include "render/Shimmer.h"

#include <array>
#include <cstdint>

namespace korvan {

class TileClip {
public:
    // Leaves the shimmer fields as the drawn pixels left them, also when a blit raised.
    ~TileClip();
    TileClip(const TileClip&) = delete;
    TileClip& operator=(const TileClip&) = delete;

protected:
    struct Rect {
        std::int64_t Left, Top, Right, Bottom;
    };
    // The window's rows and columns inside the clip, and the rows the sheet holds.
    struct Cut {
        std::int64_t FirstRow, LastRow, FirstColumn, LastColumn;
        std::int64_t RowsInSheet;
        std::int64_t LastDrawn;  // LastRow, or the sheet's last row if that comes first
        bool RowsOnly;           // only rows are cut, in a buffer WholeRunPitch bytes wide
    };

    explicit TileClip(Canvas& canvas);

    // The window lies inside the clip, and the shimmer (if the sheet has it) is on its cycle.
    template <int Slot>
    bool DrawnWhole(std::int64_t x, std::int64_t y) const
    {
        const Rect& whole = whole_[Slot];
        return x >= whole.Left && x <= whole.Right && y >= whole.Top && y <= whole.Bottom &&
               (!SheetGeometries[Slot].Shimmer || phase_ >= 0);
    }

    // The cut of a window that is not drawn whole. False when nothing is left to draw, or when the
    // window was drawn here pixel by pixel because the shimmer fields hold a state off its cycle
    // (a stray value: the state then steps through values the streams do not hold).
    bool CutWindow(int slot, std::int64_t x, std::int64_t y, int column, int row, Cut& cut);

    // A cut that reaches past the sheet's last row raises ScanLineError once the rows are drawn.
    static void CheckSheetEnd(const Cut& cut);

    Canvas& canvas_;
    Rect clip_;
    std::array<Rect, SheetCount> whole_;  // the origins from which a whole window may be drawn at once
    std::uint8_t* buffer_;
    std::int64_t pitch_;
    int phase_;  // the shimmer's place on its cycle, or -1 while the fields hold a state off it
};

}  // namespace korvan
