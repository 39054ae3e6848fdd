// The few file operations a reduce needs. The rules of reading and testing
// are the same everywhere; how a file is opened, read, written and told apart
// from another is the platform's, one source file each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Where the bytes of a run come from: a file, or memory in tests and fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; returns how many, 0 at the end, -1 on a read error.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};

// One file on one volume, whatever path or link leads to it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Owns one open file of the operating system.
class NativeFile : public ByteSource {
public:
    NativeFile() = default;
    NativeFile(NativeFile&& other) noexcept;
    NativeFile& operator=(NativeFile&& other) noexcept;
    ~NativeFile() override;

    bool IsOpen() const { return m_handle != kClosed; }
    const FileIdentity& Identity() const { return m_identity; }

    std::ptrdiff_t Read(char* buffer, std::size_t size) override;
    // Writes all of `bytes`, with one system call where the system allows it,
    // so that each kept line reaches the file as soon as it is found.
    bool WriteAll(std::string_view bytes);
    // Empties the file.
    bool Truncate();
    // Closes now and tells whether everything written reached the file.
    bool Close();

private:
    friend NativeFile OpenInputFile(const std::string& path);
    friend NativeFile OpenOutputFile(const std::string& path);
    static constexpr std::intptr_t kClosed = -1;

    std::intptr_t m_handle = kClosed;  // a file descriptor or a HANDLE
    FileIdentity m_identity;
};

// Opens an existing regular file for reading, also through links, and lets
// other programs go on reading and writing it. Anything that is not a
// regular file (a folder, a pipe, a device) fails at once, without waiting.
NativeFile OpenInputFile(const std::string& path);

// Opens a regular file for writing, creating it when it is missing, without
// emptying it yet. It is never opened through a symbolic link, never waits on
// a pipe or a device, and is held exclusively: a second run that wants the
// same file fails at once.
NativeFile OpenOutputFile(const std::string& path);

// Removes the file at `path`, but only while that name still means the file
// identified, so that a file put there meanwhile is left alone.
void RemoveFileIfSame(const std::string& path, const FileIdentity& identity);

// Whether the byte may stand in one component of a file name as it is.
bool IsFileNameByte(char byte);
bool IsPathSeparator(char byte);
