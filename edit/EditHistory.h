// The record of brush presses that changed the map. One record serves two purposes: undo and redo
// replay it, and comparing its position with the one of the last save tells whether the map
// differs from the one last generated, loaded or saved.
#pragma once

#include "map/MapGrid.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace korvan {

// One byte of one cell record, before and after a press (a press writes at most one byte).
struct CellChange {
    std::uint16_t Cell;    // row * 121 + column
    std::uint8_t Offset;   // the byte's offset in the 16-byte record: 9..15, the fields a brush writes
    std::uint8_t Before;
    std::uint8_t After;
};

// Steps beyond this many drop the oldest one.
inline constexpr std::size_t HistoryLimit = 10000;

struct EditHistory {
    std::deque<CellChange> Steps;  // oldest first
    std::size_t Applied = 0;       // Steps[0, Applied) are in the map; the rest can be redone
    // The value of Applied at which the map equals the one last generated, loaded or saved;
    // NotReachable once that state has been dropped from the record.
    std::ptrdiff_t SavedAt = 0;
    static constexpr std::ptrdiff_t NotReachable = -1;
};

// The byte of a cell record that a change names. Offsets 9..15 only.
std::uint8_t& CellByte(MapCell& cell, std::uint8_t offset);

// Writes value into the byte; a change is recorded (dropping every redo step) only when the byte
// held something else. Returns whether the map changed.
bool WriteCellByte(MapGrid& cells, EditHistory& history, int row, int col, std::uint8_t offset, std::uint8_t value);

// Take back or replay one step; false (and nothing changes) when there is none.
bool Undo(MapGrid& cells, EditHistory& history);
bool Redo(MapGrid& cells, EditHistory& history);

// A new or loaded map: no steps, nothing unsaved.
void StartHistory(EditHistory& history);
// The map as it is now has been written to a file.
void MarkSaved(EditHistory& history);
bool HasUnsavedChanges(const EditHistory& history);

}  // namespace korvan
