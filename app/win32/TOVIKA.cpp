// Placeholder entry until the window shell lands: brings up the port layer only.
#include <windows.h>

#include "app/win32/ProcessMachine.h"
#include "hw/PortIO.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    hw::CreatePort(app::CreateProcessMachine(".\\"));
    return 0;
}
