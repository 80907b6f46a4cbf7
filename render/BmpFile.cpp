#include "render/BmpFile.h"

#include "base/FileMessages.h"
#include "base/KorvanError.h"

#include <QImage>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace korvan {

IndexedImage ReadIndexedBmp(const std::string& path)
{
    // Open it ourselves first, so that a missing or unreadable file gives its file message.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw FileError(FileErrorMessage(error, path), error);
    }
    ::close(fd);

    QImageReader reader(QString::fromStdString(path), "BMP");
    QImage picture = reader.read();
    if (picture.isNull())
        throw KorvanError("Bitmap image is not valid: " + path);
    if (picture.format() != QImage::Format_Indexed8)
        throw KorvanError("Bitmap image is not 8-bit indexed: " + path);

    IndexedImage image(picture.width(), picture.height());
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(image.ScanLine(y), picture.constScanLine(y), std::size_t(image.Width));
    const QList<QRgb> table = picture.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        image.Palette[std::size_t(i)] = table[i];
    return image;
}

QImage ToQImage(const IndexedImage& image)
{
    QImage picture(image.Width, image.Height, QImage::Format_Indexed8);
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
