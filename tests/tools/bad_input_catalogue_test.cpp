// Bad input of every kind a user or a script may hand the program: map files and save targets
// that are not what they seem, damaged or blocking artwork and music, full file systems, odd
// arguments. Each case runs the editor's own load/save/picture code or a command-line tool in a
// child process bounded in time, and checks the exit status, the message (naming the file where
// the message is not one of the map dialog's fixed texts), and that nothing changed on disk that
// should not have: bytes compared before and after, device nodes and FIFOs still what they were.
#include "BoundedRun.h"
#include "TempFolder.h"

#include "edit/Editor.h"
#include "base/FileAccess.h"
#include "base/KorvanError.h"
#include "map/MapFile.h"
#include "edit/NewMap.h"
#include "render/BmpFile.h"

#include <gtest/gtest.h>

#include <QImage>

#include <sys/mount.h>
#include <csignal>
#include <sys/socket.h>
#include <sys/un.h>
#include <utime.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <set>
#include <thread>
#include <chrono>

// The case table leaves the fields it does not need at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace korvan {
namespace {

using namespace korvan::testing;
namespace fs = std::filesystem;

constexpr int Bound = 60;  // seconds: far more than any case needs, so only a hang reaches it

// One case's private folder, with the helpers that put odd things into it.
class Scene {
public:
    std::string File(const std::string& name) const { return folder_.File(name); }
    const fs::path& Path() const { return folder_.Path(); }

