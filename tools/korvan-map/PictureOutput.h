// Pictures that korvan-map writes: the format an output name asks for, and the file's bytes.
#pragma once

#include "render/IndexedImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvan::cli {

enum class PictureFormat { Bmp, Png };

// The format named by path's extension (.bmp or .png, any case); "-" (standard output) takes
// forStdout. Any other name is a UsageError.
PictureFormat FormatOf(const std::string& path, PictureFormat forStdout);

// The picture as an 8-bit indexed file with all 256 palette entries, opaque.
std::vector<std::uint8_t> EncodePicture(const IndexedImage& image, PictureFormat format);

// PNG with the fast compressor: the overview's 30 megapixels are mostly long runs, where a low
// level costs about a fifth more bytes than the default and a third of the time.
std::vector<std::uint8_t> EncodePng(const IndexedImage& image);

}  // namespace korvan::cli
