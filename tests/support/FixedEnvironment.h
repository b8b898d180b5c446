// An environment whose answers the caller sets: the tests and benchmarks run the window's
// code against it.
#pragma once

#include <string>

#include "sys/System.h"

namespace sys {

class FixedEnvironment : public Environment {
public:
    std::string executablePath = "/opt/tovika/TOVIKA-SIM.exe";
    NumberFormat separators;
    OsVersion osVersion{true, 5, 1, 2600, 2};
    ProgramVersion programVersion{true, true, "0.5.0.0"};
    LeadBytes pathLeadBytes;  // none, as on POSIX

    std::string ExecutablePath() override { return executablePath; }
    const LeadBytes& PathLeadBytes() override { return pathLeadBytes; }
    NumberFormat Separators() override { return separators; }
    OsVersion GetOsVersion() override { return osVersion; }
    ProgramVersion GetProgramVersion() override { return programVersion; }
};

}  // namespace sys
