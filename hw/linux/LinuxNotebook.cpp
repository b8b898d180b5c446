#include "hw/linux/LinuxNotebook.h"

#include "sys/Messages.h"
#include "sys/SystemError.h"

#include <cerrno>
#include <cstdlib>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
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
using sys::Message;

// The messages that only this notebook raises.
const sys::MessageRow kLinuxRows[] = {
    {Message::NvramEndsEarly, "%1: %2 はオフセット %3 より前で終わっています.", "%1: %2 ends before offset %3"},
    {Message::NvramTookNothing, "%1: %2 に何も書き込めませんでした.", "%1: %2 took nothing"},
    {Message::NvramClockByte,
     "%1 はカーネルの時計のバイトです. %2 は 0Eh-7Fh のバイトだけを持つため、%3できません.",
     "%1 belongs to the kernel's clock: %2 holds bytes 0Eh-7Fh only, so it cannot be %3."},
    {Message::NvramFailed, "%1: %3 のオフセット %4 を%2できません (%5).", "%1: cannot %2 %3 at offset %4: %5"},
    {Message::NvramBadChecksum,
     "カーネルが %3 を通した %2 の%1を拒否しています: 標準の CMOS チェックサム (10h-2Dh のバイトの和、"
     "2Eh/2Fh に保存) が正しくなく、nvram ドライバはそれが正しくなるまですべてのアクセスを拒否します. "
     "ファームウェアの設定 (電源投入時に入り、設定を保存します) でチェックサムを正しくすれば直ります.",
     "the kernel refuses to %1 %2 through %3: the standard CMOS checksum (the sum of bytes 10h-2Dh, kept in "
     "2Eh/2Fh) is bad, and the nvram driver refuses every access until it is right. Setting the checksum "
     "right in the firmware setup (enter it at power-on and save the settings) fixes it."},
    {Message::NvramMissing,
     "%1 がありません: CMOS はカーネルの nvram ドライバを通して使います. root で `modprobe nvram` として"
     "読み込むか、シミュレーションのノートPC には --sim DIR を使ってください.",
     "%1 does not exist: the CMOS is reached through the kernel's nvram driver; load it with "
     "`modprobe nvram` (as root), or use --sim DIR for the simulated notebook."},
    {Message::NvramNoDriver,
     "%1 にはドライバがありません: CMOS はカーネルの nvram ドライバを通して使います. root で "
     "`modprobe nvram` として読み込むか、シミュレーションのノートPC には --sim DIR を使ってください.",
     "%1 has no driver behind it: the CMOS is reached through the kernel's nvram driver; load it with "
     "`modprobe nvram` (as root), or use --sim DIR for the simulated notebook."},
    {Message::NvramNotPermitted, "%1: 読み書きのために開くことが許可されていません. root で実行してください.",
     "%1: not permitted to open it for reading and writing: run as root."},
    {Message::NvramReadOnly,
     "%1 は読み出し専用のファイル システムにあり、root にも書き込めません: そのファイル システムを"
     "読み書きできるようにマウントし直す (mount -o remount,rw) か、%2 でほかの場所のファイルを指定してください.",
     "%1 is on a read-only file system, which refuses writing to root as well: mount that file system "
     "read-write (mount -o remount,rw), or point %2 to a file elsewhere."},
    {Message::NvramIsFolder, "%1 はフォルダで、CMOS のデバイスでも %2 バイトのファイルでもありません.",
     "%1 is a directory, not the CMOS device or a file of %2 bytes."},
    {Message::NvramNotOpened, "%1 を開けません (%2).", "%1: cannot open it: %2"},
    {Message::NvramKernelTooOld,
     "%1 は %2 バイトで、CMOS の 0Eh-3Fh のバイトしかありません: カーネルが古すぎます (2002 年より前の "
     "nvram ドライバは CMOS の最初の 64 バイトしか扱いません). 設定の 40h-7Fh のバイトには新しいカーネルが必要です.",
     "%1 holds %2 bytes, the CMOS bytes 0Eh-3Fh only: the kernel is too old (its nvram driver is from "
     "before 2002 and gives only the first 64 bytes of the CMOS); the setup bytes 40h-7Fh need a newer kernel."},
    {Message::NvramWrongSize, "%1 は %2 バイトです. CMOS の 0Eh-7Fh の %3 バイトでなければなりません.",
     "%1 holds %2 bytes; it must hold %3, the CMOS bytes 0Eh-7Fh."},
    {Message::NoPortInstructions, "このプロセッサにはポート命令がありません. --sim DIR を使ってください.",
     "this processor has no port instructions; use --sim DIR"},
    {Message::FirmwarePortNotPermitted,
     "ポート B0h (ファームウェア呼び出し): アクセスが許可されていません. root で実行してください. "
     "ロックダウン モード (セキュア ブート) のカーネルは root にもポートへのアクセスを許しません.",
     "port B0h (the firmware call): access not permitted: run as root. A kernel in lockdown mode "
     "(secure boot) refuses port access even to root."},
    {Message::FirmwarePortNotGranted, "ポート B0h (ファームウェア呼び出し): ioperm が失敗しました (%1).",
     "port B0h (the firmware call): ioperm failed: %1"},
};
const sys::MessageRowsAside kLinuxRowsAside(kLinuxRows);

