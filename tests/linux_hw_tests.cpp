// The Linux backend: CMOS bytes 0Eh-7Fh through a file standing in for /dev/nvram
// (TOVIKA_NVRAM), the errors that name their remedy (the kernel driver's own answers through
// fake system calls), and the firmware call's port permission. No port instruction runs
// here: the firmware port is a fake throughout.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "hw/linux/LinuxNotebook.h"
#include "tests/TempDir.h"

namespace {

using Cause = hw::LinuxHardwareError::Cause;

// The fake port 0xB0: what the grant answers, how often it was asked, the last call.
struct FakePort {
    static inline int grantError = 0;
    static inline int grants = 0;
    static inline hw::FirmwareRegisters last{};
    static int Grant() {
        ++grants;
        return grantError;
    }
    static std::uint32_t Call(const hw::FirmwareRegisters& regs) {
        last = regs;
        return 0x12345678;
    }
    static hw::FirmwarePort Port() {
        grantError = 0;
        grants = 0;
        last = {};
        return {Grant, Call};
    }
};

// A 114-byte stand-in for the device whose byte at offset k is k ^ 0xA5, found through
// TOVIKA_NVRAM as the program finds it.
class NvramFile : public testing::Test {
protected:
    void SetUp() override {
        for (int k = 0; k < hw::kNvramSize; ++k) image_ += static_cast<char>(k ^ 0xA5);
        dir_.Write("nvram", image_);
        ::setenv(hw::kNvramVariable, dir_.File("nvram").c_str(), 1);
    }
    void TearDown() override { ::unsetenv(hw::kNvramVariable); }

    std::unique_ptr<hw::Notebook> Open() { return hw::OpenLinuxNotebook(nullptr, FakePort::Port()); }
    static std::uint8_t Read(hw::Notebook& m, std::uint8_t index) { return m.bus().ReadCmos(index); }
    static void Write(hw::Notebook& m, std::uint8_t index, std::uint8_t value) {
        m.bus().WriteCmos(index, value);
    }

