// Start values of the view and of the shimmer.
#include "render/View.h"

namespace korvan {

void SetViewStartValues(Editor& editor)
{
    editor.ScrollX = 10;
    editor.ScrollY = 200;
    editor.ViewLeft = 0;
    editor.ViewTop = 0;
    editor.CullLeft = editor.ViewLeft - 65;
    editor.CullTop = editor.ViewTop - 35;
    editor.ViewRight = 639;
    editor.ViewBottom = 461;
}

ScrollPosition JumpTarget(ViewJump jump)
{
    switch (jump) {
    case ViewJump::TopLeft:
        return {-1692, 1115};
    case ViewJump::TopRight:
        return {-5652, 1055};
    case ViewJump::BottomLeft:
        return {-1692, -745};
    case ViewJump::BottomRight:
        return {-5652, -805};
    case ViewJump::Centre:
        break;
    }
    return {-800, 0};
}

void JumpView(Editor& editor, ViewJump jump)
{
    const ScrollPosition target = JumpTarget(jump);
    editor.ScrollX = target.X;
    editor.ScrollY = target.Y;
}

void StartShimmer(Editor& editor)
{
    editor.ShimmerRising = 1;
    editor.ShimmerOffset = 0;
}

}  // namespace korvan
