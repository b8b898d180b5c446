// The port layer: CMOS access in both modes, the firmware register protocol, and the
// simulated notebook with its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "hw/Bus.h"
#include "hw/HardwareFault.h"
#include "tests/support/RecordingMachine.h"
#include "hw/SimFiles.h"
#include "hw/SimNotebook.h"
#include "tests/TempDir.h"

namespace {

using Trace = std::vector<std::string>;
constexpr hw::PortMode kPlain = hw::PortMode::Plain;    // the NT family
constexpr hw::PortMode kMasked = hw::PortMode::Masked;  // the 95/98/Me family

struct Rig {
    hw::SimNotebook sim;
    hw::RecordingMachine rec{sim};
    hw::TPortArray port{rec, [] { return true; }};
    hw::Bus bus;
    explicit Rig(hw::PortMode mode) : bus(port, port.Access(mode)) {}
};

TEST(CmosAccess, NtModeIsIndexWriteThenDataAccessWithoutInterruptFlag) {
    Rig r(kPlain);
    r.sim.cmos()[0x33] = 0xA5;
    EXPECT_EQ(r.bus.ReadCmos(0x33), 0xA5);
    r.bus.WriteCmos(0x7F, 0x5A);
    EXPECT_EQ(r.rec.Trace(), (Trace{"out 70 33", "in 71 -> A5", "out 70 7F", "out 71 5A"}));
    EXPECT_EQ(r.sim.cmos()[0x7F], 0x5A);
}

TEST(CmosAccess, NineXModeMasksInterruptsAcrossTheWholePair) {
    Rig r(kMasked);
    r.sim.cmos()[0x7F] = 0x11;
    EXPECT_EQ(r.bus.ReadCmos(0x7F), 0x11);
    r.bus.WriteCmos(0x60, 0x06);
    EXPECT_EQ(r.rec.Trace(), (Trace{"cli", "out 70 7F", "in 71 -> 11", "sti",  //
                                    "cli", "out 70 60", "out 71 06", "sti"}));
    EXPECT_TRUE(r.sim.interruptsEnabled());
}

TEST(CmosAccess, IndexByteNeverHasBit7Set) {
    Rig r(kPlain);
    r.bus.ReadCmos(0xFF);
    EXPECT_EQ(r.rec.Trace().front(), "out 70 7F");
}

TEST(PortAccess, SinglePortInstructionsFollowTheMode) {
    Rig nt(kPlain);
    nt.bus.WritePort(0x70, 0x10);
    nt.bus.ReadPort(0x71);
    EXPECT_EQ(nt.rec.Trace(), (Trace{"out 70 10", "in 71 -> 40"}));
    Rig nx(kMasked);
    nx.bus.WritePort(0x70, 0x10);
    nx.bus.ReadPort(0x71);
    EXPECT_EQ(nx.rec.Trace(), (Trace{"cli", "out 70 10", "sti", "cli", "in 71 -> 40", "sti"}));
}

TEST(PortAccess, RefusedInstructionInNineXModeStillSetsTheInterruptFlag) {
    Rig r(kMasked);
    r.rec.RefuseNth(2);  // the index write
    EXPECT_THROW(r.bus.ReadCmos(0x10), hw::HardwareFault);
    EXPECT_EQ(r.rec.Trace(), (Trace{"cli", "sti"}));
    EXPECT_TRUE(r.sim.interruptsEnabled());
}

TEST(FirmwareCall, LoadsTheRegistersAndReturnsAllOfEax) {
    for (hw::PortMode mode : {kPlain, kMasked}) {
        Rig r(mode);
        r.sim.firmware().hibernationSize = 0x87654321;
        EXPECT_EQ(r.bus.CallFirmware(0x0602, 0, 0), 0x87654321u);
        EXPECT_EQ(r.bus.CallFirmware(0x9904, 0x0C, 0), 1u);
        ASSERT_EQ(r.rec.log().size(), 2u) << "no interrupt masking around the call";
        const auto& regs = r.rec.log()[1].regs;
        EXPECT_EQ(regs.eax & 0xFFFF, 0x9904u);
        EXPECT_EQ(regs.ebx, 0xFFFF000Cu);
        EXPECT_EQ(regs.ecx & 0xFFFF, 0u);
        EXPECT_EQ(regs.edx, 0x41534D49u);
        EXPECT_EQ(r.rec.log()[1].value, 0x04) << "AL goes out to port 0xB0";
    }
}

TEST(SimNotebook, AnswersOnlyCallsThatCarryTheMagic) {
    hw::SimNotebook sim;
    EXPECT_EQ(sim.SoftwareCall({0x0602, 0xFFFF0000, 0, 0x12345678}), 0x0602u);
    EXPECT_EQ(sim.SoftwareCall({0x1234, 0xFFFF0000, 0, hw::kFirmwareMagic}), 0x1234u);
    EXPECT_EQ(sim.SoftwareCall({0x9904, 0xFFFF0040, 0, hw::kFirmwareMagic}), 0u);
}

TEST(SimNotebook, HotKeysChangeTheStateTheyName) {
    hw::SimNotebook sim;
    auto status = [&](int i) { return sim.SoftwareCall({0x9904, 0xFFFF0000u | i, 0, hw::kFirmwareMagic}); };
    auto press = [&](int key) { sim.SoftwareCall({0x0902, 0xFFFF0000u | key, 0, hw::kFirmwareMagic}); };
    const auto backlight = status(12), volume = status(13), speed = status(2), ac = status(7);
    press(2);
    EXPECT_NE(status(12), backlight);
    press(5);
    EXPECT_EQ(status(13), (volume + 1) % 3);
    press(6);
    EXPECT_NE(status(2), speed);
    press(9);
    EXPECT_NE(status(7), ac);
    press(2);
    EXPECT_EQ(status(12), backlight);
}

TEST(SimNotebook, IndexPortLatchesSevenBitsAndDataPortReadsAndWrites) {
    hw::SimNotebook sim;
    sim.Out(0x70, 0x80 | 0x12);  // NMI mask bit set
    sim.Out(0x71, 0x9C);
    EXPECT_EQ(sim.cmos()[0x12], 0x9C);
    sim.Out(0x70, 0x12);
    EXPECT_EQ(sim.In(0x71), 0x9C);
}

// The check of the Linux kernel's nvram driver, which refuses every access while it fails:
// the 16-bit sum of bytes 10h-2Dh equals the word at 2Eh, high byte first.
bool PassesTheKernelsChecksum(const hw::CmosImage& c) {
    std::uint16_t sum = 0;
    for (int i = 0x10; i <= 0x2D; ++i) sum = static_cast<std::uint16_t>(sum + c[i]);
    return sum == ((c[0x2E] << 8) | c[0x2F]);
}

TEST(SimNotebook, FactoryImagePassesTheKernelsChecksum) {
    const hw::CmosImage factory = hw::FactoryCmos();
    EXPECT_TRUE(PassesTheKernelsChecksum(factory));
    EXPECT_EQ(factory[0x2E], 0x02);
    EXPECT_EQ(factory[0x2F], 0x6C);
    hw::CmosImage changed = factory;
    ++changed[0x19];
    EXPECT_FALSE(PassesTheKernelsChecksum(changed)) << "the check sees a changed byte";
}

TEST(SimFirmwareIni, ReadsValuesAndComments) {
    const auto fw = hw::ParseFirmwareIni(
        "# comment\n\nhibernation-size = 0x08000000\r\n  status-4=255 # hot\nstatus-63 = 4294967295\n");
    EXPECT_EQ(fw.hibernationSize, 0x08000000u);
    EXPECT_EQ(fw.status[4], 255u);
    EXPECT_EQ(fw.status[63], 0xFFFFFFFFu);
    EXPECT_EQ(fw.status[0], hw::FactoryFirmware().status[0]) << "values not given keep their default";
}

TEST(SimFirmwareIni, MalformedLinesAreReportedWithTheirNumber) {
    const struct { const char* text; const char* line; } cases[] = {
        {"status-4 = 1\nstatus-64 = 1\n", " 2 行目"},
        {"hibernation-size 5\n", " 1 行目"},
        {"# ok\nhibernation-size = 0x100000000\n", " 2 行目"},
        {"\n\nstatus-1 = -1\n", " 3 行目"},
        {"status-1 = 12abc\n", " 1 行目"},
        {"volume = 3\n", " 1 行目"},
        {"status-1 = 0x\n", " 1 行目"},
        {"firmware-answers = maybe\n", " 1 行目"},
        {"firmware-answers =\n", " 1 行目"},
        {"status-1 = 1\ncmos-stuck-80 = 1\n", " 2 行目"},
        {"cmos-stuck-100 = 1\n", " 1 行目"},
        {"cmos-stuck-1g = 1\n", " 1 行目"},
        {"cmos-stuck- = 1\n", " 1 行目"},
        {"cmos-stuck-33 = 256\n", " 1 行目"},
        {"cmos-stuck-33 = 0x100\n", " 1 行目"},
    };
    for (const auto& c : cases) {
        try {
            hw::ParseFirmwareIni(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const hw::SimSetupError& e) {
            EXPECT_NE(std::string(e.what()).find(c.line), std::string::npos) << e.what();
        }
    }
}

TEST(SimFirmwareIni, ReadsTheFaults) {
    const auto fw = hw::ParseFirmwareIni("firmware-answers = no\ncmos-stuck-7f = 0x5A\ncmos-stuck-0E = 255\n");
    EXPECT_FALSE(fw.answers);
    EXPECT_EQ(fw.stuckCmos[0x7F], 0x5A);
    EXPECT_EQ(fw.stuckCmos[0x0E], 0xFF);
    EXPECT_EQ(std::count_if(fw.stuckCmos.begin(), fw.stuckCmos.end(), [](auto s) { return s.has_value(); }), 2);
    EXPECT_TRUE(hw::ParseFirmwareIni("firmware-answers = yes\n").answers);
    EXPECT_TRUE(hw::FactoryFirmware().answers);
}

TEST(SimFirmwareIni, UnknownNameListsEveryValidOne) {
    try {
        hw::ParseFirmwareIni("volume = 3\n");
        FAIL() << "accepted an unknown name";
    } catch (const hw::SimSetupError& e) {
        for (const char* name : {"hibernation-size", "status-63", "firmware-answers", "cmos-stuck-7F"})
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
}

TEST(SimNotebook, SilentFirmwareLeavesEaxAsLoaded) {
    hw::SimNotebook sim;
    sim.firmware().answers = false;
    const auto before = sim.firmware().status;
    for (std::uint32_t function : {0x0600u, 0x0602u, 0x0902u, 0x9904u})
        EXPECT_EQ(sim.SoftwareCall({function, 0xFFFF0002, 0, hw::kFirmwareMagic}), function);
    EXPECT_EQ(sim.firmware().settingsAccepted, 0);
    EXPECT_EQ(sim.firmware().status, before) << "the hot key did nothing either";
}

// A byte the firmware does not keep reads as stuck, whatever was written; its neighbours
// and the saved image behave as always.
TEST(SimFiles, StuckByteReadsItsValueAndLosesWrites) {
    TempDir dir;
    dir.Write("sim-firmware.ini", "cmos-stuck-60 = 0x07\n");
    auto sim = hw::OpenSimNotebook(dir.path(), SimFiles());
    const std::string image = dir.Read("sim-cmos.dat");
    auto read = [&](std::uint8_t i) { sim->Out(0x70, i); return sim->In(0x71); };
    auto write = [&](std::uint8_t i, std::uint8_t v) { sim->Out(0x70, i); sim->Out(0x71, v); };
    EXPECT_EQ(read(0x60), 0x07);
    write(0x60, 0x02);
    EXPECT_EQ(read(0x60), 0x07);
    EXPECT_EQ(sim->cmos()[0x60], hw::FactoryCmos()[0x60]) << "not kept in the image";
    EXPECT_EQ(dir.Read("sim-cmos.dat"), image) << "nor in sim-cmos.dat";
    write(0x61, 0x44);
    EXPECT_EQ(read(0x61), 0x44);
    EXPECT_EQ(static_cast<std::uint8_t>(dir.Read("sim-cmos.dat")[0x61]), 0x44);
}

TEST(SimFiles, CreatesTheFactoryImageAndSavesEveryWrite) {
    TempDir dir;
    {
        auto sim = hw::OpenSimNotebook(dir.path(), SimFiles());
        EXPECT_EQ(dir.Read("sim-cmos.dat").size(), 128u);
        sim->Out(0x70, 0x7A);
        sim->Out(0x71, 0x78);
    }
    const std::string image = dir.Read("sim-cmos.dat");
    ASSERT_EQ(image.size(), 128u);
    EXPECT_EQ(static_cast<std::uint8_t>(image[0x7A]), 0x78);
    auto again = hw::OpenSimNotebook(dir.path(), SimFiles());
    EXPECT_EQ(again->cmos()[0x7A], 0x78);
    EXPECT_EQ(again->cmos()[0x60], hw::FactoryCmos()[0x60]);
}

// The image that the simulated notebook makes is the user's ordinary file, readable by others
// as the umask lets (0666 less it), not a private one as a backup's temporary file is.
TEST(SimFiles, CreatesTheImageWithTheModeThatTheUmaskLets) {
    for (mode_t mask : {022, 077}) {
        SCOPED_TRACE(mask);
        TempDir dir;
        const mode_t old = ::umask(mask);
        hw::OpenSimNotebook(dir.path(), SimFiles());
        ::umask(old);
        struct stat made {};
        ASSERT_EQ(::stat(dir.File("sim-cmos.dat").c_str(), &made), 0);
        EXPECT_EQ(made.st_mode & 0777, 0666 & ~mask);
    }
}

TEST(SimFiles, WrongSizedImageKeepsTheProgramFromStartingAndIsLeftAlone) {
    for (size_t size : {0u, 64u, 129u}) {
        TempDir dir;
        const std::string content(size, '\x5A');
        dir.Write("sim-cmos.dat", content);
        EXPECT_THROW(hw::OpenSimNotebook(dir.path(), SimFiles()), hw::SimSetupError);
        EXPECT_EQ(dir.Read("sim-cmos.dat"), content);
    }
}

TEST(SimFiles, MalformedIniKeepsTheProgramFromStarting) {
    TempDir dir;
    dir.Write("sim-firmware.ini", "status-3 = fast\n");
    EXPECT_THROW(hw::OpenSimNotebook(dir.path(), SimFiles()), hw::SimSetupError);
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "sim-cmos.dat"));
}

}  // namespace
