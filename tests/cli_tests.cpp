// The command line against the simulated notebook in a temporary folder (and, for the clock's
// bytes, the Linux backend over a stand-in nvram file): parsing, the verified writes, restore,
// diff, backup and the refusals that must leave everything as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "actions/FirmwareActions.h"
#include "cli/Cli.h"
#include "hw/SimFiles.h"
#include "hw/linux/LinuxNotebook.h"
#include "settings/Catalogue.h"
#include "settings/SetupIo.h"
#include "sys/posix/PosixSystem.h"
#include "tests/AppRig.h"
#include "tests/CliHost.h"
#include "tests/FakeFiles.h"
#include "tests/TempDir.h"

namespace {

// A simulated notebook folder, and the command line run on it.
struct CliRig {
    TempDir dir;
    TestHost host;

    explicit CliRig(const hw::CmosImage& cmos = hw::FactoryCmos(), const std::string& ini = "") {
        dir.Write("sim-cmos.dat", std::string(cmos.begin(), cmos.end()));
        if (!ini.empty()) dir.Write("sim-firmware.ini", ini);
        host.env["TOVIKA_SIM"] = dir.path();
    }
    int Run(std::vector<std::string> args) {
        host.out.str({});
        host.err.str({});
        return cli::Run(args, host);
    }
    std::string Image() const { return dir.Read("sim-cmos.dat"); }
    settings::Choices Choices() const {
        hw::CmosImage cmos{};
        const std::string image = Image();
        std::copy(image.begin(), image.end(), cmos.begin());
        hw::ImageCmos access(cmos);
        hw::Bus bus(access);
        return settings::LoadChoices(bus);
    }
    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream s(host.out.str());
        for (std::string line; std::getline(s, line);) lines.push_back(line);
        return lines;
    }
};

const settings::Setting& Named(std::string_view control) { return *settings::FindSetting(control); }

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// ---- names and values ------------------------------------------------------------------------

TEST(CliNames, KeysControlNamesItemNamesTextsAndNumbersAllNameTheSameChoice) {
    const char* forms[] = {
        "parallel-mode=epp", "PARALLEL-MODE=EPP", "rgLPTMODE=epp", "rglptmode=#3", "parallel-mode=EPP",
    };
    for (const char* form : forms) {
        CliRig rig;
        EXPECT_EQ(rig.Run({"set", "--dry-run", form}), cli::kDone) << form << rig.host.err.str();
        EXPECT_TRUE(Has(rig.OutLines(), "parallel-mode: ecp → epp")) << form;
    }
    CliRig rig;
    EXPECT_EQ(rig.Run({"set", "--dry-run", "memory-check=省略する", "card-power=off", "sound-port=",
                       "display=Ext. monitor"}), cli::kDone);
    EXPECT_TRUE(Has(rig.OutLines(), "memory-check: run → skip"));
    EXPECT_TRUE(Has(rig.OutLines(), "display: lcd → external"));
    EXPECT_TRUE(Has(rig.OutLines(), "card-power: on → off"));
    EXPECT_TRUE(Has(rig.OutLines(), "sound-port: 220h → (no choice)"));
}

TEST(CliNames, BadInputIsRefusedWithStatus2BeforeAnythingIsWritten) {
    const std::vector<std::vector<std::string>> cases = {
        {"set", "no-such-setting=1"},
        {"set", "parallel-mode=fast"},
        {"set", "serial-port=ecp"},  // a value of another setting
        {"set", "parallel-mode=#4"},
        {"set", "parallel-mode"},
        {"set", "memory-check=省略"},  // texts match whole
        {"set"},
        {"set", "--bogus", "parallel-mode=epp"},
        {"get", "nothing"},
        {"hotkey", "F4"},
        {"frobnicate"},
        {"set", "serial-port=2f8h", "infrared-port=2f8h"},  // the two ports never share
    };
    for (const auto& args : cases) {
        CliRig rig;
        const std::string before = rig.Image();
        EXPECT_EQ(rig.Run(args), cli::kBadInput) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_FALSE(rig.host.err.str().empty());
        EXPECT_EQ(rig.Image(), before);
    }
}

// The usage comes from the command table: every command with its arguments and help in one
// column, the same text on standard output when asked for and on standard error after a
// mistake; a name that is no command is refused.
TEST(CliUsage, HelpListsEveryCommandAndAMistakeShowsTheSameText) {
    TestHost host;
    ASSERT_EQ(cli::Run({"--help"}, host), cli::kDone);
    const std::string help = host.out.str();
    for (const char* line : {"  show [--json]                     every setting as `key = value`\n",
                             "  set [--dry-run] NAME=VALUE...     change settings, verified by reading back\n",
                             "  set [--dry-run] -f FILE           the same from FILE (- for standard input)\n",
                             "  dump                              the CMOS bytes and the firmware's status words\n",
                             "  hiberfile [PATH]                  create the hibernation file\n"})
        EXPECT_NE(help.find(line), std::string::npos) << line << help;
    EXPECT_EQ(cli::Run({"--sim", "x"}, host), cli::kBadInput);
    EXPECT_EQ(host.err.str(), help);
    EXPECT_EQ(cli::Run({"Show"}, host), cli::kBadInput) << "commands are not case-insensitive";
}

