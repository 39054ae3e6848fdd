#include "file_access.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

int Descriptor(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

FileIdentity IdentityOf(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// Checks what was opened: only regular files are read or written.
bool IsRegularFile(int fd, FileIdentity& identity)
{
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    identity = IdentityOf(info);
    return true;
}

}  // namespace

std::ptrdiff_t NativeFile::Read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t count = ::read(Descriptor(m_handle), buffer, size);
        if (count >= 0 || errno != EINTR)
            return count < 0 ? -1 : count;
    }
}

bool NativeFile::WriteAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(Descriptor(m_handle), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool NativeFile::Truncate()
{
    return ::ftruncate(Descriptor(m_handle), 0) == 0;
}

bool NativeFile::Close()
{
    if (!IsOpen())
        return true;
    return ::close(Descriptor(std::exchange(m_handle, kClosed))) == 0;
}

NativeFile OpenInputFile(const std::string& path)
{
    NativeFile file;
    if (path.find('\0') != std::string::npos)
        return file;
    // Non-blocking, so that a named pipe without a writer cannot hold the
    // window; for a regular file the flag changes nothing.
    file.m_handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (!IsRegularFile(Descriptor(file.m_handle), file.m_identity))
        file.Close();
    return file;
}

NativeFile OpenOutputFile(const std::string& path)
{
    NativeFile file;
    if (path.find('\0') != std::string::npos)
        return file;
    file.m_handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0666);
    // The lock is advisory: it keeps out other runs, which all ask for it.
    if (!IsRegularFile(Descriptor(file.m_handle), file.m_identity)
        || ::flock(Descriptor(file.m_handle), LOCK_EX | LOCK_NB) != 0)
        file.Close();
    return file;
}

void RemoveFileIfSame(const std::string& path, const FileIdentity& identity)
{
    struct stat now {};
    if (::lstat(path.c_str(), &now) == 0 && S_ISREG(now.st_mode) && IdentityOf(now) == identity)
        ::unlink(path.c_str());
}

bool IsFileNameByte(char byte)
{
    return byte != '/' && byte != '\0';
}

bool IsPathSeparator(char byte)
{
    return byte == '/';
}
