// The entry sequence: the common-controls version test, the default title taken from the
// program path, and the order of the system calls in every way a start can go.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/EntrySequence.h"
#include "hw/SimFiles.h"

namespace {

using Trace = std::vector<std::string>;

// ---- common-controls version -----------------------------------------------------------

struct ComctlCase {
    const char* name;
    std::uint32_t fileVersionMS;
    std::int32_t packed;
    bool supported;
    friend void PrintTo(const ComctlCase& c, std::ostream* os) { *os << c.name; }
};

class ComctlVersion : public testing::TestWithParam<ComctlCase> {};

TEST_P(ComctlVersion, PacksMajorAndMinorAndAcceptsFrom4_72On) {
    const auto& c = GetParam();
    EXPECT_EQ(app::PackComctlVersion(c.fileVersionMS), c.packed);
    EXPECT_EQ(app::IsComctlSupported(c.packed), c.supported);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComctlVersion,
    testing::Values(ComctlCase{"unreadable", 0, 0, false},
                    ComctlCase{"v4_00", 0x0004'0000, 0x00040000, false},
                    ComctlCase{"v4_71", 0x0004'0047, 0x00040047, false},
                    ComctlCase{"v4_72", 0x0004'0048, 0x00040048, true},
                    ComctlCase{"v5_81", 0x0005'0051, 0x00050051, true},
                    ComctlCase{"v6_0", 0x0006'0000, 0x00060000, true},
                    // A major version with bit 15 set makes the signed value negative.
                    ComctlCase{"v32768_0", 0x8000'0000, INT32_MIN, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- program folder and default title ---------------------------------------------------

struct TitleCase {
    const char* name;
    std::string path;
    std::string folder;
    std::string title;
    bool cp1252 = false;  // the path is in code page 1252, not 932
    friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.name; }
};

class DefaultTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(DefaultTitle, IsTheFileNameUpToItsFirstDotLowerCasedAfterTheFirstCharacter) {
    const auto& c = GetParam();
    const sys::LeadBytes lead = c.cp1252 ? sys::LeadBytes() : sys::LeadBytes::Cp932();
    EXPECT_EQ(app::ProgramFolder(c.path, lead), c.folder);
    EXPECT_EQ(app::DefaultTitle(c.path, lead), c.title);
}

// "表" is 95 5C and "ア" is 83 41 in code page 932: the trail bytes look like '\' and 'A'.
const std::string kHyo = "\x95\x5C";
const std::string kA = "\x83\x41";

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultTitle,
    testing::Values(
        TitleCase{"SimulatedProgram", "C:\\tovika\\TOVIKA-SIM.exe", "C:\\tovika\\", "Tovika-sim"},
        TitleCase{"RealProgram", "C:\\Program Files\\TOVIKA\\TOVIKA.EXE", "C:\\Program Files\\TOVIKA\\", "Tovika"},
        TitleCase{"NoFolder", "TOVIKA.exe", "", "Tovika"},
        TitleCase{"DriveWithoutBackslash", "C:TOVIKA.exe", "C:", "Tovika"},
        TitleCase{"NoDot", "C:\\bin\\TOVIKA", "C:\\bin\\", "Tovika"},
        TitleCase{"SeveralDotsCutAtTheFirst", "C:\\a.b\\TOVIKA.v2.backup.exe", "C:\\a.b\\", "Tovika"},
        TitleCase{"DotFirst", "C:\\x\\.exe", "C:\\x\\", ""},
        TitleCase{"Root", "C:\\", "C:\\", ""},
        TitleCase{"UncPath", "\\\\server\\share\\Setup.EXE", "\\\\server\\share\\", "Setup"},
        TitleCase{"OnlyAsciiLettersAreLowered", "C:\\X\\AB_C-9Z.exe", "C:\\X\\", "Ab_c-9z"},
        TitleCase{"TrailByte5CIsNoFolderDelimiter", "C:\\" + kHyo + "\\" + kHyo + "TOOL.exe",
                  "C:\\" + kHyo + "\\", kHyo + "tool"},
        TitleCase{"TrailByteOfANameIsNotLowered", "C:\\d\\X" + kA + "Y.exe", "C:\\d\\", "X" + kA + "y"},
        TitleCase{"DoubleByteFirstCharacterIsKept", "C:\\d\\" + kA + "ABC.exe", "C:\\d\\", kA + "abc"},
        TitleCase{"LeadByteCutOffAtTheEnd", "C:\\d\\AB\x95", "C:\\d\\", "Ab\x95"},
        // On code page 1252 é (E9h) is a letter of its own: the backslash after it ends the
        // folder, where code page 932 would take both for one character.
        TitleCase{"Cp1252FolderEndsAfterALetterAbove7F", "C:\\Caf\xE9\\TOVIKA-SIM.exe", "C:\\Caf\xE9\\",
                  "Tovika-sim", true},
        TitleCase{"Cp1252LettersAbove7FStayInTheTitle", "C:\\x\\\xC9T\xC9.exe", "C:\\x\\", "\xC9t\xC9", true},
        TitleCase{"Cp932SameBytesAreOneCharacter", "C:\\Caf\xE9\\TOVIKA-SIM.exe", "C:\\",
                  "Caf\xE9\\tovika-sim"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowToRestore, IsTheOwnerWhenThereIsOneElseTheWindowItself) {
    EXPECT_EQ(app::WindowToRestore(0x100, 0x200), 0x200u);
    EXPECT_EQ(app::WindowToRestore(0x100, 0), 0x100u);
}

// ---- the entry sequence ------------------------------------------------------------------

// A system that records every call of the sequence in order.
struct FakeSystem : app::EntryPlatform {
    std::string path = "C:\\tovika\\TOVIKA-SIM.exe";
    std::string setupError;       // PreparePorts throws SimSetupError with it when not empty
    std::int32_t comctl = 0x00060000;
    app::Handle openedMutex = 0;  // what OpenNamedMutex returns
    app::Handle createdMutex = 0x44;
    bool createdExisted = false;  // another instance created the mutex in between
    app::WindowHandle window = 0;
    app::WindowHandle owner = 0;
    std::set<app::WindowHandle> minimised;
    bool windowThrows = false;

    std::string title;
    Trace trace;

    void Log(const std::string& s) { trace.push_back(s); }
    static std::string Hex(std::uintptr_t v) {
        char b[20];
        std::snprintf(b, sizeof b, "%X", static_cast<unsigned>(v));
        return b;
    }

    std::string ProgramPath() override { return path; }
    void SetApplicationTitle(const std::string& t) override { title = t, Log("title " + t); }
    void PreparePorts(const std::string& folder) override {
        Log("ports " + folder);
        if (!setupError.empty()) throw hw::SimSetupError(setupError);
    }
    std::int32_t ComctlVersion() override { return Log("comctl"), comctl; }
    void Inform(const std::string& text) override { Log("inform [" + title + "] " + text); }
    app::Handle OpenNamedMutex(const char* name) override { return Log(std::string("open ") + name), openedMutex; }
    app::Handle CreateNamedMutex(const char* name, bool& existed) override {
        Log(std::string("create ") + name);
        existed = createdExisted;
        return createdMutex;
    }
    void CloseMutex(app::Handle h) override { Log("close " + Hex(h)); }
    app::WindowHandle FindMainWindow(const char* cls) override { return Log(std::string("find ") + cls), window; }
    void SetForeground(app::WindowHandle w) override { Log("foreground " + Hex(w)); }
    app::WindowHandle OwnerOf(app::WindowHandle w) override { return Log("owner " + Hex(w)), owner; }
    bool IsMinimised(app::WindowHandle w) override { return Log("iconic " + Hex(w)), minimised.count(w) > 0; }
    void SendRestore(app::WindowHandle w) override { Log("restore " + Hex(w)); }
    void RunMainWindow() override {
        Log("run [" + title + "]");
        if (windowThrows) throw std::runtime_error("RegisterClass failed");
    }
};

struct SequenceCase {
    const char* name;
    void (*arrange)(FakeSystem&);
    Trace trace;
    int status = 0;
    friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }
};

class EntrySequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(EntrySequence, MakesTheseCallsInThisOrder) {
    const auto& c = GetParam();
    FakeSystem os;
    c.arrange(os);
    EXPECT_EQ(app::RunEntrySequence(os), c.status);
    EXPECT_EQ(os.trace, c.trace);
}

const Trace kStart = {"title Tovika-sim", "ports C:\\tovika\\", "comctl"};

// In English the same calls in the same order, with the English texts; the mutex, the class
// and the title stay as they are. From C:\Café\ on code page 1252 the folder is found whole.
TEST(EnglishEntrySequence, MakesTheSameCallsWithEnglishTexts) {
    FakeSystem os;
    os.path = "C:\\Caf\xE9\\TOVIKA-SIM.exe";
    os.openedMutex = 0x55;
    os.window = 0x100;
    EXPECT_EQ(app::RunEntrySequence(os, sys::Language::English, sys::LeadBytes()), 0);
    EXPECT_EQ(os.trace, (Trace{"title Tovika-sim", "ports C:\\Caf\xE9\\", "comctl", "open TOVIKAMUTEX",
                               "inform [Tovika-sim] TOVIKA is already running.", "find TfrmMAIN",
                               "foreground 100", "owner 100", "iconic 100", "close 55"}));
    FakeSystem old;
    old.comctl = 0x00040047;
    app::RunEntrySequence(old, sys::Language::English, sys::LeadBytes());
    EXPECT_EQ(old.trace.back(), "inform [Tovika-sim] COMCTL32.DLL is not installed or is older than version 4.72: "
                                "the program cannot start.");
}

Trace Then(Trace head, const Trace& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::string kAlready = std::string("inform [Tovika-sim] ") + "既に実行されています.";

INSTANTIATE_TEST_SUITE_P(
    Cases, EntrySequence,
    testing::Values(
        SequenceCase{"FirstInstanceRunsTheWindowUnderItsTitleAndThenClosesTheMutex",
                     [](FakeSystem&) {},
                     Then(kStart, {"open TOVIKAMUTEX", "create TOVIKAMUTEX", "title TOVIKA",
                                   "run [TOVIKA]", "close 44"})},
        SequenceCase{"SimulatedNotebookThatCannotStartShowsWhyAndTouchesNothingElse",
                     [](FakeSystem& os) { os.setupError = "sim-firmware.ini の 3 行目が正しくありません"; },
                     {"title Tovika-sim", "ports C:\\tovika\\",
                      "inform [Tovika-sim] sim-firmware.ini の 3 行目が正しくありません"}},
        SequenceCase{"OldCommonControlsAreRefusedBeforeTheMutex",
                     [](FakeSystem& os) { os.comctl = 0x00040047; },
                     Then(kStart, {std::string("inform [Tovika-sim] ") + "COMCTL32.DLLがインストールされていないか、バージョン4.72より古いため起動出来ません"})},
        SequenceCase{"UnreadableCommonControlsAreRefusedEvenWithAnotherInstanceRunning",
                     [](FakeSystem& os) { os.comctl = 0, os.openedMutex = 0x55, os.window = 0x100; },
                     Then(kStart, {std::string("inform [Tovika-sim] ") + "COMCTL32.DLLがインストールされていないか、バージョン4.72より古いため起動出来ません"})},
        SequenceCase{"SecondInstanceBringsAVisibleWindowForwardWithoutRestoring",
                     [](FakeSystem& os) { os.openedMutex = 0x55, os.window = 0x100; },
                     Then(kStart, {"open TOVIKAMUTEX", kAlready, "find TfrmMAIN", "foreground 100",
                                   "owner 100", "iconic 100", "close 55"})},
        SequenceCase{"SecondInstanceRestoresTheMinimisedWindow",
                     [](FakeSystem& os) { os.openedMutex = 0x55, os.window = 0x100, os.minimised = {0x100}; },
                     Then(kStart, {"open TOVIKAMUTEX", kAlready, "find TfrmMAIN", "foreground 100",
                                   "owner 100", "iconic 100", "restore 100", "close 55"})},
        SequenceCase{"SecondInstanceRestoresTheOwnerOfTheWindow",
                     [](FakeSystem& os) {
                         os.openedMutex = 0x55, os.window = 0x100, os.owner = 0x200, os.minimised = {0x200};
                     },
                     Then(kStart, {"open TOVIKAMUTEX", kAlready, "find TfrmMAIN", "foreground 100",
                                   "owner 100", "iconic 200", "restore 200", "close 55"})},
        SequenceCase{"SecondInstanceOnlyTellsWhenTheWindowIsNotThereYet",
                     [](FakeSystem& os) { os.openedMutex = 0x55; },
                     Then(kStart, {"open TOVIKAMUTEX", kAlready, "find TfrmMAIN", "close 55"})},
        SequenceCase{"InstanceThatLosesTheRaceToCreateTheMutexGivesWay",
                     [](FakeSystem& os) { os.createdExisted = true, os.window = 0x100, os.minimised = {0x100}; },
                     Then(kStart, {"open TOVIKAMUTEX", "create TOVIKAMUTEX", kAlready, "find TfrmMAIN",
                                   "foreground 100", "owner 100", "iconic 100", "restore 100", "close 44"})},
        SequenceCase{"MutexThatCannotBeCreatedStillLetsTheProgramRun",
                     [](FakeSystem& os) { os.createdMutex = 0; },
                     Then(kStart, {"open TOVIKAMUTEX", "create TOVIKAMUTEX", "title TOVIKA",
                                   "run [TOVIKA]", "close 0"})},
        SequenceCase{"ErrorEscapingFromTheWindowClosesTheMutexThenIsShown",
                     [](FakeSystem& os) { os.windowThrows = true; },
                     Then(kStart, {"open TOVIKAMUTEX", "create TOVIKAMUTEX", "title TOVIKA",
                                   "run [TOVIKA]", "close 44", "inform [TOVIKA] RegisterClass failed"}),
                     1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
