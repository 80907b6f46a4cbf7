// The view's part of the editor's state: where the map is scrolled to, the clip rectangle and
// cull bounds every drawing respects, the range of the grid the frame draws, and the cursor.
#pragma once

#include <cstdint>

namespace korvan {

struct ViewState {
    // Scroll offsets, the inclusive clip rectangle and the cull bounds.
    std::int32_t ScrollX = 0;
    std::int32_t ScrollY = 0;
    std::int32_t ViewLeft = 0;
    std::int32_t ViewTop = 0;
    std::int32_t ViewRight = 0;
    std::int32_t ViewBottom = 0;
    std::int32_t CullLeft = 0;
    std::int32_t CullTop = 0;
    // The first row and column the frame draws and the hit test scans.
    std::int32_t FirstRow = 0;
    std::int32_t FirstCol = 0;
    // The cursor, in back-buffer pixels: the brush preview's corner, and what edge scrolling
    // and the hit test look at.
    std::int32_t CursorX = 0;
    std::int32_t CursorY = 0;
    // 1 while no pointer position over the view has been reported since the editor started
    // (AwaitPointer): the cursor then holds only its start value, which must not scroll the view.
    // A 32-bit field, so that the view stays plain bytes without padding.
    std::int32_t CursorUnknown = 0;
};

// The view's fixed geometry: a clip rectangle of ViewWidth x ViewHeight from the back buffer's
// top-left corner (its last 18 rows lie below the view), the map scrolled to (10, 200) at start.
inline constexpr std::int32_t ViewWidth = 640;
inline constexpr std::int32_t ViewHeight = 462;
inline constexpr std::int32_t StartScrollX = 10;
inline constexpr std::int32_t StartScrollY = 200;
// A cell is drawn only when its scrolled anchor lies less than this far left of the view's left
// edge (and above its top edge), about one tile window (66 x 34): what reaches into the view from
// farther out is never drawn. Its right and bottom bounds are the clip rectangle's own.
inline constexpr std::int32_t CullMarginX = 65;
inline constexpr std::int32_t CullMarginY = 35;

// Sets the start values: scroll (10, 200), clip rectangle (0, 0)-(639, 461), cull bounds
// (-65, -35).
void SetViewStartValues(ViewState& view);

// The view jumps of the "Centra Mappa" menu. The four "Angolo" jumps put the middle of one edge
// of the map diamond at the view's centre (320, 231): cells (60, 0), (120, 60), (0, 60) and
// (60, 120) with the generated anchors, so each view shows about half map, half sea.
enum class ViewJump { TopLeft, TopRight, BottomLeft, BottomRight, Centre };
struct ScrollPosition {
    std::int32_t X;
    std::int32_t Y;
};
ScrollPosition JumpTarget(ViewJump jump);
void JumpView(ViewState& view, ViewJump jump);

}  // namespace korvan