    TempDir dir_;
    std::string image_;
};

TEST_F(NvramFile, EveryReachableIndexReadsTheByteAtIndexMinus0E) {
    auto m = Open();
    for (int index = 0x0E; index <= 0x7F; ++index)
        EXPECT_EQ(Read(*m, index), (index - 0x0E) ^ 0xA5) << "index " << index;
    EXPECT_EQ(Read(*m, 0x80 | 0x0E), 0x00 ^ 0xA5) << "bit 7 is the NMI mask, no part of the index";
}

TEST_F(NvramFile, WritesLandAtTheirOffsetAndNowhereElse) {
    auto m = Open();
    Write(*m, 0x0E, 0x11);
    Write(*m, 0x60, 0x22);
    Write(*m, 0x7F, 0x33);
    std::string expected = image_;
    expected[0] = 0x11;
    expected[0x60 - 0x0E] = 0x22;
    expected[113] = 0x33;
    EXPECT_EQ(dir_.Read("nvram"), expected);
    EXPECT_EQ(Read(*m, 0x60), 0x22);
}

TEST_F(NvramFile, ClockBytesAreUnreachableAndNeverTouchTheFile) {
    auto m = Open();
    for (int index = 0; index < 0x80; ++index)
        EXPECT_EQ(m->bus().CmosReachable(index), index >= 0x0E) << "index " << index;
    try {
        Read(*m, 0x0D);
        FAIL() << "read byte 0Dh";
    } catch (const hw::HardwareFault& e) {
        EXPECT_NE(std::string(e.English()).find("CMOS 0Dh belongs to the kernel's clock"), std::string::npos)
            << e.English();
    }
    EXPECT_THROW(Write(*m, 0x00, 0x99), hw::HardwareFault);
    EXPECT_EQ(dir_.Read("nvram"), image_);
}

TEST_F(NvramFile, NoSinglePortIsReachedAndNothingIsTouched) {
    auto m = Open();
    EXPECT_THROW(m->bus().ReadPort(0x71), hw::HardwareFault);
    EXPECT_THROW(m->bus().WritePort(0x70, 0x0E), hw::HardwareFault);
    EXPECT_FALSE(m->bus().GrantMissing()) << "no Windows grant is asked for";
    EXPECT_EQ(FakePort::grants, 0);
    EXPECT_EQ(dir_.Read("nvram"), image_);
}

TEST_F(NvramFile, FailedReadAtRunTimeNamesTheByte) {
    auto m = Open();
    std::filesystem::resize_file(dir_.File("nvram"), 100);  // cut under the open machine
    EXPECT_EQ(Read(*m, 0x0E + 99), 99 ^ 0xA5);
    try {
        Read(*m, 0x7F);
        FAIL() << "read past the end";
    } catch (const hw::HardwareFault& e) {
        EXPECT_NE(std::string(e.English()).find("CMOS 7Fh"), std::string::npos) << e.English();
    }
}

TEST_F(NvramFile, ExplicitPathComesBeforeTheVariable) {
    std::string other(hw::kNvramSize, '\x5A');
    dir_.Write("other", other);
    auto m = hw::OpenLinuxNotebook(dir_.File("other").c_str(), FakePort::Port());
    EXPECT_EQ(Read(*m, 0x20), 0x5A);
}

// What keeps the backend from opening: the cause, and the remedy in the message.
TEST(LinuxNotebookOpen, RefusalsNameTheirRemedy) {
    TempDir dir;
    dir.Write("short", std::string(hw::kNvramSize - 1, '\0'));
    dir.Write("long", std::string(hw::kNvramSize + 1, '\0'));
    dir.Write("empty", "");
    std::filesystem::create_directory(dir.File("folder"));
    const struct {
        const char* name;
        Cause cause;
        const char* remedy;
    } cases[] = {
        {"missing", Cause::NoDevice, "modprobe nvram"},
        {"short", Cause::WrongSize, "holds 113 bytes; it must hold 114"},
        {"long", Cause::WrongSize, "holds 115 bytes"},
        {"empty", Cause::WrongSize, "holds 0 bytes"},
        {"folder", Cause::Other, "is a directory"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(c.name);
        try {
            hw::OpenLinuxNotebook(path.c_str(), FakePort::Port());
            ADD_FAILURE() << "opened " << c.name;
        } catch (const hw::LinuxHardwareError& e) {
            EXPECT_EQ(e.cause(), c.cause) << c.name;
            EXPECT_NE(std::string(e.English()).find(path), std::string::npos) << e.English();
            EXPECT_NE(std::string(e.English()).find(c.remedy), std::string::npos) << e.English();
        }
    }
    EXPECT_EQ(dir.Read("short"), std::string(hw::kNvramSize - 1, '\0')) << "a refused file is left alone";
}

TEST(LinuxNotebookOpen, FileThatMayNotBeWrittenAsksForRoot) {
    TempDir dir;
    const std::string path = dir.File("nvram");
    dir.Write("nvram", std::string(hw::kNvramSize, '\0'));
    // Root passes file modes; an immutable file refuses root as well.
    bool immutable = false;
    if (::geteuid() == 0) {
        immutable = std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) == 0;
        if (!immutable) GTEST_SKIP() << "root, and chattr is not supported here";
    } else {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    }
    try {
        hw::OpenLinuxNotebook(path.c_str(), FakePort::Port());
        ADD_FAILURE() << "opened a read-only file for writing";
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::NotPermitted);
        EXPECT_NE(std::string(e.English()).find("run as root"), std::string::npos) << e.English();
    }
    if (immutable) std::system(("chattr -i '" + path + "'").c_str());
}

