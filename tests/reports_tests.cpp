// The information page's reports: the information report, the register dump and the CMOS
// backup, run through the window's handlers against the simulated notebook.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "hw/HardwareFault.h"
#include "reports/CmosBackup.h"
#include "reports/Format.h"
#include "tests/AppRig.h"
#include "tests/FakeFiles.h"
#include "tests/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

// Counts what the memo tells its native peer.
struct CountingPeer : ui::Peer {
    int lines = 0, repaints = 0;
    void Changed(ui::Change what) override {
        if (what == ui::Change::Lines) ++lines;
        if (what == ui::Change::Repaint) ++repaints;
    }
};

std::string Hex2(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", v);
    return buf;
}

// ---- information report ------------------------------------------------------------------

TEST(InformationReport, ShowsTheFactoryNotebookInTwentyTwoLines) {
    AppRig rig;
    rig.form.btnGetSTAT.Click();
    EXPECT_EQ(rig.form.Memo2.Lines(), (Lines{
        "■メモリ",
        "  base memory :    640 kb",
        "  extended memory : 31,744 kb",
        "  ハイバネーションに必要なサイズ =   33792KB /02100000",
        "■HDD",
        "  drive C: extension type =2F",
        "  drive D: extension type =00",
        "■CPU",
        "  CPUスピード (0:LOW 1:HIGH) =1",
        "  HIGHの時の動作周波数 =166.0 MHz",
        "  LOW の時の動作周波数 = 83.0 MHz",
        "■デバイス状態",
        "  ファン回転状態 (0:停止 1:回転) =0",
        "  AC online (0:on 1:off) =0",
        "  温度 (0-255)= 54.6℃ (122:7A)",
        "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =1",
        "  音量(0:オフ 1:中 2:大) =1",
        "■バッテリ",
        "  A 状態(0:無 1:通常 3:LOW 7:充電中) =7",
        "    残量(0:無 1:LOW 30:Full 31:不明) =30",
        "  B 状態(0:無 1:通常 3:LOW 7:充電中) =0",
        "    残量(0:無 1:LOW 30:Full 31:不明) =0",
    }));
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

// English changes the label words only: the same lines, values, widths and suffixes, and no
// byte above 7Fh.
TEST(InformationReport, InEnglishHasTheSameLinesWithEnglishLabels) {
    hw::SimNotebook sim;
    hw::TPortArray port{sim, nullptr};
    hw::Bus bus{port, port.Access(hw::PortMode::Plain)};
    Lines lines;
    reports::WriteInformationReport(bus, sys::NumberFormat{",", "."},
                                    [&](const std::string& line) { lines.push_back(line); },
                                    sys::Language::English);
    EXPECT_EQ(lines, (Lines{
        "* Memory",
        "  base memory :    640 kb",
        "  extended memory : 31,744 kb",
        "  Size needed for hibernation =   33792KB /02100000",
        "* HDD",
        "  drive C: extension type =2F",
        "  drive D: extension type =00",
        "* CPU",
        "  CPU speed (0:LOW 1:HIGH) =1",
        "  Clock at HIGH =166.0 MHz",
        "  Clock at LOW  = 83.0 MHz",
        "* Devices",
        "  Fan (0:stopped 1:running) =0",
        "  AC online (0:on 1:off) =0",
        "  Temperature (0-255)= 54.6C (122:7A)",
        "  LCD backlight (0:dim 1:bright) =1",
        "  Volume(0:off 1:medium 2:loud) =1",
        "* Battery",
        "  A state(0:none 1:normal 3:LOW 7:charging) =7",
        "    charge(0:none 1:LOW 30:Full 31:unknown) =30",
        "  B state(0:none 1:normal 3:LOW 7:charging) =0",
        "    charge(0:none 1:LOW 30:Full 31:unknown) =0",
    }));
}

TEST(InformationReport, FormatsEdgeValuesAsTheLineSays) {
    using Arrange = std::function<void(hw::SimNotebook&)>;
    auto status = [](int index, std::uint32_t value) -> Arrange {
        return [=](hw::SimNotebook& s) { s.firmware().status[index] = value; };
    };
    auto hibernation = [](std::uint32_t bytes) -> Arrange {
        return [=](hw::SimNotebook& s) { s.firmware().hibernationSize = bytes; };
    };
    auto cmos = [](int index, std::uint8_t low, std::uint8_t high) -> Arrange {
        return [=](hw::SimNotebook& s) { s.cmos()[index] = low; s.cmos()[index + 1] = high; };
    };
    const sys::NumberFormat usual{",", "."}, dots{".", ","}, spaces{" ", ","};
    const struct {
        Arrange arrange;
        sys::NumberFormat separators;
        int line;  // 1-based, as the report counts
        const char* expected;
    } cases[] = {
        {status(4, 0), usual, 15, "  温度 (0-255)=113.1℃ (0:00)"},
        {status(4, 128), usual, 15, "  温度 (0-255)= 51.7℃ (128:80)"},
        {status(4, 255), usual, 15, "  温度 (0-255)= -9.3℃ (255:FF)"},
        {status(4, 255), dots, 15, "  温度 (0-255)= -9,3℃ (255:FF)"},
        {status(4, 300), usual, 15, "  温度 (0-255)=-30.9℃ (300:12C)"},
        {status(4, 0x1234), usual, 15, "  温度 (0-255)=-2123.7℃ (4660:1234)"},
        {status(4, 0xFFFF0080), usual, 15, "  温度 (0-255)= 51.7℃ (128:80)"},
        {status(2, 0xFFFFFFFF), usual, 9, "  CPUスピード (0:LOW 1:HIGH) =-1"},
        {status(2, 0xFFFFFF05), usual, 9, "  CPUスピード (0:LOW 1:HIGH) =-251"},
        {status(2, 0x80000000), usual, 9, "  CPUスピード (0:LOW 1:HIGH) =0"},
        {status(2, 0x00000105), usual, 9, "  CPUスピード (0:LOW 1:HIGH) =5"},
        {status(11, 0xFFFFFF1E), usual, 22, "    残量(0:無 1:LOW 30:Full 31:不明) =-226"},
        {hibernation(0), usual, 4, "  ハイバネーションに必要なサイズ =       0KB /00000000"},
        {hibernation(0x08000000), usual, 4, "  ハイバネーションに必要なサイズ =  131072KB /08000000"},
        {hibernation(0xFFFFFC00), usual, 4, "  ハイバネーションに必要なサイズ =      -1KB /FFFFFC00"},
        {hibernation(0x80000000), usual, 4, "  ハイバネーションに必要なサイズ =-2097152KB /80000000"},
        // Rounding edges: halves go away from zero, what rounds to zero has no sign, the
        // largest positive size rounds up to the next kilobyte.
        {hibernation(0x00000200), usual, 4, "  ハイバネーションに必要なサイズ =       1KB /00000200"},
        {hibernation(0xFFFFFE00), usual, 4, "  ハイバネーションに必要なサイズ =      -1KB /FFFFFE00"},
        {hibernation(0x000001FF), usual, 4, "  ハイバネーションに必要なサイズ =       0KB /000001FF"},
        {hibernation(0xFFFFFFFF), usual, 4, "  ハイバネーションに必要なサイズ =       0KB /FFFFFFFF"},
        {hibernation(0x7FFFFFFF), usual, 4, "  ハイバネーションに必要なサイズ = 2097152KB /7FFFFFFF"},
        {cmos(0x15, 0x80, 0x02), usual, 2, "  base memory :    640 kb"},
        {cmos(0x17, 0x00, 0xFC), usual, 3, "  extended memory : 64,512 kb"},
        {cmos(0x17, 0x00, 0xFC), dots, 3, "  extended memory : 64.512 kb"},
        {cmos(0x17, 0x00, 0xFC), spaces, 3, "  extended memory : 64 512 kb"},
        {cmos(0x15, 0x00, 0x00), usual, 2, "  base memory :      0 kb"},
        {cmos(0x17, 0xFF, 0xFF), usual, 3, "  extended memory : 65,535 kb"},
        {status(0, 0), usual, 10, "  HIGHの時の動作周波数 =  0.0 MHz"},
        {status(0, 18000), dots, 10, "  HIGHの時の動作周波数 =1800,0 MHz"},
        {status(15, 0xABCD0007), spaces, 11, "  LOW の時の動作周波数 =  0,7 MHz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        AppRig rig;
        c.arrange(rig.sim);
        rig.env.separators = c.separators;
        rig.form.btnGetSTAT.Click();
        ASSERT_EQ(rig.form.Memo2.Count(), 22);
        EXPECT_EQ(rig.form.Memo2.Lines()[c.line - 1], c.expected);
    }
}

TEST(InformationReport, ReadsTheHardwareInTheOrderOfItsLines) {
    AppRig rig;
    rig.form.btnGetSTAT.Click();
    EXPECT_EQ(rig.rec.CmosAndCalls(),
              (Lines{"R15=80", "R16=02", "R17=00", "R18=7C", "F0602(0)", "R19=2F", "R1A=00",
                     "F9904(2)", "F9904(0)", "F9904(15)", "F9904(3)", "F9904(7)", "F9904(4)",
                     "F9904(12)", "F9904(13)", "F9904(8)", "F9904(10)", "F9904(9)", "F9904(11)"}));
    for (const auto& op : rig.rec.log()) {
        if (op.kind == hw::Operation::Call) {
            EXPECT_EQ(op.regs.ecx, 0u) << "param2";
        }
    }
}

// A refused port access ends the report where it happened: the lines before it stay, the
// batch update is over and the fault is shown. In the NT mode a CMOS read is two operations
// and a firmware call one.
TEST(InformationReport, FaultKeepsTheLinesAddedBeforeIt) {
    const struct { long refused; int lines; } cases[] = {
        {1, 1},    // index write of 15h: only the heading
        {4, 1},    // data read of 16h: line 2 needs both bytes
        {5, 2},    // 17h
        {9, 3},    // the hibernation size
        {10, 5},   // 19h: line 4 and the heading after it are in
        {14, 8},   // status 2
        {25, 21},  // status 11, the last access
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        AppRig rig;
        rig.rec.RefuseNth(c.refused);
        rig.form.btnGetSTAT.Click();
        EXPECT_EQ(rig.form.Memo2.Count(), c.lines);
        EXPECT_EQ(rig.form.Memo2.UpdateDepth(), 0);
        EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    }
}

// ---- register dump -----------------------------------------------------------------------

TEST(RegisterDump, ShowsCmosBytesAndLowStatusWordsInAlignedRows) {
    AppRig rig;
    for (int i = 0; i < hw::kCmosSize; ++i) rig.sim.cmos()[i] = static_cast<std::uint8_t>(i);
    for (int k = 0; k < hw::kStatusCount; ++k) rig.sim.firmware().status[k] = 0xFFFF0000u | (k * 0x0101u);
    rig.form.btnCMOSDUMP.Click();
    const Lines& lines = rig.form.Memo2.Lines();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[0], "CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F");
    EXPECT_EQ(lines[1], "00 : 00,01,02,03,04,05,06,07,08,09,0A,0B,0C,0D,0E,0F");
    EXPECT_EQ(lines[8], "70 : 70,71,72,73,74,75,76,77,78,79,7A,7B,7C,7D,7E,7F");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "STAT +0/8 +1/9 +2/A +3/B +4/C +5/D +6/E +7/F");
    EXPECT_EQ(lines[11], "00 : 0000,0101,0202,0303,0404,0505,0606,0707");
    EXPECT_EQ(lines[12], "08 : 0808,0909,0A0A,0B0B,0C0C,0D0D,0E0E,0F0F");
    EXPECT_EQ(lines[18], "38 : 3838,3939,3A3A,3B3B,3C3C,3D3D,3E3E,3F3F");
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(lines[1 + row].size(), 52u) << row;
        EXPECT_EQ(lines[1 + row].substr(0, 5), Hex2(row * 16) + " : ");
        EXPECT_EQ(lines[11 + row].size(), 44u) << row;
        EXPECT_EQ(lines[11 + row].substr(0, 5), Hex2(row * 8) + " : ");
    }
}