TEST(CliNames, SettingsFileTakesCommentsBlankLinesAndItemNumbers) {
    CliRig rig;
    rig.dir.Write("changes.txt",
                  "# changes\n\nparallel-mode = #3   # EPP\n  display = external # 外部モニター\n"
                  "mains-standby = 15\nmains-cpu-speed = Low  # in English\n");
    EXPECT_EQ(rig.Run({"set", "-f", rig.dir.File("changes.txt")}), cli::kDone) << rig.host.err.str();
    const settings::Choices c = rig.Choices();
    EXPECT_EQ(c[Named("rgLPTMODE")], 3);
    EXPECT_EQ(c[Named("rgDISPMODE")], 0);
    EXPECT_EQ(c[Named("cbSTANDBYAC")], 5);
    EXPECT_EQ(c[Named("cbCPUSPEEDAC")], 0);

    rig.dir.Write("bad.txt", "parallel-mode = epp\nsound = loud\n");
    const std::string before = rig.Image();
    EXPECT_EQ(rig.Run({"set", "-f", rig.dir.File("bad.txt")}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("bad.txt:2: unknown setting 'sound'"), std::string::npos) << rig.host.err.str();
    EXPECT_EQ(rig.Image(), before) << "the good first line is not written either";
}

// ---- show, set, the serial rule ------------------------------------------------------------------

TEST(CliSet, ShowOutputSetOnAnotherNotebookGivesItTheSameSettings) {
    hw::CmosImage other = hw::FactoryCmos();
    other[0x60] = 0x09;                     // plug and play, EPP
    other[0x65] = 0xF8, other[0x66] = 0x02;  // serial 2F8h
    other[0x67] = 0x00, other[0x68] = 0x00;  // infrared off
    other[0x6A] = 0x00;                     // sound off, no DMA nor IRQ chosen
    CliRig source(other);
    ASSERT_EQ(source.Run({"show"}), cli::kDone);
    CliRig target;
    target.host.in.str(source.host.out.str());
    ASSERT_EQ(target.Run({"set", "-f", "-"}), cli::kDone) << target.host.err.str();
    EXPECT_EQ(target.Choices(), source.Choices());
    EXPECT_EQ(target.Run({"show"}), cli::kDone);
    EXPECT_EQ(target.host.out.str(), source.host.out.str());
}

TEST(CliSet, SerialRuleMovesTheOtherPortAndSaysSo) {
    CliRig rig;  // serial 3F8h, infrared 2F8h
    ASSERT_EQ(rig.Run({"set", "infrared-port=3f8h"}), cli::kDone) << rig.host.err.str();
    const auto lines = rig.OutLines();
    EXPECT_TRUE(Has(lines, "serial-port: 3f8h → 2f8h  (moved: the serial and the infrared port never share an address)"));
    EXPECT_TRUE(Has(lines, "infrared-port: 2f8h → 3f8h"));
    EXPECT_TRUE(Has(lines, "CMOS 69h: 34 → 43"));
    EXPECT_EQ(rig.Choices()[Named("rgCOM1PORT")], 0);
    EXPECT_EQ(rig.Choices()[Named("rgCOM2PORT")], 1);
}

TEST(CliSet, DryRunPrintsTheChangesAndWritesNothing) {
    CliRig rig;
    const std::string before = rig.Image();
    ASSERT_EQ(rig.Run({"set", "--dry-run", "boot-order=hdd-only"}), cli::kDone);
    EXPECT_EQ(rig.OutLines(), (std::vector<std::string>{"boot-order: fdd-hdd → hdd-only", "CMOS 7Ah: 80 → 78",
                                                         "dry run: nothing written"}));
    EXPECT_EQ(rig.Image(), before);
}

// No choice of the display is stored as the bits of the LCD, which the CMOS holds: the change
// is told in words beside the bytes that do change.
TEST(CliSet, AChangeStoredAsTheBitsAlreadyThereIsToldInWords) {
    CliRig rig;
    const std::string before = rig.Image();
    const std::string told =
        "display: (no choice) is stored as the same bits as lcd, which the CMOS holds already; a load shows lcd";
    ASSERT_EQ(rig.Run({"set", "display="}), cli::kDone) << rig.host.err.str();
    EXPECT_EQ(rig.OutLines(), (std::vector<std::string>{"display: lcd → (no choice)", told,
                                                         "nothing to write: the CMOS holds these settings already"}));
    EXPECT_EQ(rig.Image(), before);
    ASSERT_EQ(rig.Run({"set", "--dry-run", "display=", "boot-order=hdd-only"}), cli::kDone);
    EXPECT_EQ(rig.OutLines(), (std::vector<std::string>{"boot-order: fdd-hdd → hdd-only", "display: lcd → (no choice)",
                                                         told, "CMOS 7Ah: 80 → 78", "dry run: nothing written"}));
}

TEST(CliSet, WritesExactlyWhatTheWindowsUpdateWrites) {
    CliRig rig;
    ASSERT_EQ(rig.Run({"set", "display=both", "mains-suspend=30", "parallel-port=278h"}), cli::kDone);

    AppRig window;  // the same changes made in the window
    window.form.FormShow(nullptr);
    window.form.rgDISPMODE.SetItemIndex(2);
    window.form.cbSUSPENDAC.SetItemIndex(6);
    window.form.rgLPTPORT.SetItemIndex(0);
    window.form.btnUPDATEClick(nullptr);
    EXPECT_EQ(rig.Image(), std::string(window.sim.cmos().begin(), window.sim.cmos().end()));
}

// ---- restore and diff ------------------------------------------------------------------------------

TEST(CliRestore, WritesWhatTheWindowWritesAfterLoadingTheFileAndNothingElse) {
    hw::CmosImage file = hw::FactoryCmos();
    for (int i = 0; i < 0x33; ++i) file[i] = static_cast<std::uint8_t>(0xA5 ^ i);  // clock, checksum, ...
    file[0x33] = 0x80 | 0x55;  // memory check skipped; other firmware bits that must not travel
    file[0x60] = 0b1111'100'1;  // junk above EPP, plug and play
    file[0x64] = 0b111'101'11;  // IRQ 5, DMA 3, junk above
    file[0x6A] = 0x97;          // sound 230h, DMA 1, IRQ 9
    file[0x6B] = 0xEE;          // no setting lives here
    file[0x7B] = 0x11;
    CliRig rig;
    rig.dir.Write("cmos.dat", std::string(file.begin(), file.end()));
    ASSERT_EQ(rig.Run({"restore", "--yes", rig.dir.File("cmos.dat")}), cli::kDone) << rig.host.err.str();

    // The window on a CMOS that holds the file's setup bytes, then 更新 → OK.
    const hw::CmosImage live = hw::FactoryCmos();
    AppRig window;
    window.sim.cmos() = live;
    for (const auto& step : settings::LoadOrder())
        for (std::uint8_t index : step.reads) window.sim.cmos()[index] = file[index];
    window.sim.cmos()[0x33] = (file[0x33] & 0x80) | (live[0x33] & 0x7F);
    window.form.FormShow(nullptr);
    window.form.btnUPDATEClick(nullptr);
    hw::CmosImage expected = live;  // the bytes that the update does not write stay
    for (const auto& step : settings::WriteOrder()) expected[step.index] = window.sim.cmos()[step.index];
    EXPECT_EQ(rig.Image(), std::string(expected.begin(), expected.end()));
    const std::string after = rig.Image();
    EXPECT_EQ(std::uint8_t(after[0x33]), 0x80 | (hw::FactoryCmos()[0x33] & 0x7F)) << "33h keeps its live bits 6-0";
    EXPECT_EQ(std::uint8_t(after[0x6B]), hw::FactoryCmos()[0x6B]);
    EXPECT_EQ(std::uint8_t(after[0x10]), hw::FactoryCmos()[0x10]);

    EXPECT_EQ(rig.Run({"diff", rig.dir.File("cmos.dat")}), cli::kDone) << "nothing differs by name now";
}

TEST(CliRestore, WithoutATerminalNeedsYesAndAtATerminalAsks) {
    hw::CmosImage file = hw::FactoryCmos();
    file[0x7A] = 0x78;
    CliRig rig;
    rig.dir.Write("cmos.dat", std::string(file.begin(), file.end()));
    const std::string before = rig.Image();
    EXPECT_EQ(rig.Run({"restore", rig.dir.File("cmos.dat")}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("--yes"), std::string::npos);
    EXPECT_EQ(rig.Image(), before);

    rig.host.terminal = true;
    rig.host.in.str("n\n");
    EXPECT_EQ(rig.Run({"restore", rig.dir.File("cmos.dat")}), cli::kBadInput);
    EXPECT_EQ(rig.Image(), before);
    rig.host.in.str("y\n");
    EXPECT_EQ(rig.Run({"restore", rig.dir.File("cmos.dat")}), cli::kDone);
    EXPECT_EQ(std::uint8_t(rig.Image()[0x7A]), 0x78);
}

TEST(CliRestore, AFileOfAnotherSizeIsRefusedBeforeTheHardwareIsOpened) {
    TempDir dir;
    TestHost host;
    host.env["TOVIKA_SIM"] = dir.File("not-made-yet");
    dir.Write("short.dat", std::string(127, '\0'));
    EXPECT_EQ(cli::Run({"restore", "--yes", dir.File("short.dat")}, host), cli::kBadInput);
    EXPECT_EQ(cli::Run({"diff", dir.File("short.dat")}, host), cli::kBadInput);
    EXPECT_NE(host.err.str().find("127 bytes"), std::string::npos) << host.err.str();
    EXPECT_FALSE(std::filesystem::exists(dir.File("not-made-yet"))) << "no simulated notebook was opened";
    EXPECT_EQ(cli::Run({"restore", dir.File("missing.dat")}, host), cli::kFileFailed);
}

TEST(CliDiff, ExitStatusTellsWhetherSomethingDiffers) {
    CliRig rig;
    ASSERT_EQ(rig.Run({"backup", rig.dir.File("same.dat")}), cli::kDone);
    EXPECT_EQ(rig.Run({"diff", rig.dir.File("same.dat")}), cli::kDone);
    EXPECT_EQ(rig.host.out.str(), "");
    ASSERT_EQ(rig.Run({"set", "rbMODEBT=user"}), cli::kDone);
    EXPECT_EQ(rig.Run({"diff", rig.dir.File("same.dat"), "--json"}), cli::kDifferent);
    EXPECT_EQ(rig.host.out.str(),
              "{\"differences\":[{\"key\":\"battery-profile\",\"control\":\"rbMODEBT\","
              "\"live\":{\"index\":2,\"text\":\"ユーザ設定\"},\"file\":{\"index\":1,\"text\":\"省電力\"}}]}\n");
}

// ---- the hardware refusing ---------------------------------------------------------------------------

TEST(CliHardware, AByteThatReadsBackOtherwiseIsReportedWithStatus3) {
    CliRig rig(hw::FactoryCmos(), "cmos-stuck-7A = 0x80\n");
    EXPECT_EQ(rig.Run({"set", "boot-order=hdd-only"}), cli::kHardware);
    EXPECT_NE(rig.host.err.str().find("CMOS 7Ah reads back 80 after 78 was written"), std::string::npos)
        << rig.host.err.str();
    EXPECT_TRUE(Has(rig.OutLines(), "CMOS 7Ah: 80 → 78")) << "the change is printed before the write";
}

TEST(CliHardware, ASilentFirmwareStopsEveryWritingCommandBeforeAnyWrite) {
    CliRig rig(hw::FactoryCmos(), "firmware-answers = no\n");
    rig.dir.Write("cmos.dat", rig.Image());
    const std::string before = rig.Image();
    const std::vector<std::vector<std::string>> writing = {
        {"set", "boot-order=hdd-only"},
        {"set", "--dry-run", "boot-order=hdd-only"},
        {"restore", "--yes", rig.dir.File("cmos.dat")},
        {"hotkey", "F2"},
        {"hiberfile", rig.dir.File("hiber.dat")},
    };
    for (const auto& args : writing) {
        EXPECT_EQ(rig.Run(args), cli::kHardware) << args[0];
        EXPECT_NE(rig.host.err.str().find("firmware does not answer"), std::string::npos);
    }
    EXPECT_EQ(rig.Image(), before);
    EXPECT_FALSE(std::filesystem::exists(rig.dir.File("hiber.dat")));
    EXPECT_EQ(rig.Run({"show"}), cli::kDone) << "reading needs no firmware";
}

namespace fs = std::filesystem;

// What the folder holds.
std::set<std::string> Names(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
    return names;
}

// ---- backup ---------------------------------------------------------------------------------------------

TEST(CliBackup, AFailedBackupLeavesNoPartialFileAndTheOldOneAsItWas) {
    // Creating the new file (nothing made, so nothing removed: the name may be another's),
    // writing it, putting it in place: the steps after the simulated notebook's two reads.
    for (int failAt : {3, 4, 5}) {
        SCOPED_TRACE(failAt);
        CliRig rig;
        FakeFiles files;
        files.contents[rig.dir.File("sim-cmos.dat")] = rig.Image();
        files.failAt = failAt;
        rig.host.files = &files;
        EXPECT_EQ(rig.Run({"backup", "cmos.dat"}), cli::kFileFailed);
        std::vector<std::string> tidying;  // what was removed or replaced
        std::copy_if(files.log.begin(), files.log.end(), std::back_inserter(tidying),
                     [](const std::string& s) { return s.rfind("remove", 0) == 0 || s.rfind("replace", 0) == 0; });
        EXPECT_EQ(tidying, failAt == 3 ? std::vector<std::string>{}
                                       : std::vector<std::string>{"remove cmos.dat.n1"});
    }
    CliRig rig;
    rig.dir.Write("cmos.dat", "the old backup");
    ASSERT_EQ(rig.Run({"backup", rig.dir.File("cmos.dat")}), cli::kDone);
    EXPECT_EQ(rig.dir.Read("cmos.dat"), rig.Image());
    EXPECT_EQ(Names(rig.dir), (std::set<std::string>{"cmos.dat", "sim-cmos.dat"})) << "no temporary left";
}

// ---- files made as root in a folder that others may write to --------------------------------------------

// The real file system with the temporary file's names given by the test, so that a link can
// wait at exactly the name that will be tried; after the last name it gives that one again.
struct GivenNames : sys::PosixFileSystem {
    std::vector<std::string> names;
    std::size_t next = 0;
    std::string UnpredictableName() override { return names[std::min(next++, names.size() - 1)]; }
};

// The usual umask for the test's lifetime.
class UsualUmask {
public:
    UsualUmask() : old_(::umask(022)) {}
    ~UsualUmask() { ::umask(old_); }

private:
    mode_t old_;
};

const char kVictim[] = "a file of root's that another user wants overwritten";

// Another user has left a link to a file of root's in the folder, at a name the backup may
// use. The backup never writes through it: it takes another name, or stops with status 4
// naming the file; and the file it makes is private to root, under the usual umask too.
TEST(CliRootFiles, ABackupNeverWritesThroughALinkPlantedInItsFolder) {
    const struct {
        const char* link;
        std::vector<std::string> names;  // empty: the system's own unpredictable names
        int status;
    } cases[] = {
        {"cmos.dat.guessed", {"guessed", "free"}, cli::kDone},  // at the first name tried
        {"cmos.dat.guessed", {"guessed"}, cli::kFileFailed},     // at every name tried
        {"cmos.dat.new", {}, cli::kDone},                        // at the name once used every time
        {"cmos.dat", {}, cli::kDone},                            // at the backup itself: replaced
    };
    const UsualUmask umask;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.link) + (c.names.size() == 1 ? ", every name" : ""));
        CliRig rig;
        GivenNames files;
        files.names = c.names;
        if (!c.names.empty()) rig.host.files = &files;
        rig.dir.Write("victim", kVictim);
        fs::create_symlink(rig.dir.File("victim"), rig.dir.File(c.link));
        const std::string backup = rig.dir.File("cmos.dat");

        EXPECT_EQ(rig.Run({"backup", backup}), c.status) << rig.host.err.str();
        EXPECT_EQ(rig.dir.Read("victim"), kVictim);
        std::set<std::string> left = {"sim-cmos.dat", "victim", c.link};
        if (c.status == cli::kDone) {
            left.insert("cmos.dat");
            EXPECT_FALSE(fs::is_symlink(backup));
            EXPECT_EQ(rig.dir.Read("cmos.dat"), rig.Image());
            EXPECT_EQ(fs::status(backup).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        } else {
            EXPECT_NE(rig.host.err.str().find(backup + ": no free name"), std::string::npos) << rig.host.err.str();
        }
        EXPECT_EQ(Names(rig.dir), left) << "the planted link stays (unless it was the backup), no temporary left";
    }
}