// An access of the messages above, in both languages: the verb ("cannot read", "refuses to
// write") and the participle ("cannot be written").
struct Access {
    sys::MessageArg verb;
    sys::MessageArg participle;
};
const Access kRead{{"読み出し", "read"}, {"読み出し", "read"}};
const Access kWrite{{"書き込み", "write"}, {"書き込み", "written"}};

// The CMOS bytes 0Eh-7Fh as the file's bytes, one system call each; the driver holds the
// clock's lock around each.
class NvramCmos : public CmosAccess {
public:
    NvramCmos(int fd, std::string path, bool kernelDevice, const NvramCalls& calls)
        : fd_(fd), path_(std::move(path)), kernelDevice_(kernelDevice), calls_(calls) {}
    ~NvramCmos() override { calls_.close(fd_); }
    NvramCmos(const NvramCmos&) = delete;
    NvramCmos& operator=(const NvramCmos&) = delete;

    std::uint8_t Read(std::uint8_t index) override {
        RequireReachable(kRead, index);
        std::uint8_t value = 0;
        ssize_t n;
        do n = calls_.pread(fd_, &value, Offset(index));
        while (n < 0 && errno == EINTR);
        if (n < 0) Failed(kRead, index, errno);
        if (n == 0)
            throw HardwareFault(Message::NvramEndsEarly, {ByteName(index), path_, std::to_string(Offset(index))});
        return value;
    }

    void Write(std::uint8_t index, std::uint8_t value) override {
        RequireReachable(kWrite, index);
        ssize_t n;
        do n = calls_.pwrite(fd_, value, Offset(index));
        while (n < 0 && errno == EINTR);
        if (n < 0) Failed(kWrite, index, errno);
        if (n == 0) throw HardwareFault(Message::NvramTookNothing, {ByteName(index), path_});
    }

    bool Reachable(std::uint8_t index) const override { return index >= kNvramFirstIndex; }

private:
    static off_t Offset(std::uint8_t index) { return index - kNvramFirstIndex; }

    void RequireReachable(const Access& access, std::uint8_t index) const {
        if (!Reachable(index))
            throw HardwareFault(Message::NvramClockByte, {ByteName(index), path_, access.participle});
    }

    [[noreturn]] void Failed(const Access& access, std::uint8_t index, int error) const {
        if (error == EIO && kernelDevice_)
            throw LinuxHardwareError(Cause::BadChecksum, Message::NvramBadChecksum,
                                     {access.verb, ByteName(index), path_});
        throw HardwareFault(Message::NvramFailed, {ByteName(index), access.verb, path_,
                                                   std::to_string(Offset(index)), sys::SystemReason(error)});
    }

    int fd_;
    std::string path_;
    bool kernelDevice_;  // the nvram driver, not a file standing in for it
    NvramCalls calls_;
};

// Port 0xB0: the permission asked for at the first call, then the processor's `out`.
class FirmwareOverPort : public FirmwareAccess {
public:
    explicit FirmwareOverPort(const FirmwarePort& port) : port_(port) {}

    std::uint32_t Call(const FirmwareRegisters& regs) override {
        if (!granted_) {
            const int error = port_.grant();
            if (error == EPERM || error == EACCES)
                throw LinuxHardwareError(Cause::NotPermitted, Message::FirmwarePortNotPermitted);
            if (error != 0)
                throw LinuxHardwareError(Cause::Other, Message::FirmwarePortNotGranted,
                                         {sys::SystemReason(error)});
            granted_ = true;
        }
        return port_.call(regs);
    }

private:
    FirmwarePort port_;
    bool granted_ = false;
};