TEST(RegisterDump, ReadsEveryCmosByteThenEveryStatusWordInAscendingOrder) {
    AppRig rig;
    rig.form.btnCMOSDUMP.Click();
    Lines expected;
    for (int i = 0; i < hw::kCmosSize; ++i) expected.push_back("R" + Hex2(i) + "=" + Hex2(rig.sim.cmos()[i]));
    for (int k = 0; k < hw::kStatusCount; ++k) expected.push_back("F9904(" + std::to_string(k) + ")");
    EXPECT_EQ(rig.rec.CmosAndCalls(), expected);
}

TEST(RegisterDump, FaultKeepsTheRowsAddedBeforeIt) {
    const struct { long refused; int lines; } cases[] = {
        {32, 1},    // data read of 0Fh: the first row is not complete
        {33, 2},    // index write of 10h: the first row is in
        {257, 11},  // first status call: all CMOS rows, the empty line and the status header
        {265, 12},  // status 8: the first status row is in
        {320, 18},  // the last status call
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        AppRig rig;
        rig.rec.RefuseNth(c.refused);
        rig.form.btnCMOSDUMP.Click();
        EXPECT_EQ(rig.form.Memo2.Count(), c.lines);
        EXPECT_EQ(rig.form.Memo2.UpdateDepth(), 0);
        EXPECT_EQ(rig.dialogs.messages.size(), 1u);
    }
}

