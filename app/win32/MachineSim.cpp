#include "app/win32/ProcessMachine.h"
#include "hw/SimFiles.h"
#include "sys/win32/Win32System.h"

namespace app {

hw::Machine& CreateProcessMachine(const std::string& folder) {
    static sys::Win32FileSystem files;
    static std::unique_ptr<hw::SimNotebook> notebook = hw::OpenSimNotebook(folder, files);
    return *notebook;
}

}  // namespace app
