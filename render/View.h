// Start values of the view (scroll, clip rectangle, cull bounds) and of the water shimmer.
#pragma once

#include "edit/Editor.h"

namespace korvan {

void SetViewStartValues(Editor& editor);
void StartShimmer(Editor& editor);

}  // namespace korvan