// ---- both reports in Memo2 ---------------------------------------------------------------

TEST(ReportMemo, EachRunReplacesTheTextInOneBatchAndOneRepaint) {
    AppRig rig;
    auto& memo = rig.form.Memo2;
    memo.Add("left over");
    const struct { ui::TButton& button; int lines; } runs[] = {
        {rig.form.btnGetSTAT, 22}, {rig.form.btnCMOSDUMP, 19}, {rig.form.btnGetSTAT, 22},
        {rig.form.btnGetSTAT, 22}, {rig.form.btnCMOSDUMP, 19},
    };
    for (const auto& run : runs) {
        CountingPeer peer;
        memo.AttachPeer(&peer);
        run.button.Click();
        memo.AttachPeer(nullptr);
        EXPECT_EQ(memo.Count(), run.lines);
        EXPECT_TRUE(memo.DoubleBuffered);
        EXPECT_EQ(peer.lines, 1);
        EXPECT_EQ(peer.repaints, 1);
    }
    EXPECT_EQ(memo.Lines()[0], "CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F");
}

// ---- number texts ------------------------------------------------------------------------

std::string Grouped(std::int64_t value, int width, const std::string& thousands) {
    std::string text = "x";  // appended to what is there
    reports::AppendGroupedNumber(text, value, width, thousands);
    return text.substr(1);
}

