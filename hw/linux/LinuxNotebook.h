// The real notebook under Linux. The CMOS bytes 0Eh-7Fh are reached through the kernel's
// nvram driver (/dev/nvram, offset = index - 0Eh; the driver holds the clock's lock around
// every access, so no cli/sti is needed and no race with the clock driver is possible); the
// bytes 00h-0Dh belong to the kernel's clock and cannot be reached. The firmware's software
// call is the processor's `out` to port 0xB0, allowed by ioperm, on i386 and x86-64 only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hw/Cmos.h"
#include "hw/HardwareFault.h"
#include "hw/Machine.h"

namespace hw {

constexpr const char* kNvramDevice = "/dev/nvram";
constexpr const char* kNvramVariable = "TOVIKA_NVRAM";  // another file instead of the device
constexpr std::uint8_t kNvramFirstIndex = cmos::kClockEnd;  // 0Eh, at file offset 0
constexpr int kNvramSize = kCmosSize - kNvramFirstIndex;     // 114 bytes

// Every failure of this backend that has a remedy. It is a HardwareFault, so whatever
// reports those reports it too; cause() tells which remedy what() names. Thrown by
// OpenLinuxNotebook, and at run time by the first software call (port refused) and by any
// CMOS access the kernel refuses for a bad checksum. Other run-time failures of a read or
// a write are plain HardwareFaults naming the byte.
class LinuxHardwareError : public HardwareFault {
public:
    enum class Cause {
        NoDevice,            // no /dev/nvram or no driver behind it: modprobe nvram
        NotPermitted,        // the device or port 0xB0 refused: run as root
        NoPortInstructions,  // not an x86 processor: use --sim DIR
        BadChecksum,         // the kernel refuses the CMOS: set the checksum right in the firmware setup
        Busy,                // another program has the device open for writing
        WrongSize,           // the file is not 114 bytes
        Other,               // anything else; what() has the system's reason
    };
    LinuxHardwareError(Cause cause, const std::string& message) : HardwareFault(message), cause_(cause) {}
    Cause cause() const { return cause_; }

private:
    Cause cause_;
};

// Port 0xB0 as the machine uses it: the permission and the call. The processor's is used
// by default; tests put in their own so that no port instruction runs.
struct FirmwarePort {
    int (*grant)();                                        // 0 when allowed, else an errno value
    std::uint32_t (*call)(const FirmwareRegisters& regs);  // loads the registers, out AL, EAX back
};

// Opens the real notebook. The CMOS file is `nvramPath` when given, else $TOVIKA_NVRAM when
// set and not empty, else /dev/nvram; it is opened for reading and writing and must hold
// exactly 114 bytes. The port permission is asked for at the first software call, so the
// CMOS can be read where the kernel allows no port access and opening runs no port
// instruction. Throws LinuxHardwareError: NoPortInstructions on a processor other than
// i386/x86-64 (before anything is opened), NoDevice, NotPermitted, Busy, WrongSize, Other.
std::unique_ptr<Machine> OpenLinuxNotebook(const char* nvramPath = nullptr);

// The same with another port 0xB0; works on every processor.
std::unique_ptr<Machine> OpenLinuxNotebook(const char* nvramPath, const FirmwarePort& port);

}  // namespace hw
