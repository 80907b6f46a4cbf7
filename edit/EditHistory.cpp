#include "edit/EditHistory.h"

#include <cassert>
#include <cstddef>

namespace korvan {

std::uint8_t& CellByte(MapCell& cell, std::uint8_t offset)
{
    switch (offset) {
    case offsetof(MapCell, Terrain):
        return cell.Terrain;
    case offsetof(MapCell, LandsTile):
        return cell.LandsTile;
    case offsetof(MapCell, TerrainTile):
        return cell.TerrainTile;
    default:
        assert(offset >= offsetof(MapCell, CornerTiles) && offset < sizeof(MapCell));
        return cell.CornerTiles[(offset - offsetof(MapCell, CornerTiles)) & 3];
    }
}

namespace {

MapCell& CellOf(MapGrid& cells, const CellChange& change) { return cells[change.Cell / MapSize][change.Cell % MapSize]; }

}  // namespace

bool WriteCellByte(MapGrid& cells, EditHistory& history, int row, int col, std::uint8_t offset, std::uint8_t value)
{
    std::uint8_t& byte = CellByte(cells[row][col], offset);
    if (byte == value)
        return false;
    // A new press makes the undone steps unreachable, and with them perhaps the saved state.
    history.Steps.resize(history.Applied);
    if (history.SavedAt > static_cast<std::ptrdiff_t>(history.Applied))
        history.SavedAt = EditHistory::NotReachable;
    history.Steps.push_back(CellChange{static_cast<std::uint16_t>(row * MapSize + col), offset, byte, value});
    ++history.Applied;
    if (history.Steps.size() > HistoryLimit) {
        history.Steps.pop_front();
        --history.Applied;
        if (history.SavedAt != EditHistory::NotReachable)
            --history.SavedAt;  // from 0 this becomes NotReachable
    }
    byte = value;
    return true;
}

bool Undo(MapGrid& cells, EditHistory& history)
{
    if (history.Applied == 0)
        return false;
    const CellChange& change = history.Steps[--history.Applied];
    CellByte(CellOf(cells, change), change.Offset) = change.Before;
    return true;
}

bool Redo(MapGrid& cells, EditHistory& history)
{
    if (history.Applied == history.Steps.size())
        return false;
    const CellChange& change = history.Steps[history.Applied++];
    CellByte(CellOf(cells, change), change.Offset) = change.After;
    return true;
}

void StartHistory(EditHistory& history)
{
    history.Steps.clear();
    history.Steps.shrink_to_fit();
    history.Applied = 0;
    history.SavedAt = 0;
}

void MarkSaved(EditHistory& history) { history.SavedAt = static_cast<std::ptrdiff_t>(history.Applied); }

bool HasUnsavedChanges(const EditHistory& history)
{
    return history.SavedAt != static_cast<std::ptrdiff_t>(history.Applied);
}

}  // namespace korvan
