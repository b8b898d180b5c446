// File-system doubles for the file operations: a file system whose files record what is done
// to them (and when they are closed) and can fail at a chosen step, and a helper that tells
// whether a real file is held open without sharing.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "sys/System.h"

// Every step goes to `log`: "create <path>", "create new <path>", "seek <offset>", "write <hex bytes>", "close",
// "read <path>", "replace <to> with <from>", "remove <path>". The failAt-th of the create,
// seek, write, read and replace steps throws sys::FileError instead, as a
// refused creation, a failed positioning or a short write do. UnpredictableName() gives n1,
// n2 and so on.
class FakeFiles : public sys::FileSystem {
public:
    std::vector<std::string> log;
    int failAt = 0;  // 0: nothing fails

    std::unique_ptr<sys::File> CreateAlways(const std::string& path) override {
        Step("create " + path);
        return std::make_unique<FakeFile>(*this);
    }
    std::unique_ptr<sys::File> CreateNew(const std::string& path) override {
        Step("create new " + path);
        return std::make_unique<FakeFile>(*this);
    }
    std::string UnpredictableName() override { return "n" + std::to_string(++names_); }
    std::string ReadWhole(const std::string& path) override {
        Step("read " + path);
        return {};
    }
    void Replace(const std::string& from, const std::string& to) override {
        Step("replace " + to + " with " + from);
    }
    void Remove(const std::string& path) noexcept override { log.push_back("remove " + path); }

private:
    class FakeFile : public sys::File {
    public:
        explicit FakeFile(FakeFiles& files) : files_(files) {}
        ~FakeFile() override { files_.log.push_back("close"); }
        void SeekFromStart(std::int64_t offset) override {
            files_.Step("seek " + std::to_string(offset));
        }
        void Write(const void* data, std::uint32_t size) override {
            std::string what = "write";
            for (std::uint32_t i = 0; i < size; ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02X", static_cast<const unsigned char*>(data)[i]);
                what += hex;
            }
            files_.Step(what);
        }

    private:
        FakeFiles& files_;
    };

    void Step(const std::string& what) {
        if (++steps_ == failAt) throw sys::FileError(what + ": failed");
        log.push_back(what);
    }
    int steps_ = 0;
    int names_ = 0;
};

// True when another opener holds the file locked, as an unshared open file is on Windows.
inline bool HeldOpenElsewhere(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

// Holds a file open and locked for its lifetime, as another program without sharing.
class LockedByAnother {
public:
    explicit LockedByAnother(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~LockedByAnother() {
        if (fd_ >= 0) ::close(fd_);
    }
    LockedByAnother(const LockedByAnother&) = delete;
    LockedByAnother& operator=(const LockedByAnother&) = delete;

private:
    int fd_;
};
