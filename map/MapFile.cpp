#include "map/MapFile.h"

#include "base/FileMessages.h"
#include "base/KorvanError.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace korvan {
namespace {

void PutLittle32(std::uint8_t* out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
    out[2] = static_cast<std::uint8_t>(v >> 16);
    out[3] = static_cast<std::uint8_t>(v >> 24);
}

std::int32_t GetLittle32(const std::uint8_t* in)
{
    const std::uint32_t v = std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
                            std::uint32_t(in[3]) << 24;
    return static_cast<std::int32_t>(v);
}

[[noreturn]] void Fail(int error, const std::string& path) { throw FileError(FileErrorMessage(error, path), error); }

// Follows a chain of symbolic links to the file that a save must replace, so that the link
// itself stays a link. A dangling link names the file to create.
std::string SaveTarget(const std::string& path)
{
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info{};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            Fail(errno, path);
        link.resize(static_cast<std::size_t>(length));
        target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + "/" + link;
    }
    Fail(ELOOP, path);
}

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Removes the temporary file unless the save went through.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno, path);
        }
        if (written == 0)
            Fail(ENOSPC, path);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::vector<std::uint8_t> EncodeMap(const MapGrid& cells)
{
    std::vector<std::uint8_t> bytes(MapFileSize);
    std::uint8_t* out = bytes.data();
    for (const auto& row : cells)
        for (const auto& cell : row) {
            PutLittle32(out, cell.ScreenX);
            PutLittle32(out + 4, cell.ScreenY);
            out[8] = cell.Marker;
            out[9] = cell.Terrain;
            out[10] = cell.LandsTile;
            out[11] = cell.TerrainTile;
            std::memcpy(out + 12, cell.CornerTiles, 4);
            out += sizeof(MapCell);
        }
    return bytes;
}

void DecodeMap(const std::uint8_t* in, MapGrid& cells)
{
    for (auto& row : cells)
        for (auto& cell : row) {
            cell.ScreenX = GetLittle32(in);
            cell.ScreenY = GetLittle32(in + 4);
            cell.Marker = in[8];
            cell.Terrain = in[9];
            cell.LandsTile = in[10];
            cell.TerrainTile = in[11];
            std::memcpy(cell.CornerTiles, in + 12, 4);
            in += sizeof(MapCell);
        }
}

void SaveMap(const MapGrid& cells, const std::string& path)
{
    const std::string target = SaveTarget(path);

    // A read-only file is never replaced, whoever asks (root included).
    mode_t mode = NewFileMode();
    struct stat existing{};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            Fail(EISDIR, path);
        if ((existing.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            Fail(EACCES, path);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        Fail(errno, path);
    }

    const std::string folder = FolderOf(target);
    std::string temporaryName = folder + "/.korv-save-XXXXXX";
    FileHandle file(::mkstemp(temporaryName.data()));
    if (file.Get() < 0)
        Fail(errno, path);
    TemporaryFile temporary(temporaryName);

    const std::vector<std::uint8_t> bytes = EncodeMap(cells);
    WriteAll(file.Get(), bytes.data(), bytes.size(), path);
    if (::fchmod(file.Get(), mode) != 0 || ::fsync(file.Get()) != 0)
        Fail(errno, path);
    if (::close(file.Release()) != 0)
        Fail(errno, path);
    if (::rename(temporaryName.c_str(), target.c_str()) != 0)
        Fail(errno, path);
    temporary.Keep();

    // Make the rename itself durable; a failure here no longer loses anything.
    FileHandle folderHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderHandle.Get() >= 0)
        ::fsync(folderHandle.Get());
}

void LoadMap(MapGrid& cells, const std::string& path)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are read.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        Fail(errno, path);
    struct stat info{};
    if (::fstat(file.Get(), &info) != 0)
        Fail(errno, path);
    if (S_ISDIR(info.st_mode))
        Fail(EISDIR, path);
    if (!S_ISREG(info.st_mode))
        Fail(EACCES, path);

    std::vector<std::uint8_t> bytes(MapFileSize);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            Fail(errno, path);
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    if (total < MapFileSize)
        throw FileError("Map file too short: " + std::to_string(total) + " bytes (" + std::to_string(MapFileSize) +
                            " expected)",
                        0);
    DecodeMap(bytes.data(), cells);
}

}  // namespace korvan
