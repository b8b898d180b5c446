// The texts of the version label and the system label, and the platform flag, as pure
// functions of what the system reports.
#pragma once

#include <string>

#include "sys/System.h"

namespace app {

struct SystemLabel {
    std::string text;  // "%s  (Windows Ver.%d.%d  Build %d)"
    bool isNT = false;
};

SystemLabel DescribeSystem(const sys::OsVersion& version);

// "Prog Version " + value; "Version: Error" without version information; the design
// caption "Prog Version" when the value is missing.
std::string ProgramVersionLabel(const sys::ProgramVersion& version);

}  // namespace app
