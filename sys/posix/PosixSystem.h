// The system services on Linux: real files through POSIX calls, and an environment whose
// answers the caller sets (the tests and benchmarks run the window's code against it).
#pragma once

#include "sys/System.h"

namespace sys {

class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<File> CreateAlways(const std::string& path) override;
    std::unique_ptr<File> CreateNew(const std::string& path) override;
    // From getrandom(2).
    std::string UnpredictableName() override;
    std::string ReadWhole(const std::string& path) override;
    void Replace(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) noexcept override;
};

class FixedEnvironment : public Environment {
public:
    std::string executablePath = "/opt/tovika/TOVIKA-SIM.exe";
    NumberFormat separators;
    OsVersion osVersion{true, 5, 1, 2600, 2};
    ProgramVersion programVersion{true, true, "0.5.0.0"};

    std::string ExecutablePath() override { return executablePath; }
    NumberFormat Separators() override { return separators; }
    OsVersion GetOsVersion() override { return osVersion; }
    ProgramVersion GetProgramVersion() override { return programVersion; }
};

}  // namespace sys
