// An editor with the start values of the view and a sea map whose anchors follow the projection.
#pragma once

#include "edit/Editor.h"

#include <memory>

namespace korvan::testing {

inline std::unique_ptr<Editor> StartedEditor()
{
    auto editor = std::make_unique<Editor>();
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            ClearCell(editor->Cells, r, c);
    editor->ScrollX = 10;
    editor->ScrollY = 200;
    editor->ViewLeft = 0;
    editor->ViewTop = 0;
    editor->ViewRight = 639;
    editor->ViewBottom = 461;
    editor->CullLeft = -65;
    editor->CullTop = -35;
    editor->EditMode = 3;
    return editor;
}

}  // namespace korvan::testing