std::string Fixed(long double value, int decimals, int width) {
    std::string text = "x";
    reports::AppendFixedNumber(text, value, decimals, width, ".");
    return text.substr(1);
}

TEST(NumberText, NeverCutsAndGroupsOrRoundsAsAsked) {
    EXPECT_EQ(reports::Hex(0x1234, 2), "1234");
    EXPECT_EQ(reports::Hex(0xABCDEF01, 8), "ABCDEF01");
    EXPECT_EQ(reports::Hex(0, 4), "0000");
    EXPECT_EQ(Grouped(1234567, 6, ","), "1,234,567");
    EXPECT_EQ(Grouped(-1234, 6, "'"), "-1'234");
    EXPECT_EQ(Grouped(999, 6, ","), "   999");
    EXPECT_EQ(Fixed(2.5L, 0, 3), "  3");
    EXPECT_EQ(Fixed(-2.5L, 0, 3), " -3") << "halves away from zero";
    EXPECT_EQ(Fixed(2.4999L, 0, 1), "2");
    EXPECT_EQ(Fixed(-0.4L, 0, 2), " 0") << "no minus zero";
    EXPECT_EQ(Fixed(0.05L, 2, 1), "0.05");
    EXPECT_EQ(Fixed(123456.75L, 1, 5), "123456.8");
    EXPECT_EQ(Fixed(-123456.75L, 1, 0), "-123456.8");
}

