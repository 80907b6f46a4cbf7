// Reading and writing 8-bit indexed BMP files, indices and palette kept as they are.
#pragma once

#include "render/IndexedImage.h"

#include <QImage>

#include <string>

namespace korvan {

// Reads an 8-bit indexed picture. A missing or unreadable file raises FileError with the file
// message for its error number; a picture that is not 8-bit indexed raises KorvanError.
IndexedImage ReadIndexedBmp(const std::string& path);

// Writes an 8-bit BMP with all 256 palette entries (never a 4-bit one).
void WriteIndexedBmp(const IndexedImage& image, const std::string& path);

// The picture as an 8-bit QImage with all 256 palette entries, opaque; and written in a format
// Qt knows ("BMP", "PNG"). A failed write raises KorvanError.
QImage ToQImage(const IndexedImage& image);
void WriteIndexedPicture(const IndexedImage& image, const std::string& path, const char* format);

}  // namespace korvan
