// The stamps that name the pixels of the tile sheets.
#include "render/SheetSlots.h"

#include <atomic>
#include <utility>

namespace korvan {

IndexedImage SheetSlots::Set(std::size_t slot, IndexedImage sheet)
{
    // One counter for every set of sheets, so that two sheets never share a stamp unless one was
    // copied from the other; atomic, as editors may be made on several threads.
    static std::atomic<std::uint64_t> stamps{0};
    versions_[slot] = stamps.fetch_add(1, std::memory_order_relaxed) + 1;
    return std::exchange(sheets_[slot], std::move(sheet));
}

}  // namespace korvan
