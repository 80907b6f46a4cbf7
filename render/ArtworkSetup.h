// The one set-up of the artwork before drawing, used by the program, the command line, the
// benchmarks and the tests: the six sheets into their slots, the view's and the shimmer's start
// values, and Black.BMP as the back buffer.
#pragma once

#include "render/Canvas.h"

#include <exception>
#include <functional>
#include <string>

namespace korvan {

// The file to read for an artwork name such as "Graphic\Black.BMP".
using AssetFinder = std::function<std::string(const std::string& name)>;
// Told of each file that fails to load, after which the set-up goes on; without one, the first
// failure raises.
using LoadReport = std::function<void(const std::exception& error)>;

enum class ArtworkParts {
    Sheets,      // the sheets, then the view's and the shimmer's start values (the program's start)
    BackBuffer,  // Black.BMP as the back buffer (the program's switch to the editor)
    All,
};

// With a report, a Black.BMP that fails to load leaves a cleared 640 x 480 back buffer in the
// shared palette, so that frames still run.
void SetUpArtwork(Canvas& canvas, const AssetFinder& find, ArtworkParts parts = ArtworkParts::All,
                  const LoadReport& report = {});

}  // namespace korvan
