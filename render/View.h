// Start values of the view (scroll, clip rectangle, cull bounds) and of the water shimmer.
#pragma once

#include "edit/Editor.h"

#include <cstdint>

namespace korvan {

void SetViewStartValues(Editor& editor);

// The view jumps of the "Centra Mappa" menu. The four "Angolo" jumps put the middle of one edge
// of the map diamond at the view's centre (320, 231): cells (60, 0), (120, 60), (0, 60) and
// (60, 120) with the generated anchors, so each view shows about half map, half sea.
enum class ViewJump { TopLeft, TopRight, BottomLeft, BottomRight, Centre };
struct ScrollPosition {
    std::int32_t X;
    std::int32_t Y;
};
ScrollPosition JumpTarget(ViewJump jump);
void JumpView(Editor& editor, ViewJump jump);
void StartShimmer(Editor& editor);

}  // namespace korvan
