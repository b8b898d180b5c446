// The system services on Win32: files through CreateFileA and friends, and the program's
// path, version, the system's version and the regional separators from the system.
#pragma once

#include <optional>

#include "sys/System.h"

namespace sys {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<File> CreateAlways(const std::string& path) override;
};

class Win32Environment : public Environment {
public:
    std::string ExecutablePath() override;
    // Read from the user's regional settings on the first call, then kept.
    NumberFormat Separators() override;
    OsVersion GetOsVersion() override;
    ProgramVersion GetProgramVersion() override;

private:
    std::optional<NumberFormat> separators_;
};

}  // namespace sys
