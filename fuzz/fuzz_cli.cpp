// The command line's inputs from the fuzzer: an argument vector, the files it names (settings
// files for `set -f`, backups of any size and content), standard input, and the simulated
// notebook's sim-cmos.dat and sim-firmware.ini. Each input runs through cli::Run on a host of
// this file whose files live in memory, so that no fuzzed path reaches the real disk; the
// simulated notebook's two files live in one private temporary folder, and every `--sim` the
// fuzzer writes names that folder. Checked for every input (a violation aborts):
// - the status is one of the documented ones, and every failure says something;
// - status 2 (bad input) has written nothing: sim-cmos.dat, the in-memory files and the
//   machine are as they were;
// - a file that could not be read ends with status 4;
// - any 128-byte backup is valid input: diff and restore --yes of it never end with 2; after
//   the restore, diff finds no difference (but where the backup holds no choice) and a second
//   restore has nothing to write.
//
// An input is text in sections (see fuzz/cli-seeds):
//   OPTIONS                   letters, see below
//   ARGUMENT                  one argument per line, up to the first section
//   ...
//   === stdin                 standard input
//   === ini                   sim-firmware.ini (absent: no such file)
//   === cmos                  sim-cmos.dat (absent: no such file, the program creates it)
//   === file NAME             a file in memory, with the bytes that follow
//   === unreadable NAME       a file in memory that cannot be read
//   === busy NAME             a file whose lock another program holds for the whole wait
//   === link NAME             a file in memory that is a symbolic link (to its own bytes)
// Each section's body is what lies between its header line and the next "\n=== ".
// Options: e  the simulated notebook is given by TOVIKA_SIM, not by --sim before the command
//          r  no simulated notebook: the real one, which cannot be reached ...
//          m  ... unless this is given: then it is a simulated machine in memory
//          n  that machine is of the 95/98/Me family (no giveio needed); g: giveio missing
//          t  standard input is a terminal
//          w  hiberfile has a default path (as on Windows)
//          u  sim-cmos.dat is a folder, which cannot be read (the cmos section is not used)
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/Cli.h"
#include "hw/SimFiles.h"
#include "hw/linux/LinuxNotebook.h"
#include "tests/CliHost.h"
#include "tests/FakeFiles.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// ---- the input --------------------------------------------------------------------------------

struct Input {
    std::string options;
    std::vector<std::string> args;
    std::string stdinText;
    std::optional<std::string> ini, cmos;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> unreadable, busy, links;

    bool Has(char option) const { return options.find(option) != std::string::npos; }
};

Input Decode(std::string_view data) {
    constexpr std::string_view kSeparator = "\n=== ";
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = data.find(kSeparator);
        parts.push_back(data.substr(0, at));
        if (at == std::string_view::npos) break;
        data.remove_prefix(at + kSeparator.size());
    }
    Input in;
    // The first part: the options line, then one argument per line.
    std::string_view head = parts[0];
    auto eol = head.find('\n');
    in.options = std::string(head.substr(0, eol));
    while (eol != std::string_view::npos) {
        head.remove_prefix(eol + 1);
        eol = head.find('\n');
        in.args.emplace_back(head.substr(0, eol));
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        const auto end = part.find('\n');
        const std::string_view header = part.substr(0, end);
        const std::string body(end == std::string_view::npos ? std::string_view() : part.substr(end + 1));
        if (header == "stdin") in.stdinText = body;
        else if (header == "ini") in.ini = body;
        else if (header == "cmos") in.cmos = body;
        else if (header.substr(0, 5) == "file ") in.files.emplace_back(header.substr(5), body);
        else if (header.substr(0, 11) == "unreadable ") in.unreadable.emplace_back(header.substr(11));
        else if (header.substr(0, 5) == "busy ") in.busy.emplace_back(header.substr(5));
        else if (header.substr(0, 5) == "link ") in.links.emplace_back(header.substr(5));
    }
    return in;
}

// ---- the host ---------------------------------------------------------------------------------

const std::string& SimFolder();