TEST(LinuxNotebookOpen, TheProcessorsOwnPortOpensOnlyOnX86) {
    TempDir dir;
    dir.Write("nvram", std::string(hw::kNvramSize, '\0'));
    // Opening runs no port instruction: the permission is asked for at the first call.
    try {
        auto m = hw::OpenLinuxNotebook(dir.File("nvram").c_str());
        EXPECT_TRUE(m->bus().CmosReachable(0x0E));
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::NoPortInstructions);
        EXPECT_STREQ(e.English(), "this processor has no port instructions; use --sim DIR");
    }
}

TEST_F(NvramFile, FirmwareCallAsksForThePortOnceAndPassesTheRegisters) {
    auto m = Open();
    EXPECT_EQ(FakePort::grants, 0) << "not at opening";
    const hw::FirmwareRegisters regs{0x9904, 0xFFFF0003, 0, hw::kFirmwareMagic};
    EXPECT_EQ(m->bus().CallFirmware(0x9904, 3, 0), 0x12345678u);
    EXPECT_EQ(FakePort::last, regs);
    m->bus().CallFirmware(0x9904, 3, 0);
    EXPECT_EQ(FakePort::grants, 1);
}

TEST_F(NvramFile, RefusedPortAsksForRootAndMakesNoCall) {
    auto m = Open();
    FakePort::grantError = EPERM;
    try {
        m->bus().CallFirmware(0x9904, 0, 0);
        FAIL() << "called without the port";
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::NotPermitted);
        EXPECT_NE(std::string(e.English()).find("run as root"), std::string::npos) << e.English();
    }
    EXPECT_EQ(FakePort::last, hw::FirmwareRegisters{});
    FakePort::grantError = 0;  // the refusal is not remembered: granted now, the call runs
    EXPECT_EQ(m->bus().CallFirmware(0x0602, 0, 0), 0x12345678u);
}

// The kernel's driver behind fake system calls: what open answers, what every read and
// write answers, and the size and kind of the file.
struct FakeDevice {
    static inline int openError = 0;
    static inline int ioError = 0;
    static inline off_t size = hw::kNvramSize;
    static inline bool device = true;
    static inline int opened = 0;  // descriptors not closed yet
    static hw::NvramCalls Calls(int openErr, int ioErr, off_t sz, bool dev) {
        openError = openErr, ioError = ioErr, size = sz, device = dev, opened = 0;
        return {
            [](const char*) {
                if (openError) return errno = openError, -1;
                return ++opened, 3;
            },
            [](int, bool& isDevice) { return isDevice = device, size; },
            [](int, std::uint8_t* byte, off_t) -> ssize_t {
                if (ioError) return errno = ioError, -1;
                return *byte = 0, 1;
            },
            [](int, std::uint8_t, off_t) -> ssize_t {
                if (ioError) return errno = ioError, -1;
                return 1;
            },
            [](int) { --opened; },
        };
    }
};