// A link or a FIFO at the hibernation file's path is refused with status 4 naming the path,
// and what it leads to is untouched; a regular file there is overwritten.
TEST(CliRootFiles, TheHibernationFileIsWrittenOnlyIntoARegularFile) {
    enum class Planted { Link, Fifo, File };
    const struct {
        Planted planted;
        int status;
        const char* why;
    } cases[] = {
        {Planted::Link, cli::kFileFailed, ": is a symbolic link, which is not followed"},
        {Planted::Fifo, cli::kFileFailed, ": is a FIFO, not a regular file"},
        {Planted::File, cli::kDone, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.planted));
        CliRig rig(hw::FactoryCmos(), "hibernation-size = 16\n");
        rig.dir.Write("victim", kVictim);
        const std::string path = rig.dir.File("hiber.dat");
        if (c.planted == Planted::Link) fs::create_symlink(rig.dir.File("victim"), path);
        if (c.planted == Planted::Fifo) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
        }
        if (c.planted == Planted::File) rig.dir.Write("hiber.dat", kVictim);

        EXPECT_EQ(rig.Run({"hiberfile", path}), c.status) << rig.host.err.str();
        EXPECT_EQ(rig.dir.Read("victim"), kVictim);
        if (c.why) {
            EXPECT_NE(rig.host.err.str().find(path + c.why), std::string::npos) << rig.host.err.str();
            EXPECT_EQ(fs::symlink_status(path).type(),
                      c.planted == Planted::Link ? fs::file_type::symlink : fs::file_type::fifo);
        } else {
            EXPECT_EQ(rig.dir.Read("hiber.dat"), std::string(14, '\0') + "\xF7\xFE");
        }
    }
}

