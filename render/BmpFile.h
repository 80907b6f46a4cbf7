// Reading and writing 8-bit indexed BMP files, indices and palette kept as they are.
#pragma once

#include "base/KorvanError.h"
#include "render/IndexedImage.h"

#include <QImage>

#include <string>

namespace korvan {

// Reads an 8-bit indexed picture, never blocking (see ReadRegularFile). Every failure raises
// FileError with a message that names the file: "File not found: Graphic/Lands.BMP" (a missing
// or unreadable file), "Bitmap image is not 8-bit indexed: …", and "Bitmap image is not valid: …"
// (also for a picture of which any pixel was not read from the file: truncated, or run-length
// coded with skips or an early end).
IndexedImage ReadIndexedBmp(const std::string& path);

// The message for an artwork or music file that could not be read: the reason, then the file.
std::string AssetFileMessage(const FileError& error, const std::string& path);

// Writes an 8-bit BMP with all 256 palette entries (never a 4-bit one).
void WriteIndexedBmp(const IndexedImage& image, const std::string& path);

// The picture as an 8-bit QImage with all 256 palette entries, opaque; and written in a format
// Qt knows ("BMP", "PNG"). A failed write raises KorvanError.
QImage ToQImage(const IndexedImage& image);
void WriteIndexedPicture(const IndexedImage& image, const std::string& path, const char* format);

}  // namespace korvan
