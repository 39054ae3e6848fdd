// A byte source over memory that hands out at most `step` bytes a read, so
// that tests reach the reader's refills at any offset they like.
#pragma once

#include "file_access.h"

#include <algorithm>
#include <cstring>
#include <string_view>

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, std::size_t step = static_cast<std::size_t>(-1))
        : m_bytes(bytes), m_step(step)
    {
    }

    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t count = std::min({size, m_step, m_bytes.size()});
        std::memcpy(buffer, m_bytes.data(), count);
        m_bytes.remove_prefix(count);
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    std::string_view m_bytes;
    std::size_t m_step;
};
