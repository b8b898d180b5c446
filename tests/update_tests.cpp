// The update btnUPDATEClick against the simulated notebook: the confirmation, the exact
// order of the CMOS accesses and the firmware call, the bits it keeps and the bits it clears.
#include <gtest/gtest.h>

#include "tests/AppRig.h"

namespace {

using Trace = std::vector<std::string>;
using ByteValues = std::vector<std::pair<std::uint8_t, std::uint8_t>>;

TEST(Update, CancelTouchesNothing) {
    AppRig rig;
    rig.form.Button2Click(nullptr);
    rig.rec.clear();
    rig.dialogs.answers = {false};
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(rig.dialogs.confirmations, (Trace{"CMOS内容を更新します."}));
    EXPECT_TRUE(rig.rec.log().empty());
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 0);
}

// The update's exact trace: the bytes that no setting uses (61h, 6Bh, 6Dh, 6Eh) are never
// written, so a new setting in one of them adds its write here, where the write order has it.
TEST(Update, WritesEverySetupByteInTheFixedOrderThenCallsTheFirmware) {
    AppRig rig;
    rig.form.Button2Click(nullptr);
    const auto before = rig.sim.cmos();
    const auto report = rig.form.Memo3.Lines();
    rig.rec.clear();
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(rig.rec.CmosAndCalls(),
              (Trace{"F9904(0)", "R33=20", "W33=20", "W60=06", "W62=78", "W63=03", "W64=1F", "W65=F8", "W66=03",
                     "R69=34", "W69=34", "W67=F8", "W68=02", "R69=34", "W69=34", "W7A=80", "W6F=00",
                     "W6A=55", "W6C=00", "W70=05", "W71=18", "W72=23", "W73=0A", "W74=00", "W75=1E",
                     "W76=1A", "W77=02", "W78=05", "W79=0A", "F0600(0)"}))
        << "the firmware's status request first, then the writes and 0600h";
    const hw::Operation& call = rig.rec.log().back();
    EXPECT_EQ(call.regs.ecx, 0u);
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 1);
    EXPECT_EQ(rig.sim.cmos(), before) << "a clean image loads and writes back unchanged";
    EXPECT_EQ(rig.form.Memo3.Lines(), report);
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(Update, MemoryCheckChangesBit7OfByte33hOnly) {
    const struct { std::uint8_t old; int item; std::uint8_t written; } cases[] = {
        {0x20, 1, 0xA0}, {0xDA, 0, 0x5A}, {0x7F, 1, 0xFF}, {0x80, 0, 0x00},
    };
    for (const auto& c : cases) {
        AppRig rig;
        rig.sim.cmos()[0x33] = c.old;
        rig.form.rgBOOTMEMCHK.SetItemIndex(c.item);
        rig.form.btnUPDATEClick(nullptr);
        EXPECT_EQ(rig.sim.cmos()[0x33], c.written) << int(c.old);
    }
}

TEST(Update, WritesTheSerialAndInfraredIrqsAsTwoReadModifyWritesOfByte69h) {
    AppRig rig;
    rig.sim.cmos()[0x69] = 0x99;
    rig.form.rgCOM1PORT.SetItemIndex(0);
    rig.form.rgCOM2PORT.SetItemIndex(2);
    rig.form.btnUPDATEClick(nullptr);
    const Trace trace = rig.rec.CmosAndCalls();
    const Trace irqs(trace.begin() + 9, trace.begin() + 15);  // after the status request and 8 accesses
    EXPECT_EQ(irqs, (Trace{"R69=99", "W69=93", "W67=00", "W68=00", "R69=93", "W69=43"}));
}

// A firmware that does not answer its status request means another PC, whose firmware may
// keep its own data in these bytes: nothing is written, the user is told, and the window
// goes on (a later update on a firmware that answers writes as ever).
TEST(Update, SilentFirmwareWritesNothingAndSaysSo) {
    AppRig rig;
    rig.form.Button2Click(nullptr);
    rig.form.rgBOOTMEMCHK.SetItemIndex(1);  // a change that would write 33h
    rig.sim.firmware().answers = false;
    const auto before = rig.sim.cmos();
    rig.rec.clear();
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(rig.dialogs.confirmations, (Trace{"CMOS内容を更新します."}));
    EXPECT_EQ(rig.rec.CmosAndCalls(), (Trace{"F9904(0)"})) << "no CMOS access at all";
    EXPECT_EQ(rig.sim.cmos(), before);
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 0);
    EXPECT_EQ(rig.dialogs.messages, (Trace{"ファームウェアが応答しません. 対応するノートPC ではないため、何も書き込みませんでした."}));
    EXPECT_TRUE(rig.form.btnUPDATE.Enabled());
    EXPECT_EQ(rig.form.rgBOOTMEMCHK.ItemIndex(), 1) << "the choice stays for a later try";

    rig.sim.firmware().answers = true;
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(rig.sim.cmos()[0x33], before[0x33] | 0x80);
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 1);
    EXPECT_EQ(rig.dialogs.messages.size(), 1u);
}

// Bytes 52h, 55h, 61h, 6Bh, 6Dh and 6Eh are no settings and are never written.
const ByteValues kNoSettings = {{0x52, 0xA5}, {0x55, 0x01}, {0x61, 0xC3},
                                {0x6B, 0x3C}, {0x6D, 0x99}, {0x6E, 0x66}};

void Put(hw::SimNotebook& sim, const ByteValues& bytes) {
    for (auto [index, value] : bytes) sim.cmos()[index] = value;
}

