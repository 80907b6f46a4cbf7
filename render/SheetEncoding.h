// What the fast blitters share about encoding a sheet once: which picture an encoding was made
// from, how many windows it holds, and the pixel streams that already carry the shimmer.
#pragma once

#include "render/IndexedImage.h"
#include "render/SheetCatalogue.h"
#include "render/SheetSlots.h"
#include "render/Shimmer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace korvan {

// A whole window's records and runs are laid out for a back buffer this many bytes wide.
inline constexpr int WholeRunPitch = 640;

// A masked blit reads a whole 64-byte block of a stream from any pixel: a pool has this many
// bytes after its last stream.
inline constexpr std::size_t PoolTail = 64;

// The base of each blitter's own encoding of one sheet.
struct SheetEncoding {
    virtual ~SheetEncoding() = default;

    // The stamp of the sheet this was made from (SheetSlots::Version): a sheet put into the slot
    // since then is encoded anew.
    std::uint64_t SheetVersion = 0;

    int WindowHeight = 0;
    int Columns = 0;  // windows encoded: column < Columns and row < Rows, origin inside the sheet
    int Rows = 0;

    bool IsOf(const SheetSlots& sheets, int slot) const { return SheetVersion == sheets.Version(std::size_t(slot)); }
};

// Fills the geometry fields above for the sheet.
void BeginEncoding(SheetEncoding& code, const IndexedImage& sheet, const SheetGeometry& geometry);

// Where a window's pixel streams were put in a pool. A shimmering sheet keeps one stream for each
// shimmer phase p (ShimmerPeriod of them, Stride bytes apart), the n-th pixel of stream p already
// moved by PhaseOffset[(p + n + 1) % 6]: the offset it gets when the window is drawn whole from
// phase p. A window without water looks the same from every phase: one stream, Stride 0.
struct StreamPlace {
    std::uint32_t Pixels;
    std::uint32_t Stride;
};
StreamPlace AppendStreams(std::vector<std::uint8_t>& pool, const std::vector<std::uint8_t>& stream, bool shimmer);

// The part of the sheet a window at (column, row) reads: columns past the sheet's width are
// transparent, rows past its height are never read.
struct WindowArea {
    int X, Y, Width, Height;
};
WindowArea AreaOf(const IndexedImage& sheet, const SheetGeometry& geometry, int column, int row);

// Closes a window whose opaque pixels, in drawing order, are stream: their count, whether the
// sheet holds the whole window, and where its streams went in the pool.
template <typename Window>
void PlaceWindow(Window& window, std::vector<std::uint8_t>& pool, const std::vector<std::uint8_t>& stream,
                 const WindowArea& area, const SheetGeometry& geometry)
{
    window.Opaque = std::uint32_t(stream.size());
    window.OpaqueMod6 = std::uint8_t(window.Opaque % ShimmerPeriod);
    window.InSheet = area.Height == geometry.WindowHeight;
    const StreamPlace place = AppendStreams(pool, stream, geometry.Shimmer);
    window.Pixels = place.Pixels;
    window.Stride = place.Stride;
}

// A whole sheet encoded window by window, row by row, with encodeWindow(code, sheet, area).
template <typename Code>
Code EncodeWindows(const IndexedImage& sheet, const SheetGeometry& geometry,
                   void (*encodeWindow)(Code&, const IndexedImage&, const SheetGeometry&, const WindowArea&))
{
    Code code;
    BeginEncoding(code, sheet, geometry);
    for (int row = 0; row < code.Rows; ++row)
        for (int column = 0; column < code.Columns; ++column)
            encodeWindow(code, sheet, geometry, AreaOf(sheet, geometry, column, row));
    code.Pool.resize(code.Pool.size() + PoolTail);
    return code;
}

// The encoding of the sheet in the slot that the blitter of kind keeps with the artwork, made
// anew when the sheet has changed.
template <typename Code, typename Artwork, typename Kind>
const Code& EncodingOf(Artwork& artwork, Kind kind, int slot, Code (*encode)(const IndexedImage&, const SheetGeometry&))
{
    auto& held = artwork.Encodings[std::size_t(kind)][std::size_t(slot)];
    if (!held || !held->IsOf(artwork.Sheets, slot)) {
        Code code = encode(artwork.Sheets[std::size_t(slot)], SheetGeometries[std::size_t(slot)]);
        code.SheetVersion = artwork.Sheets.Version(std::size_t(slot));
        held = std::make_shared<const Code>(std::move(code));
    }
    return static_cast<const Code&>(*held);
}

}  // namespace korvan
