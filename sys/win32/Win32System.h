// The system services on Win32: files through CreateFileA and friends, and the program's
// path, version, the system's version and the regional separators from the system.
#pragma once

#include <optional>

#include "sys/System.h"

namespace sys {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<File> CreateAlways(const std::string& path) override;
    std::unique_ptr<File> CreateNew(const std::string& path, Sharing sharing) override;
    // From RtlGenRandom or the CryptoAPI where the system has one of them.
    std::string UnpredictableName() override;
    // GetFileType must find a disk file; a device name (CON, NUL, COM1, ...) or a path in
    // the device namespace (\\.\...) is refused before it is opened.
    FileStart ReadRegular(const std::string& path, std::size_t limit, bool pipes = false) override;
    // A named mutex per full path, "TOVIKA-LOCK-" and a hash of the path in capitals.
    std::unique_ptr<FileLock> Lock(const std::string& path, bool exclusive, std::uint32_t waitMs) override;
    Entry EntryAt(const std::string& path) override;
    // MoveFileExA where the system has it; on the 95/98/Me family, which lacks it, the old
    // file is deleted first and the new one renamed into its place.
    void Replace(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;
};

// Waits up to `waitMs` for the named mutex `name` and holds it until the lock goes; nullptr when
// the wait ran out. "TOVIKA-PORTS" (kPortsMutex) is held by every TOVIKA program on the real
// notebook while it reaches the CMOS ports, so that two never write them at once.
constexpr const char* kPortsMutex = "TOVIKA-PORTS";
std::unique_ptr<FileLock> LockNamed(const std::string& name, std::uint32_t waitMs);

class Win32Environment : public Environment {
public:
    std::string ExecutablePath() override;
    const LeadBytes& PathLeadBytes() override { return SystemLeadBytes(); }
    // Read from the user's regional settings on the first call, then kept.
    NumberFormat Separators() override;
    OsVersion GetOsVersion() override;
    ProgramVersion GetProgramVersion() override;

private:
    std::optional<NumberFormat> separators_;
};

}  // namespace sys