void ExpectBytes(const hw::SimNotebook& sim, const ByteValues& bytes) {
    for (auto [index, value] : bytes)
        EXPECT_EQ(int(sim.cmos()[index]), int(value)) << "byte " << std::hex << int(index);
}

TEST(Update, AfterALoadWritesTheSameChoicesButClearsUnusedBitsAndUnknownValues) {
    AppRig rig;
    Put(rig.sim, kNoSettings);
    Put(rig.sim, {
        {0x33, 0xD5},                // memory check skipped; firmware bits
        {0x60, 0xF7},                // unused high nibble; ECP, plug and play
        {0x62, 0xBC}, {0x63, 0x02},  // 02BCh: no parallel address
        {0x64, 0xE6},                // unused bits 7-5; IRQ 1, DMA 2 (no choice)
        {0x65, 0xF8}, {0x66, 0x02},  // serial and infrared both 2F8h
        {0x67, 0xF8}, {0x68, 0x02},
        {0x69, 0x55},
        {0x6A, 0x96},                // IRQ 9, DMA 1, address bit set but sound disabled
        {0x6C, 0xFB},                // unused bits 7-3; display code 1 (no choice), expanded
        {0x6F, 0x02},                // no mouse choice
        {0x70, 0xFF},                // unused bit 7; parallel, profiles 3 (none), switch 3 (none)
        {0x71, 0xFF},
        {0x72, 0xEF}, {0x73, 0x03}, {0x74, 0x1E}, {0x75, 0xFF},
        {0x76, 0xD0}, {0x77, 0x01}, {0x78, 0x0F}, {0x79, 0x04},
        {0x7A, 0x00},                // no boot order
    });
    rig.form.Button2Click(nullptr);
    rig.form.btnUPDATEClick(nullptr);
    ExpectBytes(rig.sim, kNoSettings);
    ExpectBytes(rig.sim, {
        {0x33, 0xD5},
        {0x60, 0x07},
        {0x62, 0x00}, {0x63, 0x00},
        {0x64, 0x1C},
        {0x65, 0xF8}, {0x66, 0x03},  // the serial port moved off the infrared port's address
        {0x67, 0xF8}, {0x68, 0x02},
        {0x69, 0x34},
        {0x6A, 0x94},
        {0x6C, 0x01},
        {0x6F, 0x00},
        {0x70, 0x54},                // no switch choice: 0; no profile choice: standard
        {0x71, 0x18},
        {0x72, 0x23}, {0x73, 0x00}, {0x74, 0x1E}, {0x75, 0x00},
        {0x76, 0x00}, {0x77, 0x01}, {0x78, 0x0F}, {0x79, 0x00},
        {0x7A, 0x80},
    });
}

TEST(Update, AWindowThatNeverLoadedWritesTheEncodingOfNoChoiceEverywhere) {
    AppRig rig;
    Put(rig.sim, kNoSettings);
    rig.form.btnUPDATEClick(nullptr);
    ExpectBytes(rig.sim, kNoSettings);
    ExpectBytes(rig.sim, {
        {0x33, 0x20}, {0x60, 0x02}, {0x62, 0x00}, {0x63, 0x00}, {0x64, 0x1C},
        {0x65, 0x00}, {0x66, 0x00}, {0x67, 0x00}, {0x68, 0x00}, {0x69, 0x34},
        {0x6A, 0x00}, {0x6C, 0x00}, {0x6F, 0x00}, {0x70, 0x14}, {0x71, 0x00},
        {0x72, 0x00}, {0x73, 0x00}, {0x74, 0x00}, {0x75, 0x00},
        {0x76, 0x00}, {0x77, 0x00}, {0x78, 0x00}, {0x79, 0x00}, {0x7A, 0x80},
    });
}

// The window's hold on the machine (TOVIKA-SIM.exe: the simulated notebook's lock, sim-cmos.dat
// read again under it): taken for each load, and for the update only after the confirmation,
// never across a dialog. A hold not had in time writes nothing and says so.
TEST(Update, HoldsTheMachineForEachLoadAndAfterTheConfirmationOnly) {
    struct Hold : sys::FileLock {
        std::vector<std::string>& log;
        explicit Hold(std::vector<std::string>& l) : log(l) {}
        ~Hold() override { log.push_back("release"); }
    };
    std::vector<std::string> log;
    bool refuse = false;
    app::SetupHold() = [&](bool writes) -> std::unique_ptr<sys::FileLock> {
        log.push_back(writes ? "hold to write" : "hold to load");
        if (refuse) return nullptr;
        return std::make_unique<Hold>(log);
    };
    AppRig rig;
    rig.dialogs.onInform = [&](const std::string&) { log.push_back("dialog"); };
    rig.form.Button2Click(nullptr);
    rig.dialogs.answers = {false};
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(log, (Trace{"hold to load", "release"})) << "no hold for an update that was declined";
    log.clear();
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(log, (Trace{"hold to write", "release"}));
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 1);
    log.clear();
    refuse = true;
    rig.rec.clear();
    rig.form.btnUPDATE.Click();
    EXPECT_EQ(log, (Trace{"hold to write", "dialog"}));
    EXPECT_EQ(rig.dialogs.messages.back(), "CMOS は別のプログラムが使用中です (10 秒待ちました). 何も書き込みませんでした.");
    EXPECT_EQ(rig.sim.firmware().settingsAccepted, 1) << "nothing written";
    app::SetupHold() = nullptr;
}

}  // namespace
