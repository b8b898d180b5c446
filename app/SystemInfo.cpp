#include "app/SystemInfo.h"

#include <cstdint>

#include "reports/Format.h"

namespace app {

SystemLabel DescribeSystem(const sys::OsVersion& v) {
    SystemLabel label;
    label.isNT = v.IsNtFamily();
    std::string name;
    std::int32_t build = -1;
    switch (v.platformId) {
    case 0:  // Win32s
        name = "Win32s on Windows 3.1";
        break;
    case 1:  // the 95/98/Me family: the high word of the build number holds the version
        build = static_cast<std::int32_t>(v.build & 0xFFFF);
        if (v.minor == 0) name = build > 1000 ? "Windows95(OSR2)" : "Windows95";
        else if (v.minor == 10) name = "Windows98";
        else if (v.minor == 90) name = "WindowsMe";
        else name = "Windows9x(Me Later)";
        break;
    case 2:  // the NT family
        build = static_cast<std::int32_t>(v.build);
        if (v.major == 4) name = "WindowsNT";
        else if (v.major == 5) name = "Windows2000";
        else name = "WindowsNT(2000 Later)";
        break;
    default: break;
    }
    // "%s  (Windows Ver.%d.%d  Build %d)", without the C library's formatter.
    label.text = name;
    label.text += "  (Windows Ver.";
    reports::AppendInteger(label.text, static_cast<int>(v.major));
    label.text += '.';
    reports::AppendInteger(label.text, static_cast<int>(v.minor));
    label.text += "  Build ";
    reports::AppendInteger(label.text, build);
    label.text += ')';
    return label;
}

std::string ProgramVersionLabel(const sys::ProgramVersion& version) {
    if (!version.hasVersionInfo) return "Version: Error";
    if (!version.found) return "Prog Version";
    return "Prog Version " + version.value;
}

}  // namespace app