// The in-memory files, noting every read that failed. The simulated notebook's folder is the
// one place on the real disk: its files are read, and it is locked, through the real system.
struct NotingFiles : FakeFiles {
    bool readFailed = false, lockRefused = false;
    sys::PosixFileSystem real;
    static bool InSimFolder(const std::string& path) { return path.rfind(SimFolder(), 0) == 0; }
    sys::FileStart ReadRegular(const std::string& path, std::size_t limit, bool pipes) override {
        try {
            if (InSimFolder(path)) return real.ReadRegular(path, limit, pipes);
            return FakeFiles::ReadRegular(path, limit, pipes);
        } catch (const sys::NoSuchFile&) {
            if (!InSimFolder(path)) readFailed = true;
            throw;
        } catch (const sys::FileError&) {
            readFailed = true;
            throw;
        }
    }
    std::unique_ptr<sys::FileLock> Lock(const std::string& path, bool exclusive, std::uint32_t waitMs) override {
        if (InSimFolder(path)) return real.Lock(path, exclusive, 0);
        auto lock = FakeFiles::Lock(path, exclusive, waitMs);
        if (!lock) lockRefused = true;
        return lock;
    }
    Entry EntryAt(const std::string& path) override {
        return InSimFolder(path) ? real.EntryAt(path) : FakeFiles::EntryAt(path);
    }
    // The simulated notebook makes its missing image on the real disk, where it saves its bytes.
    std::unique_ptr<sys::File> CreateNew(const std::string& path, Sharing sharing) override {
        return InSimFolder(path) ? real.CreateNew(path, sharing) : FakeFiles::CreateNew(path, sharing);
    }
};

// The test host on those files. Its real notebook cannot be reached, as where no nvram driver
// is loaded, or is a simulated machine in memory whose CMOS writes are counted.
class FuzzHost : public TestHost {
public:
    NotingFiles noting;
    std::optional<hw::CmosImage> realCmos;
    hw::FirmwareState realFirmware = hw::FactoryFirmware();
    bool ntFamily = true, granted = true;
    int realWrites = 0;

    FuzzHost() {
        files = &noting;
        noting.sizeLimit = std::size_t{1} << 20;
        openNotebook = [this]() -> std::unique_ptr<hw::Notebook> {
            if (!realCmos)
                throw hw::LinuxHardwareError(hw::LinuxHardwareError::Cause::NoDevice, sys::Message::NvramMissing,
                                             {hw::kNvramDevice});
            auto machine = std::make_unique<hw::SimNotebook>(*realCmos, realFirmware);
            machine->onCmosWrite = [this](int, std::uint8_t) { ++realWrites; };
            return std::make_unique<hw::PortNotebook>(std::move(machine),
                                                      ntFamily ? hw::PortMode::Plain : hw::PortMode::Masked, granted);
        };
    }
};

// ---- the simulated notebook's folder ----------------------------------------------------------

// One private folder for the whole run, made at the first input and removed at the end.
class PrivateFolder {
public:
    PrivateFolder() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/fuzz_cli.XXXXXX";
        Check(::mkdtemp(pattern.data()) != nullptr, "a private temporary folder");
        path_ = pattern + "/";
    }
    ~PrivateFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

const std::string& SimFolder() {
    static const PrivateFolder folder;
    return folder.path();
}

std::string SimPath(const char* name) { return SimFolder() + name; }

void PutFile(const std::string& path, const std::optional<std::string>& content) {
    std::filesystem::remove(path);
    if (!content) return;
    std::ofstream f(path, std::ios::binary);
    f.write(content->data(), static_cast<std::streamsize>(content->size()));
    Check(static_cast<bool>(f.flush()), "the simulated notebook's file written");
}

std::optional<std::string> GetFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string FactoryImage() {
    const hw::CmosImage cmos = hw::FactoryCmos();
    return std::string(cmos.begin(), cmos.end());
}

std::optional<hw::CmosImage> ImageOf(const std::optional<std::string>& bytes) {
    if (!bytes || bytes->size() != hw::kCmosSize) return std::nullopt;
    hw::CmosImage image{};
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return image;
}

// ---- the checks -------------------------------------------------------------------------------

// Every fuzzed `--sim` names the private folder: no fuzzed argument reaches the real disk.
std::string Neutralised(const std::string& arg) {
    if (arg == "--sim" || arg.rfind("--sim=", 0) == 0) return "--sim=" + SimFolder();
    return arg;
}

