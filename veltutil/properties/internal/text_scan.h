#pragma once

// Internal: the byte searches under the property text reader, inline so that the reader's loop
// keeps what it finds in registers.
//
// Labels, types and values are short, so scanning them a byte at a time costs a mispredicted
// branch at the end of almost every one. Sixteen bytes are compared at once where the text has
// them, which ends most of these scans in one step; the last bytes of a text go one by one, so
// nothing is read past its end.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace veltutil::detail {

#if defined(__SSE2__)
inline constexpr std::size_t kScanBlock = 16;

// Bit i set where data[i] is `ch`, for the block at `data`.
inline unsigned blockMatches(const char* data, char ch) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(ch))));
}
#endif

// Index of the first `a` or `b` in data[from, to), or `to` (also when from > to).
inline std::size_t findEither(const char* data, std::size_t from, std::size_t to, char a, char b) {
#if defined(__SSE2__)
    for (; from + kScanBlock <= to; from += kScanBlock) {
        if (unsigned hits = blockMatches(data + from, a) | blockMatches(data + from, b)) {
            return from + static_cast<std::size_t>(__builtin_ctz(hits));
        }
    }
#endif
    while (from < to && data[from] != a && data[from] != b) ++from;
    return from < to ? from : to;
}

// Index of the '}' that closes the '{' at `open`, counting raw braces in data[open + 1, limit);
// `notFound` when the text ends first.
inline std::size_t countToClose(const char* data, std::size_t open, std::size_t limit, std::size_t notFound) {
    std::size_t depth = 1;
    std::size_t i = open + 1;
#if defined(__SSE2__)
    for (; i + kScanBlock <= limit; i += kScanBlock) {
        unsigned opens = blockMatches(data + i, '{');
        unsigned braces = opens | blockMatches(data + i, '}');
        for (; braces; braces &= braces - 1) {
            unsigned bit = braces & -braces;
            if (opens & bit) {
                ++depth;
            } else if (--depth == 0) {
                return i + static_cast<std::size_t>(__builtin_ctz(bit));
            }
        }
    }
#endif
    for (; i < limit; ++i) {
        if (data[i] == '{') {
            ++depth;
        } else if (data[i] == '}' && --depth == 0) {
            return i;
        }
    }
    return notFound;
}

// Where an item's first brace, the colon before it and, for a value without braces of its own,
// the closing brace stand; npos for those not found.
struct ItemShape {
    std::size_t open, colon, close;
};

// Looks for the item shape in the window of two blocks at `begin`. False, leaving the search to
// the general way, when the window would pass the text's end or holds no brace (or its first
// brace is the text's last byte).
inline bool scanWindow(const char* data, std::size_t begin, std::size_t end, ItemShape& shape) {
#if defined(__SSE2__)
    if (end - begin < 2 * kScanBlock) return false;
    auto window = [&](char ch) {
        return blockMatches(data + begin, ch) | blockMatches(data + begin + kScanBlock, ch) << kScanBlock;
    };
    std::uint32_t opens = window('{');
    if (!opens) return false;
    unsigned open = static_cast<unsigned>(__builtin_ctz(opens));
    if (begin + open >= end - 1) return false;
    std::uint32_t below = (std::uint32_t{1} << open) - 1;
    std::uint32_t colons = window(':') & below;
    // Braces after the first; a '}' before any further '{' closes it.
    std::uint32_t above = ~below & ~(std::uint32_t{1} << open);
    std::uint32_t closes = window('}') & above;
    std::uint32_t nested = opens & above;
    bool flat = closes && (!nested || __builtin_ctz(closes) < __builtin_ctz(nested));
    shape.open = begin + open;
    shape.colon = colons ? begin + static_cast<unsigned>(__builtin_ctz(colons)) : static_cast<std::size_t>(-1);
    shape.close = flat ? begin + static_cast<unsigned>(__builtin_ctz(closes)) : static_cast<std::size_t>(-1);
    return true;
#else
    (void)data, (void)begin, (void)end, (void)shape;
    return false;
#endif
}

}  // namespace veltutil::detail
