// The real notebook under Linux, where the system gives the CMOS by byte. The CMOS bytes
// 0Eh-7Fh are reached through the kernel's nvram driver (/dev/nvram, offset = index - 0Eh);
// the bytes 00h-0Dh belong to the kernel's clock and cannot be reached. The firmware's
// software call is the processor's `out` to port 0xB0, allowed by ioperm, on i386 and
// x86-64 only.
//
// What is guarded and what is not: the driver holds the kernel's clock lock around each
// access it makes, so the kernel's clock code and other users of the device cannot come
// between the index and the data of a byte, and no interrupt masking is needed here. Nothing
// guards against the firmware itself: its handler behind port B0h runs outside the kernel
// and may use ports 70h/71h on its own, and no lock of the kernel covers that. Nor is a value
// of several bytes read as one: another program may write between two bytes (the kernel lets
// one program at a time open the device for writing).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>

#include "hw/Bus.h"
#include "hw/Cmos.h"
#include "hw/HardwareFault.h"

namespace hw {

constexpr const char* kNvramDevice = "/dev/nvram";
constexpr const char* kNvramVariable = "TOVIKA_NVRAM";  // another file instead of the device
constexpr std::uint8_t kNvramFirstIndex = cmos::kClockEnd;  // 0Eh, at file offset 0
constexpr int kNvramSize = kCmosSize - kNvramFirstIndex;     // 114 bytes
constexpr int kOldNvramSize = 0x40 - kNvramFirstIndex;       // 50: kernels before 2002

// Every failure of this backend that has a remedy. It is a HardwareFault, so whatever
// reports those reports it too; cause() tells which remedy its message names. Thrown by
// OpenLinuxNotebook, and at run time by the first software call (port refused) and by any
// CMOS access the kernel refuses for a bad checksum. Other run-time failures of a read or
// a write are plain HardwareFaults naming the byte.
class LinuxHardwareError : public HardwareFault {
public:
    enum class Cause {
        NoDevice,            // no /dev/nvram or no driver behind it: modprobe nvram
        NotPermitted,        // the device or port 0xB0 refused: run as root
        ReadOnly,            // on a read-only file system: root cannot help, remount it
        NoPortInstructions,  // not an x86 processor: use --sim DIR
        BadChecksum,         // the kernel refuses the CMOS: set the checksum right in the firmware setup
        Busy,                // another program has the device open for writing
        KernelTooOld,        // the driver gives 50 bytes only (0Eh-3Fh)
        WrongSize,           // the file is not 114 bytes
        Other,               // anything else; the message has the system's reason
    };
    LinuxHardwareError(Cause cause, sys::Message message, const sys::MessageArgs& args = {})
        : HardwareFault(message, args), cause_(cause) {}
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

// The system calls that reach the CMOS file, each returning what the call returns, with errno
// set on failure. The system's own by default; tests put in their own to make the device
// answer as the kernel's driver does (EIO while the checksum is bad, EBUSY for a second
// writer, ENODEV without the driver).
struct NvramCalls {
    int (*open)(const char* path);  // for reading and writing: a descriptor, or -1
    // The size (the driver answers SEEK_END with it, a file with its length), or -1;
    // `device` tells whether the file is a character device.
    off_t (*size)(int fd, bool& device);
    ssize_t (*pread)(int fd, std::uint8_t* byte, off_t offset);  // one byte: 1, 0 at the end, or -1
    ssize_t (*pwrite)(int fd, std::uint8_t byte, off_t offset);
    void (*close)(int fd);
    // Locks a regular file that stands in for the device, for this program alone, without
    // waiting: 0, or -1 with errno EWOULDBLOCK while another program holds it. None: no lock.
    int (*lock)(int fd) = nullptr;
    // How long a device busy with another writer (EBUSY), or a locked file, is waited for.
    std::uint32_t busyWaitMs = 10000;
};
const NvramCalls& SystemNvramCalls();

// Opens the real notebook. The CMOS file is `nvramPath` when given, else $TOVIKA_NVRAM when
// set and not empty, else /dev/nvram; it is opened for reading and writing and must hold
// exactly 114 bytes. While another program writes it (the driver answers EBUSY; a regular
// file is locked with flock(2)), it is tried again for up to busyWaitMs, then Busy is thrown
// (a hardware failure, status 3). The port permission is asked for at the first software call, so the
// CMOS can be read where the kernel allows no port access and opening runs no port
// instruction. Throws LinuxHardwareError: NoPortInstructions on a processor other than
// i386/x86-64 (before anything is opened), NoDevice, NotPermitted, ReadOnly, Busy,
// KernelTooOld, WrongSize, Other.
std::unique_ptr<Notebook> OpenLinuxNotebook(const char* nvramPath = nullptr);

// The same with another port 0xB0 and other system calls; works on every processor.
std::unique_ptr<Notebook> OpenLinuxNotebook(const char* nvramPath, const FirmwarePort& port,
                                            const NvramCalls& calls = SystemNvramCalls());

}  // namespace hw
