// The giveio probe, in a file of its own: both window programs make their ports the same way
// and so both probe, but only TOVIKA.exe needs the port instructions and their fault handler,
// which came along with the probe into TOVIKA-SIM.exe while the three shared an object file
// (2.5 KB).
#include <windows.h>

#include "hw/X86Machine.h"

namespace hw {

bool ProbeGiveio() {
    HANDLE h = CreateFileA("\\\\.\\giveio", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

}  // namespace hw
