#include "sys/posix/PosixSystem.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <utility>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "sys/ShiftJis.h"
#include "sys/SystemError.h"

namespace sys {

namespace {

// The messages that only this system's part raises.
const MessageRow kPosixRows[] = {
    {Message::LinkNotFollowed, "%1 はシンボリック リンクです. リンクをたどらないため、何も書き込みませんでした.",
     "%1: is a symbolic link, which is not followed; nothing written"},
    {Message::NotRegularNotWritten, "%1 は%2で、通常のファイルではありません. 何も書き込みませんでした.",
     "%1: is %2, not a regular file; nothing written"},
    {Message::NoRandomNumbers, "ファイル名のための乱数が得られません (%1).", "no random numbers for a file name: %1"},
};
const MessageRowsAside kPosixRowsAside(kPosixRows);

// The failure of the call that set errno just now, on `path`.
FileError Failed(const std::string& path, int error = errno) { return FileError(path, SystemReason(error), error); }

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }

    void SeekFromStart(std::int64_t offset) override {
        // A negative offset is a mistake of the caller, not a failure of the file.
        if (offset < 0) throw FileError(path_ + ": cannot seek to " + std::to_string(offset));
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
            const int error = errno;
            const MessageArg reason = SystemReason(error);
            throw FileError(Message::SeekFailed, {path_, std::to_string(offset), reason}, reason, error);
        }
    }

    void Write(const void* data, std::uint32_t size) override {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) throw Failed(path_);
        if (static_cast<std::uint32_t>(n) != size)
            throw FileError(Message::ShortWrite, {path_, std::to_string(n), std::to_string(size)});
    }

    void TakeModeOf(const std::string& path) override {
        struct stat old;
        if (::stat(path.c_str(), &old) != 0) throw Failed(path);
        // The owner first: a change of owner may clear the set-user and set-group bits.
        // Only root may give a file away; anyone else keeps the file as his own, as a copy would.
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0 && errno != EPERM) throw Failed(path_);
        if (::fchmod(fd_, old.st_mode & 07777) != 0) throw Failed(path_);
    }

private:
    int fd_;
    std::string path_;
};

// What a file that is not a regular one is, for a refusal to write it (in English as the
// command line has always said it).
const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISDIR(mode)) return "a folder";
    return "something else";
}

// The row that names what a file that is not a regular one is.
Message KindRowOf(mode_t mode) {
    if (S_ISFIFO(mode)) return Message::KindFifo;
    if (S_ISCHR(mode)) return Message::KindCharDevice;
    if (S_ISBLK(mode)) return Message::KindBlockDevice;
    if (S_ISSOCK(mode)) return Message::KindSocket;
    if (S_ISDIR(mode)) return Message::KindFolder;
    return Message::KindOther;
}

// A descriptor closed when it goes.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int Release() { return std::exchange(fd, -1); }
};

// flock(2) held on a descriptor; an empty one (fd -1) holds nothing.
class PosixLock : public FileLock {
public:
    explicit PosixLock(int fd = -1) : fd_(fd) {}
    ~PosixLock() override {
        if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
    }

private:
    int fd_;
};

void Pause(std::chrono::milliseconds length) {
    struct timespec t{};
    t.tv_nsec = static_cast<long>(length.count()) * 1000000L;
    ::nanosleep(&t, nullptr);
}

}  // namespace

std::unique_ptr<File> PosixFileSystem::CreateAlways(const std::string& path) {
    // O_NOFOLLOW: a link at the path is refused, not followed to a file elsewhere.
    // O_NONBLOCK and O_NOCTTY: a FIFO or a terminal planted there neither stops the
    // program nor becomes its terminal before it is refused below.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        struct stat link;
        if (error == ELOOP && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            throw FileError(Message::LinkNotFollowed, {path});
        throw Failed(path, error);
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0) {
        const int error = errno;
        ::close(fd);
        throw Failed(path, error);
    }
    if (!S_ISREG(opened.st_mode)) {
        ::close(fd);
        throw FileError(Message::NotRegularNotWritten,
                        {path, MessageArg(Japanese(KindRowOf(opened.st_mode)), KindOf(opened.st_mode))});
    }
    // No sharing: a file that another opener holds locked is refused, and emptied only
    // once this opener holds the lock itself. Then writes wait as usual.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0 ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        throw Failed(path, error);
    }
    return std::make_unique<PosixFile>(fd, path);
}

