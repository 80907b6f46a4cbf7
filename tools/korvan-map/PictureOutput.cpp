// Output names to formats, and 8-bit pictures to file bytes (BMP through Qt, PNG through libdeflate).
#include "PictureOutput.h"

#include "CommandLine.h"
#include "render/BmpFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include <libdeflate.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace korvan::cli {

namespace {

// Past level 3 libdeflate's time grows faster than the file shrinks; the README has the figures.
constexpr int PngLevel = 3;

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data, std::size_t size)
{
    PutBig32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data, data + size);
    PutBig32(out, libdeflate_crc32(0, out.data() + start, out.size() - start));
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

}  // namespace

PictureFormat FormatOf(const std::string& path, PictureFormat forStdout)
{
    if (path == "-")
        return forStdout;
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    std::string extension = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".bmp")
        return PictureFormat::Bmp;
    if (extension == ".png")
        return PictureFormat::Png;
    throw UsageError("cannot tell the picture format of '" + path + "': name it .bmp or .png");
}

std::vector<std::uint8_t> EncodePngRows(std::span<const std::uint8_t> rows, int width, int height,
                                        const std::array<std::uint32_t, 256>& palette)
{
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(PngLevel));
    if (!compressor)
        throw std::bad_alloc();
    // Left uninitialised: zeroing the whole bound would touch some 30 MB that is never written.
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rows.size());
    const std::unique_ptr<std::uint8_t[]> packed(new std::uint8_t[bound]);
    const std::size_t packedSize =
        libdeflate_zlib_compress(compressor.get(), rows.data(), rows.size(), packed.get(), bound);

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.reserve(packedSize + 1024);
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(width));
    PutBig32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit palette indices, no interlace
    PutChunk(out, "IHDR", header.data(), header.size());
    std::uint8_t colours[256 * 3];
    for (std::size_t i = 0; i < 256; ++i) {
        colours[3 * i] = static_cast<std::uint8_t>(palette[i] >> 16);
        colours[3 * i + 1] = static_cast<std::uint8_t>(palette[i] >> 8);
        colours[3 * i + 2] = static_cast<std::uint8_t>(palette[i]);
    }
    PutChunk(out, "PLTE", colours, sizeof colours);
    PutChunk(out, "IDAT", packed.get(), packedSize);
    PutChunk(out, "IEND", nullptr, 0);
    return out;
}

DrawingFiles TakeDrawingFiles(const Options& options, const std::string& verb, PictureFormat forStdout)
{
    const std::vector<std::string> files = options.Positional();
    if (files.size() > 1)
        throw UsageError("unexpected argument '" + files[1] + "'");
    if (files.empty() || !options.IsSet("output"))
        throw UsageError(verb + " needs FILE.korv and -o OUT");
    const std::string output = options.Value("output");
    return {files.front(), output, options.Value("assets"), FormatOf(output, forStdout)};
}

std::vector<std::uint8_t> EncodePicture(const IndexedImage& image, PictureFormat format)
{
    if (format == PictureFormat::Png) {
        const auto width = static_cast<std::size_t>(image.Width), height = static_cast<std::size_t>(image.Height);
        std::vector<std::uint8_t> rows((width + 1) * height);
        for (std::size_t y = 0; y < height; ++y)
            std::memcpy(rows.data() + y * (width + 1) + 1, image.Pixels.data() + y * width, width);
        return EncodePngRows(rows, image.Width, image.Height, image.Palette);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(ToQImage(image)))
        throw Failure({}, "Cannot encode the picture: " + writer.errorString().toStdString());
    return {bytes.begin(), bytes.end()};
}

}  // namespace korvan::cli
