#include "app/win32/ProcessMachine.h"
#include "hw/SimFiles.h"

namespace app {

hw::Machine& CreateProcessMachine(const std::string& folder) {
    static std::unique_ptr<hw::SimNotebook> notebook = hw::OpenSimNotebook(folder);
    return *notebook;
}

}  // namespace app