    void Bytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const
    {
        std::ofstream(File(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          std::streamsize(bytes.size()));
    }
    void Text(const std::string& name, const std::string& text) const { std::ofstream(File(name)) << text; }
    void Map(const std::string& name, std::uint32_t seed) const
    {
        auto editor = std::make_unique<Editor>();
        editor->Rng.State = seed;
        GenerateMap(*editor);
        Bytes(name, EncodeMap(editor->Map.Cells));
    }
    void Fifo(const std::string& name) const { ASSERT_EQ(::mkfifo(File(name).c_str(), 0644), 0) << name; }
    void Device(const std::string& name, int major, int minor) const
    {
        ASSERT_EQ(::mknod(File(name).c_str(), S_IFCHR | 0666, makedev(major, minor)), 0) << std::strerror(errno);
    }
    void Socket(const std::string& name) const
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = File(name);
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::strcpy(address.sun_path, path.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        sockets_.push_back(fd);
    }
    // A copy of the run folder's artwork in assets/Graphic, for the tools' --assets.
    void Artwork() const
    {
        fs::create_directories(Path() / "assets");
        fs::copy(fs::path(KORVAN_RUN_DIR) / "Graphic", Path() / "assets" / "Graphic", fs::copy_options::recursive);
    }
    // A 64 KiB file system: too small for a map or a frame.
    void Tiny(const std::string& name) const
    {
        fs::create_directory(File(name));
        if (::mount("tmpfs", File(name).c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
        mounts_.push_back(File(name));
    }
    void Age(const std::string& name, int seconds) const
    {
        const utimbuf times{std::time(nullptr) - seconds, std::time(nullptr) - seconds};
        ::utime(File(name).c_str(), &times);
    }
    ~Scene()
    {
        for (const int fd : sockets_)
            ::close(fd);
        for (const std::string& mount : mounts_)
            ::umount2(mount.c_str(), MNT_DETACH);
    }

private:
    TempFolder folder_;
    mutable std::vector<int> sockets_;
    mutable std::vector<std::string> mounts_;
};

// The editor's own code in a child: prints the message it ends with, exits 0 or 1.
template <typename Body>
Outcome Editorside(Body body)
{
    return RunBounded(
        [&] {
            try {
                body();
                return 0;
            } catch (const KorvanError& error) {
                std::fprintf(stderr, "%s\n", error.what());
                return 1;
            }
        },
        Bound);
}

Outcome LoadWith(const std::string& path)
{
    return Editorside([&] {
        auto cells = std::make_unique<MapGrid>();
        LoadMap(*cells, path);
    });
}

Outcome SaveWith(const std::string& path, std::uint32_t seed = 7)
{
    return Editorside([&] {
        auto editor = std::make_unique<Editor>();
        editor->Rng.State = seed;
        GenerateMap(*editor);
        SaveMap(editor->Map.Cells, path);
    });
}

Outcome PictureWith(const std::string& path)
{
    return Editorside([&] { ReadIndexedBmp(path); });
}

Outcome Tool(std::vector<std::string> words)
{
    words.insert(words.begin(), KORVAN_MAP_TOOL);
    return RunProgram(words, Bound);
}

Outcome MidiTool(const std::string& in, const std::string& out)
{
    return RunProgram({KORVAN_MIDI_TOOL, in, out}, Bound);
}

// A tool with its standard output on the given file (a full device, a terminal).
Outcome ToolOnto(int output, std::vector<std::string> words)
{
    return RunBounded(
        [&] {
            std::vector<char*> argv;
            for (const std::string& word : words)
                argv.push_back(const_cast<char*>(word.c_str()));
            argv.push_back(nullptr);
            ::dup2(output, STDOUT_FILENO);
            ::execv(argv[0], argv.data());
            return 127;
        },
        Bound);
}

Outcome ToolOntoFile(const std::string& file, std::vector<std::string> words)
{
    const int output = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    const Outcome outcome = ToolOnto(output, std::move(words));
    ::close(output);
    return outcome;
}

// The tool on a terminal of its own (a pseudo-terminal's far end).
Outcome ToolOntoTerminal(std::vector<std::string> words)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return {};
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    const Outcome outcome = ToolOnto(terminal, std::move(words));
    ::close(terminal);
    ::close(master);
    return outcome;
}

// A batch into folder, stopped by signal once its first maps are written. With terminal, its
// standard error is a terminal of its own (so it draws its progress bar there).
Outcome InterruptedBatch(const std::string& folder, int signal, bool terminal = false)
{
    int channel[2];
    if (terminal) {
        channel[0] = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (channel[0] < 0 || ::grantpt(channel[0]) != 0 || ::unlockpt(channel[0]) != 0)
            return {};
        channel[1] = ::open(::ptsname(channel[0]), O_RDWR | O_NOCTTY | O_CLOEXEC);
    } else if (::pipe2(channel, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(channel[1], STDERR_FILENO);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDOUT_FILENO);
        ::execl(KORVAN_MAP_TOOL, KORVAN_MAP_TOOL, "generate", "--seeds", "0-100000", "-o", folder.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(channel[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Bound);
    std::error_code error;
    while (std::chrono::steady_clock::now() < deadline &&
           !(fs::exists(folder + "/2.korv", error) && fs::exists(folder + "/3.korv", error)))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(child, signal);
    Outcome outcome;
    char chunk[4096];
    for (ssize_t got; (got = ::read(channel[0], chunk, sizeof chunk)) > 0;)  // a terminal ends with EIO
        outcome.Output.append(chunk, std::size_t(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status))
        outcome.Status = WEXITSTATUS(status);
    return outcome;
}

// Every map a batch left is whole, and no hidden temporary file is left beside them.
void BatchLeftOnlyWholeMaps(const std::string& folder)
{
    int maps = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find("korvan-save"), std::string::npos) << "left behind: " << name;
        if (name.ends_with(".korv")) {
            ++maps;
            EXPECT_EQ(fs::file_size(entry.path()), MapFileSize) << name;
        }
    }
    EXPECT_GE(maps, 2);
}

// A sticky, world-writable folder such as /tmp inside the scene ("shared"), and a file of root's
// that a link planted there points at ("victim/config").
void SharedFolderWithVictim(const Scene& s)
{
    fs::create_directories(s.File("victim"));
    s.Text("victim/config", "root's own settings");
    fs::create_directory(s.File("shared"));
    ::chmod(s.File("shared").c_str(), 01777);
    // The scene's own folder is private (mkdtemp): others must reach the shared one.
    ::chmod(s.Path().c_str(), 0755);
}

// A link at name, to victim/config, owned by user and group owner (-1 keeps ours).
void Link(const Scene& s, const std::string& name, uid_t owner)
{
    fs::create_symlink(s.File("victim/config"), s.File(name));
    if (owner != uid_t(-1)) {
        ASSERT_EQ(::lchown(s.File(name).c_str(), owner, owner), 0) << std::strerror(errno);
    }
}

constexpr uid_t Nobody = 65534;

// An 8-bit BMP with a 256-entry palette around the given pixel data (compression 1 = RLE8).
std::vector<std::uint8_t> Bmp8(int width, int height, const std::vector<std::uint8_t>& data, int compression)
{
    std::vector<std::uint8_t> out;
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(std::uint8_t(value >> (8 * i)));
    };
    const std::uint32_t offset = 14 + 40 + 1024;
    out.push_back('B');
    out.push_back('M');
    put(offset + std::uint32_t(data.size()), 4);
    put(0, 4);
    put(offset, 4);
    put(40, 4);
    put(std::uint32_t(width), 4);
    put(std::uint32_t(height), 4);
    put(1, 2);
    put(8, 2);
    put(std::uint32_t(compression), 4);
    put(std::uint32_t(data.size()), 4);
    put(2835, 4);
    put(2835, 4);
    put(256, 4);
    put(0, 4);
    for (int i = 0; i < 256; ++i)
        put(std::uint32_t(i * 0x010101), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// 8 x 4 pictures in RLE8: whole, and three ways of leaving pixels unread.
const std::vector<std::uint8_t> RleWhole = {8, 7, 0, 0, 8, 8, 0, 0, 8, 9, 0, 0, 8, 10, 0, 1};
const std::vector<std::uint8_t> RleDelta = {4, 7, 0, 2, 2, 0, 2, 7, 0, 0, 8, 8, 0, 0, 8, 9, 0, 0, 8, 10, 0, 1};
const std::vector<std::uint8_t> RleEarlyEnd = {8, 7, 0, 0, 8, 8, 0, 1};
const std::vector<std::uint8_t> RleShortRow = {5, 7, 0, 0, 8, 8, 0, 0, 8, 9, 0, 0, 8, 10, 0, 1};

std::vector<std::uint8_t> RunFile(const std::string& name)
{
    std::ifstream in(std::string(KORVAN_RUN_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Halved(std::vector<std::uint8_t> bytes)
{
    bytes.resize(bytes.size() / 2);
    return bytes;
}

struct Case {
    std::string Name;
    std::function<void(const Scene&)> Setup;
    std::function<Outcome(const Scene&)> Run;
    int Status = 1;
    std::string Message;  // what the output must hold ("" for nothing in particular); {dir} is the scene
    bool Exact = false;   // the output is exactly Message: a map dialog's fixed text
    std::string Names;    // a file (in the scene) the message must name; "" for none
    std::set<std::string> MayChange;  // entries of the scene that may differ afterwards
    bool NeedsRoot = false;
    std::function<void(const Scene&)> Also;  // further checks afterwards
    std::string MayChangeBelow;  // a folder of the scene whose entries may all differ ("" none)
};

std::vector<Case> Catalogue()
{
    const auto artwork = [](const std::string& file, std::function<void(const Scene&, const std::string&)> spoil) {
        return [file, spoil](const Scene& s) {
            s.Artwork();
            const std::string path = "assets/Graphic/" + file;
            fs::remove(s.File(path));
            spoil(s, path);
            s.Map("m.korv", 3);
        };
    };
    const auto frame = [](const Scene& s) {
        return Tool({"frame", s.File("m.korv"), "-o", s.File("out.bmp"), "--assets", s.File("assets")});
    };
    const std::string fad = "File access denied";
    std::vector<Case> c;

    // Save targets that are not regular files are refused and left as they were.
    c.push_back({"SaveOntoFifo", [](const Scene& s) { s.Fifo("p.korv"); },
                 [](const Scene& s) { return SaveWith(s.File("p.korv")); }, 1, fad, true});
    c.push_back({"ToolSaveOntoFifo", [](const Scene& s) { s.Fifo("p.korv"); },
                 [](const Scene& s) { return Tool({"generate", "--seed", "1", "-o", s.File("p.korv")}); }, 1, "",
                 false, "p.korv"});
    c.push_back({"SaveOntoSocket", [](const Scene& s) { s.Socket("s.korv"); },
                 [](const Scene& s) { return SaveWith(s.File("s.korv")); }, 1, fad, true});
    c.push_back({"SaveThroughLinkToFifo",
                 [](const Scene& s) {
                     s.Fifo("p");
                     fs::create_symlink("p", s.File("l.korv"));
                 },
                 [](const Scene& s) { return SaveWith(s.File("l.korv")); }, 1, fad, true});
    c.push_back({"SaveOntoDeviceNode", [](const Scene& s) { s.Device("null", 1, 3); },
                 [](const Scene& s) { return SaveWith(s.File("null")); }, 1, fad, true});
    c.back().NeedsRoot = true;
    c.push_back({"ToolSaveOntoDeviceNode", [](const Scene& s) { s.Device("x", 1, 3); },
                 [](const Scene& s) { return Tool({"generate", "--seed", "1", "-o", s.File("x")}); }, 1, "", false,
                 "x"});
    c.back().NeedsRoot = true;
    c.push_back({"SaveOntoReadOnlyFile",
                 [](const Scene& s) {
                     s.Map("ro.korv", 2);
                     ::chmod(s.File("ro.korv").c_str(), 0444);
                 },
                 [](const Scene& s) { return SaveWith(s.File("ro.korv")); }, 1, fad, true});
    c.push_back({"SaveIntoMissingFolder", nullptr, [](const Scene& s) { return SaveWith(s.File("no/a.korv")); }, 1,
                 "Invalid filename", true});
    c.push_back({"SaveOntoFolder", [](const Scene& s) { fs::create_directory(s.File("d.korv")); },
                 [](const Scene& s) { return SaveWith(s.File("d.korv")); }, 1, "I/O error 21", true});
    c.push_back({"SaveOntoFullFileSystem",
                 [](const Scene& s) {
                     s.Tiny("small");
                     s.Text("small/old.korv", "old bytes");
                 },
                 [](const Scene& s) { return SaveWith(s.File("small/old.korv")); }, 1, "Disk full", true});
    c.back().NeedsRoot = true;
    c.push_back({"ToolSaveOntoFullFileSystem",
                 [](const Scene& s) {
                     s.Tiny("small");
                     s.Text("small/old.korv", "old bytes");
                 },
                 [](const Scene& s) { return Tool({"generate", "--seed", "1", "-o", s.File("small/old.korv")}); }, 1,
                 "", false, "small/old.korv"});
    c.back().NeedsRoot = true;
    // A save replaces the name, not the file: another hard link keeps the old bytes.
    c.push_back({"SaveThroughHardLinkBreaksIt",
                 [](const Scene& s) {
                     s.Map("a.korv", 5);
                     fs::create_hard_link(s.File("a.korv"), s.File("b.korv"));
                 },
                 [](const Scene& s) { return SaveWith(s.File("a.korv"), 6); }, 0, "", false, "", {"a.korv"}});
    // Temporaries of killed saves: the next save of the same target clears the old ones only.
    c.push_back({"SaveClearsAbandonedTemporaries",
                 [](const Scene& s) {
                     s.Map("t.korv", 5);
                     for (const char* name : {".t.korv.korvan-save-AAAAAA", ".t.korv.korvan-save-BBBBBB",
                                              ".u.korv.korvan-save-CCCCCC", ".t.korv.korvan-save-DDD"})
                         s.Text(name, "left over");
                     for (const char* name : {".t.korv.korvan-save-AAAAAA", ".u.korv.korvan-save-CCCCCC",
                                              ".t.korv.korvan-save-DDD"})
                         s.Age(name, 2 * AbandonedTemporarySeconds);
                     s.Age(".t.korv.korvan-save-BBBBBB", AbandonedTemporarySeconds / 2);
                     if (::geteuid() == 0) {  // another user's leftover is not ours to remove
                         s.Text(".t.korv.korvan-save-EEEEEE", "left over");
                         ASSERT_EQ(::chown(s.File(".t.korv.korvan-save-EEEEEE").c_str(), 65534, 65534), 0);
                         s.Age(".t.korv.korvan-save-EEEEEE", 2 * AbandonedTemporarySeconds);
                     }
                 },
                 [](const Scene& s) { return SaveWith(s.File("t.korv")); }, 0, "", false, "",
                 {"t.korv", ".t.korv.korvan-save-AAAAAA"},
                 false,
                 [](const Scene& s) { EXPECT_FALSE(fs::exists(s.File(".t.korv.korvan-save-AAAAAA"))); }});
    // The temporary file's name is shortened to fit beside a target with the longest name.
    c.push_back({"SaveUnderTheLongestName", nullptr,
                 [](const Scene& s) { return SaveWith(s.File(std::string(255, 'n'))); }, 0, "", false, "",
                 {std::string(255, 'n')}});

    // Map files that are not map files: refused without blocking, the grid untouched.
    c.push_back({"LoadFifo", [](const Scene& s) { s.Fifo("p.korv"); },
                 [](const Scene& s) { return LoadWith(s.File("p.korv")); }, 1, fad, true});
    c.push_back({"ToolLoadFifo", [](const Scene& s) { s.Fifo("p.korv"); },
                 [](const Scene& s) { return Tool({"info", s.File("p.korv")}); }, 1, "", false, "p.korv"});
    c.push_back({"LoadDeviceNode", [](const Scene& s) { s.Device("zero.korv", 1, 5); },
                 [](const Scene& s) { return LoadWith(s.File("zero.korv")); }, 1, fad, true});
    c.back().NeedsRoot = true;
    c.push_back({"LoadFolder", [](const Scene& s) { fs::create_directory(s.File("d.korv")); },
                 [](const Scene& s) { return LoadWith(s.File("d.korv")); }, 1, "I/O error 21", true});
    c.push_back({"LoadShortFile", [](const Scene& s) { s.Text("short.korv", std::string(100, 'x')); },
                 [](const Scene& s) { return LoadWith(s.File("short.korv")); }, 1,
                 "Map file too short: 100 bytes (234256 expected)", true});
    c.push_back({"LoadEmptyFile", [](const Scene& s) { s.Text("empty.korv", ""); },
                 [](const Scene& s) { return LoadWith(s.File("empty.korv")); }, 1,
                 "Map file too short: 0 bytes (234256 expected)", true});
    c.push_back({"LoadMissingFile", nullptr, [](const Scene& s) { return LoadWith(s.File("none.korv")); }, 1,
                 "File not found", true});
    c.push_back({"ToolLoadMissingFile", nullptr, [](const Scene& s) { return Tool({"info", s.File("none.korv")}); },
                 1, "", false, "none.korv"});
    c.push_back({"LoadDanglingLink", [](const Scene& s) { fs::create_symlink("nowhere", s.File("l.korv")); },
                 [](const Scene& s) { return LoadWith(s.File("l.korv")); }, 1, "File not found", true});
    c.push_back({"LoadLinkLoop",
                 [](const Scene& s) {
                     fs::create_symlink("b.korv", s.File("a.korv"));
                     fs::create_symlink("a.korv", s.File("b.korv"));
                 },
                 [](const Scene& s) { return LoadWith(s.File("a.korv")); }, 1, "I/O error 40", true});
    c.push_back({"LoadReadOnlyFileWorks", [](const Scene& s) {
                     s.Map("ro.korv", 2);
                     ::chmod(s.File("ro.korv").c_str(), 0444);
                 },
                 [](const Scene& s) { return LoadWith(s.File("ro.korv")); }, 0, ""});

    // Artwork: a picture counts only when every pixel was read from its file.
    const auto picture = [](const std::string& name) {
        return [name](const Scene& s) { return PictureWith(s.File(name)); };
    };
    c.push_back({"PictureTruncated", [](const Scene& s) { s.Bytes("Lands.BMP", Halved(RunFile("Graphic/Lands.BMP"))); },
                 picture("Lands.BMP"), 1, "Bitmap image is not valid", false, "Lands.BMP"});
    c.push_back({"PictureRleDeltaSkipsPixels", [](const Scene& s) { s.Bytes("d.bmp", Bmp8(8, 4, RleDelta, 1)); },
                 picture("d.bmp"), 1, "Bitmap image is not valid", false, "d.bmp"});
    c.push_back({"PictureRleEndsEarly", [](const Scene& s) { s.Bytes("e.bmp", Bmp8(8, 4, RleEarlyEnd, 1)); },
                 picture("e.bmp"), 1, "Bitmap image is not valid", false, "e.bmp"});
    c.push_back({"PictureRleShortRow", [](const Scene& s) { s.Bytes("r.bmp", Bmp8(8, 4, RleShortRow, 1)); },
                 picture("r.bmp"), 1, "Bitmap image is not valid", false, "r.bmp"});
    c.push_back({"PictureRleWholeIsRead", [](const Scene& s) { s.Bytes("w.bmp", Bmp8(8, 4, RleWhole, 1)); },
                 picture("w.bmp"), 0, ""});
    c.push_back({"PictureNotAPicture", [](const Scene& s) { s.Text("g.bmp", "BM this is not a picture"); },
                 picture("g.bmp"), 1, "Bitmap image is not valid", false, "g.bmp"});
    c.push_back({"PictureNotIndexed",
                 [](const Scene& s) {
                     QImage rgb(4, 4, QImage::Format_RGB32);
                     rgb.fill(Qt::red);
                     rgb.save(QString::fromStdString(s.File("rgb.bmp")), "BMP");
                 },
                 picture("rgb.bmp"), 1, "Bitmap image is not 8-bit indexed", false, "rgb.bmp"});
    c.push_back({"PictureFifo", [](const Scene& s) { s.Fifo("Splatt.BMP"); }, picture("Splatt.BMP"), 1,
                 "Not a regular file", false, "Splatt.BMP"});
    c.push_back({"PictureFolder", [](const Scene& s) { fs::create_directory(s.File("Black.BMP")); },
                 picture("Black.BMP"), 1, "Not a regular file", false, "Black.BMP"});
    c.push_back({"PictureMissing", nullptr, picture("Graphic/Lands.BMP"), 1, "File not found", false,
                 "Graphic/Lands.BMP"});
    c.push_back({"ToolFrameTruncatedSheet",
                 artwork("Lands.BMP", [](const Scene& s, const std::string& p) {
                     s.Bytes(p, Halved(RunFile("Graphic/Lands.BMP")));
                 }),
                 frame, 1, "Bitmap image is not valid", false, "assets/Graphic/Lands.BMP"});
    c.push_back({"ToolFrameFifoSheet", artwork("Units.BMP", [](const Scene& s, const std::string& p) { s.Fifo(p); }),
                 frame, 1, "Not a regular file", false, "assets/Graphic/Units.BMP"});
    c.push_back({"ToolFrameMissingBackBuffer", artwork("Black.BMP", [](const Scene&, const std::string&) {}), frame,
                 1, "No such file or directory", false, "assets/Graphic/Black.BMP"});

    // Music: a FIFO never blocks, and every failure names the file.
    c.push_back({"MusicFifo", [](const Scene& s) { s.Fifo("Music1.mid"); },
                 [](const Scene& s) { return MidiTool(s.File("Music1.mid"), s.File("o.wav")); }, 1,
                 "Not a regular file", false, "Music1.mid"});
    c.push_back({"MusicMissing", nullptr,
                 [](const Scene& s) { return MidiTool(s.File("Music2.mid"), s.File("o.wav")); }, 1,
                 "No such file or directory", false, "Music2.mid"});
    c.push_back({"MusicNotMidi", [](const Scene& s) { s.Text("m.mid", "Musica! Musica!"); },
                 [](const Scene& s) { return MidiTool(s.File("m.mid"), s.File("o.wav")); }, 1, "not a MIDI file",
                 false, "m.mid"});

    // korvan-map's own conventions.
    c.push_back({"ToolOverviewAtLowestAnchor",
                 [](const Scene& s) {
                     auto editor = std::make_unique<Editor>();
                     editor->Rng.State = 9;
                     GenerateMap(*editor);
                     std::int64_t left = INT32_MAX;
                     for (const auto& row : editor->Map.Cells)
                         for (const auto& cell : row)
                             left = std::min<std::int64_t>(left, cell.ScreenX);
                     for (auto& row : editor->Map.Cells)
                         for (auto& cell : row)
                             cell.ScreenX = std::int32_t(cell.ScreenX - left + INT32_MIN);
                     s.Bytes("low.korv", EncodeMap(editor->Map.Cells));
                 },
                 [](const Scene& s) { return Tool({"overview", s.File("low.korv"), "-o", s.File("o.png")}); }, 0, "",
                 false, "", {"o.png"}, false,
                 [](const Scene& s) {
                     const QImage picture(QString::fromStdString(s.File("o.png")));
                     ASSERT_FALSE(picture.isNull());
                     std::set<QRgb> colours;
                     for (int y = 0; y < picture.height(); y += 7)
                         for (int x = 0; x < picture.width(); x += 7)
                             colours.insert(picture.pixel(x, y));
                     EXPECT_GE(colours.size(), 10u) << "the overview is blank";
                 }});
    c.push_back({"ToolFrameKeepsOutputNameBytes", [](const Scene& s) { s.Map("m.korv", 3); },
                 [](const Scene& s) { return Tool({"frame", s.File("m.korv"), "-o", s.File("caf\xe9.bmp")}); }, 0, "",
                 false, "", {"caf\xe9.bmp"}, false,
                 [](const Scene& s) { EXPECT_TRUE(fs::exists(s.File("caf\xe9.bmp"))); }});
    for (const char* mode : {"-1", "5", "2147483647"})
        c.push_back({std::string("ToolFrameModeOutOfRange") + (mode[0] == '-' ? "Negative" : mode),
                     [](const Scene& s) { s.Map("m.korv", 3); },
                     [mode](const Scene& s) {
                         return Tool({"frame", s.File("m.korv"), "-o", s.File("o.bmp"), "--mode", mode});
                     },
                     2, "--mode", false, "", {}, false});
    c.push_back({"ToolOverviewOntoFullFileSystem",
                 [](const Scene& s) {
                     s.Map("m.korv", 3);
                     s.Tiny("small");
                     s.Text("small/old.png", "an old picture");
                 },
                 [](const Scene& s) { return Tool({"overview", s.File("m.korv"), "-o", s.File("small/old.png")}); },
                 1, "", false, "small/old.png", {}, true});
    c.push_back({"ToolFrameOntoFullFileSystem",
                 [](const Scene& s) {
                     s.Map("m.korv", 3);
                     s.Tiny("small");
                 },
                 [](const Scene& s) { return Tool({"frame", s.File("m.korv"), "-o", s.File("small/new.bmp")}); }, 1,
                 "", false, "small/new.bmp", {}, true});

    // Links planted by others: followed only where the kernel's fs.protected_symlinks would
    // follow them, and never by a batch.
    std::set<std::string> batchMaps;
    for (int n = 0; n <= 9; ++n)
        if (n != 7)
            batchMaps.insert("shared/mine/" + std::to_string(n) + ".korv");
    c.push_back({"BatchRefusesLinkPlantedByAnother",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     fs::create_directory(s.File("shared/mine"));
                     ASSERT_EQ(::chown(s.File("shared/mine").c_str(), Nobody, Nobody), 0);
                     Link(s, "shared/mine/7.korv", Nobody);
                 },
                 [](const Scene& s) { return Tool({"generate", "--seeds", "0-9", "-o", s.File("shared/mine")}); }, 1,
                 "Is a symbolic link, not written through", false, "shared/mine/7.korv", batchMaps, true});
    c.push_back({"BatchRefusesOwnLinkToo",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     fs::create_directory(s.File("shared/mine"));
                     Link(s, "shared/mine/7.korv", uid_t(-1));
                 },
                 [](const Scene& s) { return Tool({"generate", "--seeds", "0-9", "-o", s.File("shared/mine")}); }, 1,
                 "Is a symbolic link, not written through", false, "shared/mine/7.korv", batchMaps});
    c.push_back({"SaveRefusesLinkPlantedInStickyFolder",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     Link(s, "shared/l.korv", Nobody);
                 },
                 [](const Scene& s) { return SaveWith(s.File("shared/l.korv")); }, 1, fad, true, "", {}, true});
    c.push_back({"ToolSaveRefusesLinkPlantedInStickyFolder",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     Link(s, "shared/l.korv", Nobody);
                 },
                 [](const Scene& s) { return Tool({"generate", "--seed", "1", "-o", s.File("shared/l.korv")}); }, 1,
                 "Permission denied", false, "shared/l.korv", {}, true});
    c.push_back({"ToolFrameRefusesLinkPlantedInStickyFolder",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     s.Map("m.korv", 3);
                     Link(s, "shared/f.bmp", Nobody);
                 },
                 [](const Scene& s) { return Tool({"frame", s.File("m.korv"), "-o", s.File("shared/f.bmp")}); }, 1,
                 "Permission denied", false, "shared/f.bmp", {}, true});
    // The kernel follows a user's own links there, and those of the folder's owner.
    c.push_back({"SaveFollowsOwnLinkInStickyFolder",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     Link(s, "shared/l.korv", uid_t(-1));
                 },
                 [](const Scene& s) { return SaveWith(s.File("shared/l.korv")); }, 0, "", false, "",
                 {"victim/config"}});
    c.push_back({"SaveFollowsLinkOfTheFolderOwner",
                 [](const Scene& s) {
                     SharedFolderWithVictim(s);
                     ASSERT_EQ(::chown(s.File("shared").c_str(), Nobody, Nobody), 0);
                     Link(s, "shared/l.korv", Nobody);
                 },
                 [](const Scene& s) { return SaveWith(s.File("shared/l.korv")); }, 0, "", false, "",
                 {"victim/config"}, true});

    // Names that are not UTF-8 keep their bytes (the editor's command line: map_argument_xvfb.sh).
    c.push_back({"SaveAndLoadNameThatIsNotUtf8", nullptr,
                 [](const Scene& s) {
                     const Outcome saved = SaveWith(s.File("\xff\xfe.korv"));
                     return saved.Status == 0 ? LoadWith(s.File("\xff\xfe.korv")) : saved;
                 },
                 0, "", false, "", {"\xff\xfe.korv"}});
    c.push_back({"ToolNameThatIsNotUtf8", [](const Scene& s) { s.Map("\xff\xfe.korv", 4); },
                 [](const Scene& s) { return Tool({"info", s.File("\xff\xfe.korv")}); }, 0, ""});

    // An interrupted batch lets the maps in flight finish and leaves no hidden temporary file.
    for (const int signal : {SIGINT, SIGTERM})
        c.push_back({signal == SIGINT ? "BatchInterruptedBySigint" : "BatchInterruptedBySigterm", nullptr,
                     [signal](const Scene& s) { return InterruptedBatch(s.File("out"), signal); }, 128 + signal, "",
                     false, "", {}, false, [](const Scene& s) { BatchLeftOnlyWholeMaps(s.File("out")); }, "out"});
    // On a terminal the progress bar's line is ended before the program ends.
    c.push_back({"BatchInterruptedOnTerminalEndsTheProgressLine", nullptr,
                 [](const Scene& s) {
                     Outcome outcome = InterruptedBatch(s.File("out"), SIGINT, true);
                     const bool ended = outcome.Output.find(" maps") != std::string::npos &&
                                        outcome.Output.ends_with("\n");
                     outcome.Output = ended ? "progress line ended\n" : "progress line left open: " + outcome.Output;
                     return outcome;
                 },
                 130, "progress line ended", true, "", {}, false,
                 [](const Scene& s) { BatchLeftOnlyWholeMaps(s.File("out")); }, "out"});

    // Output that cannot be written is a failure, as in GNU tools.
    const std::string full = "standard output: No space left on device";
    for (const char* words : {"info", "--help", "--version", "generate --help", "-o -"})
        c.push_back({std::string("ToolOntoFullStdout_") +
                         (words == std::string("info")             ? "Info"
                          : words == std::string("--help")         ? "Help"
                          : words == std::string("--version")      ? "Version"
                          : words == std::string("generate --help") ? "VerbHelp"
                                                                     : "MapToStdout"),
                     [](const Scene& s) { s.Map("m.korv", 3); },
                     [words](const Scene& s) {
                         const std::string w = words;
                         if (w == "info")
                             return ToolOntoFile("/dev/full", {KORVAN_MAP_TOOL, "info", s.File("m.korv")});
                         if (w == "generate --help")
                             return ToolOntoFile("/dev/full", {KORVAN_MAP_TOOL, "generate", "--help"});
                         if (w == "-o -")
                             return ToolOntoFile("/dev/full", {KORVAN_MAP_TOOL, "generate", "--seed", "1", "-o", "-"});
                         return ToolOntoFile("/dev/full", {KORVAN_MAP_TOOL, w});
                     },
                     1, full});
    c.push_back({"MidiSummaryOntoFullStdout", nullptr,
                 [](const Scene& s) {
                     return ToolOntoFile("/dev/full", {KORVAN_MIDI_TOOL, "--tail", "0",
                                                       std::string(KORVAN_RUN_DIR) + "/Music/Music1.mid", s.File("o.wav")});
                 },
                 1, "korvan-midi-render: " + full, false, "", {"o.wav"}});
    c.push_back({"MidiVersionOntoFullStdout", nullptr,
                 [](const Scene&) { return ToolOntoFile("/dev/full", {KORVAN_MIDI_TOOL, "--version"}); }, 1,
                 "korvan-midi-render: " + full});

    // What the command line refuses, in GNU's words.
    const auto usage = [](std::string name, std::vector<std::string> words, std::string message) {
        return Case{name, [](const Scene& s) { s.Map("m.korv", 3); },
                    [words](const Scene& s) {
                        std::vector<std::string> filled;
                        for (const std::string& word : words)
                            filled.push_back(word == "{map}" ? s.File("m.korv") : word == "{out}" ? s.File("o.bmp") : word);
                        return Tool(filled);
                    },
                    2, message};
    };
    c.push_back(usage("ToolEmptyOutputName", {"generate", "--seed", "1", "-o", ""},
                      "korvan-map: option '--output' requires a non-empty argument"));
    c.push_back(usage("ToolEmptyMapName", {"info", ""}, "korvan-map: empty file name"));
    c.push_back(usage("ToolUnknownOptionAfterVerb", {"info", "--bogus", "{map}"},
                      "korvan-map: unrecognized option '--bogus'"));
    c.push_back(usage("ToolUnknownOption", {"--bogus"}, "korvan-map: unrecognized option '--bogus'"));
    c.push_back(usage("ToolMissingValue", {"frame", "{map}", "-o", "{out}", "--frames"},
                      "korvan-map: option '--frames' requires an argument"));
    c.push_back(usage("ToolSeedAndSeeds", {"generate", "--seed", "1", "--seeds", "1-2", "-o", "{out}"},
                      "korvan-map: generate takes only one of --seed N or --seeds A-B"));
    for (const auto& [name, range] : {std::pair{"LeadingBlank", " 1-2"}, {"PlusSigns", "+1-+2"},
                                      {"BlankBeforeDash", "1 -2"}, {"BlankAfterDash", "1- 2"}, {"TrailingBlank", "1-2 "}})
        c.push_back(usage(std::string("ToolRangeNotDigits") + name, {"generate", "--seeds", range, "-o", "{out}"},
                          "invalid value for --seeds"));
    c.push_back({"ToolBatchFifoEntry",
                 [](const Scene& s) {
                     fs::create_directory(s.File("b"));
                     s.Fifo("b/3.korv");
                 },
                 [](const Scene& s) { return Tool({"generate", "--seeds", "0-5", "-o", s.File("b")}); }, 1,
                 "Not a regular file", false, "b/3.korv", {}, false, nullptr, "b"});
    c.push_back({"ToolMapToTerminal", nullptr,
                 [](const Scene&) { return ToolOntoTerminal({KORVAN_MAP_TOOL, "generate", "--seed", "3", "-o", "-"}); },
                 1, "korvan-map: standard output: binary data not written to a terminal"});
    c.push_back({"MusicNotMidiNamesTheFileFirst", [](const Scene& s) { s.Text("m.mid", "Musica! Musica!"); },
                 [](const Scene& s) { return MidiTool(s.File("m.mid"), s.File("o.wav")); }, 1,
                 "korvan-midi-render: {dir}/m.mid: not a MIDI file (no MThd header)", true});

    // A file longer than a map: its first map is used, with a warning.
    c.push_back({"ToolInfoLongerThanAMap", [](const Scene& s) { s.Text("long.korv", std::string(300000, '\0')); },
                 [](const Scene& s) { return Tool({"info", s.File("long.korv")}); }, 0,
                 "warning: the file is longer than a map (300000 bytes; the first 234256 are used)", false,
                 "long.korv"});
    return c;
}

void PrintTo(const Case& c, std::ostream* out) { *out << c.Name; }

class BadInput : public ::testing::TestWithParam<Case> {};

TEST_P(BadInput, FailsCleanlyWithoutHangingOrChangingOtherFiles)
{
    const Case& c = GetParam();
    if (c.NeedsRoot && ::geteuid() != 0)
        GTEST_SKIP() << "needs root (device nodes, a small tmpfs): run as root, as the CI does";
    Scene scene;
    if (c.Setup)
        c.Setup(scene);
    if (::testing::Test::HasFatalFailure() || ::testing::Test::IsSkipped())
        return;
    const Snapshot before = TakeSnapshot(scene.Path());
    const Outcome outcome = c.Run(scene);
    ASSERT_FALSE(outcome.TimedOut) << "still running after " << Bound << " s";
    EXPECT_EQ(outcome.Status, c.Status) << outcome.Output;
    std::string message = c.Message;
    if (const auto dir = message.find("{dir}"); dir != std::string::npos)
        message.replace(dir, 5, scene.Path().string());
    if (c.Exact) {
        EXPECT_EQ(outcome.Output, message + "\n");
    } else if (!message.empty()) {
        EXPECT_NE(outcome.Output.find(message), std::string::npos) << outcome.Output;
    }
    if (!c.Names.empty()) {
        EXPECT_NE(outcome.Output.find(scene.File(c.Names)), std::string::npos)
            << "the message does not name " << scene.File(c.Names) << ": " << outcome.Output;
    }
    std::vector<std::string> unexpected;
    for (const std::string& name : Changes(before, TakeSnapshot(scene.Path())))
        if (c.MayChange.count(name) == 0 &&
            (c.MayChangeBelow.empty() || (name != c.MayChangeBelow && !name.starts_with(c.MayChangeBelow + "/"))))
            unexpected.push_back(name);
    EXPECT_TRUE(unexpected.empty()) << "changed: " << ::testing::PrintToString(unexpected);
    if (c.Also)
        c.Also(scene);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInput, ::testing::ValuesIn(Catalogue()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.Name; });

}  // namespace
}  // namespace korvan
