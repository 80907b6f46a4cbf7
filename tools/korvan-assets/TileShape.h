// The ground diamond: which pixels of a 66 x 34 tile window one cell owns, chosen so that the
// cells, placed at their anchors (33(r+c), 16c-15r), cover the plane with no gap and no overlap.
#pragma once

namespace korvan::art {

inline constexpr int LatticeCells = 1023;  // pixels per cell: |det((33,16),(33,-15))|

// Half the height of the left half's column x (1..31). The right column x+33 takes the rows that
// column x leaves free modulo the lattice, so each pair holds exactly 31 rows.
inline int HalfHeight(int x)
{
    if (x <= 16)
        return (x + 1) / 2;          // 1 .. 8
    return 8 + ((x - 16) * 6 + 7) / 15;  // 8 .. 14
}

// Window pixel (x, y), 0 <= x < 66, 0 <= y < 34, belongs to the cell's diamond.
inline bool InDiamond(int x, int y)
{
    if (x >= 1 && x <= 31) {
        const int h = HalfHeight(x);
        return y >= 17 - h && y <= 16 + h;
    }
    if (x == 32 || x == 33)
        return y >= 1 && y <= 31;
    if (x >= 34 && x <= 64) {
        const int h = HalfHeight(x - 33);
        return y >= 2 + h && y <= 32 - h;
    }
    return false;
}

// Coordinates of a pixel on the torus of the lattice: equal for pixels that are the same place
// of every cell, so textures drawn in them continue from one tile into the next.
inline void TorusCoordinates(int x, int y, int& s, int& t)
{
    s = ((15 * x + 33 * y) % LatticeCells + LatticeCells) % LatticeCells;
    t = ((16 * x - 33 * y) % LatticeCells + LatticeCells) % LatticeCells;
}

}  // namespace korvan::art
