// The verbs of korvan-map. Each takes the words after its name, prints its own help on --help,
// raises UsageError or Failure (see CommandLine.h), and returns the exit status.
#pragma once

#include "CommandLine.h"
#include "edit/Editor.h"

#include <QStringList>

#include <cstdint>
#include <string>

namespace korvan::cli {

struct Verb {
    const char* Name;
    const char* Synopsis;  // the verb's line of the tool's usage, after "korvan-map "
    int (*Run)(const QStringList& words);
};

int Generate(const QStringList& words);
int Info(const QStringList& words);
int Frame(const QStringList& words);
int Overview(const QStringList& words);

// generate --seeds A-B: every map of the range into folder, each file as "generate --seed N"
// writes it, on all processors. The range's text is checked by the caller. A symbolic link in
// the folder is never written through: the batch stops there and names it. SIGINT or SIGTERM
// lets the maps in flight finish (so no temporary file is left) and returns 128 + the signal's
// number; otherwise returns 0.
int GenerateBatch(std::uint32_t first, std::uint32_t last, const std::string& folder);

// The file of an artwork name such as "Graphic\\Black.BMP": inside assetsDir when one is given,
// else where the editor would find it (working folder, then beside the executable).
std::string AssetFile(const std::string& name, const std::string& assetsDir);

// A map file, an artwork picture, and the six sheets; failures name the file (Failure). A map
// file longer than a map loads its first map and is reported on standard error as a warning.
void LoadMapFile(MapGrid& cells, const std::string& path);
IndexedImage ReadArtwork(const std::string& name, const std::string& assetsDir);
// The artwork set up as the editor sets it up (SetUpArtwork), each file looked for in assetsDir
// (see AssetFile); a failure names the file.
void SetUpArtworkFrom(Canvas& canvas, const std::string& assetsDir);

}  // namespace korvan::cli
