#include "file_access.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string_view>
#include <utility>

namespace {

HANDLE Handle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// Paths are UTF-8 in the program and UTF-16 in the system.
std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

// A path that names a file the system can open: no NUL, and valid UTF-8.
bool ToSystemPath(const std::string& path, std::wstring& wide)
{
    wide = Widen(path);
    return !wide.empty() && path.find('\0') == std::string::npos;
}

// Checks what was opened: only files on a disk are read or written, never a
// folder, a device or a pipe, and never written through a link or when marked
// read-only (which the system enforces, except for a process that may ignore
// it). The identity says which file it is.
bool IsDiskFile(HANDLE handle, FileIdentity& identity, bool forWriting)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle == INVALID_HANDLE_VALUE || ::GetFileType(handle) != FILE_TYPE_DISK
        || !::GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        || (forWriting && (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY))))
        return false;
    identity = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

}  // namespace

std::ptrdiff_t NativeFile::Read(char* buffer, std::size_t size)
{
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, INT_MAX));
    if (!::ReadFile(Handle(m_handle), buffer, wanted, &count, nullptr))
        return ::GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    return static_cast<std::ptrdiff_t>(count);
}

bool NativeFile::WriteAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), INT_MAX));
        if (!::WriteFile(Handle(m_handle), bytes.data(), wanted, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool NativeFile::Truncate()
{
    const LARGE_INTEGER start{};
    return ::SetFilePointerEx(Handle(m_handle), start, nullptr, FILE_BEGIN) && ::SetEndOfFile(Handle(m_handle));
}

bool NativeFile::Close()
{
    if (!IsOpen())
        return true;
    return ::CloseHandle(Handle(std::exchange(m_handle, kClosed))) != 0;
}

NativeFile OpenInputFile(const std::string& path)
{
    NativeFile file;
    std::wstring wide;
    if (!ToSystemPath(path, wide))
        return file;
    // Other programs may go on reading, writing, renaming or deleting it.
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    file.m_handle = reinterpret_cast<std::intptr_t>(handle);
    // A link is followed for reading; what it leads to must be a file on a disk.
    if (!IsDiskFile(handle, file.m_identity, false))
        file.Close();
    return file;
}

NativeFile OpenOutputFile(const std::string& path)
{
    NativeFile file;
    std::wstring wide;
    if (!ToSystemPath(path, wide))
        return file;
    // Others may read it meanwhile, but no one else may write it: a second
    // run on the same name fails with a sharing violation. A link is opened
    // as itself, and then refused.
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    file.m_handle = reinterpret_cast<std::intptr_t>(handle);
    if (!IsDiskFile(handle, file.m_identity, true))
        file.Close();
    return file;
}

void RemoveFileIfSame(const std::string& path, const FileIdentity& identity)
{
    std::wstring wide;
    if (!ToSystemPath(path, wide))
        return;
    HANDLE handle = ::CreateFileW(wide.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    FileIdentity now;
    if (IsDiskFile(handle, now, true) && now == identity) {
        // Deleted through the handle, so that it is that very file that goes.
        FILE_DISPOSITION_INFO disposition{TRUE};
        ::SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition);
    }
    ::CloseHandle(handle);
}

bool IsFileNameByte(char byte)
{
    // These characters separate folders, name streams, stand for patterns or
    // are refused by the file system.
    return static_cast<unsigned char>(byte) >= 0x20 && std::string_view("\\/:*?\"<>|").find(byte) == std::string_view::npos;
}

bool IsPathSeparator(char byte)
{
    return byte == '\\' || byte == '/';
}
