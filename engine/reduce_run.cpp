#include "flight_plan_reduction.h"
#include "text_mode_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns one open file descriptor.
class FileHandle {
public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

    // Closes now and tells whether the last buffered data reached the file.
    bool Close()
    {
        const bool closed = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return closed;
    }

private:
    int m_fd;
};

bool IsSameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writes the whole record with one system call where the kernel allows it, so
// that each kept line reaches the file as soon as it is found.
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Removes what a failed run wrote, unless the name has come to mean another
// file meanwhile; a half-written result must not pass for a finished one.
void DiscardOutput(const std::string& name, const struct stat& written)
{
    struct stat now {};
    if (S_ISREG(written.st_mode) && ::lstat(name.c_str(), &now) == 0 && IsSameFile(now, written))
        ::unlink(name.c_str());
}

}  // namespace

ReduceResult ReduceFlightPlanFile(const std::string& inputPath, const ReduceParameters& parameters)
{
    ReduceResult result{MakeOutputFileName(inputPath, parameters), false};

    FileHandle input(::open(inputPath.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat inputInfo {};
    if (!input.IsOpen() || ::fstat(input.Get(), &inputInfo) != 0 || S_ISDIR(inputInfo.st_mode))
        return result;

    // Opened without truncation first: the output must be known not to be the
    // input itself before anything in it is destroyed.
    FileHandle output(::open(result.outputFileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666));
    struct stat outputInfo {};
    if (!output.IsOpen() || ::fstat(output.Get(), &outputInfo) != 0 || IsSameFile(inputInfo, outputInfo))
        return result;
    if (S_ISREG(outputInfo.st_mode) && ::ftruncate(output.Get(), 0) != 0)
        return result;

    TextModeReader reader(input.Get());
    std::string record;
    record.reserve(LINE_BUFFER_SIZE + 1);
    bool written = true;
    while (written && !reader.AtEnd()) {
        const std::string_view line = reader.ReadLine();
        if (KeepFlightPlanLine(line, parameters)) {
            record.assign(line);
            record += "\r\n";
            written = WriteAll(output.Get(), record);
        }
    }
    input.Close();
    written = output.Close() && written;

    result.succeeded = written && !reader.Failed();
    if (!result.succeeded)
        DiscardOutput(result.outputFileName, outputInfo);
    return result;
}
