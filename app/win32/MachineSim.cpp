#include "app/win32/ProcessMachine.h"

#include <algorithm>

#include "app/Unit1.h"
#include "hw/SimFiles.h"
#include "sys/win32/Win32System.h"

namespace app {

namespace {
std::string& folderOf() {
    static std::string folder;
    return folder;
}
}  // namespace

hw::Machine& CreateProcessMachine(const std::string& folder) {
    folderOf() = folder;
    static sys::Win32FileSystem files;
    static std::unique_ptr<hw::SimNotebook> notebook;
    if (notebook) return *notebook;
    {
        // Made alone: another program may be making sim-cmos.dat in the same folder.
        const std::unique_ptr<sys::FileLock> lock = files.Lock(folder, true, sys::kLockWaitMs);
        notebook = hw::OpenSimNotebook(folder, files);
    }
    // Each load and each write of the window holds the folder's lock (a named mutex, as the
    // command line TOVIKAC.exe takes it) and starts from sim-cmos.dat as it is then: another
    // program may have written it since.
    SetupHold() = [](bool writes) -> std::unique_ptr<sys::FileLock> {
        std::unique_ptr<sys::FileLock> lock = files.Lock(folderOf(), writes, sys::kLockWaitMs);
        if (!lock) return nullptr;
        try {
            const sys::FileStart start = files.ReadRegular(folderOf() + hw::kSimCmosFile, hw::kCmosSize);
            if (start.bytes.size() == hw::kCmosSize)
                std::copy(start.bytes.begin(), start.bytes.end(), notebook->cmos().begin());
        } catch (const sys::FileError&) {
            // Kept as it was loaded: a write tells its own failure.
        }
        return lock;
    };
    return *notebook;
}

}  // namespace app
