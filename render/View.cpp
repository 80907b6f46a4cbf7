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

void StartShimmer(Editor& editor)
{
    editor.ShimmerRising = 1;
    editor.ShimmerOffset = 0;
}

}  // namespace korvan
