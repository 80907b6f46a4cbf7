// Start values of the view.
#include "render/ViewState.h"

namespace korvan {

void SetViewStartValues(ViewState& view)
{
    view.ScrollX = 10;
    view.ScrollY = 200;
    view.ViewLeft = 0;
    view.ViewTop = 0;
    view.CullLeft = view.ViewLeft - 65;
    view.CullTop = view.ViewTop - 35;
    view.ViewRight = 639;
    view.ViewBottom = 461;
}

}  // namespace korvan
