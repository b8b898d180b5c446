// The message table: one row for each message, and the filling of its blanks.
#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "hw/HardwareFault.h"
#include "sys/Messages.h"
#include "sys/System.h"
#include "sys/SystemError.h"

namespace {

using sys::Message;

// The rows kept aside (those of the POSIX part and the Linux notebook, which this program
// links) count as well.
TEST(MessageTable, HasOneRowForEveryIdWithAWindowText) {
    std::set<Message> seen;
    sys::ForEachMessageRow([&](const sys::MessageRow& row) {
        EXPECT_TRUE(seen.insert(row.id).second) << "row " << static_cast<int>(row.id) << " twice";
        EXPECT_NE(row.japanese[0], '\0') << "row " << static_cast<int>(row.id) << " has no window text";
    });
    // The ids are numbered from 0 without gaps: the last id bounds them all.
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(Message::FirmwarePortNotGranted) + 1);
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
        // A row inside a row, at the start of the text: the access of a bus without ports.
        FillCase{"RowOpensTheText", Message::NoSinglePort, {Message::PortInput, "70"},
                 "ポート 70h からの入力: このシステムでは CMOS のバイトとファームウェア呼び出しだけが使え、ポートは使えません.",
                 "input from port 70h: this system gives the CMOS by byte and the firmware call only, no single port"},
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

// The system's reason: the window's rows for the common failures and the number for the
// others; the command line's English is strerror's, as it has always printed.
TEST(SystemReason, IsOurRowInTheWindowAndTheSystemsWordsInEnglish) {
    const struct { int code; const char* japanese; const char* english; } cases[] = {
        {ENOENT, "ファイルがありません", "No such file or directory"},
        {EACCES, "アクセスが拒否されました", "Permission denied"},
        {EPERM, "アクセスが拒否されました", "Operation not permitted"},
        {EISDIR, "ファイルではなくフォルダです", "Is a directory"},
        {ENOSPC, "システム エラー (errno 28)", "No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const sys::MessageArg reason = sys::SystemReason(c.code);
        EXPECT_EQ(reason.Text(sys::Language::Japanese), c.japanese);
        EXPECT_EQ(reason.Text(sys::Language::English), c.english);
    }
}

// A file error keeps its reason for a message of another layer: the system's where a call
// failed, else its own texts.
TEST(ErrorFromACause, FileErrorHandsOnItsReason) {
    const sys::FileError refused("/x/sim-cmos.dat", sys::SystemReason(EACCES), EACCES);
    EXPECT_STREQ(refused.what(), "/x/sim-cmos.dat: アクセスが拒否されました");
    EXPECT_STREQ(refused.English(), "/x/sim-cmos.dat: Permission denied");
    EXPECT_EQ(refused.SystemCode(), EACCES);
    EXPECT_EQ(sys::English(Message::SimFileUnreadable, {"/x/sim-cmos.dat", refused.Reason()}),
              "cannot read /x/sim-cmos.dat (Permission denied)");

    const sys::FileError shortWrite(Message::ShortWrite, {"/x/cmos.dat", "1", "128"});
    EXPECT_EQ(shortWrite.Reason().Text(sys::Language::English), "/x/cmos.dat: short write of 1 of 128 bytes");
    EXPECT_EQ(shortWrite.Reason().Text(sys::Language::Japanese), shortWrite.what());
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
