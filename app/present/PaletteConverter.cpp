// Table lookups of indexed pixels, one at a time or sixty-four at a time.
#include "PaletteConverter.h"

#include "render/VectorPath.h"

#include <algorithm>
#include <cstring>

#if defined(KORVAN_HAS_AVX512_PATH)
#include <immintrin.h>
#endif

namespace korvan {

namespace {

void ConvertPortable(const std::uint32_t* colours, const std::uint8_t* source, std::uint32_t* target, std::size_t count)
{
    std::size_t k = 0;
    for (; k + 4 <= count; k += 4) {
        target[k] = colours[source[k]];
        target[k + 1] = colours[source[k + 1]];
        target[k + 2] = colours[source[k + 2]];
        target[k + 3] = colours[source[k + 3]];
    }
    for (; k < count; ++k)
        target[k] = colours[source[k]];
}

PaletteConverter::Changes ConvertChangedPortable(const std::uint32_t* colours, const std::uint8_t* current,
                                                 std::uint8_t* shown, std::uint32_t* target, std::size_t count)
{
    PaletteConverter::Changes changes{std::ptrdiff_t(count), -1};
    std::size_t k = 0;
    while (k < count) {
        if (k + 8 <= count && std::memcmp(current + k, shown + k, 8) == 0) {
            k += 8;
            continue;
        }
        if (current[k] != shown[k]) {
            shown[k] = current[k];
            target[k] = colours[current[k]];
            changes.First = std::min(changes.First, std::ptrdiff_t(k));
            changes.Last = std::ptrdiff_t(k);
        }
        ++k;
    }
    return changes;
}

#if defined(KORVAN_HAS_AVX512_PATH)

// The unpacks below interleave within 128-bit lanes; taking the indices in this order makes
// their four results the output's four consecutive blocks of sixteen pixels.
struct alignas(64) LaneOrder {
    std::uint8_t Index[64];
};
constexpr LaneOrder MakeLaneOrder()
{
    LaneOrder order{};
    for (int lane = 0; lane < 4; ++lane)
        for (int block = 0; block < 4; ++block)
            for (int j = 0; j < 4; ++j)
                order.Index[16 * lane + 4 * block + j] = std::uint8_t(16 * block + 4 * lane + j);
    return order;
}
constexpr LaneOrder Order = MakeLaneOrder();

// Byte plane lookup of 64 indices: the low 128 entries or the high 128, by the index's top bit.
KORVAN_AVX512 inline __m512i Lookup(const __m512i* plane, __m512i indices, __mmask64 high)
{
    const __m512i low = _mm512_permutex2var_epi8(plane[0], indices, plane[1]);
    const __m512i upper = _mm512_permutex2var_epi8(plane[2], indices, plane[3]);
    return _mm512_mask_blend_epi8(high, low, upper);
}

// The four byte planes in registers, and the colours of 64 indices as four quarters of sixteen
// consecutive pixels.
struct Avx512Table {
    __m512i Plane[4][4];
    __m512i Order;

    KORVAN_AVX512 explicit Avx512Table(const std::uint8_t* planes)
    {
        for (int k = 0; k < 4; ++k)
            for (int q = 0; q < 4; ++q)
                Plane[k][q] = _mm512_load_si512(planes + 256 * k + 64 * q);
        Order = _mm512_load_si512(korvan::Order.Index);
    }

