#include "byte_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// A mask of the bytes in the 16 at `data` that equal `byte`.
unsigned Matches(const char* data, __m128i byte)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, byte)));
}
#endif

}  // namespace

std::size_t FindBytes(std::string_view text, std::string_view needle)
{
    const std::size_t n = needle.size();
    if (n <= 1 || text.size() < n)
        return text.find(needle);
    std::size_t i = 0;
#if defined(__SSE2__)
    // Candidates are where both the needle's first and its last byte stand;
    // only they are compared in full.
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; i + n - 1 + 16 <= text.size(); i += 16) {
        for (unsigned mask = Matches(text.data() + i, first) & Matches(text.data() + i + n - 1, last); mask;
             mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (std::memcmp(text.data() + at + 1, needle.data() + 1, n - 2) == 0)
                return at;
        }
    }
#endif
    return text.find(needle, i);
}

ShortLines CountShortLines(std::string_view text, std::size_t longest)
{
    ShortLines lines;
    std::size_t i = 0;
    // Each LF found ends a line; the first that ends a long one ends the count.
    const auto lineEnd = [&](std::size_t at) {
        if (at - lines.length > longest)
            return false;
        ++lines.count;
        lines.length = at + 1;
        return true;
    };
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= text.size(); i += 16) {
        for (unsigned mask = Matches(text.data() + i, lf); mask; mask &= mask - 1) {
            if (!lineEnd(i + static_cast<std::size_t>(__builtin_ctz(mask))))
                return lines;
        }
    }
#endif
    for (; i < text.size(); ++i) {
        if (text[i] == '\n' && !lineEnd(i))
            return lines;
    }
    return lines;
}