std::unique_ptr<File> PosixFileSystem::CreateNew(const std::string& path, Sharing sharing) {
    // O_EXCL fails on any name that is taken, a link included (even one to a missing file),
    // so nothing planted at the name is ever written through.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          sharing == Sharing::OwnerOnly ? 0600 : 0666);
    if (fd < 0) {
        if (errno == EEXIST) return nullptr;
        throw Failed(path);
    }
    return std::make_unique<PosixFile>(fd, path);
}

std::string PosixFileSystem::UnpredictableName() {
    unsigned char bytes[kRandomNameBytes];
    for (std::size_t got = 0; got < sizeof bytes;) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno != EINTR) {
            const int error = errno;
            const MessageArg reason = SystemReason(error);
            throw FileError(Message::NoRandomNumbers, {reason}, reason, error);
        }
        if (n > 0) got += static_cast<std::size_t>(n);
    }
    return NameOfRandomBytes(bytes);
}

FileStart PosixFileSystem::ReadRegular(const std::string& path, std::size_t limit, bool pipes) {
    // O_NONBLOCK: a FIFO without a writer opens at once (and is then refused) instead of
    // waiting for one; O_NOCTTY: a terminal never becomes the program's own.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) {
        const int error = errno;
        // A socket, or a device without a driver, does not open at all: say what it is.
        struct stat there;
        if (error != ENOENT && ::stat(path.c_str(), &there) == 0 && !S_ISREG(there.st_mode) &&
            !(pipes && S_ISFIFO(there.st_mode)))
            throw NotAFile(path, KindRowOf(there.st_mode));
        if (error == ENOENT) throw NoSuchFile(path, SystemReason(error), error);
        throw Failed(path, error);
    }
    struct stat opened;
    if (::fstat(file.fd, &opened) != 0) throw Failed(path);
    const bool pipe = pipes && S_ISFIFO(opened.st_mode);
    if (!S_ISREG(opened.st_mode) && !pipe) throw NotAFile(path, KindRowOf(opened.st_mode));
    // A pipe is waited for: its writer's bytes come when they come, and without a writer the
    // first read ends it.
    if (pipe && ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK) != 0)
        throw Failed(path);
    FileStart start;
    char buffer[4096];
    while (start.bytes.size() <= limit) {
        const std::size_t want = std::min(sizeof buffer, limit + 1 - start.bytes.size());
        const ssize_t n = ::read(file.fd, buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Failed(path);
        if (n == 0) break;
        start.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    start.size = std::max<std::uint64_t>(static_cast<std::uint64_t>(opened.st_size), start.bytes.size());
    return start;
}

std::unique_ptr<FileLock> PosixFileSystem::Lock(const std::string& path, bool exclusive, std::uint32_t waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
        struct stat locked;
        // Nothing to lock, or nothing that this lock is for: the read that follows tells.
        if (file.fd < 0 || ::fstat(file.fd, &locked) != 0 || !(S_ISREG(locked.st_mode) || S_ISDIR(locked.st_mode)))
            return std::make_unique<PosixLock>();
        for (;;) {
            if (::flock(file.fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0) break;
            if (errno == EINTR) continue;
            // A file system without locks: nobody else can lock it either.
            if (errno != EWOULDBLOCK) return std::make_unique<PosixLock>();
            if (std::chrono::steady_clock::now() >= deadline) return nullptr;
            Pause(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(16));
        }
        // The file that was locked must still be the one at the path: a writer that replaced
        // it by a rename while this one waited has left the lock on a file nobody reads.
        struct stat now;
        if (::stat(path.c_str(), &now) == 0 && now.st_dev == locked.st_dev && now.st_ino == locked.st_ino)
            return std::make_unique<PosixLock>(file.Release());
    }
}

FileSystem::Entry PosixFileSystem::EntryAt(const std::string& path) {
    struct stat there;
    if (::lstat(path.c_str(), &there) != 0) return errno == ENOENT || errno == ENOTDIR ? Entry::Nothing : Entry::Other;
    return S_ISLNK(there.st_mode) ? Entry::Link : Entry::Other;
}

void PosixFileSystem::Replace(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) throw Failed(to);
}

void PosixFileSystem::Remove(const std::string& path) noexcept { ::unlink(path.c_str()); }

// Paths are UTF-8 or single bytes: no byte of a character but the first can be ASCII.
const LeadBytes& SystemLeadBytes() {
    static const LeadBytes none;
    return none;
}

}  // namespace sys
