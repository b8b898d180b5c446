// The message table: one row for each message, and the filling of its blanks.
#include <gtest/gtest.h>

#include <set>

#include "hw/HardwareFault.h"
#include "sys/Messages.h"

namespace {

using sys::Message;

TEST(MessageTable, HasOneRowForEveryIdWithAWindowText) {
    const auto& rows = sys::MessageTable();
    std::set<Message> seen;
    for (const sys::MessageRow& row : rows) {
        EXPECT_TRUE(seen.insert(row.id).second) << "row " << static_cast<int>(row.id) << " twice";
        EXPECT_NE(row.japanese[0], '\0') << "row " << static_cast<int>(row.id) << " has no window text";
    }
    // The ids are numbered from 0 without gaps: the last id bounds them all.
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(Message::NvramBadChecksum) + 1);
}

struct FillCase {
    const char* name;
    Message id;
    sys::MessageArgs args;
    std::string japanese;
    std::string english;
};

class MessageFill : public testing::TestWithParam<FillCase> {};

TEST_P(MessageFill, PutsTheArgumentsInBothLanguages) {
    const FillCase& c = GetParam();
    EXPECT_EQ(sys::Japanese(c.id, c.args), c.japanese);
    EXPECT_EQ(sys::English(c.id, c.args), c.english);
    EXPECT_EQ(sys::Text(sys::Language::Japanese, c.id, c.args), c.japanese);
    EXPECT_EQ(sys::Text(sys::Language::English, c.id, c.args), c.english);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageFill,
    testing::Values(
        // A row given as an argument is put in in the same language, its blank filled from
        // the same arguments.
        FillCase{"RowInsideRowFillsItsOwnBlank", Message::InstructionRefused, {Message::PortOutput, "70"},
                 "特権命令の例外: ポート 70h への出力 が拒否されました. I/O ポートへのアクセスが許可されていません.",
                 "privileged instruction refused: output to port 70h; this process may not access I/O ports"},
        FillCase{"FourBlanksWithARuleInTheThird", Message::SimIniBadLine,
                 {"sim-firmware.ini", "3", Message::SimIniNotYesNo, "firmware-answers = maybe"},
                 "sim-firmware.ini の 3 行目が正しくありません (値は yes か no です): firmware-answers = maybe",
                 "sim-firmware.ini, line 3 (the value is yes or no): firmware-answers = maybe"},
        // A text given in each language (the system's reason) is put in in the row's language.
        FillCase{"TextInEachLanguage", Message::FileBusy, {"sim", sys::MessageArg("十", "ten")},
                 "sim は別のプログラムが書き込み中です (十 秒待ちました). 何も書き込みませんでした.",
                 "sim is being written by another program (waited ten s for it to finish); nothing done"},
        // A path is put in as it is, even where it looks like a blank.
        FillCase{"PercentInAPathIsNotABlank", Message::SimCmosWrongSize, {"C:\\%2%1\\sim-cmos.dat", "7"},
                 "C:\\%2%1\\sim-cmos.dat は 7 バイトです. CMOS のイメージは 128 バイトでなければなりません.",
                 "C:\\%2%1\\sim-cmos.dat is 7 bytes long; a CMOS image is exactly 128 bytes"},
        FillCase{"WindowTextInEnglish", Message::FileCreated, {"c:\\hiber.dat"},
                 "c:\\hiber.dat を作成しました.", "c:\\hiber.dat has been created."},
        // A blank without its argument stays empty rather than reading past the list.
        FillCase{"MissingArgumentLeavesTheBlankEmpty", Message::BackupConfirmation, {},
                 "CMOS内容を  に出力します.", "The CMOS contents will be saved to ."}),
    [](const testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

// A row that names itself is cut off after a few turns instead of running for ever. Not
// compared whole: how deep it goes does not matter, only that it ends and stays short.
TEST(MessageFill, RowNamingItselfEnds) {
    const std::string text = sys::Japanese(Message::InstructionRefused, {Message::InstructionRefused});
    EXPECT_LT(text.size(), 2000u);
    EXPECT_EQ(text.rfind("特権命令の例外: ", 0), 0u);
}

// For the window's Unicode mode: a text argument with bytes above 7Fh (a path in the
// system's code page) is marked off from the table's Shift-JIS; ASCII ones stay as they are.
TEST(MessageFill, MarksSystemTextsOnlyWhenAsked) {
    const sys::MessageArgs args = {"C:\\Caf\xE9\\sim-cmos.dat", "7"};
    sys::MarkSystemTexts(true);
    const std::string marked = sys::Japanese(Message::SimCmosWrongSize, args);
    const std::string ascii = sys::Japanese(Message::SimCmosWrongSize, {"C:\\x.dat", "7"});
    sys::MarkSystemTexts(false);
    EXPECT_EQ(marked, "\x01" "C:\\Caf\xE9\\sim-cmos.dat\x02 は 7 バイトです. CMOS のイメージは 128 バイトでなければなりません.");
    EXPECT_EQ(ascii, "C:\\x.dat は 7 バイトです. CMOS のイメージは 128 バイトでなければなりません.");
    EXPECT_EQ(sys::Japanese(Message::SimCmosWrongSize, args),
              "C:\\Caf\xE9\\sim-cmos.dat は 7 バイトです. CMOS のイメージは 128 バイトでなければなりません.");
}

// Another table's text (the command line's own) is filled by the same rules, rows included.
TEST(MessageFill, FillsAnotherTablesText) {
    EXPECT_EQ(sys::FillText("%1 is %2 (%1)", sys::Language::English, {"x", Message::KindFifo}),
              "x is a FIFO (a named pipe) (x)");
    EXPECT_EQ(sys::FillText("%2%", sys::Language::Japanese, {"x", sys::MessageArg("ア", "a")}), "ア%");
}

TEST(ErrorFromACause, CarriesBothTextsAndItsRow) {
    const hw::HardwareFault fault(Message::InstructionRefused, {Message::FirmwareCall, "0600"});
    EXPECT_STREQ(fault.what(),
                 "特権命令の例外: BIOS 呼び出し (ポート B0h への出力, 機能 0600h) が拒否されました. "
                 "I/O ポートへのアクセスが許可されていません.");
    EXPECT_STREQ(fault.English(),
                 "privileged instruction refused: firmware call (output to port B0h, function 0600h); "
                 "this process may not access I/O ports");
    EXPECT_EQ(fault.cause(), Message::InstructionRefused);
    EXPECT_FALSE(hw::HardwareFault("a developer's text").cause().has_value());
}

}  // namespace
