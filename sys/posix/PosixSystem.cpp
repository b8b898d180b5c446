#include "sys/posix/PosixSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sys {

namespace {

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }

    void SeekFromStart(std::int64_t offset) override {
        if (offset < 0 || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
            throw FileError(path_ + ": cannot seek to " + std::to_string(offset));
    }

    void Write(const void* data, std::uint32_t size) override {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) throw FileError(path_ + ": " + std::strerror(errno));
        if (static_cast<std::uint32_t>(n) != size)
            throw FileError(path_ + ": short write of " + std::to_string(n) + " of " +
                            std::to_string(size) + " bytes");
    }

private:
    int fd_;
    std::string path_;
};

}  // namespace

std::unique_ptr<File> PosixFileSystem::CreateAlways(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(path + ": " + std::strerror(errno));
    // No sharing: a file that another opener holds locked is refused, and emptied only
    // once this opener holds the lock itself.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        throw FileError(path + ": " + why);
    }
    return std::make_unique<PosixFile>(fd, path);
}

std::string PosixFileSystem::ReadWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(path + ": " + std::strerror(errno));
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            const std::string why = std::strerror(errno);
            ::close(fd);
            throw FileError(path + ": " + why);
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

void PosixFileSystem::Replace(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError(to + ": " + std::strerror(errno));
}

void PosixFileSystem::Remove(const std::string& path) noexcept { ::unlink(path.c_str()); }

}  // namespace sys
