// Pictures that korvan-map writes: the format an output name asks for, and the file's bytes.
#pragma once

#include "CommandLine.h"
#include "render/IndexedImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvan::cli {

enum class PictureFormat { Bmp, Png };

// The format named by path's extension (.bmp or .png, any case); "-" (standard output) takes
// forStdout. Any other name is a UsageError.
PictureFormat FormatOf(const std::string& path, PictureFormat forStdout);

// What a drawing verb (frame, overview) reads and writes: one map file, the -o picture in the
// format its name asks for, and the --assets folder. Missing or extra files are a UsageError.
struct DrawingFiles {
    std::string Input, Output, Assets;
    PictureFormat Format;
};
DrawingFiles TakeDrawingFiles(const Options& options, const std::string& verb, PictureFormat forStdout);

// The picture as an 8-bit indexed file with all 256 palette entries, opaque.
std::vector<std::uint8_t> EncodePicture(const IndexedImage& image, PictureFormat format);

// A PNG from rows that already carry their filter byte: height rows of 1 + width bytes, each
// starting with 0 (no filter), the rest palette indices. Compressed with libdeflate at a low level:
// on the overview's 30 megapixels, mostly long runs, that costs about a fifth more bytes than
// Qt's default zlib level and under a third of the time.
std::vector<std::uint8_t> EncodePngRows(std::span<const std::uint8_t> rows, int width, int height,
                                        const std::array<std::uint32_t, 256>& palette);

}  // namespace korvan::cli
