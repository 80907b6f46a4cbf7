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
            ClearCell(editor->Map.Cells, r, c);
    editor->Canvas.ScrollX = 10;
    editor->Canvas.ScrollY = 200;
    editor->Canvas.ViewLeft = 0;
    editor->Canvas.ViewTop = 0;
    editor->Canvas.ViewRight = 639;
    editor->Canvas.ViewBottom = 461;
    editor->Canvas.CullLeft = -65;
    editor->Canvas.CullTop = -35;
    editor->Brush.EditMode = 3;
    return editor;
}

}  // namespace korvan::testing