// Each answer of the device, the cause it is told as and the remedy the message names.
TEST(LinuxNvramDevice, EachRefusalOfTheKernelNamesItsRemedy) {
    const struct {
        const char* what;
        int openError, ioError;
        off_t size;
        bool device;
        bool write;
        Cause cause;
        const char* remedy;
    } cases[] = {
        {"a bad checksum on reading", 0, EIO, hw::kNvramSize, true, false, Cause::BadChecksum,
         "refuses to read CMOS 60h through /dev/nvram: the standard CMOS checksum"},
        {"a bad checksum on writing", 0, EIO, hw::kNvramSize, true, true, Cause::BadChecksum,
         "refuses to write CMOS 60h"},
        {"another writer", EBUSY, 0, hw::kNvramSize, true, false, Cause::Busy, "close that program"},
        {"no driver", ENODEV, 0, hw::kNvramSize, true, false, Cause::NoDevice,
         "has no driver behind it: the CMOS is reached through the kernel's nvram driver; load it with "
         "`modprobe nvram`"},
        {"no device file", ENOENT, 0, hw::kNvramSize, true, false, Cause::NoDevice, "does not exist"},
        {"not root", EACCES, 0, hw::kNvramSize, true, false, Cause::NotPermitted, "run as root"},
        {"a read-only file system", EROFS, 0, hw::kNvramSize, true, false, Cause::ReadOnly,
         "read-only file system, which refuses writing to root as well: mount that file system read-write"},
        {"a kernel before 2002", 0, 0, hw::kOldNvramSize, true, false, Cause::KernelTooOld,
         "holds 50 bytes, the CMOS bytes 0Eh-3Fh only: the kernel is too old"},
        {"50 bytes of a plain file", 0, 0, hw::kOldNvramSize, false, false, Cause::WrongSize,
         "it must hold 114"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hw::NvramCalls calls = FakeDevice::Calls(c.openError, c.ioError, c.size, c.device);
        calls.busyWaitMs = 30;
        try {
            auto m = hw::OpenLinuxNotebook("/dev/nvram", FakePort::Port(), calls);
            if (c.write) m->bus().WriteCmos(0x60, 0x06);
            else m->bus().ReadCmos(0x60);
            ADD_FAILURE() << "no refusal";
        } catch (const hw::LinuxHardwareError& e) {
            EXPECT_EQ(e.cause(), c.cause);
            EXPECT_NE(std::string(e.English()).find(c.remedy), std::string::npos) << e.English();
            if (c.cause != Cause::NotPermitted) {
                EXPECT_EQ(std::string(e.English()).find("run as root"), std::string::npos) << e.English();
            }
        }
        EXPECT_EQ(FakeDevice::opened, 0) << "every descriptor is closed";
    }
}

// A file standing in for the device that fails to read is no checksum matter: the message
// names the byte and the system's reason.
TEST(LinuxNvramDevice, AnInputErrorOfAPlainFileIsNoChecksumMatter) {
    auto m = hw::OpenLinuxNotebook("nvram", FakePort::Port(), FakeDevice::Calls(0, EIO, hw::kNvramSize, false));
    try {
        m->bus().ReadCmos(0x7A);
        FAIL() << "read";
    } catch (const hw::LinuxHardwareError& e) {
        FAIL() << "told as " << e.English();
    } catch (const hw::HardwareFault& e) {
        EXPECT_STREQ(e.English(), "CMOS 7Ah: cannot read nvram at offset 108: Input/output error");
    }
}

// A second writer waits its turn: the driver's EBUSY is tried again until it is gone, and a
// regular file standing in for the device is locked, so that only one program writes it.
TEST(LinuxNvramDevice, ASecondWriterWaitsForTheFirst) {
    static int busyOpens;
    busyOpens = 3;
    hw::NvramCalls calls = FakeDevice::Calls(0, 0, hw::kNvramSize, true);
    calls.open = [](const char*) {
        if (busyOpens > 0) return --busyOpens, errno = EBUSY, -1;
        return ++FakeDevice::opened, 3;
    };
    EXPECT_NO_THROW(hw::OpenLinuxNotebook("/dev/nvram", FakePort::Port(), calls));
    EXPECT_EQ(busyOpens, 0);

    TempDir dir;
    dir.Write("nvram", std::string(hw::kNvramSize, '\0'));
    hw::NvramCalls files = hw::SystemNvramCalls();
    files.busyWaitMs = 30;
    auto first = hw::OpenLinuxNotebook(dir.File("nvram").c_str(), FakePort::Port(), files);
    try {
        hw::OpenLinuxNotebook(dir.File("nvram").c_str(), FakePort::Port(), files);
        FAIL() << "two writers of one file at once";
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::Busy);
        EXPECT_NE(std::string(e.English()).find("is being written by another program"), std::string::npos) << e.English();
    }
    first.reset();
    EXPECT_NO_THROW(hw::OpenLinuxNotebook(dir.File("nvram").c_str(), FakePort::Port(), files));
}

}  // namespace
