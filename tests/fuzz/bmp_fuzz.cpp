// Fuzz target: any bytes as a tile sheet, then a blit of every tile value from it. A sheet that
// loads must have had every pixel read from the file.
#include "FuzzKit.h"

#include "base/KorvanError.h"
#include "render/Blitters.h"
#include "render/SheetCatalogue.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace korvan;
using namespace korvan::fuzz;

namespace {

// A short sheet may stop a blit with "Scan line index out of range": that is its documented end.
template <typename Blit>
void BlitAll(int count, Blit blit)
{
    for (int value = 0; value < count; ++value) {
        try {
            blit(value);
        } catch (const ScanLineError&) {
        }
    }
}

void BlitEveryTile(Editor& editor, std::int32_t x, std::int32_t y)
{
    // Every value of the catalogue, and the first few past it that only a map file can bring.
    BlitAll(TerritTiles + 2, [&](int v) { BlitTerrit(editor.Canvas, x, y, std::uint8_t(v)); });
    BlitAll(LandsTiles + 2, [&](int v) { BlitLands(editor.Canvas, x, y, LandsPlace(v).Column, LandsPlace(v).Row); });
    BlitAll(TerrainTiles + 2, [&](int v) { BlitTerrain(editor.Canvas, x, y, TerrainPlace(v).Column, TerrainPlace(v).Row); });
    BlitAll(UnitsTiles + 2, [&](int v) { BlitUnits(editor.Canvas, x, y, UnitsPlace(v).Column, UnitsPlace(v).Row); });
    BlitAll(QuadriTiles + 2, [&](int v) { BlitQuadri(editor.Canvas, x, y, QuadriPlace(v).Column, QuadriPlace(v).Row); });
}

// Decodes the file again, into pictures filled beforehand with two different bytes, which Qt's
// reader decodes into when they already have the picture's size and format: a pixel the file did
// not supply keeps the fill, so it cannot match the accepted sheet both times.
void RequireEveryPixelRead(const std::uint8_t* data, std::size_t size, const IndexedImage& sheet)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const std::uint8_t fill : {std::uint8_t(0x5A), std::uint8_t(0xA5)}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "BMP");
        QImage picture(reader.size(), QImage::Format_Indexed8);
        picture.fill(fill);
        const uchar* const bits = picture.constBits();
        if (!reader.read(&picture) || picture.constBits() != bits || picture.width() != sheet.Width ||
            picture.height() != sheet.Height) {
            std::fprintf(stderr, "bmp fuzz: an accepted sheet does not decode again in place\n");
            std::abort();
        }
        for (int y = 0; y < sheet.Height; ++y)
            for (int x = 0; x < sheet.Width; ++x)
                if (picture.constScanLine(y)[x] != sheet.ScanLine(y)[x]) {
                    std::fprintf(stderr, "bmp fuzz: pixel (%d, %d) of an accepted sheet was not read from the file\n",
                                 x, y);
                    std::abort();
                }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A fresh editor: the other slots stay empty, so their blitters stop at once.
    const auto fresh = std::make_unique<Editor>();
    Editor& editor = *fresh;
    editor.Canvas.BackBuffer = IndexedImage(640, 480);
    SetViewStartValues(editor.Canvas);
    StartShimmer(editor.Canvas);
    TailReader input(data, size);
    const int slot = input.Byte() % SheetCount;
    const std::string path = WriteScratchFile("sheet.bmp", data, size);
    try {
        LoadSheet(editor.Canvas, path, slot);
        RequireEveryPixelRead(data, size, editor.Canvas.Sheets[std::size_t(slot)]);
    } catch (const KorvanError&) {
        if (!editor.Canvas.Sheets[std::size_t(slot)].Empty()) {
            std::fprintf(stderr, "bmp fuzz: a failed load left a picture in the slot\n");
            std::abort();
        }
    }
    const IndexedImage& sheet = editor.Canvas.Sheets[std::size_t(slot)];
    if (sheet.Pixels.size() != std::size_t(std::max(sheet.Width, 0)) * std::size_t(std::max(sheet.Height, 0))) {
        std::fprintf(stderr, "bmp fuzz: the sheet's pixels do not match its size\n");
        std::abort();
    }
    BlitEveryTile(editor, 100, 100);
    BlitEveryTile(editor, input.Int(-100, 700), input.Int(-100, 500));
    return 0;
}
