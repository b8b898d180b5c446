// The firmware actions: the hot-key buttons and the hibernation file.
#include <gtest/gtest.h>

#include <filesystem>

#include "actions/FirmwareActions.h"
#include "tests/AppRig.h"
#include "tests/FakeFiles.h"
#include "tests/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

// ---- hot keys ----------------------------------------------------------------------------

TEST(HotKeys, EachButtonMakesOneCallWithItsTagAndTheReportShowsTheNewState) {
    const struct {
        const char* button;
        const char* call;
        int status, after;
        int line;  // of the information report that shows it; 0: the dump only
        const char* shown;
    } cases[] = {
        {"btnF2", "call 0902 FFFF0002 0 -> 0", hw::status::kBacklight, 0, 16,
         "  LCDバックライトの輝度 (0:低輝度 1:高輝度) =0"},
        {"Button1", "call 0902 FFFF0003 0 -> 0", hw::status::kDisplayOutput, 1, 0, ""},
        {"Button3", "call 0902 FFFF0005 0 -> 0", hw::status::kVolume, 2, 17, "  音量(0:オフ 1:中 2:大) =2"},
        {"Button4", "call 0902 FFFF0006 0 -> 0", hw::status::kCpuSpeed, 0, 9, "  CPUスピード (0:LOW 1:HIGH) =0"},
        {"Button5", "call 0902 FFFF0009 0 -> 0", hw::status::kAcOffline, 1, 14, "  AC online (0:on 1:off) =1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        AppRig rig;
        auto& button = rig.form.Component<ui::TButton>(c.button);
        rig.form.btnGetSTAT.Click();
        const Lines before = rig.form.Memo2.Lines();
        rig.rec.clear();
        button.Click();
        EXPECT_EQ(rig.rec.Trace(), Lines{c.call});
        EXPECT_EQ(rig.sim.firmware().status[c.status], static_cast<std::uint32_t>(c.after));
        EXPECT_EQ(rig.form.Memo2.Lines(), before) << "the report is not read again";
        EXPECT_TRUE(rig.dialogs.messages.empty());
        EXPECT_TRUE(button.Enabled());
        if (c.line == 0) continue;
        rig.form.btnGetSTAT.Click();
        EXPECT_EQ(rig.form.Memo2.Lines()[c.line - 1], c.shown);
    }
}

TEST(HotKeys, TwoClicksMakeTwoCalls) {
    AppRig rig;
    rig.form.Button3.Click();
    rig.form.Button3.Click();
    EXPECT_EQ(rig.rec.CmosAndCalls(), (Lines{"F0902(5)", "F0902(5)"}));
    EXPECT_EQ(rig.sim.firmware().status[hw::status::kVolume], 0u) << "1 -> 2 -> 0";
}

// ---- hibernation file --------------------------------------------------------------------

struct HiberRig : AppRig {
    TempDir dir;
    std::string path = dir.File("hiber.dat");
    HiberRig() { form.HibernationPath = path; }
    std::string Error() const { return "エラー： " + path + " が作成できません."; }
};

TEST(HibernationFile, HasTheFirmwaresSizeAndEndsInF7FE) {
    const struct { std::uint32_t size; std::string before; } cases[] = {
        {2, ""},
        {3, std::string(5000, 'x')},  // a larger file is cut
        {4097, "xyz"},                // a smaller one grows
        {0x100000, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        HiberRig rig;
        if (!c.before.empty()) rig.dir.Write("hiber.dat", c.before);
        rig.sim.firmware().hibernationSize = c.size;
        bool disabledDuringMessage = false, heldDuringMessage = false;
        rig.dialogs.onInform = [&](const std::string&) {
            disabledDuringMessage = !rig.form.btnMAKEHIBER.Enabled();
            heldDuringMessage = HeldOpenElsewhere(rig.path);
        };
        rig.form.btnMAKEHIBER.Click();
        const std::string content = rig.dir.Read("hiber.dat");
        ASSERT_EQ(content.size(), c.size);
        EXPECT_EQ(content.substr(c.size - 2), "\xF7\xFE");
        EXPECT_EQ(content.find('x'), std::string::npos) << "nothing of the old file is left";
        EXPECT_EQ(rig.dialogs.messages, Lines{rig.path + " を作成しました."});
        EXPECT_EQ(rig.rec.CmosAndCalls(), (Lines{"F9904(0)", "F0602(0)"}));
        EXPECT_TRUE(disabledDuringMessage);
        EXPECT_TRUE(heldDuringMessage);
        EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
    }
}

TEST(HibernationFile, WritesOnlyTheTwoLastBytesAndClosesAfterTheMessage) {
    FakeFiles files;
    actions::WriteHibernationFile("h", 0x02100000, files,
                                  [&](const std::string& m) { files.log.push_back(m); });
    EXPECT_EQ(files.log, (Lines{"create h", "seek 34603006", "write F7 FE", "h を作成しました.", "close"}));
}

TEST(HibernationFile, FailedPositioningOrWriteGivesTheErrorMessage) {
    for (int failAt : {1, 2, 3}) {  // creation, positioning, the two-byte write
        SCOPED_TRACE(failAt);
        FakeFiles files;
        files.failAt = failAt;
        actions::WriteHibernationFile("h", 4096, files,
                                      [&](const std::string& m) { files.log.push_back(m); });
        Lines tail{"エラー： h が作成できません."};
        if (failAt > 1) tail.push_back("close");
        EXPECT_EQ(Lines(files.log.end() - tail.size(), files.log.end()), tail);
    }
}

// A size with no room for the two bytes, or a negative one, creates nothing and leaves an
// existing file as it was.
TEST(HibernationFile, SizeBelowTwoOrNegativeGivesTheErrorMessageWithoutTouchingTheFile) {
    for (std::uint32_t size : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(size);
        for (const std::string before : {"", "keep"}) {
            HiberRig rig;
            if (!before.empty()) rig.dir.Write("hiber.dat", before);
            rig.sim.firmware().hibernationSize = size;
            rig.form.btnMAKEHIBER.Click();
            EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()});
            EXPECT_EQ(std::filesystem::exists(rig.path), !before.empty());
            if (!before.empty()) {
                EXPECT_EQ(rig.dir.Read("hiber.dat"), before);
            }
            EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
        }
    }
}

