// The Linux backend: CMOS bytes 0Eh-7Fh through a file standing in for /dev/nvram
// (TOVIKA_NVRAM), the errors that name their remedy, and the firmware call's port
// permission. No port instruction runs here: the firmware port is a fake throughout.
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

    std::unique_ptr<hw::Machine> Open() { return hw::OpenLinuxNotebook(nullptr, FakePort::Port()); }
    static std::uint8_t Read(hw::Machine& m, std::uint8_t index) {
        m.Out(hw::kCmosIndexPort, index);
        return m.In(hw::kCmosDataPort);
    }
    static void Write(hw::Machine& m, std::uint8_t index, std::uint8_t value) {
        m.Out(hw::kCmosIndexPort, index);
        m.Out(hw::kCmosDataPort, value);
    }

    TempDir dir_;
    std::string image_;
};

TEST_F(NvramFile, EveryReachableIndexReadsTheByteAtIndexMinus0E) {
    auto m = Open();
    for (int index = 0x0E; index <= 0x7F; ++index)
        EXPECT_EQ(Read(*m, index), (index - 0x0E) ^ 0xA5) << "index " << index;
    EXPECT_EQ(Read(*m, 0x80 | 0x0E), 0x00 ^ 0xA5) << "the index port latches seven bits";
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
        EXPECT_EQ(m->CmosReachable(index), index >= 0x0E) << "index " << index;
    m->Out(hw::kCmosIndexPort, 0x0D);
    try {
        m->In(hw::kCmosDataPort);
        FAIL() << "read byte 0Dh";
    } catch (const hw::HardwareFault& e) {
        EXPECT_NE(std::string(e.what()).find("CMOS byte 0Dh"), std::string::npos) << e.what();
    }
    m->Out(hw::kCmosIndexPort, 0x00);
    EXPECT_THROW(m->Out(hw::kCmosDataPort, 0x99), hw::HardwareFault);
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
        EXPECT_NE(std::string(e.what()).find("CMOS byte 7Fh"), std::string::npos) << e.what();
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
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.remedy), std::string::npos) << e.what();
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
        EXPECT_NE(std::string(e.what()).find("run as root"), std::string::npos) << e.what();
    }
    if (immutable) std::system(("chattr -i '" + path + "'").c_str());
}

TEST(LinuxNotebookOpen, TheProcessorsOwnPortOpensOnlyOnX86) {
    TempDir dir;
    dir.Write("nvram", std::string(hw::kNvramSize, '\0'));
    // Opening runs no port instruction: the permission is asked for at the first call.
    try {
        auto m = hw::OpenLinuxNotebook(dir.File("nvram").c_str());
        EXPECT_TRUE(m->CmosReachable(0x0E));
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::NoPortInstructions);
        EXPECT_STREQ(e.what(), "this processor has no port instructions; use --sim DIR");
    }
}

TEST_F(NvramFile, FirmwareCallAsksForThePortOnceAndPassesTheRegisters) {
    auto m = Open();
    EXPECT_EQ(FakePort::grants, 0) << "not at opening";
    const hw::FirmwareRegisters regs{0x9904, 0xFFFF0003, 0, hw::kFirmwareMagic};
    EXPECT_EQ(m->SoftwareCall(regs), 0x12345678u);
    EXPECT_EQ(FakePort::last, regs);
    m->ClearInterruptFlag();  // nothing: the kernel's lock serialises the CMOS
    m->SetInterruptFlag();
    m->SoftwareCall(regs);
    EXPECT_EQ(FakePort::grants, 1);
}

TEST_F(NvramFile, RefusedPortAsksForRootAndMakesNoCall) {
    auto m = Open();
    FakePort::grantError = EPERM;
    try {
        m->SoftwareCall({0x9904, 0xFFFF0000, 0, hw::kFirmwareMagic});
        FAIL() << "called without the port";
    } catch (const hw::LinuxHardwareError& e) {
        EXPECT_EQ(e.cause(), Cause::NotPermitted);
        EXPECT_NE(std::string(e.what()).find("run as root"), std::string::npos) << e.what();
    }
    EXPECT_EQ(FakePort::last, hw::FirmwareRegisters{});
    FakePort::grantError = 0;  // the refusal is not remembered: granted now, the call runs
    EXPECT_EQ(m->SoftwareCall({0x0602, 0xFFFF0000, 0, hw::kFirmwareMagic}), 0x12345678u);
}

}  // namespace
