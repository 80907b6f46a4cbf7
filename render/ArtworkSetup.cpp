// Loading the artwork and starting the view and the shimmer, in the order start-up has them.
#include "render/ArtworkSetup.h"

#include "render/BackBuffer.h"
#include "render/BmpFile.h"
#include "render/SharedPalette.h"
#include "render/Sheets.h"

namespace korvan {
namespace {

template <typename Load>
void Reported(const LoadReport& report, Load&& load)
{
    if (!report)
        return load();
    try {
        load();
    } catch (const std::exception& error) {
        report(error);
    }
}

}  // namespace

void SetUpArtwork(Canvas& canvas, const AssetFinder& find, ArtworkParts parts, const LoadReport& report)
{
    if (parts != ArtworkParts::BackBuffer) {
        for (int slot = 0; slot < SheetCount; ++slot)
            Reported(report, [&] { LoadSheet(canvas, find(SheetFiles[std::size_t(slot)]), slot); });
        SetViewStartValues(canvas);
        StartShimmer(canvas);
    }
    if (parts != ArtworkParts::Sheets) {
        if (report) {
            IndexedImage fallback(BackBufferWidth, BackBufferHeight);
            fallback.Palette = SharedPalette();
            UseAsBackBuffer(canvas, fallback);
        }
        Reported(report, [&] { UseAsBackBuffer(canvas, ReadIndexedBmp(find("Graphic\\Black.BMP"))); });
    }
}

}  // namespace korvan
