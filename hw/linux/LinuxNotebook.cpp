#include "hw/linux/LinuxNotebook.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The processor, chosen once here: on i386 and x86-64 port 0xB0 is allowed by ioperm and
// reached by the out instruction; any other processor has no port instructions at all.
#if defined(__i386__) || defined(__x86_64__)
#include <sys/io.h>

namespace {

constexpr bool kPortInstructions = true;

int GrantFirmwarePort() { return ::ioperm(hw::kFirmwarePort, 1, 1) == 0 ? 0 : errno; }

// The firmware answers in EAX before the next instruction. It may leave the other general
// registers changed, so they are outputs or clobbered as well, and the frame pointer, which
// cannot be named so, is saved around the instruction (on x86-64 below the red zone).
#if defined(__x86_64__)
#define TOVIKA_SAVE_BP "leaq -128(%%rsp), %%rsp\n\tpushq %%rbp\n\t"
#define TOVIKA_RESTORE_BP "\n\tpopq %%rbp\n\tleaq 128(%%rsp), %%rsp"
#else
#define TOVIKA_SAVE_BP "pushl %%ebp\n\t"
#define TOVIKA_RESTORE_BP "\n\tpopl %%ebp"
#endif

std::uint32_t CallFirmwarePort(const hw::FirmwareRegisters& regs) {
    std::uint32_t eax = regs.eax, ebx = regs.ebx, ecx = regs.ecx, edx = regs.edx;
    asm volatile(TOVIKA_SAVE_BP "outb %%al, $0xB0" TOVIKA_RESTORE_BP
                 : "+a"(eax), "+b"(ebx), "+c"(ecx), "+d"(edx)
                 :
                 : "esi", "edi", "memory", "cc");
    return eax;
}

}  // namespace

#else

namespace {

constexpr bool kPortInstructions = false;

int GrantFirmwarePort() { return ENOSYS; }
std::uint32_t CallFirmwarePort(const hw::FirmwareRegisters& regs) { return regs.eax; }

}  // namespace

#endif

namespace hw {

namespace {

using Cause = LinuxHardwareError::Cause;

std::string Hex(unsigned v) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string{digits[(v >> 4) & 15], digits[v & 15]} + "h";
}

std::string ByteName(std::uint8_t index) { return "CMOS byte " + Hex(index); }

std::string ChecksumMessage(const char* access, std::uint8_t index, const std::string& path) {
    return "the kernel refuses to " + std::string(access) + " " + ByteName(index) + " through " + path +
           ": the standard CMOS checksum (the sum of bytes 10h-2Dh, kept in 2Eh/2Fh) is bad, and the "
           "nvram driver refuses every access until it is right. Setting the checksum right in the "
           "firmware setup (enter it at power-on and save the settings) fixes it.";
}

class LinuxNotebook : public Machine {
public:
    LinuxNotebook(int fd, std::string path, bool kernelDevice, const FirmwarePort& port)
        : fd_(fd), path_(std::move(path)), kernelDevice_(kernelDevice), port_(port) {}
    ~LinuxNotebook() override { ::close(fd_); }
    LinuxNotebook(const LinuxNotebook&) = delete;
    LinuxNotebook& operator=(const LinuxNotebook&) = delete;

    std::uint8_t In(std::uint16_t port) override {
        if (port == kCmosIndexPort) return 0xFF;  // write-only, as on the machine
        if (port != kCmosDataPort) Unreachable("input from", port);
        Reachable("read", selected_);
        std::uint8_t value = 0;
        ssize_t n;
        do n = ::pread(fd_, &value, 1, Offset(selected_));
        while (n < 0 && errno == EINTR);
        if (n < 0) Failed("read", errno);
        if (n == 0)
            throw HardwareFault(ByteName(selected_) + ": " + path_ + " ends before offset " +
                                std::to_string(Offset(selected_)));
        return value;
    }

    void Out(std::uint16_t port, std::uint8_t value) override {
        if (port == kCmosIndexPort) {
            selected_ = value & 0x7F;  // bit 7 masks NMI; it is not part of the index
            return;
        }
        if (port != kCmosDataPort) Unreachable("output to", port);
        Reachable("write", selected_);
        ssize_t n;
        do n = ::pwrite(fd_, &value, 1, Offset(selected_));
        while (n < 0 && errno == EINTR);
        if (n < 0) Failed("write", errno);
        if (n == 0) throw HardwareFault(ByteName(selected_) + ": " + path_ + " took nothing");
    }