// ---- CMOS backup -------------------------------------------------------------------------

TEST(BackupPath, KeepsTheFolderAndOnlyARootsBackslash) {
    const sys::LeadBytes cp932 = sys::LeadBytes::Cp932();
    const struct { std::string exe, path; } cases[] = {
        {"C:\\Tools\\TOVIKA.exe", "C:\\Tools\\cmos.dat"},
        {"C:\\TOVIKA.exe", "C:\\\\cmos.dat"},
        {"\\\\server\\share\\TOVIKA.exe", "\\\\server\\share\\cmos.dat"},
        {"C:TOVIKA.exe", "C:\\cmos.dat"},
        {"TOVIKA.exe", "\\cmos.dat"},
        // Code page 932: 表 is 95h 5Ch and ソ is 83h 5Ch; the trail byte is no backslash.
        {"C:\\\x95\x5C\\TOVIKA.exe", "C:\\\x95\x5C\\cmos.dat"},
        {"C:\\\x95\x5C.exe", "C:\\\\cmos.dat"},
        {"C:\\Tools\\\x83\x5C\x95\x5C.exe", "C:\\Tools\\cmos.dat"},
        {"D:\\\x83\x5C\\\x95\x5C\\T.exe", "D:\\\x83\x5C\\\x95\x5C\\cmos.dat"},
        // A half-width katakana (B1h) is a single byte: the backslash after it is one.
        {"C:\\\xB1\\TOVIKA.exe", "C:\\\xB1\\cmos.dat"},
        // The POSIX build's paths.
        {"/opt/tovika/TOVIKA-SIM.exe", "/opt/tovika/cmos.dat"},
        {"/TOVIKA-SIM.exe", "//cmos.dat"},
    };
    for (const auto& c : cases) EXPECT_EQ(reports::BackupPath(c.exe, cp932), c.path) << c.exe;
}

// The same bytes are other characters on another code page: on 1252 (no lead bytes) é (E9h)
// and ü (FCh) are letters of their own, and the backslash after them is a delimiter.
TEST(BackupPath, WalksThePathByTheSystemsCodePage) {
    const sys::LeadBytes cp932 = sys::LeadBytes::Cp932(), cp1252;
    const struct { std::string exe; const sys::LeadBytes& lead; std::string path; } cases[] = {
        {"C:\\Caf\xE9\\TOVIKA-SIM.exe", cp1252, "C:\\Caf\xE9\\cmos.dat"},
        {"C:\\M\xFCller\\\xFC\\TOVIKA.exe", cp1252, "C:\\M\xFCller\\\xFC\\cmos.dat"},
        // 表 (95h 5Ch) on 932 is "•\\" on 1252: a bullet, then the file name's delimiter.
        {"C:\\\x95\x5C.exe", cp1252, "C:\\\x95\\cmos.dat"},
        // On 932 E9h 5Ch is one character, so the same path has another folder.
        {"C:\\Caf\xE9\\TOVIKA-SIM.exe", cp932, "C:\\\\cmos.dat"},
    };
    for (const auto& c : cases) EXPECT_EQ(reports::BackupPath(c.exe, c.lead), c.path) << c.exe;
}

struct BackupRig : AppRig {
    TempDir dir;
    std::string path = dir.File("cmos.dat");
    BackupRig() { env.executablePath = dir.File("TOVIKA-SIM.exe"); }
    std::string Error() const { return "エラー： " + path + " が作成できません."; }
};

