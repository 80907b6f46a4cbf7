// Shared pieces of the fuzz targets: a private scratch folder, a byte reader over the input,
// and the editor set up with the run folder's artwork.
#pragma once

#include "TempFolder.h"
#include "base/AssetLookup.h"
#include "edit/Editor.h"
#include "render/ArtworkSetup.h"
#include "render/BmpFile.h"
#include "render/Sheets.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace korvan::fuzz {

// One scratch folder per fuzzing process, reused by every input.
inline const testing::TempFolder& Scratch()
{
    static const testing::TempFolder folder;
    return folder;
}

inline std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = Scratch().File(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (!out) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", path.c_str());
        std::abort();
    }
    return path;
}

// Takes bytes from the end of the input, so that the front stays the file's own bytes.
class TailReader {
public:
    TailReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return size_ ? data_[--size_] : 0; }
    std::int32_t Int(std::int32_t low, std::int32_t high)
    {
        const std::uint32_t raw = std::uint32_t(Byte()) | std::uint32_t(Byte()) << 8;
        return low + std::int32_t(raw % std::uint32_t(high - low + 1));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// The artwork the editor runs with: the build's own run folder, then the working folder.
inline std::string ArtworkFile(const char* name) { return ResolveAsset(name, KORVAN_RUN_DIR); }

// An editor with every sheet and the back buffer loaded, made once: loading is slow next to a frame.
inline Editor& ArtworkEditor()
{
    static const std::unique_ptr<Editor> editor = [] {
        auto made = std::make_unique<Editor>();
        SetUpArtwork(made->Canvas, [](const std::string& name) { return ResolveAsset(name, KORVAN_RUN_DIR); });
        return made;
    }();
    return *editor;
}

}  // namespace korvan::fuzz
