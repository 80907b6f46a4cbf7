// Copying one opaque run of a tile into the back buffer, sized for runs of 1 to 66 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace korvan {

// Copies n bytes (1..66) from s to d, touching no byte outside either run. Runs are short: a
// call to memcpy costs more than the copy, so two fixed-size copies that overlap in the middle
// cover each length class.
inline void CopyRun(std::uint8_t* d, const std::uint8_t* s, std::size_t n)
{
    if (n >= 16) {
        std::memcpy(d, s, 16);
        std::memcpy(d + n - 16, s + n - 16, 16);
        if (n > 32) {
            std::memcpy(d + 16, s + 16, 16);
            std::memcpy(d + n - 32, s + n - 32, 16);
            if (n > 64) {
                std::memcpy(d + 32, s + 32, 16);
                std::memcpy(d + 48, s + 48, 16);
            }
        }
    } else if (n >= 8) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else {
        d[0] = s[0];
        d[n / 2] = s[n / 2];
        d[n - 1] = s[n - 1];
    }
}

}  // namespace korvan
