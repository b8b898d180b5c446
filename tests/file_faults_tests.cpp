// The two files the program writes, against what a real file system can refuse: a read-only
// file, a read-only folder, a file held by another process, a missing folder and a full
// disk. Each ends in the error message with the button back, and nothing that did not
// happen is reported as done. Read-only means immutable here (chattr +i) and the full disk
// is a small tmpfs, because the tests run as root, whom plain permissions do not stop.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/AppRig.h"
#include "hw/HardwareFault.h"
#include "hw/SimFiles.h"
#include "tests/TempDir.h"

namespace {

bool Root() { return ::geteuid() == 0; }

bool Run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

// A file or folder that refuses every change while it lives.
class Immutable {
public:
    explicit Immutable(std::string path) : path_(std::move(path)) {
        ok_ = Run("chattr +i '" + path_ + "'");
    }
    ~Immutable() {
        if (ok_) Run("chattr -i '" + path_ + "'");
    }
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_ = false;
};

// Another process that holds the file open, locked against every other opener.
class HeldByAnotherProcess {
public:
    explicit HeldByAnotherProcess(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
            const char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            char c;
            (void)!::read(release_[0], &c, 1);
            ::_exit(0);
        }
        char ok = 'n';
        (void)!::read(ready[0], &ok, 1);
        ok_ = ok == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~HeldByAnotherProcess() {
        if (pid_ <= 0) return;
        (void)!::write(release_[1], "x", 1);
        ::waitpid(pid_, nullptr, 0);
        ::close(release_[0]);
        ::close(release_[1]);
    }
    bool ok() const { return ok_; }

private:
    pid_t pid_ = -1;
    int release_[2] = {-1, -1};
    bool ok_ = false;
};

// A tmpfs of a few pages, filled up so that not one more block fits.
class FullDisk {
public:
    FullDisk() {
        ok_ = ::mount("tovika", dir_.path().c_str(), "tmpfs", 0, "size=64k") == 0;
        if (ok_) Run("dd if=/dev/zero of='" + dir_.File("filler") + "' bs=4k count=100");
    }
    ~FullDisk() {
        if (ok_) ::umount(dir_.path().c_str());
    }
    bool ok() const { return ok_; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    bool ok_ = false;
};

enum class Fault { ReadOnlyFile, ReadOnlyFolder, HeldOpen, MissingFolder, FullDisk };
const char* Name(Fault f) {
    switch (f) {
    case Fault::ReadOnlyFile: return "ReadOnlyFile";
    case Fault::ReadOnlyFolder: return "ReadOnlyFolder";
    case Fault::HeldOpen: return "HeldOpen";
    case Fault::MissingFolder: return "MissingFolder";
    case Fault::FullDisk: return "FullDisk";
    }
    return "?";
}

struct FileCase {
    Fault fault;
    bool backup;  // the CMOS backup, or the hibernation file
};

std::ostream& operator<<(std::ostream& os, const FileCase& c) {
    return os << (c.backup ? "backup, " : "hibernation file, ") << Name(c.fault);
}

class FileFault : public testing::TestWithParam<FileCase> {};

TEST_P(FileFault, EndsInTheErrorMessageWithTheButtonBack) {
    if (!Root()) GTEST_SKIP() << "needs root for chattr and mount";
    const auto [fault, backup] = GetParam();
    AppRig rig;
    rig.sim.firmware().hibernationSize = 1 << 20;
    auto& f = rig.form;

    TempDir plain;
    FullDisk disk;
    std::string folder = plain.path();
    if (fault == Fault::FullDisk) {
        if (!disk.ok()) GTEST_SKIP() << "cannot mount a tmpfs here";
        folder = disk.dir().path();
    }
    if (fault == Fault::MissingFolder) folder += "missing/";
    const std::string name = backup ? "cmos.dat" : "hiber.dat";
    const std::string path = folder + name;
    rig.env.executablePath = folder + "TOVIKA-SIM.exe";
    f.HibernationPath = path;

    const std::string before = "previous content";
    if (fault == Fault::ReadOnlyFile || fault == Fault::HeldOpen) plain.Write(name, before);
    std::unique_ptr<Immutable> immutable;
    std::unique_ptr<HeldByAnotherProcess> held;
    if (fault == Fault::ReadOnlyFile) immutable = std::make_unique<Immutable>(path);
    if (fault == Fault::ReadOnlyFolder) immutable = std::make_unique<Immutable>(plain.path());
    if (fault == Fault::HeldOpen) held = std::make_unique<HeldByAnotherProcess>(path);
    if (immutable && !immutable->ok()) GTEST_SKIP() << "chattr is not supported here";
    if (held && !held->ok()) GTEST_SKIP() << "cannot hold the file in another process";

    ui::TButton& button = backup ? f.btnCMOSBACKUP : f.btnMAKEHIBER;
    bool disabledMeanwhile = false;
    rig.dialogs.onInform = [&](const std::string&) { disabledMeanwhile = !button.Enabled(); };
    button.Click();

    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0], "エラー： " + path + " が作成できません.");
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(button.Enabled());
    if (fault == Fault::ReadOnlyFile || fault == Fault::HeldOpen) {
        immutable.reset();
        held.reset();
        EXPECT_EQ(plain.Read(name), before) << "a file that could not be created is left as it was";
    }
    if (fault == Fault::ReadOnlyFolder || fault == Fault::MissingFolder) {
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    BackupAndHibernation, FileFault,
    testing::ValuesIn([] {
        std::vector<FileCase> cases;
        for (Fault fault : {Fault::ReadOnlyFile, Fault::ReadOnlyFolder, Fault::HeldOpen,
                            Fault::MissingFolder, Fault::FullDisk})
            for (bool backup : {true, false}) cases.push_back({fault, backup});
        return cases;
    }()),
    [](const auto& info) {
        return std::string(info.param.backup ? "Backup" : "Hibernation") + Name(info.param.fault);
    });

// The simulated notebook's own files: whatever keeps them from being read or written stops
// the program with a message, and nothing of them is lost.
TEST(SimFileFault, FolderWhereTheImageCannotBeCreatedStopsWithAMessage) {
    if (!Root()) GTEST_SKIP() << "needs root for chattr";
    TempDir dir;
    Immutable readOnly(dir.path());
    if (!readOnly.ok()) GTEST_SKIP() << "chattr is not supported here";
    try {
        hw::OpenSimNotebook(dir.path(), SimFiles());
        FAIL() << "started without its CMOS image";
    } catch (const hw::SimSetupError& e) {
        EXPECT_NE(std::string(e.what()).find("sim-cmos.dat を作成できません"), std::string::npos) << e.what();
    }
}

// The reason comes in the window's language, not the system's English.
TEST(SimFileFault, FolderInPlaceOfTheImageSaysWhyInJapanese) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sim-cmos.dat"));
    try {
        hw::OpenSimNotebook(dir.path(), SimFiles());
        FAIL() << "started from a folder";
    } catch (const hw::SimSetupError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("sim-cmos.dat") + " を読めません (ファイルではなくフォルダです).");
    }
}