TEST(HibernationFile, FileThatCannotBeCreatedGivesTheErrorMessageAndTheButtonBack) {
    const struct { const char* what; std::function<void(HiberRig&)> arrange; } cases[] = {
        {"missing folder", [](HiberRig& r) { r.path = r.dir.File("gone/hiber.dat"); }},
        {"a folder of that name", [](HiberRig& r) { std::filesystem::create_directory(r.path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HiberRig rig;
        c.arrange(rig);
        rig.form.HibernationPath = rig.path;
        bool disabledDuringMessage = false;
        rig.dialogs.onInform = [&](const std::string&) {
            disabledDuringMessage = !rig.form.btnMAKEHIBER.Enabled();
        };
        rig.form.btnMAKEHIBER.Click();
        EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()});
        EXPECT_EQ(rig.rec.CmosAndCalls(), (Lines{"F9904(0)", "F0602(0)"})) << "the size is asked all the same";
        EXPECT_TRUE(disabledDuringMessage);
        EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
    }
}

TEST(HibernationFile, FileHeldByAnotherProgramIsLeftAsItWas) {
    HiberRig rig;
    rig.dir.Write("hiber.dat", "theirs");
    {
        LockedByAnother other(rig.path);
        rig.form.btnMAKEHIBER.Click();
    }
    EXPECT_EQ(rig.dialogs.messages, Lines{rig.Error()});
    EXPECT_EQ(rig.dir.Read("hiber.dat"), "theirs");
    EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
}

TEST(HibernationFile, CancelAsksNothingAndCreatesNothing) {
    AppRig rig;  // the notebook's own path: nothing may be created there
    rig.dialogs.answers = {false};
    rig.form.btnMAKEHIBER.Click();
    EXPECT_EQ(rig.dialogs.confirmations, Lines{"c:\\hiber.dat を作成します."});
    EXPECT_TRUE(rig.rec.log().empty());
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_FALSE(std::filesystem::exists("c:\\hiber.dat"));
    EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
}

TEST(HibernationFile, RefusedFirmwareCallIsReportedAndGivesTheButtonBack) {
    for (long nth : {1, 2}) {  // the status request, the size
        SCOPED_TRACE(nth);
        HiberRig rig;
        rig.rec.RefuseNth(nth);
        rig.form.btnMAKEHIBER.Click();
        EXPECT_EQ(rig.dialogs.messages, Lines{"refused: call"});
        EXPECT_FALSE(std::filesystem::exists(rig.path));
        EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
    }
}

// A firmware that does not answer gives back the function code as the size (0602h, a file
// of 1,538 bytes): nothing is asked beyond the status request, no file is created or cut,
// the user is told while the button is disabled, and the button comes back.
TEST(HibernationFile, SilentFirmwareCreatesNothingAndSaysSo) {
    for (const std::string before : {"", "keep"}) {
        SCOPED_TRACE(before);
        HiberRig rig;
        if (!before.empty()) rig.dir.Write("hiber.dat", before);
        rig.sim.firmware().answers = false;
        rig.sim.firmware().hibernationSize = 4096;
        bool disabledDuringMessage = false;
        rig.dialogs.onInform = [&](const std::string&) {
            disabledDuringMessage = !rig.form.btnMAKEHIBER.Enabled();
        };
        rig.form.btnMAKEHIBER.Click();
        EXPECT_EQ(rig.rec.CmosAndCalls(), Lines{"F9904(0)"});
        EXPECT_EQ(rig.dialogs.messages, Lines{"ファームウェアが応答しません. 対応するノートPC ではないため、何も書き込みませんでした."});
        EXPECT_EQ(std::filesystem::exists(rig.path), !before.empty());
        if (!before.empty()) {
            EXPECT_EQ(rig.dir.Read("hiber.dat"), before);
        }
        EXPECT_TRUE(disabledDuringMessage);
        EXPECT_TRUE(rig.form.btnMAKEHIBER.Enabled());
    }
}

}  // namespace