TEST(CmosBackup, WritesTheWholeCmosAndReplacesAnEarlierFile) {
    BackupRig rig;
    rig.dir.Write("cmos.dat", std::string(300, 'x'));
    for (int i = 0; i < hw::kCmosSize; ++i) rig.sim.cmos()[i] = static_cast<std::uint8_t>(i * 37);
    bool disabledDuringMessage = false, heldDuringMessage = false;
    rig.dialogs.onInform = [&](const std::string&) {
        disabledDuringMessage = !rig.form.btnCMOSBACKUP.Enabled();
        heldDuringMessage = HeldOpenElsewhere(rig.path);
    };
    rig.form.btnCMOSBACKUP.Click();
    const auto& image = rig.sim.cmos();
    EXPECT_EQ(rig.dir.Read("cmos.dat"), std::string(image.begin(), image.end()));
    EXPECT_EQ(rig.dialogs.confirmations, Lines{"CMOS内容を " + rig.path + " に出力します."});
    EXPECT_EQ(rig.dialogs.messages, Lines{rig.path + " を作成しました."});
    EXPECT_TRUE(disabledDuringMessage);
    EXPECT_TRUE(heldDuringMessage);
    EXPECT_TRUE(rig.form.btnCMOSBACKUP.Enabled());
    Lines reads;
    for (int i = 0; i < hw::kCmosSize; ++i) reads.push_back("R" + Hex2(i) + "=" + Hex2(image[i]));
    EXPECT_EQ(rig.rec.CmosAndCalls(), reads);
}

// The window walks its program's path with the lead bytes of the system's code page, as its
// environment gives them: on code page 932 the 5Ch of "\x95\x5C" ends no folder name.
TEST(CmosBackup, FindsTheFolderWithTheEnvironmentsLeadBytes) {
    BackupRig rig;
    rig.env.pathLeadBytes = sys::LeadBytes::Cp932();
    rig.env.executablePath = rig.dir.File("\x95\x5C" "TOVIKA-SIM.exe");
    rig.form.btnCMOSBACKUP.Click();
    EXPECT_EQ(rig.dialogs.confirmations, Lines{"CMOS内容を " + rig.path + " に出力します."});
    EXPECT_EQ(rig.dir.Read("cmos.dat").size(), 128u);
}

// A CMOS whose byte reads come from a function, behind a bus in the NT mode.
struct CmosFromFunction : hw::Machine {
    std::function<std::uint8_t(std::uint8_t)> read;
    std::uint8_t selected = 0;
    std::uint8_t In(std::uint16_t) override { return read(selected); }
    void Out(std::uint16_t port, std::uint8_t value) override {
        if (port == 0x70) selected = value;
    }
    void ClearInterruptFlag() override {}
    void SetInterruptFlag() override {}
    std::uint32_t SoftwareCall(const hw::FirmwareRegisters& regs) override { return regs.eax; }
};

struct FunctionBus {
    CmosFromFunction machine;
    hw::TPortArray port{machine, nullptr};
    hw::Bus bus{port, port.Access(hw::PortMode::Plain)};
    explicit FunctionBus(std::function<std::uint8_t(std::uint8_t)> read) { machine.read = std::move(read); }
};

TEST(CmosBackup, WritesEachByteRightAfterItsReadAndClosesAfterTheMessage) {
    FakeFiles files;
    FunctionBus cmos([&](std::uint8_t i) {
        files.log.push_back("read " + Hex2(i));
        return static_cast<std::uint8_t>(0xFF - i);
    });
    reports::WriteCmosBackup("cmos.dat", files, cmos.bus,
                             [&](const std::string& message) { files.log.push_back(message); });
    Lines expected{"create cmos.dat"};
    for (int i = 0; i < 128; ++i) {
        expected.push_back("read " + Hex2(i));
        expected.push_back("write " + Hex2(0xFF - i));
    }
    expected.push_back("cmos.dat を作成しました.");
    expected.push_back("close");
    EXPECT_EQ(files.log, expected);
}