void RunInput(const Input& in) {
    FuzzHost host;
    host.in.str(in.stdinText);
    host.terminal = in.Has('t');
    if (in.Has('w')) host.hibernationPath = "c:\\hiber.dat";
    for (const auto& [name, content] : in.files) host.noting.contents[name] = content;
    for (const auto& name : in.unreadable) {
        host.noting.contents[name];
        host.noting.unreadable.insert(name);
    }
    for (const auto& name : in.busy) host.noting.busy.insert(name);
    for (const auto& name : in.links) host.noting.links.insert(name);

    std::vector<std::string> args;
    if (in.Has('r')) {
        if (in.Has('m')) {
            host.realCmos = ImageOf(in.cmos).value_or(hw::FactoryCmos());
            try {
                if (in.ini) host.realFirmware = hw::ParseFirmwareIni(*in.ini);
            } catch (const hw::SimSetupError&) {
            }
            host.ntFamily = !in.Has('n');
            host.granted = !in.Has('g');
        }
    } else if (in.Has('e')) {
        host.env["TOVIKA_SIM"] = SimFolder();
    } else {
        args = {"--sim", SimFolder()};
    }
    for (const std::string& arg : in.args) args.push_back(Neutralised(arg));

    const bool imageUnreadable = in.Has('u');
    PutFile(SimPath(hw::kSimFirmwareFile), in.ini);
    PutFile(SimPath(hw::kSimCmosFile), imageUnreadable ? std::nullopt : in.cmos);
    if (imageUnreadable) std::filesystem::create_directory(SimPath(hw::kSimCmosFile));
    const auto filesBefore = host.noting.contents;

    const int status = cli::Run(args, host);

    Check(status >= cli::kDone && status <= cli::kFileFailed, "a documented exit status");
    if (status > cli::kDifferent) Check(!host.err.text.empty(), "every failure says why");
    if (host.noting.readFailed) Check(status == cli::kFileFailed, "a file that cannot be read ends with 4");
    // Another program's lock kept for the whole wait, or an image to write that is a link:
    // status 4, and no file changed.
    if (host.noting.lockRefused) Check(status == cli::kFileFailed, "a lock not had ends with 4");
    if (host.noting.lockRefused || host.err.text.find("is a symbolic link") != std::string::npos)
        Check(host.noting.contents == filesBefore, "a lock not had or a link writes no file");
    if (imageUnreadable) {
        Check(std::filesystem::is_directory(SimPath(hw::kSimCmosFile)), "an unreadable image is left alone");
        std::filesystem::remove(SimPath(hw::kSimCmosFile));
        if (!in.Has('r'))
            Check(status != cli::kDifferent && status != cli::kHardware, "no simulated notebook without its image");
    } else if (status == cli::kBadInput) {
        const auto after = GetFile(SimPath(hw::kSimCmosFile));
        // A missing image is made at start-up with the factory settings; nothing else changes it.
        Check(after == in.cmos || (!in.cmos && after == FactoryImage()),
              "bad input leaves sim-cmos.dat as it was");
    }
    if (status == cli::kBadInput) {
        Check(host.realWrites == 0, "bad input writes nothing to the machine");
        Check(host.noting.contents == filesBefore, "bad input writes no file");
    }
}

// Any 128 bytes are a backup: from the first file of the input, cut or filled to 128 bytes,
// put back over the input's sim-cmos.dat (or the factory one) on a firmware that answers.
void RunBackupCheck(const Input& in) {
    std::string backup = in.files.empty() ? std::string() : in.files.front().second;
    backup.resize(hw::kCmosSize);
    const std::string live = ImageOf(in.cmos) ? *in.cmos : FactoryImage();
    // Most inputs differ elsewhere: each pair of images is checked once.
    static std::unordered_set<std::size_t> checked;
    if (!checked.insert(std::hash<std::string>()(backup + live)).second) return;
    PutFile(SimPath(hw::kSimFirmwareFile), std::nullopt);
    PutFile(SimPath(hw::kSimCmosFile), live);
    std::string out;
    const auto run = [&](std::vector<std::string> args) {
        FuzzHost host;
        host.noting.contents["cmos.dat"] = backup;
        host.env["TOVIKA_SIM"] = SimFolder();
        const int status = cli::Run(args, host);
        if (status > cli::kDifferent) std::fprintf(stderr, "%s", host.err.text.c_str());
        out = host.out.text;
        return status;
    };
    const int diff = run({"diff", "cmos.dat"});
    Check(diff == cli::kDone || diff == cli::kDifferent, "diff of any 128 bytes compares");
    Check(run({"restore", "--yes", "cmos.dat"}) == cli::kDone, "restore of any 128 bytes is done");
    // What the backup holds is now live, but for a setting that it holds no choice of: the
    // update writes a fixed value then, as the window does for a group with nothing selected.
    run({"diff", "cmos.dat"});
    for (std::size_t pos = 0; pos < out.size();) {
        const std::size_t end = out.find('\n', pos);
        const std::string_view line = std::string_view(out).substr(pos, end - pos);
        constexpr std::string_view kNoChoice = "→ (no choice)";
        Check(line.size() >= kNoChoice.size() && line.substr(line.size() - kNoChoice.size()) == kNoChoice,
              "after a restore, diff finds no difference but where the backup holds no choice");
        pos = end == std::string::npos ? out.size() : end + 1;
    }
    Check(run({"restore", "--yes", "cmos.dat"}) == cli::kDone &&
              out.find("nothing to write") != std::string::npos,
          "a second restore writes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Input in = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    RunInput(in);
    RunBackupCheck(in);
    return 0;
}
