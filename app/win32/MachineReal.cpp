#include "app/win32/ProcessMachine.h"

#include "app/Unit1.h"
#include "hw/X86Machine.h"
#include "sys/win32/Win32System.h"

namespace app {

hw::Machine& CreateProcessMachine(const std::string&) {
    hw::InstallPortFaultHandler();
    static hw::X86Machine machine;
    // Each load and each write holds the ports alone, as TOVIKAC.exe does for a command.
    SetupHold() = [](bool) { return sys::LockNamed(sys::kPortsMutex, sys::kLockWaitMs); };
    return machine;
}

}  // namespace app
