// Start values of the view, and its jumps.
#include "render/ViewState.h"

namespace korvan {

void SetViewStartValues(ViewState& view)
{
    view.ScrollX = StartScrollX;
    view.ScrollY = StartScrollY;
    view.ViewLeft = 0;
    view.ViewTop = 0;
    view.CullLeft = view.ViewLeft - CullMarginX;
    view.CullTop = view.ViewTop - CullMarginY;
    view.ViewRight = view.ViewLeft + ViewWidth - 1;
    view.ViewBottom = view.ViewTop + ViewHeight - 1;
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

void JumpView(ViewState& view, ViewJump jump)
{
    const ScrollPosition target = JumpTarget(jump);
    view.ScrollX = target.X;
    view.ScrollY = target.Y;
}

}  // namespace korvan