    KORVAN_AVX512 void Colours(__m512i loaded, __m512i (&quarters)[4]) const
    {
        const __m512i indices = _mm512_permutex2var_epi8(loaded, Order, loaded);
        const __mmask64 high = _mm512_movepi8_mask(indices);
        const __m512i b0 = Lookup(Plane[0], indices, high), b1 = Lookup(Plane[1], indices, high);
        const __m512i b2 = Lookup(Plane[2], indices, high), b3 = Lookup(Plane[3], indices, high);
        const __m512i low01 = _mm512_unpacklo_epi8(b0, b1), high01 = _mm512_unpackhi_epi8(b0, b1);
        const __m512i low23 = _mm512_unpacklo_epi8(b2, b3), high23 = _mm512_unpackhi_epi8(b2, b3);
        quarters[0] = _mm512_unpacklo_epi16(low01, low23);
        quarters[1] = _mm512_unpackhi_epi16(low01, low23);
        quarters[2] = _mm512_unpacklo_epi16(high01, high23);
        quarters[3] = _mm512_unpackhi_epi16(high01, high23);
    }
};

KORVAN_AVX512 void ConvertAvx512(const std::uint8_t* planes, const std::uint32_t* colours, const std::uint8_t* source,
                                 std::uint32_t* target, std::size_t count)
{
    const Avx512Table table(planes);
    std::size_t n = 0;
    for (; n + 64 <= count; n += 64) {
        __m512i quarters[4];
        table.Colours(_mm512_loadu_si512(source + n), quarters);
        auto* out = reinterpret_cast<__m512i*>(target + n);
        for (int q = 0; q < 4; ++q)
            _mm512_storeu_si512(out + q, quarters[q]);
    }
    ConvertPortable(colours, source + n, target + n, count - n);
}

// The same lookups, sixty-four pixels at a time, for the blocks where a pixel changed.
KORVAN_AVX512 PaletteConverter::Changes ConvertChangedAvx512(const std::uint8_t* planes, const std::uint32_t* colours,
                                                             const std::uint8_t* current, std::uint8_t* shown,
                                                             std::uint32_t* target, std::size_t count)
{
    const Avx512Table table(planes);
    PaletteConverter::Changes changes{std::ptrdiff_t(count), -1};
    std::size_t n = 0;
    for (; n + 64 <= count; n += 64) {
        const __m512i loaded = _mm512_loadu_si512(current + n);
        const __mmask64 changed = _mm512_cmpneq_epi8_mask(loaded, _mm512_loadu_si512(shown + n));
        if (changed == 0)
            continue;
        _mm512_storeu_si512(shown + n, loaded);
        if (changes.First > changes.Last)
            changes.First = std::ptrdiff_t(n) + std::ptrdiff_t(__builtin_ctzll(changed));
        changes.Last = std::ptrdiff_t(n) + 63 - std::ptrdiff_t(__builtin_clzll(changed));
        __m512i quarters[4];
        table.Colours(loaded, quarters);
        // A quarter with a changed pixel is stored whole: its other pixels get the colour they
        // already hold, and a plain store costs less than a masked one.
        auto* out = reinterpret_cast<__m512i*>(target + n);
        for (int q = 0; q < 4; ++q)
            if (std::uint16_t(changed >> (16 * q)) != 0)
                _mm512_storeu_si512(out + q, quarters[q]);
    }
    const PaletteConverter::Changes tail =
        ConvertChangedPortable(colours, current + n, shown + n, target + n, count - n);
    if (tail.Any()) {
        if (changes.First > changes.Last)
            changes.First = std::ptrdiff_t(n) + tail.First;
        changes.Last = std::ptrdiff_t(n) + tail.Last;
    }
    return changes;
}

#endif

}  // namespace

void PaletteConverter::SetColours(const std::array<std::uint32_t, 256>& colours)
{
    colours_ = colours;
    for (std::size_t k = 0; k < 4; ++k)
        for (std::size_t v = 0; v < 256; ++v)
            planes_[256 * k + v] = std::uint8_t(colours[v] >> (8 * k));
}

void PaletteConverter::Convert(const std::uint8_t* source, std::uint32_t* target, std::size_t count) const
{
#if defined(KORVAN_HAS_AVX512_PATH)
    if (ActiveVectorPath() == VectorPath::Avx512)
        return ConvertAvx512(planes_.data(), colours_.data(), source, target, count);
#endif
    ConvertPortable(colours_.data(), source, target, count);
}

PaletteConverter::Changes PaletteConverter::ConvertChanged(const std::uint8_t* current, std::uint8_t* shown,
                                                           std::uint32_t* target, std::size_t count) const
{
#if defined(KORVAN_HAS_AVX512_PATH)
    if (ActiveVectorPath() == VectorPath::Avx512)
        return ConvertChangedAvx512(planes_.data(), colours_.data(), current, shown, target, count);
#endif
    return ConvertChangedPortable(colours_.data(), current, shown, target, count);
}

}  // namespace korvan
