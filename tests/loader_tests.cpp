// The loader Button2Click against the simulated notebook: the order of the CMOS reads, the
// choices it shows, the serial-port rule while it loads, and the debug report in Memo3.
#include <gtest/gtest.h>

#include <map>

#include "settings/SetupLayout.h"
#include "tests/AppRig.h"

namespace {

using Trace = std::vector<std::string>;

// The choice every setting control shows, by name: item index, or 1/0 for the check box.
std::map<std::string, int> Shown(const app::TfrmMAIN& f) {
    std::map<std::string, int> shown;
    for (const auto& c : f.Components()) {
        if (auto* g = dynamic_cast<const ui::TRadioGroup*>(c.get())) shown[c->Name()] = g->ItemIndex();
        if (auto* l = dynamic_cast<const ui::TComboBox*>(c.get())) shown[c->Name()] = l->ItemIndex();
        if (auto* b = dynamic_cast<const ui::TCheckBox*>(c.get())) shown[c->Name()] = b->Checked();
    }
    return shown;
}

void ClearSetupBytes(hw::SimNotebook& sim) {
    sim.cmos()[0x33] = 0;
    for (int i = 0x60; i <= 0x7A; ++i) sim.cmos()[i] = 0;
}

// The bytes that no setting uses (61h, 6Bh, 6Dh, 6Eh) are never read: a new setting in one of
// them adds its read here, where the load order reads it.
TEST(Loading, ReadsTheSetupBytesOnceEachInTheFixedOrderAndWritesNothing) {
    AppRig rig;
    rig.form.Button2.Click();
    EXPECT_EQ(rig.rec.CmosAndCalls(),
              (Trace{"R33=20", "R52=00", "R55=00", "R60=06", "R62=78", "R63=03", "R64=1F", "R65=F8",
                     "R66=03", "R67=F8", "R68=02", "R69=34", "R6A=55", "R6C=00", "R6F=00", "R70=05",
                     "R71=18", "R72=23", "R73=0A", "R74=00", "R75=1E", "R76=1A", "R77=02", "R78=05",
                     "R79=0A", "R7A=80"}));
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

// This test and the next list what every setting's control shows: a new setting adds what it
// shows for the factory image and for zero bytes.
TEST(Loading, TheFactoryImageShowsAChoiceInEveryControl) {
    AppRig rig;
    rig.form.Button2Click(nullptr);
    const std::map<std::string, int> expected = {
        {"rgBOOTMEMCHK", 0}, {"rgDEVICEMODE", 0},   {"rgLPTMODE", 2},      {"rgLPTPORT", 1},
        {"rgLPTDMA", 1},     {"rgCOM1PORT", 1},     {"rgCOM2PORT", 0},     {"rgSOUNDPORT", 0},
        {"rgSOUNDDMA", 0},   {"rgSOUNIRQ", 0},      {"rgDISPMODE", 1},     {"rgDISPSIZE", 0},
        {"rgMOUSEMODE", 0},  {"rgPOWSW", 1},        {"rbMODEAC", 0},       {"rbMODEBT", 1},
        {"rgBATMODE", 0},    {"rgPANELSW", 1},      {"cbCARDPOW", 1},      {"cbCPUSPEEDAC", 1},
        {"cbCPUCASHAC", 1},  {"cbCPUTIMEOUTAC", 0}, {"cbLCDMODEAC", 1},    {"cbHDTIMEOUTAC", 4},
        {"cbSTANDBYAC", 0},  {"cbSUSPENDAC", 6},    {"cbCPUSPEEDBT", 0},   {"cbCPUCASHBT", 1},
        {"cbCPUTIMEOUTBT", 1}, {"cbLCDMODEBT", 0},  {"cbHDTIMEOUTBT", 2},  {"cbSTANDBYBT", 3},
        {"cbSUSPENDBT", 4},  {"rgBOOTMODE", 0},     {"CheckBox1", 0},
    };
    EXPECT_EQ(Shown(rig.form), expected);
}

TEST(Loading, AllZeroSetupBytesShowNoChoiceOnlyWhereZeroIsNoCode) {
    AppRig rig;
    rig.form.Button2Click(nullptr);  // every control starts from a choice
    ClearSetupBytes(rig.sim);
    rig.form.Button2Click(nullptr);
    const std::map<std::string, int> expected = {
        {"rgBOOTMEMCHK", 0}, {"rgDEVICEMODE", 0},   {"rgLPTMODE", -1},     {"rgLPTPORT", 3},
        {"rgLPTDMA", -1},    {"rgCOM1PORT", 2},     {"rgCOM2PORT", 2},     {"rgSOUNDPORT", 2},
        {"rgSOUNDDMA", -1},  {"rgSOUNIRQ", -1},     {"rgDISPMODE", 1},     {"rgDISPSIZE", 0},
        {"rgMOUSEMODE", 0},  {"rgPOWSW", 0},        {"rbMODEAC", 1},       {"rbMODEBT", 1},
        {"rgBATMODE", 0},    {"rgPANELSW", 0},      {"cbCARDPOW", 0},      {"cbCPUSPEEDAC", 0},
        {"cbCPUCASHAC", 0},  {"cbCPUTIMEOUTAC", 0}, {"cbLCDMODEAC", 0},    {"cbHDTIMEOUTAC", 0},
        {"cbSTANDBYAC", 0},  {"cbSUSPENDAC", 0},    {"cbCPUSPEEDBT", 0},   {"cbCPUCASHBT", 0},
        {"cbCPUTIMEOUTBT", 0}, {"cbLCDMODEBT", 0},  {"cbHDTIMEOUTBT", 0},  {"cbSTANDBYBT", 0},
        {"cbSUSPENDBT", 0},  {"rgBOOTMODE", -1},    {"CheckBox1", 0},
    };
    EXPECT_EQ(Shown(rig.form), expected);
}

TEST(Loading, ReloadDiscardsTheUsersUnwrittenChanges) {
    AppRig rig;
    rig.form.Button2Click(nullptr);
    const auto loaded = Shown(rig.form);
    rig.form.rgPOWSW.SetItemIndex(2);
    rig.form.cbSUSPENDBT.SetItemIndex(-1);
    rig.form.cbCARDPOW.SetChecked(false);
    rig.form.Button2Click(nullptr);
    EXPECT_EQ(Shown(rig.form), loaded);
}

struct PortsCase {
    std::uint16_t serial, infrared;  // address words in CMOS
    int serialBefore, infraredBefore;  // what the groups showed before the load
    int serialShown, infraredShown;
};

TEST(Loading, SerialAndInfraredGroupsEndOnDifferentAddresses) {
    const PortsCase cases[] = {
        {0x2F8, 0x2F8, -1, -1, 1, 0},  // same port: infrared keeps it, serial moves
        {0x3F8, 0x3F8, -1, -1, 0, 1},
        {0x2F8, 0x2F8, 0, 1, 1, 0},
        {0x2F8, 0x000, -1, -1, 0, 2},  // no correction
        {0x2F8, 0x3F8, 1, 0, 0, 1},    // swapped since the last load: both show CMOS
        {0x3E8, 0x2F8, 0, 1, -1, 0},   // unrecognised serial address
        {0x2F8, 0x2E8, 1, 0, 0, -1},
    };
    for (const auto& c : cases) {
        AppRig rig;
        auto& f = rig.form;
        f.rgCOM1PORT.SetItemIndex(c.serialBefore);
        f.rgCOM2PORT.SetItemIndex(c.infraredBefore);
        auto& cmos = rig.sim.cmos();
        cmos[0x65] = c.serial & 0xFF, cmos[0x66] = c.serial >> 8;
        cmos[0x67] = c.infrared & 0xFF, cmos[0x68] = c.infrared >> 8;
        f.Button2Click(nullptr);
        EXPECT_EQ(f.rgCOM1PORT.ItemIndex(), c.serialShown) << std::hex << c.serial << "/" << c.infrared;
        EXPECT_EQ(f.rgCOM2PORT.ItemIndex(), c.infraredShown) << std::hex << c.serial << "/" << c.infrared;
        std::size_t reads = 0;
        for (const settings::LoadStep& step : settings::LoadOrder()) reads += step.reads.size();
        EXPECT_EQ(rig.rec.CmosAndCalls().size(), reads) << "the correction is not written back";
    }
}

// Counts what the native box is told.
struct CountingPeer : ui::Peer {
    std::map<ui::Change, int> told;
    void Changed(ui::Change what) override { ++told[what]; }
};

TEST(DebugReport, IsRewrittenOnEveryLoadWithItsFifteenLines) {
    AppRig rig;
    auto& cmos = rig.sim.cmos();
    cmos[0x52] = 0x5A, cmos[0x55] = 0x01, cmos[0x69] = 0xF0, cmos[0x6A] = 0x9F;
    rig.form.Memo3.Add("left from before");
    rig.form.Button2Click(nullptr);
    rig.form.Button2Click(nullptr);
    EXPECT_EQ(rig.form.Memo3.Lines(),
              (std::vector<std::string>{
                  "CHK change flag =5A",
                  "システム・パスワード設定 =01",
                  "  bit0:システム・パスワード設定時 ON =1",
                  "---",
                  "パラレル・ポート設定 =1F",
                  "  bit4-2: パラレルIRQ  7 or 5 =7",
                  "  bit1-0: パラレルDMA  1 or 3 =3",
                  "シリアル・ポート IRQ =F0",
                  "  bit7-4: COM2 IRQ =15",
                  "  bit3-0: COM1 IRQ =0",
                  "サウンド設定 =9F",
                  "  bit7-4: サウンドIRQ (1:5 or 9) =9",
                  "  bit3-2: サウンドDMA (1:1 or 3) =3",
                  "  bit1:   サウンドI/Oアドレス (0:220 1:230) =1",
                  "  bit0:   サウンドenable (0:disable 1:enable) =1",
              }));
    EXPECT_TRUE(rig.form.Memo3.DoubleBuffered);
}

TEST(DebugReport, TheBoxChangesOnceAndRepaintsOncePerLoad) {
    AppRig rig;
    CountingPeer peer;
    rig.form.Memo3.AttachPeer(&peer);
    rig.form.Button2Click(nullptr);
    EXPECT_EQ(peer.told, (std::map<ui::Change, int>{{ui::Change::Lines, 1}, {ui::Change::Repaint, 1}}));
    EXPECT_EQ(rig.form.Memo3.UpdateDepth(), 0);
}

TEST(DebugReport, AFaultInTheMiddleOfTheLoadLeavesTheBoxUnfrozen) {
    AppRig rig;
    rig.rec.RefuseNth(20);  // the tenth read, after the first debug lines
    rig.form.Button2.Click();
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.form.Memo3.UpdateDepth(), 0);
    EXPECT_LT(rig.form.Memo3.Count(), 15);
}

}  // namespace
