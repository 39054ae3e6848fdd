// What the open file does the same way on every system; the rest is in
// file_access_posix.cpp and file_access_win32.cpp.
#include "file_access.h"

#include <utility>

NativeFile::NativeFile(NativeFile&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kClosed)), m_identity(other.m_identity)
{
}

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, kClosed);
        m_identity = other.m_identity;
    }
    return *this;
}

NativeFile::~NativeFile()
{
    Close();
}
