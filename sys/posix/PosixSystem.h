// The system services on Linux: real files through POSIX calls.
#pragma once

#include "sys/System.h"

namespace sys {

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> CreateAlways(const std::string& path) override;
    std::unique_ptr<File> CreateNew(const std::string& path, Sharing sharing) override;
    // From getrandom(2).
    std::string UnpredictableName() override;
    FileStart ReadRegular(const std::string& path, std::size_t limit, bool pipes = false) override;
    std::unique_ptr<FileLock> Lock(const std::string& path, bool exclusive, std::uint32_t waitMs) override;
    Entry EntryAt(const std::string& path) override;
    void Replace(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;
};

}  // namespace sys
