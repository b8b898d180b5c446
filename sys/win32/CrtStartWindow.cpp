// The entry point of the window programs (see CrtStart.cpp): WinMain with the module, the
// command line after the program's name and the way the starter asked to show the window.
#include <windows.h>

#include <cstdlib>

#include "sys/CrtStartLists.h"
#include "sys/win32/CrtStart.h"

extern "C" void WinMainCRTStartup() {
    sys::win32::StartProcess();
    __main();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    std::exit(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(sys::ArgumentsOf(GetCommandLineA())),
                      show));
}
