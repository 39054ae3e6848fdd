#include "text_mode_reader.h"

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
