// File-system doubles for the file operations: an in-memory file system whose files record
// what is done to them (and when they are closed) and can fail at a chosen step, and helpers
// that tell whether a real file is held open without sharing and hold one so.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "sys/System.h"

// An in-memory file system whose files record what is done to them (and when they are
// closed) and can fail at a chosen step. Every step goes to `log`: "create <path>", "create new
// <path>", "seek <offset>", "write <hex bytes>", "close", "read <path>", "replace <to> with
// <from>", "remove <path>". The failAt-th of the create, seek, write, read and replace steps
// throws sys::FileError instead, as a refused creation, a failed positioning or a short write
// do. UnpredictableName() gives n1, n2 and so on.
//
// The files' contents live in `contents` (path -> bytes): ReadWhole returns them, the files
// that CreateAlways and CreateNew make are written into them, Replace and Remove move and drop
// them. Reading a path that is not there, or one in `unreadable`, throws sys::FileError;
// CreateNew answers nullptr where a path is taken. A write that would make a file larger than
// `sizeLimit` throws sys::FileError, as a full disk does.
class FakeFiles : public sys::FileSystem {
public:
    std::vector<std::string> log;
    int failAt = 0;  // 0: nothing fails
    std::map<std::string, std::string> contents;
    std::set<std::string> unreadable;
    std::size_t sizeLimit = std::size_t{1} << 30;

    std::unique_ptr<sys::File> CreateAlways(const std::string& path) override {
        Step("create " + path);
        contents[path].clear();
        return std::make_unique<FakeFile>(*this, path);
    }
    std::unique_ptr<sys::File> CreateNew(const std::string& path, Sharing) override {
        if (contents.count(path) || unreadable.count(path)) return nullptr;
        Step("create new " + path);
        contents[path];
        return std::make_unique<FakeFile>(*this, path);
    }
    std::string UnpredictableName() override { return "n" + std::to_string(++names_); }
    std::string ReadWhole(const std::string& path) { return ReadRegular(path, std::string::npos - 1).bytes; }
    sys::FileStart ReadRegular(const std::string& path, std::size_t limit, bool /*pipes*/ = false) override {
        Step("read " + path);
        const auto it = contents.find(path);
        if (it == contents.end() && !unreadable.count(path)) throw sys::NoSuchFile("cannot read " + path);
        if (it == contents.end() || unreadable.count(path)) throw sys::FileError("cannot read " + path);
        return {it->second.substr(0, limit + 1), it->second.size()};
    }
    // Locked by another program: a lock on a path in `busy` is never had.
    std::set<std::string> busy;
    std::set<std::string> links;  // paths that are symbolic links
    std::unique_ptr<sys::FileLock> Lock(const std::string& path, bool, std::uint32_t) override {
        if (busy.count(path)) return nullptr;
        return std::make_unique<sys::FileLock>();
    }
    Entry EntryAt(const std::string& path) override {
        if (links.count(path)) return Entry::Link;
        return contents.count(path) || unreadable.count(path) ? Entry::Other : Entry::Nothing;
    }
    void Replace(const std::string& from, const std::string& to) override {
        Step("replace " + to + " with " + from);
        const auto it = contents.find(from);
        if (it == contents.end()) throw sys::FileError("cannot put " + from + " in the place of " + to);
        std::string moved = std::move(it->second);
        contents.erase(it);
        unreadable.erase(to);
        contents[to] = std::move(moved);
    }
    void Remove(const std::string& path) noexcept override {
        log.push_back("remove " + path);
        contents.erase(path);
        unreadable.erase(path);
    }

private:
    class FakeFile : public sys::File {
    public:
        FakeFile(FakeFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
        ~FakeFile() override { files_.log.push_back("close"); }
        void SeekFromStart(std::int64_t offset) override {
            files_.Step("seek " + std::to_string(offset));
            if (offset < 0) throw sys::FileError(path_ + ": cannot seek to " + std::to_string(offset));
            position_ = static_cast<std::uint64_t>(offset);
        }
        void Write(const void* data, std::uint32_t size) override {
            std::string what = "write";
            for (std::uint32_t i = 0; i < size; ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02X", static_cast<const unsigned char*>(data)[i]);
                what += hex;
            }
            files_.Step(what);
            if (position_ + size > files_.sizeLimit) throw sys::FileError(path_ + ": no space left");
            std::string& content = files_.contents[path_];
            if (content.size() < position_ + size) content.resize(position_ + size);
            content.replace(position_, size, static_cast<const char*>(data), size);
            position_ += size;
        }

    private:
        FakeFiles& files_;
        std::string path_;
        std::uint64_t position_ = 0;
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
