#include "app/win32/ProcessMachine.h"
#include "hw/X86Machine.h"

namespace app {

hw::Machine& CreateProcessMachine(const std::string&) {
    hw::InstallPortFaultHandler();
    static hw::X86Machine machine;
    return machine;
}

}  // namespace app
