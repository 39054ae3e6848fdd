#include "text_mode_reader.h"

#include "byte_search.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kMaxPiece = LINE_BUFFER_SIZE - 1;
constexpr char kCtrlZ = 0x1A;

}  // namespace

TextModeReader::TextModeReader(ByteSource& source, std::size_t bufferSize)
    : m_source(source), m_buffer(std::max(bufferSize, LINE_BUFFER_SIZE))
{
}

// Keeps at least LINE_BUFFER_SIZE bytes ahead, so that a piece, and a CR LF
// pair at its end, is always seen whole.
void TextModeReader::Refill()
{
    if (m_sourceDone || m_end - m_begin >= LINE_BUFFER_SIZE)
        return;
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
    while (!m_sourceDone && m_end < LINE_BUFFER_SIZE) {
        const std::ptrdiff_t count = m_source.Read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (count <= 0) {
            m_failed = count < 0;
            m_sourceDone = true;
            break;
        }
        const char* fresh = m_buffer.data() + m_end;
        m_end += static_cast<std::size_t>(count);
        if (const void* ctrlZ = std::memchr(fresh, kCtrlZ, static_cast<std::size_t>(count))) {
            m_end = static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - m_buffer.data());
            m_sourceDone = true;
        }
    }
}

std::string_view TextModeReader::ReadLine()
{
    Refill();
    const char* piece = m_buffer.data() + m_begin;
    const std::size_t available = m_end - m_begin;
    std::size_t length = 0;
    if (const void* lf = std::memchr(piece, '\n', std::min(available, LINE_BUFFER_SIZE))) {
        const auto raw = static_cast<std::size_t>(static_cast<const char*>(lf) - piece);
        length = raw > 0 && piece[raw - 1] == '\r' ? raw - 1 : raw;
        if (length < kMaxPiece) {
            m_begin += raw + 1;
        } else {
            length = kMaxPiece;
            m_begin += kMaxPiece;
        }
    } else if (available >= kMaxPiece) {
        length = kMaxPiece;
        m_begin += kMaxPiece;
    } else {
        length = available;
        m_begin = m_end;
        m_atEnd = true;
    }
    if (const void* nul = std::memchr(piece, '\0', length))
        length = static_cast<std::size_t>(static_cast<const char*>(nul) - piece);
    return {piece, length};
}

std::uint64_t TextModeReader::SkipLinesWithout(std::string_view needle)
{
    std::uint64_t skipped = 0;
    for (;;) {
        Refill();
        const std::string_view ahead(m_buffer.data() + m_begin, m_end - m_begin);
        // A piece is a part of the bytes read, so a line whose bytes lack the
        // needle cannot hold it, however the line is cut or translated.
        const std::size_t hit = FindBytes(ahead, needle);
        const bool found = hit != std::string_view::npos;
        // Up to the start of the line that holds the hit, else all whole lines.
        const std::size_t lastEnd = FindLastLineEnd(ahead, found ? hit : ahead.size());
        const std::size_t limit = lastEnd == std::string_view::npos ? 0 : lastEnd + 1;
        const ShortLines lines = CountShortLines(ahead.substr(0, limit), kMaxPiece - 1);
        skipped += lines.count;
        m_begin += lines.length;
        if (found || lines.length < limit || lines.count == 0 || m_sourceDone)
            return skipped;
    }
}