// A failed creation, a failed or short write: the error message while the file (when it was
// opened) is still open, and the bytes written before the failure stay.
TEST(CmosBackup, AnyFileFailureGivesTheErrorMessageAndKeepsWhatWasWritten) {
    const struct { int failAt; std::size_t writesKept; bool opened; } cases[] = {
        {1, 0, false},  // creation
        {2, 0, true},   // the first write
        {12, 10, true}, // the eleventh write
        {129, 127, true},  // the last write
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failAt);
        FakeFiles files;
        files.failAt = c.failAt;
        FunctionBus cmos([](std::uint8_t i) { return i; });
        reports::WriteCmosBackup("x", files, cmos.bus,
                                 [&](const std::string& m) { files.log.push_back(m); });
        const auto writes = std::count_if(files.log.begin(), files.log.end(),
                                          [](const std::string& s) { return s.rfind("write", 0) == 0; });
        EXPECT_EQ(static_cast<std::size_t>(writes), c.writesKept);
        Lines tail{"エラー： x が作成できません."};
        if (c.opened) tail.push_back("close");
        EXPECT_EQ(Lines(files.log.end() - tail.size(), files.log.end()), tail);
    }
}

TEST(CmosBackup, FileThatCannotBeCreatedGivesTheErrorMessageAndTheButtonBack) {
    const struct { const char* what; std::function<void(BackupRig&)> arrange; } cases[] = {
        {"missing folder", [](BackupRig& r) {
             r.env.executablePath = r.dir.File("gone/TOVIKA-SIM.exe");
             r.path = r.dir.File("gone/cmos.dat");
         }},
        {"a folder of that name", [](BackupRig& r) { std::filesystem::create_directory(r.path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BackupRig rig;
        c.arrange(rig);
        bool disabledDuringMessage = false;
        rig.dialogs.onInform = [&](const std::string&) {
            disabledDuringMessage = !rig.form.btnCMOSBACKUP.Enabled();
        };
        rig.form.btnCMOSBACKUP.Click();
        EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()});
        EXPECT_TRUE(disabledDuringMessage);
        EXPECT_TRUE(rig.form.btnCMOSBACKUP.Enabled());
        EXPECT_FALSE(std::filesystem::is_regular_file(rig.path));
    }
}

TEST(CmosBackup, FileHeldByAnotherProgramIsLeftAsItWas) {
    BackupRig rig;
    rig.dir.Write("cmos.dat", "theirs");
    {
        LockedByAnother other(rig.path);
        rig.form.btnCMOSBACKUP.Click();
    }
    EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()});
    EXPECT_EQ(rig.dir.Read("cmos.dat"), "theirs");
    EXPECT_TRUE(rig.form.btnCMOSBACKUP.Enabled());
}

TEST(CmosBackup, RefusedPortAccessGivesTheErrorMessageAndKeepsTheBytesBeforeIt) {
    BackupRig rig;
    rig.rec.RefuseNth(2 * 10 + 1);  // the index write for 0Ah
    rig.form.btnCMOSBACKUP.Click();
    EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()}) << "caught here, not by the window";
    const auto& image = rig.sim.cmos();
    EXPECT_EQ(rig.dir.Read("cmos.dat"), std::string(image.begin(), image.begin() + 10));
    EXPECT_TRUE(rig.form.btnCMOSBACKUP.Enabled());
}

TEST(CmosBackup, CancelTouchesNothing) {
    BackupRig rig;
    rig.dialogs.answers = {false};
    struct EnabledWatch : ui::Peer {
        int changes = 0;
        void Changed(ui::Change what) override { changes += what == ui::Change::Enabled; }
    } watch;
    rig.form.btnCMOSBACKUP.AttachPeer(&watch);
    rig.form.btnCMOSBACKUP.Click();
    rig.form.btnCMOSBACKUP.AttachPeer(nullptr);
    EXPECT_EQ(rig.dialogs.confirmations.size(), 1u);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_TRUE(rig.rec.log().empty());
    EXPECT_FALSE(std::filesystem::exists(rig.path));
    EXPECT_EQ(watch.changes, 0);
}

}  // namespace