// A link that leads nowhere, left where the simulated notebook's image is missing, is not
// followed to create a file elsewhere; a link to an image kept elsewhere is used as it is.
TEST(CliRootFiles, TheSimulatedImageIsNotCreatedThroughALink) {
    CliRig rig;
    const std::string image = rig.dir.File("sim-cmos.dat");
    fs::remove(image);
    fs::create_symlink(rig.dir.File("elsewhere.dat"), image);
    EXPECT_EQ(rig.Run({"show"}), cli::kFileFailed);
    EXPECT_NE(rig.host.err.str().find("cannot create " + image + ": something of that name is there already"),
              std::string::npos)
        << rig.host.err.str();
    EXPECT_FALSE(fs::exists(rig.dir.File("elsewhere.dat")));

    const hw::CmosImage factory = hw::FactoryCmos();
    rig.dir.Write("elsewhere.dat", std::string(factory.begin(), factory.end()));
    ASSERT_EQ(rig.Run({"set", "rbMODEBT=user"}), cli::kDone) << rig.host.err.str();
    EXPECT_TRUE(fs::is_symlink(image));
    EXPECT_NE(rig.dir.Read("elsewhere.dat"), std::string(factory.begin(), factory.end()));
}

// ---- the Linux backend: the clock's bytes --------------------------------------------------------------

TEST(CliLinux, TheClocksBytesShowAsDashesAndAreBackedUpAsZero) {
    TempDir dir;
    const hw::CmosImage factory = hw::FactoryCmos();
    dir.Write("nvram", std::string(factory.begin() + 0x0E, factory.end()));
    TestHost host;
    const std::string nvram = dir.File("nvram");
    static const hw::FirmwarePort kSimFirmware = {
        [] { return 0; },
        [](const hw::FirmwareRegisters& regs) {
            static hw::SimNotebook sim;
            return sim.SoftwareCall(regs);
        }};
    host.openNotebook = [&] { return hw::OpenLinuxNotebook(nvram.c_str(), kSimFirmware); };
    ASSERT_EQ(cli::Run({"dump"}, host), cli::kDone) << host.err.str();
    const std::string dump = host.out.str();
    EXPECT_NE(dump.find("00 : --,--,--,--,--,--,--,--,--,--,--,--,--,--,00,00\n"), std::string::npos) << dump;
    ASSERT_EQ(cli::Run({"backup", dir.File("cmos.dat")}, host), cli::kDone) << host.err.str();
    hw::CmosImage expected = factory;
    std::fill(expected.begin(), expected.begin() + 0x0E, 0);
    EXPECT_EQ(dir.Read("cmos.dat"), std::string(expected.begin(), expected.end()));
    ASSERT_EQ(cli::Run({"set", "display=external"}, host), cli::kDone) << host.err.str();
    EXPECT_EQ(std::uint8_t(dir.Read("nvram")[0x6C - 0x0E]), 0x06);
}

}  // namespace

namespace {

// The README's table of settings, made from the catalogue: one row per setting.
// A text in Japanese and in English: "日本語 / English", or the text once where both are
// the same.
std::string BothTexts(const char* japanese, const char* english) {
    return std::string(japanese) + (std::string_view(japanese) == english ? "" : std::string(" / ") + english);
}

std::string SettingsTable() {
    std::string table = "| key | control | page | items: text / English text (name) |\n|---|---|---|---|\n";
    for (const auto& s : settings::Catalogue()) {
        table += std::string("| `") + s.key + "` | `" + s.control + "` | " + BothTexts(s.page, s.pageEnglish) + " | ";
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            const auto& item = s.items[i];
            table += (i ? ", " : "") + (s.kind == settings::ControlKind::CheckBox
                                           ? std::string("`") + item.name + "`"
                                           : BothTexts(item.text, item.english) + " (`" + item.name + "`)");
        }
        table += " |\n";
    }
    return table;
}

TEST(CliReadme, ListsEverySettingWithItsControlPageAndItems) {
    std::ifstream in(std::string(TOVIKA_SOURCE_DIR) + "/README.md");
    const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(readme.find(SettingsTable()), std::string::npos) << "the table should read:\n" << SettingsTable();
}

// Where a document lists the commands: the text from `from` up to `to`, and in it each line
// that `line` matches names a command (its first group); with `after`, only a line that
// follows a line of that text. A command listed in two forms in a row counts once.
struct CommandList {
    const char* file;
    const char* from;
    const char* to;
    const char* line;
    const char* after = nullptr;
};

std::vector<std::string> CommandsListed(const CommandList& list) {
    std::ifstream in(std::string(TOVIKA_SOURCE_DIR) + "/" + list.file);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t from = text.find(list.from);
    if (from == std::string::npos) return {"(no \"" + std::string(list.from) + "\" in " + list.file + ")"};
    std::istringstream part(text.substr(from, text.find(list.to, from + 1) - from));
    const std::regex line(list.line);
    std::vector<std::string> names;
    std::smatch match;
    std::string previous;
    for (std::string l; std::getline(part, l); previous = l) {
        if (list.after && previous != list.after) continue;
        if (std::regex_search(l, match, line) && (names.empty() || names.back() != match[1]))
            names.push_back(match[1]);
    }
    return names;
}

// The usage names the hot keys of their table.
TEST(CliDocs, TheUsageNamesTheHotKeysOfTheirTable) {
    CliRig rig(hw::FactoryCmos());
    EXPECT_EQ(rig.Run({"--help"}), cli::kDone);
    EXPECT_NE(rig.host.out.str().find("hotkey " + actions::HotKeyNames("|", "|")), std::string::npos)
        << rig.host.out.str();
}

// Each document lists every command of the table, in its order, and no other: a new
// command is added to its row and to each of these.
TEST(CliDocs, ListTheCommandsOfTheTable) {
    const CommandList lists[] = {
        {"README.md", "| command | what it does |", "\n\n", R"(^\| `([a-z]+)[ `])"},
        {"packaging/tovika.1.in", "Commands:\n.PP\n.nf", "\n.fi", R"(^\.[BIR]{1,2} "?([a-z]+))"},
        {"packaging/tovika.1.in", ".SH COMMANDS", "\n.SH ", R"(^\.[BIR]{1,2} "?([a-z]+)( |$))", ".TP"},
        {"packaging/README.TXT.in", "■ コマンド", "■ 名前と値", R"(^    ([a-z]+)( |$))"},
        {"packaging/README-EN.TXT.in", "* Commands", "* Names and values", R"(^    ([a-z]+)( |$))"},
    };
    for (const CommandList& list : lists)
        EXPECT_EQ(CommandsListed(list), cli::CommandNames()) << list.file << ", from \"" << list.from << "\"";
}

}  // namespace

