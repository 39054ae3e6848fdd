#include "byte_search.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
__m128i Load(const char* data)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

unsigned Matches(const char* data, __m128i byte)
{
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(Load(data), byte)));
}

// A line of more than `longest` bytes covers a whole stretch of this length,
// counted from any start, as long as `longest` + 2 is at least twice it.
constexpr std::size_t kStretch = 2048;
#endif

// Line by line, to the first long one.
ShortLines CountEachLine(std::string_view text, std::size_t longest)
{
    ShortLines lines;
    while (lines.length < text.size()) {
        const auto* end = static_cast<const char*>(std::memchr(text.data() + lines.length, '\n', text.size() - lines.length));
        const auto at = static_cast<std::size_t>(end - text.data());
        if (at - lines.length > longest)
            break;
        ++lines.count;
        lines.length = at + 1;
    }
    return lines;
}

}  // namespace

std::size_t FindBytes(std::string_view text, std::string_view needle)
{
    const std::size_t n = needle.size();
    if (n <= 1 || text.size() < n)
        return text.find(needle);
    std::size_t i = 0;
#if defined(__SSE2__)
    // Candidates are where both the needle's first and its last byte stand;
    // only they are compared in full, byte by byte: needles are short.
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    const auto candidates = [&](const char* at) {
        return static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(Load(at), first), _mm_cmpeq_epi8(Load(at + n - 1), last))));
    };
    for (; i + n + 31 <= text.size(); i += 32) {
        for (unsigned mask = candidates(text.data() + i) | candidates(text.data() + i + 16) << 16; mask;
             mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            std::size_t k = 1;
            while (k < n - 1 && text[at + k] == needle[k])
                ++k;
            if (k >= n - 1)
                return at;
        }
    }
#endif
    return text.find(needle, i);
}

std::size_t FindLastLineEnd(std::string_view text, std::size_t before)
{
    std::size_t end = std::min(before, text.size());
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end >= 16; end -= 16) {
        if (const unsigned mask = Matches(text.data() + end - 16, lf))
            return end - 16 + static_cast<std::size_t>(31 - __builtin_clz(mask));
    }
#endif
    while (end > 0) {
        if (text[--end] == '\n')
            return end;
    }
    return std::string_view::npos;
}

ShortLines CountShortLines(std::string_view text, std::size_t longest)
{
    // Only a text longer than the limit can hold a long line, and only a
    // stretch without any LF can be part of it: then the lines are taken one
    // by one.
    const bool mayHoldLongLine = text.size() > longest + 1;
    std::uint64_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    if (mayHoldLongLine && longest + 2 < 2 * kStretch)
        return CountEachLine(text, longest);
    // Each byte of a 16-byte counter counts the LFs of its own lane, for a
    // stretch at a time, so that no lane overflows.
    const __m128i lf = _mm_set1_epi8('\n');
    while (i + 16 <= text.size()) {
        const std::size_t stretchEnd = std::min(i + kStretch, text.size() & ~std::size_t{15});
        const bool wholeStretch = stretchEnd == i + kStretch;
        __m128i lanes = _mm_setzero_si128();
        for (; i < stretchEnd; i += 16)
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(Load(text.data() + i), lf));
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        const auto found = static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        if (found == 0 && wholeStretch && mayHoldLongLine)
            return CountEachLine(text, longest);
        count += found;
    }
#else
    if (mayHoldLongLine)
        return CountEachLine(text, longest);
#endif
    for (; i < text.size(); ++i)
        count += text[i] == '\n' ? 1 : 0;
    return {count, text.size()};
}
