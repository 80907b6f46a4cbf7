// A new map and the brush reset it makes.
#include "edit/NewMap.h"

#include "edit/Editor.h"

namespace korvan {

void GenerateMap(Editor& editor)
{
    editor.Brush = BrushState{};
    GenerateMap(ChangeCells(editor.Map), editor.Rng);
}

}  // namespace korvan