namespace {

TEST(CliSim, ASimulatedNotebookThatCannotStartIsToldInEnglishWithStatus2) {
    CliRig rig(hw::FactoryCmos(), "hibernation-size = 12\nstatus-70 = 1\n");
    EXPECT_EQ(rig.Run({"show"}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("sim-firmware.ini, line 2 (the names are hibernation-size"),
              std::string::npos)
        << rig.host.err.str();
    rig.dir.Write("sim-firmware.ini", "");
    rig.dir.Write("sim-cmos.dat", std::string(100, '\0'));
    EXPECT_EQ(rig.Run({"show"}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("sim-cmos.dat is 100 bytes long; a CMOS image is exactly 128 bytes"),
              std::string::npos)
        << rig.host.err.str();
}

// A file of the simulated notebook that cannot be read or made is a file failure, not bad input.
TEST(CliSim, ASimulatedNotebookWhoseFilesCannotBeReadOrMadeEndsWithStatus4) {
    const struct { const char* what; std::function<void(CliRig&)> arrange; const char* said; } cases[] = {
        {"image is a folder", [](CliRig& r) {
             fs::remove(r.dir.File("sim-cmos.dat"));
             fs::create_directory(r.dir.File("sim-cmos.dat"));
         }, "sim-cmos.dat (a folder, not a file)"},
        {"settings are a folder", [](CliRig& r) { fs::create_directory(r.dir.File("sim-firmware.ini")); },
         "sim-firmware.ini (a folder, not a file)"},
        {"folder missing", [](CliRig& r) { r.host.env["TOVIKA_SIM"] = r.dir.File("gone"); }, "cannot create"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CliRig rig;
        c.arrange(rig);
        EXPECT_EQ(rig.Run({"show"}), cli::kFileFailed);
        EXPECT_NE(rig.host.err.str().find(c.said), std::string::npos) << rig.host.err.str();
        EXPECT_FALSE(fs::exists(rig.dir.File("gone")));
    }
}

// ---- CMOS image files ---------------------------------------------------------------------------

// An image file, and no notebook that may be opened instead: TOVIKA_SIM names a folder that
// is not there, and the real notebook (where TOVIKA_NVRAM would lead) fails the test if it
// is asked for.
// Something that is not a file at `path`: "fifo", "socket", "link to fifo" (a FIFO beside it
// and a link to that), or a link to the device named.
void MakeNonFile(const std::string& path, const std::string& what) {
    fs::remove(path);
    if (what == "fifo") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else if (what == "link to fifo") {
        ASSERT_EQ(::mkfifo((path + ".fifo").c_str(), 0644), 0);
        fs::create_symlink(path + ".fifo", path);
    } else if (what == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::copy(path.begin(), path.end(), address.sun_path);
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);  // the socket file stays
    } else {
        fs::create_symlink(what, path);
    }
}

struct ImageRig {
    TempDir dir;
    TestHost host;
    std::string image = dir.File("cmos.dat");

    explicit ImageRig(const std::string& content) {
        dir.Write("cmos.dat", content);
        host.env["TOVIKA_SIM"] = dir.File("no-sim");
        host.openNotebook = []() -> std::unique_ptr<hw::Notebook> {
            ADD_FAILURE() << "the real notebook was opened";
            throw hw::HardwareFault("no notebook here");
        };
    }
    int Run(std::vector<std::string> args) {
        host.out.str({});
        host.err.str({});
        args.insert(args.begin(), {"--image", image});
        return cli::Run(args, host);
    }
};

std::string Bytes(const hw::CmosImage& image) { return std::string(image.begin(), image.end()); }

// The upper bank of a 256-byte image, as nvramtool leaves it: not CMOS of ours, kept as it is.
std::string UpperBank() {
    std::string upper(hw::kCmosSize, '\0');
    for (std::size_t i = 0; i < upper.size(); ++i) upper[i] = static_cast<char>(0xA5 ^ i);
    return upper;
}

// An image edited by set, then restored on a notebook, gives it exactly the edited setting;
// the file keeps its size, its upper bank and its mode, and is written through a new file
// that takes its place (no temporary left).
TEST(CliImage, AnEditedImageRestoresExactlyTheEditedSettingOnANotebook) {
    const UsualUmask umask;
    for (const bool twoBanks : {false, true}) {
        SCOPED_TRACE(twoBanks ? "256 bytes" : "128 bytes");
        const std::string factory = Bytes(hw::FactoryCmos());
        ImageRig rig(factory + (twoBanks ? UpperBank() : ""));
        fs::permissions(rig.image, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        // Root writing a user's image leaves it the user's (else the user could not read it).
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::chown(rig.image.c_str(), 65534, 65534), 0);
        }

        ASSERT_EQ(rig.Run({"set", "display=both"}), cli::kDone) << rig.host.err.str();
        std::string edited = factory;
        edited[0x6C] = 0x04;
        EXPECT_EQ(rig.dir.Read("cmos.dat"), edited + (twoBanks ? UpperBank() : ""));
        EXPECT_EQ(fs::status(rig.image).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        struct stat written {};
        ASSERT_EQ(::stat(rig.image.c_str(), &written), 0);
        if (root) {
            EXPECT_EQ(written.st_uid, 65534u);
        }
        EXPECT_EQ(Names(rig.dir), std::set<std::string>{"cmos.dat"}) << "no temporary left, no notebook made";
        EXPECT_EQ(rig.Run({"get", "display"}), cli::kDone);
        EXPECT_EQ(rig.host.out.str(), "both\n");

        CliRig notebook;
        ASSERT_EQ(notebook.Run({"restore", "--yes", rig.image}), cli::kDone) << notebook.host.err.str();
        EXPECT_EQ(notebook.Image(), edited);
        EXPECT_EQ(notebook.Run({"diff", rig.image}), cli::kDone);
    }
}

// Without a firmware: the writes need no answer and make no call (the image's bus refuses
// every call), dump shows the bytes alone, the commands that are firmware calls refuse, and
// backup copies the 128 bytes of the image into a new, private file.
TEST(CliImage, AnImageHasNoFirmware) {
    const std::string content = Bytes(hw::FactoryCmos()) + UpperBank();
    ImageRig rig(content);
    fs::copy_file(rig.image, rig.dir.File("restored.dat"));
    EXPECT_EQ(rig.Run({"restore", "--yes", rig.dir.File("restored.dat")}), cli::kDone) << rig.host.err.str();
    EXPECT_EQ(rig.Run({"set", "boot-order=hdd-only"}), cli::kDone) << rig.host.err.str();
    const std::string edited = rig.dir.Read("cmos.dat");
    EXPECT_EQ(std::uint8_t(edited[0x7A]), 0x78);

    EXPECT_EQ(rig.Run({"dump"}), cli::kDone) << rig.host.err.str();
    EXPECT_EQ(rig.host.out.str().rfind("CMOS +0 +1 +2 +3 +4 +5 +6 +7 +8 +9 +A +B +C +D +E +F\n00 : ", 0), 0u);
    EXPECT_NE(rig.host.out.str().find("70 : 05,18,23,0A,00,1E,1A,02,05,0A,78,"), std::string::npos);
    EXPECT_NE(rig.host.out.str().find("no firmware status words"), std::string::npos) << rig.host.out.str();

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"report"}, {"report", "--json"}, {"hotkey", "F2"}, {"hiberfile", rig.dir.File("hiber.dat")}}) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(rig.Run(args), cli::kBadInput);
        EXPECT_NE(rig.host.err.str().find(args[0] + " needs the notebook's firmware"), std::string::npos)
            << rig.host.err.str();
        EXPECT_EQ(rig.host.out.str(), "");
    }
    EXPECT_FALSE(fs::exists(rig.dir.File("hiber.dat")));

    ASSERT_EQ(rig.Run({"backup", rig.dir.File("copy.dat")}), cli::kDone) << rig.host.err.str();
    EXPECT_EQ(rig.dir.Read("copy.dat"), edited.substr(0, hw::kCmosSize));
    EXPECT_EQ(fs::status(rig.dir.File("copy.dat")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(rig.dir.Read("cmos.dat"), edited);
}

// A file that is no image: the size named with status 2, a folder or an unreadable file with
// status 4; whatever the command, every file stays as it was and nothing else is made.
TEST(CliImage, ABadImageIsRefusedAndEveryFileStaysAsItWas) {
    const struct {
        const char* what;
        std::function<void(ImageRig&)> arrange;
        int status;
        std::string said;
    } cases[] = {
        {"empty", [](ImageRig& r) { r.dir.Write("cmos.dat", ""); }, cli::kBadInput, "cmos.dat is 0 bytes long"},
        {"127 bytes", [](ImageRig& r) { r.dir.Write("cmos.dat", std::string(127, 'x')); }, cli::kBadInput, "127 bytes"},
        {"129 bytes", [](ImageRig& r) { r.dir.Write("cmos.dat", std::string(129, 'x')); }, cli::kBadInput, "129 bytes"},
        {"300 bytes", [](ImageRig& r) { r.dir.Write("cmos.dat", std::string(300, 'x')); }, cli::kBadInput, "300 bytes"},
        {"a folder", [](ImageRig& r) {
             fs::remove(r.image);
             fs::create_directory(r.image);
         }, cli::kFileFailed, "cmos.dat is a folder, not a regular file"},
        {"missing", [](ImageRig& r) { fs::remove(r.image); }, cli::kFileFailed, "cmos.dat: No such file"},
        // What is not a file is refused at once, before a byte of it is read.
        {"a FIFO without a writer", [](ImageRig& r) { MakeNonFile(r.image, "fifo"); }, cli::kFileFailed,
         "cmos.dat is a FIFO (a named pipe), not a regular file"},
        {"a socket", [](ImageRig& r) { MakeNonFile(r.image, "socket"); }, cli::kFileFailed,
         "cmos.dat is a socket, not a regular file"},
        {"a link to a device that never ends", [](ImageRig& r) { MakeNonFile(r.image, "/dev/zero"); },
         cli::kFileFailed, "cmos.dat is a character device, not a regular file"},
        {"a link to a FIFO", [](ImageRig& r) { MakeNonFile(r.image, "link to fifo"); }, cli::kFileFailed,
         "cmos.dat is a FIFO (a named pipe), not a regular file"},
        {"the device itself", [](ImageRig& r) { r.image = "/dev/zero"; }, cli::kFileFailed,
         "/dev/zero is a character device, not a regular file"},
    };
    const std::vector<std::vector<std::string>> commands = {
        {"show"}, {"get", "display"}, {"set", "display=both"}, {"dump"}, {"backup", "copy.dat"}, {"diff", "other.dat"},
        {"restore", "--yes", "other.dat"}};
    for (const auto& c : cases) {
        for (auto args : commands) {
            SCOPED_TRACE(std::string(c.what) + ", " + args[0]);
            ImageRig rig(Bytes(hw::FactoryCmos()));
            c.arrange(rig);
            rig.dir.Write("other.dat", Bytes(hw::FactoryCmos()));
            for (std::string& a : args)
                if (a.find(".dat") != std::string::npos) a = rig.dir.File(a);
            const bool isFile = fs::is_regular_file(fs::symlink_status(rig.image));
            const std::string before = isFile ? rig.dir.Read("cmos.dat") : "";
            const std::set<std::string> names = Names(rig.dir);
            EXPECT_EQ(rig.Run(args), c.status);
            EXPECT_NE(rig.host.err.str().find(c.said), std::string::npos) << rig.host.err.str();
            EXPECT_EQ(rig.host.out.str(), "");
            EXPECT_EQ(Names(rig.dir), names);
            if (isFile) {
                EXPECT_EQ(rig.dir.Read("cmos.dat"), before);
            }
            EXPECT_EQ(rig.dir.Read("other.dat"), Bytes(hw::FactoryCmos()));
        }
    }
    // A file that cannot be read though it is there (as root, only a file system double can
    // refuse it).
    ImageRig rig(Bytes(hw::FactoryCmos()));
    FakeFiles files;
    files.contents[rig.image] = Bytes(hw::FactoryCmos());
    files.unreadable.insert(rig.image);
    rig.host.files = &files;
    EXPECT_EQ(rig.Run({"set", "display=both"}), cli::kFileFailed);
    EXPECT_NE(rig.host.err.str().find("cannot read " + rig.image), std::string::npos) << rig.host.err.str();
    EXPECT_EQ(files.contents.size(), 1u);
}

// An edited image whose saved file reads back otherwise (a file system that changes or cuts
// what it was given): each byte that differs is said, or the size that came back, and the
// command ends with status 4 instead of saying that it was written.
TEST(CliImage, ASavedImageThatReadsBackOtherwiseEndsWithStatus4) {
    // Hands the image back as `after` makes it once a saved file has taken its place.
    struct ChangingFiles : FakeFiles {
        std::function<void(std::string&)> after;
        sys::FileStart ReadRegular(const std::string& path, std::size_t limit, bool pipes = false) override {
            sys::FileStart start = FakeFiles::ReadRegular(path, limit, pipes);
            const bool saved = std::any_of(log.begin(), log.end(),
                                           [](const std::string& step) { return step.rfind("replace ", 0) == 0; });
            if (saved) after(start.bytes);
            return start;
        }
    };
    const struct {
        const char* what;
        std::function<void(std::string&)> after;
        std::string said;  // after the image's path
    } cases[] = {
        // display=both writes 04 into 6Ch.
        {"two bytes changed", [](std::string& b) { b[0x6C] = 0x05, b[0x7F] = '\xA5'; },
         ": byte 6Ch reads back 05 after 04 was written\ntovika: IMAGE: byte 7Fh reads back A5 after 00 was written\n"},
        {"cut short", [](std::string& b) { b.pop_back(); }, " reads back as 127 bytes after 128 were written\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hw::CmosImage factory = hw::FactoryCmos();
        factory[0x7F] = 0;
        ImageRig rig(Bytes(factory));
        ChangingFiles files;
        files.contents[rig.image] = Bytes(factory);
        files.after = c.after;
        rig.host.files = &files;
        EXPECT_EQ(rig.Run({"set", "display=both"}), cli::kFileFailed);
        std::string said = c.said;
        for (std::size_t at; (at = said.find("IMAGE")) != std::string::npos;) said.replace(at, 5, rig.image);
        EXPECT_EQ(rig.host.err.str(), "tovika: " + rig.image + said);
        EXPECT_EQ(rig.host.out.str().find("written and read back"), std::string::npos) << rig.host.out.str();
    }
}

// A backup or settings file that is not a file, against every command that reads one, on a
// simulated notebook: each ends at once with its message and status 4, and no file changes. A
// settings file may be a pipe; one that nobody writes to ends at once, empty.
TEST(CliNonFiles, EveryCommandThatReadsAFileRefusesWhatIsNotOneAtOnce) {
    const struct {
        const char* what;
        const char* make;  // for MakeNonFile
        const char* said;
    } cases[] = {
        {"a FIFO", "fifo", "is a FIFO (a named pipe), not a regular file"},
        {"a socket", "socket", "is a socket, not a regular file"},
        {"a link to a character device", "/dev/zero", "is a character device, not a regular file"},
        {"a link to the null device", "/dev/null", "is a character device, not a regular file"},
    };
    const std::vector<std::vector<std::string>> commands = {
        {"diff", "x"}, {"restore", "--yes", "x"}, {"--image", "x", "show"}, {"--image", "x", "set", "display=both"}};
    for (const auto& c : cases) {
        for (auto args : commands) {
            SCOPED_TRACE(std::string(c.what) + ", " + args[0] + " " + args[1]);
            CliRig rig;
            for (std::string& a : args)
                if (a == "x") a = rig.dir.File("x");
            MakeNonFile(rig.dir.File("x"), c.make);
            const std::string before = rig.Image();
            const std::set<std::string> names = Names(rig.dir);
            EXPECT_EQ(rig.Run(args), cli::kFileFailed);
            EXPECT_NE(rig.host.err.str().find(rig.dir.File("x") + " " + c.said), std::string::npos)
                << rig.host.err.str();
            EXPECT_EQ(rig.Image(), before);
            EXPECT_EQ(Names(rig.dir), names);
        }
    }
    // set -f: a device is refused; a pipe is read, and one without a writer is empty.
    CliRig rig;
    const std::string before = rig.Image();
    EXPECT_EQ(rig.Run({"set", "-f", "/dev/zero"}), cli::kFileFailed);
    EXPECT_NE(rig.host.err.str().find("/dev/zero is a character device"), std::string::npos) << rig.host.err.str();
    MakeNonFile(rig.dir.File("settings"), "fifo");
    EXPECT_EQ(rig.Run({"set", "-f", rig.dir.File("settings")}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("no settings to set"), std::string::npos) << rig.host.err.str();
    EXPECT_EQ(rig.Image(), before);
}

// The simulated notebook's own files: a FIFO or a link to a device in their place stops the
// command at once, with status 4.
TEST(CliNonFiles, ASimulatedNotebooksFileThatIsNotAFileIsRefusedAtOnce) {
    for (const char* name : {"sim-cmos.dat", "sim-firmware.ini"}) {
        for (const char* make : {"fifo", "/dev/zero", "socket"}) {
            SCOPED_TRACE(std::string(name) + " " + make);
            CliRig rig;
            MakeNonFile(rig.dir.File(name), make);
            EXPECT_EQ(rig.Run({"show"}), cli::kFileFailed);
            EXPECT_NE(rig.host.err.str().find(", not a regular file"), std::string::npos) << rig.host.err.str();
        }
    }
}

// Larger than anything that is taken: a settings file over 1 MiB (a file, or standard input
// that goes on) and a sim-firmware.ini over 1 MiB are bad input, and nothing is written.
TEST(CliNonFiles, AFileTooLargeIsRefusedWithoutReadingItAll) {
    CliRig rig;
    const std::string before = rig.Image();
    const std::string big = "display = both\n" + std::string(std::size_t{1} << 20, '#');
    rig.dir.Write("settings", big);
    EXPECT_EQ(rig.Run({"set", "-f", rig.dir.File("settings")}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("is larger than 1048576 bytes"), std::string::npos) << rig.host.err.str();
    rig.host.in.str(big);
    EXPECT_EQ(rig.Run({"set", "-f", "-"}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("standard input is larger than 1048576 bytes"), std::string::npos)
        << rig.host.err.str();
    EXPECT_EQ(rig.Image(), before);
    rig.dir.Write("sim-firmware.ini", "hibernation-size = 1\n" + std::string(std::size_t{1} << 20, '#'));
    EXPECT_EQ(rig.Run({"show"}), cli::kBadInput);
    EXPECT_NE(rig.host.err.str().find("sim-firmware.ini is larger than 1048576 bytes"), std::string::npos)
        << rig.host.err.str();
}

// A link given as the image to write is refused, and changes nothing; read, it is followed.
TEST(CliLinks, AnImageThatIsALinkIsReadButNeverWrittenThrough) {
    ImageRig rig(Bytes(hw::FactoryCmos()));
    rig.dir.Write("a.img", Bytes(hw::FactoryCmos()));
    fs::remove(rig.image);
    fs::create_symlink(rig.dir.File("a.img"), rig.image);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set", "display=both"}, {"restore", "--yes", rig.dir.File("a.img")}}) {
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(rig.Run(args), cli::kFileFailed);
        EXPECT_NE(rig.host.err.str().find(rig.image + " is a symbolic link"), std::string::npos) << rig.host.err.str();
        EXPECT_TRUE(fs::is_symlink(rig.image));
        EXPECT_EQ(rig.dir.Read("a.img"), Bytes(hw::FactoryCmos()));
        EXPECT_EQ(Names(rig.dir), (std::set<std::string>{"a.img", "cmos.dat"}));
    }
    EXPECT_EQ(rig.Run({"get", "display"}), cli::kDone);
    EXPECT_EQ(rig.Run({"dump"}), cli::kDone);
}

// Another program's lock that is not let go: the command waits, then ends with status 4,
// naming the file, and writes nothing.
TEST(CliLocks, ALockThatIsNotLetGoEndsTheCommandAndNothingIsWritten) {
    ImageRig rig(Bytes(hw::FactoryCmos()));
    FakeFiles files;
    files.contents[rig.image] = Bytes(hw::FactoryCmos());
    files.busy.insert(rig.image);
    rig.host.files = &files;
    EXPECT_EQ(rig.Run({"set", "display=both"}), cli::kFileFailed);
    EXPECT_NE(rig.host.err.str().find(rig.image + " is being written by another program"), std::string::npos)
        << rig.host.err.str();
    EXPECT_EQ(files.contents[rig.image], Bytes(hw::FactoryCmos()));
    EXPECT_EQ(files.log, std::vector<std::string>{}) << "nothing read before the lock";
}

// The lock of the real files: a writer waits for a reader's or writer's lock until its wait
// runs out; readers share; a lock survives the rename that replaces the file.
TEST(CliLocks, PosixLocksExcludeWritersShareReadersAndFollowARename) {
    TempDir dir;
    sys::PosixFileSystem files;
    dir.Write("image", "one");
    {
        auto reader = files.Lock(dir.File("image"), false, 0);
        ASSERT_NE(reader, nullptr);
        EXPECT_NE(files.Lock(dir.File("image"), false, 0), nullptr) << "readers share";
        EXPECT_EQ(files.Lock(dir.File("image"), true, 20), nullptr) << "a writer waits for readers";
    }
    auto writer = files.Lock(dir.File("image"), true, 0);
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(files.Lock(dir.File("image"), false, 20), nullptr) << "a reader waits for the writer";
    // The writer replaces the file: the new one is free at once, as its lock is on the old.
    dir.Write("new", "two");
    files.Replace(dir.File("new"), dir.File("image"));
    EXPECT_NE(files.Lock(dir.File("image"), true, 0), nullptr);
    // A folder is locked as well; nothing there gives a lock that holds nothing.
    EXPECT_NE(files.Lock(dir.path(), true, 0), nullptr);
    EXPECT_NE(files.Lock(dir.File("missing"), true, 0), nullptr);
}

// --image and --sim exclude each other, in either order and either spelling; --image beats
// TOVIKA_SIM and TOVIKA_NVRAM (ImageRig fails when either is used).
TEST(CliImage, ImageAndSimExcludeEachOtherAndTheImageBeatsTheEnvironment) {
    ImageRig rig(Bytes(hw::FactoryCmos()));
    const std::vector<std::vector<std::string>> both = {
        {"--sim", rig.dir.path(), "show"}, {"--sim=" + rig.dir.path(), "show"}};
    for (const auto& args : both) {
        EXPECT_EQ(rig.Run(args), cli::kBadInput);
        EXPECT_NE(rig.host.err.str().find("--image and --sim exclude each other"), std::string::npos);
    }
    rig.host.out.str({});
    EXPECT_EQ(cli::Run({"--sim", rig.dir.path(), "--image=" + rig.image, "show"}, rig.host), cli::kBadInput);
    EXPECT_EQ(cli::Run({"--image", "", "show"}, rig.host), cli::kBadInput);
    EXPECT_EQ(cli::Run({"--image"}, rig.host), cli::kBadInput);
    EXPECT_EQ(rig.Run({"show"}), cli::kDone) << rig.host.err.str();
    EXPECT_FALSE(fs::exists(rig.dir.File("no-sim")));
    EXPECT_FALSE(fs::exists(rig.dir.path() + "sim-cmos.dat"));
}

}  // namespace

namespace {

// ---- the language of show and report ------------------------------------------------------------

// The Linux rule: the first non-empty of LC_ALL, LC_MESSAGES and LANG; Japanese only for a
// Japanese locale in UTF-8; Japanese can be shown wherever the codeset is UTF-8.
TEST(CliLanguage, TheLocaleDecidesAndOnlyJapaneseInUtf8IsJapanese) {
    using L = sys::Language;
    const std::optional<std::string> none;
    const struct {
        std::optional<std::string> all, messages, lang;
        L language;
        bool shows;
    } cases[] = {
        {none, none, "ja_JP.UTF-8", L::Japanese, true},
        {none, none, "ja_JP.utf8", L::Japanese, true},
        {none, none, "ja_JP.UTF-8@cjknarrow", L::Japanese, true},
        {none, none, "ja_JP.eucJP", L::English, false},  // Japanese, but not UTF-8
        {none, none, "ja_JP", L::English, false},
        {none, none, "ja", L::English, false},
        {none, none, "en_US.UTF-8", L::English, true},
        {none, none, "C.UTF-8", L::English, true},
        {none, none, "C", L::English, false},
        {none, none, none, L::English, false},  // nothing set: the C locale
        {"", "", "ja_JP.UTF-8", L::Japanese, true},  // empty ones do not count
        {"C", none, "ja_JP.UTF-8", L::English, false},
        {"en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", L::English, true},
        {none, "ja_JP.UTF-8", "en_US.UTF-8", L::Japanese, true},
        {none, "en_GB.UTF-8", "ja_JP.UTF-8", L::English, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.all.value_or("-") + " " + c.messages.value_or("-") + " " + c.lang.value_or("-"));
        const cli::OutputLanguage out = cli::LocaleLanguage(c.all, c.messages, c.lang);
        EXPECT_EQ(out.usual, c.language);
        EXPECT_EQ(out.showsJapanese, c.shows);
    }
    EXPECT_EQ(cli::CodePageLanguage(932).usual, L::Japanese);
    EXPECT_TRUE(cli::CodePageLanguage(932).showsJapanese);
    for (unsigned cp : {437u, 850u, 1252u, 65001u}) {
        EXPECT_EQ(cli::CodePageLanguage(cp).usual, L::English) << cp;
        EXPECT_FALSE(cli::CodePageLanguage(cp).showsJapanese) << cp;
    }
}

bool Ascii(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        for (char c : line)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The same lines with the same values in both languages: only the page captions, the item
// texts and the report's labels change, and English holds no byte above 7Fh. --lang beats the
// output's own language; JSON is the same byte for byte.
TEST(CliLanguage, ShowAndReportPrintTheSameLinesInEitherLanguage) {
    const cli::OutputLanguage japanese{sys::Language::Japanese, true, ""};
    const cli::OutputLanguage english{sys::Language::English, true, ""};
    const auto run = [](const cli::OutputLanguage& output, std::vector<std::string> args) {
        CliRig rig;
        rig.host.language = output;
        EXPECT_EQ(rig.Run(args), cli::kDone) << rig.host.err.str();
        EXPECT_EQ(rig.host.err.str(), "");
        return rig.OutLines();
    };
    for (const std::string command : {"show", "report"}) {
        SCOPED_TRACE(command);
        const std::vector<std::string> ja = run(japanese, {command}), en = run(english, {command});
        EXPECT_EQ(run(english, {"--lang", "ja", command}), ja);
        EXPECT_EQ(run(japanese, {"--lang=en", command}), en);
        EXPECT_FALSE(Ascii(ja));
        EXPECT_TRUE(Ascii(en));
        ASSERT_EQ(en.size(), ja.size());
        // show: a line for each setting, and a heading and a blank line between pages.
        std::set<std::string> pages;
        for (const settings::Setting& s : settings::Catalogue()) pages.insert(s.page);
        EXPECT_EQ(en.size(), command == "show" ? settings::Catalogue().size() + 2 * pages.size() - 1 : 22u);
        for (std::size_t i = 0; i < ja.size(); ++i) {
            // show: `key = name` before the comment; report: the value after the label.
            const std::string& j = ja[i];
            const std::string& e = en[i];
            if (command == "show" && j.find(" = ") != std::string::npos) {
                EXPECT_EQ(e.substr(0, e.find("  # ")), j.substr(0, j.find("  # ")));
            } else if (j.find_first_of("=:") != std::string::npos) {
                EXPECT_EQ(e.substr(e.find_last_of("=:")), j.substr(j.find_last_of("=:")));
            } else if (!j.empty()) {
                EXPECT_NE(e, j) << "a heading in English";
            }
        }
        EXPECT_EQ(run(english, {command, "--json"}), run(japanese, {command, "--json"}));
    }
}

// Japanese asked for where the output cannot show it: said on standard error, English
// printed, and an ASCII arrow. A value of --lang other than ja or en is bad input.
TEST(CliLanguage, JapaneseWhereItCannotBeShownGivesEnglishAndSaysWhy) {
    CliRig rig;
    rig.host.language = cli::LocaleLanguage(std::nullopt, std::nullopt, "C");
    ASSERT_EQ(rig.Run({"--lang", "ja", "show"}), cli::kDone);
    EXPECT_EQ(rig.host.err.str(),
              "tovika: --lang ja: Japanese cannot be shown here (the locale C is not UTF-8); English is printed\n");
    EXPECT_TRUE(Has(rig.OutLines(), "# System")) << rig.host.out.str();
    // The arrow of a change is ASCII there too.
    rig.host.language = cli::CodePageLanguage(1252);
    ASSERT_EQ(rig.Run({"set", "--dry-run", "display=both"}), cli::kDone);
    EXPECT_TRUE(Has(rig.OutLines(), "display: lcd -> both")) << rig.host.out.str();
    EXPECT_TRUE(Has(rig.OutLines(), "CMOS 6Ch: 00 -> 04")) << rig.host.out.str();
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--lang", "de", "show"},
                                                 std::vector<std::string>{"--lang"}, {"--lang=", "show"}}) {
        EXPECT_EQ(rig.Run(args), cli::kBadInput);
        EXPECT_NE(rig.host.err.str().find("--lang"), std::string::npos) << rig.host.err.str();
        EXPECT_EQ(rig.host.out.str(), "");
    }
}

}  // namespace