// The command line says why in the system's English words (strerror).
TEST(SimFileFault, ImageWithoutReadPermissionSaysWhyInEitherLanguage) {
    if (Root()) GTEST_SKIP() << "root reads a file of mode 000";
    TempDir dir;
    dir.Write("sim-cmos.dat", std::string(128, '\0'));
    std::filesystem::permissions(dir.File("sim-cmos.dat"), std::filesystem::perms::none);
    try {
        hw::OpenSimNotebook(dir.path(), SimFiles());
        FAIL() << "started from an unreadable image";
    } catch (const hw::SimSetupError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("sim-cmos.dat") + " を読めません (アクセスが拒否されました).");
        EXPECT_EQ(std::string(e.English()), "cannot read " + dir.File("sim-cmos.dat") + " (Permission denied)");
    }
}

// A reason without a row of its own (here a link that leads to itself, which root cannot
// read either) is the number in the window and the system's words on the command line.
TEST(SimFileFault, ImageThatIsALinkToItselfSaysWhyInEitherLanguage) {
    TempDir dir;
    std::filesystem::create_symlink("sim-cmos.dat", dir.File("sim-cmos.dat"));
    try {
        hw::OpenSimNotebook(dir.path(), SimFiles());
        FAIL() << "started from a link to itself";
    } catch (const hw::SimFileError& e) {
        EXPECT_EQ(std::string(e.what()), dir.File("sim-cmos.dat") + " を読めません (システム エラー (errno " +
                                             std::to_string(ELOOP) + ")).");
        EXPECT_EQ(std::string(e.English()),
                  "cannot read " + dir.File("sim-cmos.dat") + " (Too many levels of symbolic links)");
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("sim-cmos.dat")));
}

TEST(SimFileFault, UnreadableFirmwareFileStopsWithAMessage) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("sim-firmware.ini"));  // a folder reads as nothing
    EXPECT_THROW(hw::OpenSimNotebook(dir.path(), SimFiles()), hw::SimSetupError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("sim-cmos.dat")));
}

TEST(SimFileFault, ImageThatCannotBeSavedReportsTheWriteAndKeepsTheFile) {
    if (!Root()) GTEST_SKIP() << "needs root for chattr";
    TempDir dir;
    auto sim = hw::OpenSimNotebook(dir.path(), SimFiles());
    const std::string image = dir.Read("sim-cmos.dat");
    Immutable readOnly(dir.File("sim-cmos.dat"));
    if (!readOnly.ok()) GTEST_SKIP() << "chattr is not supported here";
    sim->Out(0x70, 0x7A);
    EXPECT_THROW(sim->Out(0x71, 0x78), hw::HardwareFault);
    EXPECT_EQ(dir.Read("sim-cmos.dat"), image);
}

// A byte that could not be saved is not taken either: the CMOS read back is the image that
// a restart finds, not a value whose write was reported as failed.
TEST(SimFileFault, ByteThatCannotBeSavedKeepsItsOldValue) {
    if (!Root()) GTEST_SKIP() << "needs root for chattr";
    TempDir dir;
    auto sim = hw::OpenSimNotebook(dir.path(), SimFiles());
    const std::uint8_t before = sim->cmos()[0x33];
    {
        Immutable readOnly(dir.File("sim-cmos.dat"));
        if (!readOnly.ok()) GTEST_SKIP() << "chattr is not supported here";
        sim->Out(0x70, 0x33);
        EXPECT_THROW(sim->Out(0x71, before ^ 0x80), hw::HardwareFault);
        sim->Out(0x70, 0x33);
        EXPECT_EQ(sim->In(0x71), before);
    }
    // Writable again: the same write is saved and taken.
    sim->Out(0x70, 0x33);
    sim->Out(0x71, before ^ 0x80);
    EXPECT_EQ(sim->cmos()[0x33], before ^ 0x80);
    EXPECT_EQ(static_cast<std::uint8_t>(dir.Read("sim-cmos.dat")[0x33]), before ^ 0x80);
}

}  // namespace
