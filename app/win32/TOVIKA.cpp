// Placeholder entry until the entry sequence lands: the port layer on the machine of this
// executable, then the main window until it is closed.
#include <windows.h>

#include <exception>

#include "app/win32/MainWindow.h"
#include "app/win32/ProcessMachine.h"
#include "app/win32/Win32Dialogs.h"
#include "hw/PortIO.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        hw::TPortArray& port = hw::CreatePort(app::CreateProcessMachine(".\\"));
        app::win32::ApplicationTitle() = "TOVIKA";
        return app::win32::RunMainWindow(instance, port, showCommand);
    } catch (const std::exception& e) {
        app::win32::Win32Dialogs().Inform(e.what());
        return 1;
    }
}
