#include "render/BmpFile.h"

#include "base/FileAccess.h"
#include "base/KorvanError.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace korvan {
namespace {

constexpr std::size_t LargestPictureFile = std::size_t(256) << 20;
// Run-length coding gives at most 255 pixels for two bytes: a picture that claims far more pixels
// than its file could describe is refused before anything is allocated for it.
constexpr qint64 MostPixelsPerFileByte = 128;

enum class Decoded { Whole, NotIndexed, Broken };

// Qt's BMP reader decodes into the QImage it is handed when that already has the picture's size
// and format, and leaves alone every pixel that the file does not supply (rows after a truncation,
// pixels skipped by run-length deltas or an early end), without reporting anything. So the caller
// decodes twice, into pictures filled beforehand with two different bytes: a pixel the file did
// not fill differs between the two. Both decodes must also have kept the given buffer, or the
// comparison would prove nothing.
Decoded DecodeFilled(const QByteArray& bytes, std::uint8_t fill, QImage& picture)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return Decoded::Broken;
    if (reader.imageFormat() != QImage::Format_Indexed8)
        return Decoded::NotIndexed;
    const qint64 pixels = qint64(size.width()) * size.height();
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;  // 0: no limit
    if (pixels > qint64(bytes.size()) * MostPixelsPerFileByte || (limitBytes > 0 && pixels > limitBytes))
        return Decoded::Broken;
    picture = QImage(size, QImage::Format_Indexed8);
    if (picture.isNull())
        return Decoded::Broken;
    picture.fill(fill);
    const uchar* const ours = picture.constBits();
    if (!reader.read(&picture))
        return Decoded::Broken;
    const bool kept = picture.size() == size && picture.format() == QImage::Format_Indexed8 &&
                      picture.constBits() == ours;
    return kept ? Decoded::Whole : Decoded::Broken;
}

// Why an artwork or music file could not be read, without its name. The dialogs' "Invalid
// filename" for a missing folder would say little here.
std::string AssetReason(const FileError& error)
{
    if (error.Error == ENOENT || error.Error == ENOTDIR)
        return "File not found";
    if (error.Error == EISDIR || dynamic_cast<const NotRegularFileError*>(&error) != nullptr)
        return "Not a regular file";
    return error.Reason;
}

}  // namespace

std::string AssetFileMessage(const FileError& error, const std::string& path)
{
    return AssetReason(error) + ": " + path;
}

IndexedImage ReadIndexedBmp(const std::string& path)
{
    std::vector<std::uint8_t> file;
    try {
        file = ReadRegularFile(path, LargestPictureFile);
    } catch (const NotRegularFileError& error) {
        throw NotRegularFileError(path, AssetFileMessage(error, path));
    } catch (const FileError& error) {
        throw FileError(AssetFileMessage(error, path), error.Error, path, AssetReason(error));
    }
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
    const auto refuse = [&path](const std::string& reason) { return FileError(reason + ": " + path, 0, path, reason); };

    QImage first, second;
    const Decoded result = DecodeFilled(bytes, 0x00, first);
    if (result == Decoded::NotIndexed)
        throw refuse("Bitmap image is not 8-bit indexed");
    if (result != Decoded::Whole || DecodeFilled(bytes, 0xFF, second) != Decoded::Whole ||
        first.colorTable() != second.colorTable())
        throw refuse("Bitmap image is not valid");
    IndexedImage image(first.width(), first.height());
    for (int y = 0; y < image.Height; ++y) {
        if (std::memcmp(first.constScanLine(y), second.constScanLine(y), std::size_t(image.Width)) != 0)
            throw refuse("Bitmap image is not valid");
        std::memcpy(image.ScanLine(y), first.constScanLine(y), std::size_t(image.Width));
    }
    const QList<QRgb> table = first.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        image.Palette[std::size_t(i)] = table[i];
    return image;
}

QImage ToQImage(const IndexedImage& image)
{
    QImage picture(image.Width, image.Height, QImage::Format_Indexed8);
    // Rows are padded to 4 bytes, which fill() leaves alone and a BMP file holds too.
    std::memset(picture.bits(), 0, std::size_t(picture.sizeInBytes()));
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = image.Palette[std::size_t(i)] | 0xFF000000u;
    picture.setColorTable(table);
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(picture.scanLine(y), image.ScanLine(y), std::size_t(image.Width));
    return picture;
}

void WriteIndexedPicture(const IndexedImage& image, const std::string& path, const char* format)
{
    if (!ToQImage(image).save(QString::fromStdString(path), format))
        throw KorvanError("Cannot write " + path);
}

void WriteIndexedBmp(const IndexedImage& image, const std::string& path) { WriteIndexedPicture(image, path, "BMP"); }

}  // namespace korvan
