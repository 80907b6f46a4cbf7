// Loading the tile sheets into their slots.
#include "render/Sheets.h"

#include "render/BmpFile.h"

#include <utility>

namespace korvan {

void SetSheet(Editor& editor, int slot, IndexedImage sheet)
{
    editor.Sheets[std::size_t(slot)] = std::move(sheet);
    editor.SheetCodes[std::size_t(slot)] =
        EncodeSheet(editor.Sheets[std::size_t(slot)], SheetGeometries[std::size_t(slot)]);
}

void LoadSheet(Editor& editor, const std::string& path, int slot)
{
    SetSheet(editor, slot, IndexedImage());
    SetSheet(editor, slot, ReadIndexedBmp(path));
}

}  // namespace korvan
