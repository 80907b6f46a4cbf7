// korvan-assets: draws the artwork and writes the music of the editor, and composes preview
// pictures of generated maps from that artwork.
//   korvan-assets --run-dir DIR --pictures DIR
//   korvan-assets preview --run-dir DIR --seed N -o FRAME.png [--map MAP.png] [--scroll X Y]
#include "Artwork.h"
#include "Music.h"
#include "Preview.h"
#include "PreviewMap.h"

#include "edit/Editor.h"
#include "base/KorvanError.h"
#include "edit/NewMap.h"
#include "render/BmpFile.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace korvan;

namespace {

void SaveQImage(const QImage& image, const fs::path& path)
{
    if (!image.save(QString::fromStdString(path.string())))
        throw KorvanError("Cannot write " + path.string());
}

void WriteBytes(const std::vector<std::uint8_t>& bytes, const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw KorvanError("Cannot write " + path.string());
}

void Generate(const fs::path& runDir, const fs::path& pictures)
{
    const fs::path graphic = runDir / "Graphic", music = runDir / "Music";
    fs::create_directories(graphic);
    fs::create_directories(music);
    fs::create_directories(pictures);

    const IndexedImage territ = art::MakeTerrit();
    WriteIndexedBmp(art::MakeBlack(), (graphic / "Black.BMP").string());
    WriteIndexedBmp(territ, (graphic / "Territ.BMP").string());
    WriteIndexedBmp(art::MakeQuadri(), (graphic / "Quadri.BMP").string());
    WriteIndexedBmp(art::MakeLands(), (graphic / "Lands.BMP").string());
    WriteIndexedBmp(art::MakeTerrainFeatures(), (graphic / "Terrain.BMP").string());
    WriteIndexedBmp(art::MakeUnits(), (graphic / "Units.BMP").string());
    WriteIndexedBmp(art::MakeCities(), (graphic / "Cities.BMP").string());
    WriteIndexedBmp(art::MakeSplatt(), (graphic / "Splatt.BMP").string());
    WriteBytes(music::IntroTheme(), music / "Music1.mid");
    WriteBytes(music::EditorTheme(), music / "Music2.mid");

    // The legend of the terrain palette window is the Territ sheet itself.
    WriteIndexedBmp(territ, (pictures / "TerrainLegend.bmp").string());
    SaveQImage(art::MakeAuthorPortrait(), pictures / "Author1.bmp");
    SaveQImage(art::MakeAuthorBanner(), pictures / "Author2.bmp");
    SaveQImage(art::MakeVersionBadge(), pictures / "Versione.bmp");
    SaveQImage(art::MakeIcon(32), pictures / "KorvanIcon.png");
    for (int size : {48, 64, 128, 256})
        SaveQImage(art::MakeIcon(size), pictures / ("KorvanIcon-" + std::to_string(size) + ".png"));
}

int Preview(const std::vector<std::string>& args)
{
    fs::path runDir = ".", frameOut, mapOut;
    std::uint32_t seed = 1;
    long long scrollX = -800, scrollY = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw KorvanError("missing value after " + args[i]);
            return args[++i];
        };
        if (args[i] == "--run-dir")
            runDir = next();
        else if (args[i] == "--seed")
            seed = std::uint32_t(std::stoul(next()));
        else if (args[i] == "-o")
            frameOut = next();
        else if (args[i] == "--map")
            mapOut = next();
        else if (args[i] == "--scroll") {
            scrollX = std::stoll(next());
            scrollY = std::stoll(next());
        } else
            throw KorvanError("unknown argument: " + args[i]);
    }
    const art::PreviewSheets sheets = art::LoadPreviewSheets(runDir.string());
    auto editor = std::make_unique<Editor>();
    editor->Rng.State = seed;
    GenerateMap(*editor);
    art::DecorateForPreview(editor->Map.Cells);
    if (!frameOut.empty()) {
        IndexedImage frame(640, 480);
        frame.Palette = sheets.Territ.Palette;
        art::ComposeMap(editor->Map.Cells, sheets, scrollX, scrollY, 461, frame);
        if (!ToQImage(frame).save(QString::fromStdString(frameOut.string())))
            throw KorvanError("Cannot write " + frameOut.string());
    }
    if (!mapOut.empty()) {
        IndexedImage whole(8000, 3760);
        whole.Palette = sheets.Territ.Palette;
        art::ComposeMap(editor->Map.Cells, sheets, 0, 1810, whole.Height - 1, whole);
        const QImage scaled = ToQImage(whole).convertToFormat(QImage::Format_RGB32).scaled(
            2000, 940, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!scaled.save(QString::fromStdString(mapOut.string())))
            throw KorvanError("Cannot write " + mapOut.string());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        if (!args.empty() && args[0] == "preview")
            return Preview(std::vector<std::string>(args.begin() + 1, args.end()));
        fs::path runDir, pictures;
        for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
            if (args[i] == "--run-dir")
                runDir = args[i + 1];
            else if (args[i] == "--pictures")
                pictures = args[i + 1];
            else
                throw KorvanError("unknown argument: " + args[i]);
        }
        if (runDir.empty() || pictures.empty() || args.size() % 2)
            throw KorvanError("usage: korvan-assets --run-dir DIR --pictures DIR");
        Generate(runDir, pictures);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvan-assets: %s\n", error.what());
        return 1;
    }
}