    // The kernel holds the clock's lock around each access: nothing to mask here.
    void ClearInterruptFlag() override {}
    void SetInterruptFlag() override {}

    std::uint32_t SoftwareCall(const FirmwareRegisters& regs) override {
        if (!granted_) {
            const int error = port_.grant();
            if (error == EPERM || error == EACCES)
                throw LinuxHardwareError(
                    Cause::NotPermitted,
                    "port B0h (the firmware call): access not permitted: run as root. A kernel in "
                    "lockdown mode (secure boot) refuses port access even to root.");
            if (error != 0)
                throw LinuxHardwareError(Cause::Other,
                                         "port B0h (the firmware call): ioperm failed: " +
                                             std::string(std::strerror(error)));
            granted_ = true;
        }
        return port_.call(regs);
    }

    bool CmosReachable(std::uint8_t index) const override {
        return (index & 0x7F) >= kNvramFirstIndex;
    }

private:
    static off_t Offset(std::uint8_t index) { return index - kNvramFirstIndex; }

    void Reachable(const char* access, std::uint8_t index) const {
        if (!CmosReachable(index))
            throw HardwareFault(ByteName(index) + " belongs to the kernel's clock: " + path_ +
                                " holds bytes 0Eh-7Fh only, so it cannot be " + access + ".");
    }

    [[noreturn]] void Unreachable(const char* access, std::uint16_t port) const {
        throw HardwareFault(access + std::string(" port ") + Hex(port) +
                            ": under Linux only the CMOS (70h/71h) and the firmware call are reached.");
    }

    [[noreturn]] void Failed(const char* access, int error) const {
        if (error == EIO && kernelDevice_)
            throw LinuxHardwareError(Cause::BadChecksum, ChecksumMessage(access, selected_, path_));
        throw HardwareFault(ByteName(selected_) + ": cannot " + access + " " + path_ + " at offset " +
                            std::to_string(Offset(selected_)) + ": " + std::strerror(error));
    }

    int fd_;
    std::string path_;
    bool kernelDevice_;  // the nvram driver, not a file standing in for it
    FirmwarePort port_;
    bool granted_ = false;
    std::uint8_t selected_ = 0;
};

LinuxHardwareError OpenError(const std::string& path, int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return {Cause::NoDevice,
                path + (error == ENOENT ? " does not exist" : " has no driver behind it") +
                    ": the CMOS is reached through the kernel's nvram driver; load it with "
                    "`modprobe nvram` (as root), or use --sim DIR for the simulated notebook."};
    case EACCES:
    case EPERM:
    case EROFS:
        return {Cause::NotPermitted,
                path + ": not permitted to open it for reading and writing: run as root."};
    case EBUSY:
        return {Cause::Busy, path + " is open for writing in another program (the kernel allows one "
                                    "writer at a time): close that program and try again."};
    case EISDIR:
        return {Cause::Other, path + " is a directory, not the CMOS device or a file of " +
                                  std::to_string(kNvramSize) + " bytes."};
    default: return {Cause::Other, path + ": cannot open it: " + std::strerror(error)};
    }
}

}  // namespace

std::unique_ptr<Machine> OpenLinuxNotebook(const char* nvramPath, const FirmwarePort& port) {
    std::string path = kNvramDevice;
    if (nvramPath) path = nvramPath;
    else if (const char* variable = std::getenv(kNvramVariable); variable && *variable) path = variable;

    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) throw OpenError(path, errno);
    struct stat info {};
    // The driver answers SEEK_END with its size, a file with its length.
    const off_t size = ::fstat(fd, &info) == 0 ? ::lseek(fd, 0, SEEK_END) : -1;
    if (size != kNvramSize) {
        const int error = errno;
        ::close(fd);
        if (size < 0) throw OpenError(path, error);
        throw LinuxHardwareError(Cause::WrongSize,
                                 path + " holds " + std::to_string(size) + " bytes; it must hold " +
                                     std::to_string(kNvramSize) + ", the CMOS bytes 0Eh-7Fh.");
    }
    return std::make_unique<LinuxNotebook>(fd, path, S_ISCHR(info.st_mode), port);
}

std::unique_ptr<Machine> OpenLinuxNotebook(const char* nvramPath) {
    if (!kPortInstructions)
        throw LinuxHardwareError(Cause::NoPortInstructions,
                                 "this processor has no port instructions; use --sim DIR");
    return OpenLinuxNotebook(nvramPath, FirmwarePort{GrantFirmwarePort, CallFirmwarePort});
}

}  // namespace hw
