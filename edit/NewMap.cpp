// A new map and the brush reset it makes.
#include "edit/NewMap.h"

#include "edit/Editor.h"

namespace korvan {

void GenerateMap(Editor& editor)
{
    BrushState& brush = editor;
    brush = BrushState{};
    GenerateMap(ChangeCells(editor), editor.Rng);
}

}  // namespace korvan