class LinuxNotebook : public Notebook {
public:
    LinuxNotebook(int fd, std::string path, bool kernelDevice, const FirmwarePort& port,
                  const NvramCalls& calls)
        : cmos_(fd, std::move(path), kernelDevice, calls), firmware_(port), bus_(cmos_, &firmware_) {}
    Bus& bus() override { return bus_; }

private:
    NvramCmos cmos_;
    FirmwareOverPort firmware_;
    Bus bus_;
};

LinuxHardwareError OpenError(const std::string& path, int error, std::uint32_t waitedMs = 0) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return {Cause::NoDevice, error == ENOENT ? Message::NvramMissing : Message::NvramNoDriver, {path}};
    case EACCES:
    case EPERM: return {Cause::NotPermitted, Message::NvramNotPermitted, {path}};
    case EROFS: return {Cause::ReadOnly, Message::NvramReadOnly, {path, kNvramVariable}};
    case EBUSY:
    case EWOULDBLOCK: return {Cause::Busy, Message::DeviceBusy, {path, std::to_string(waitedMs / 1000)}};
    case EISDIR: return {Cause::Other, Message::NvramIsFolder, {path, std::to_string(kNvramSize)}};
    default: return {Cause::Other, Message::NvramNotOpened, {path, sys::SystemReason(error)}};
    }
}

}  // namespace

const NvramCalls& SystemNvramCalls() {
    static const NvramCalls calls = {
        [](const char* path) { return ::open(path, O_RDWR | O_CLOEXEC); },
        [](int fd, bool& device) -> off_t {
            struct stat info {};
            if (::fstat(fd, &info) != 0) return -1;
            device = S_ISCHR(info.st_mode);
            return ::lseek(fd, 0, SEEK_END);
        },
        [](int fd, std::uint8_t* byte, off_t offset) { return ::pread(fd, byte, 1, offset); },
        [](int fd, std::uint8_t byte, off_t offset) { return ::pwrite(fd, &byte, 1, offset); },
        [](int fd) { ::close(fd); },
        [](int fd) { return ::flock(fd, LOCK_EX | LOCK_NB); },
    };
    return calls;
}

std::unique_ptr<Notebook> OpenLinuxNotebook(const char* nvramPath, const FirmwarePort& port,
                                            const NvramCalls& calls) {
    std::string path = kNvramDevice;
    if (nvramPath) path = nvramPath;
    else if (const char* variable = std::getenv(kNvramVariable); variable && *variable) path = variable;

    // Another writer is waited for: the driver's EBUSY, or a file's lock, tried again with
    // pauses growing to 16 ms until the wait runs out.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(calls.busyWaitMs);
    long pauseMs = 1;
    const auto wait = [&]() {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        struct timespec t{};
        t.tv_nsec = pauseMs * 1000000L;
        ::nanosleep(&t, nullptr);
        if (pauseMs < 16) pauseMs *= 2;
        return true;
    };
    int fd;
    bool device = false;
    off_t size;
    for (;;) {
        fd = calls.open(path.c_str());
        if (fd < 0 && errno == EBUSY && wait()) continue;
        if (fd < 0) throw OpenError(path, errno, calls.busyWaitMs);
        size = calls.size(fd, device);
        if (size != kNvramSize || device || !calls.lock || calls.lock(fd) == 0 || errno != EWOULDBLOCK) break;
        calls.close(fd);
        if (!wait()) throw OpenError(path, EWOULDBLOCK, calls.busyWaitMs);
    }
    if (size != kNvramSize) {
        const int error = errno;
        calls.close(fd);
        if (size < 0) throw OpenError(path, error);
        if (device && size == kOldNvramSize)
            throw LinuxHardwareError(Cause::KernelTooOld, Message::NvramKernelTooOld, {path, std::to_string(size)});
        throw LinuxHardwareError(Cause::WrongSize, Message::NvramWrongSize,
                                 {path, std::to_string(size), std::to_string(kNvramSize)});
    }
    return std::make_unique<LinuxNotebook>(fd, path, device, port, calls);
}

std::unique_ptr<Notebook> OpenLinuxNotebook(const char* nvramPath) {
    if (!kPortInstructions)
        throw LinuxHardwareError(Cause::NoPortInstructions, Message::NoPortInstructions);
    return OpenLinuxNotebook(nvramPath, FirmwarePort{GrantFirmwarePort, CallFirmwarePort});
}

}  // namespace hw
