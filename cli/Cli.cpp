#include "cli/Cli.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "actions/FirmwareActions.h"
#include "cli/Json.h"
#include "cli/Stdio.h"
#include "hw/Bus.h"
#include "hw/HardwareFault.h"
#include "sys/Messages.h"
#include "hw/SimFiles.h"
#include "reports/CmosBackup.h"
#include "reports/Reports.h"
#include "settings/LayoutFile.h"
#include "settings/SetupIo.h"
#include "sys/Hex.h"
#include "sys/Text.h"

namespace cli {

namespace {

using settings::Choices;
using settings::CmosBytes;
using settings::Setting;
using sys::Trim;

// A message for the user and the status it ends the program with.
struct Failure {
    Status status;
    std::string message;
};

[[noreturn]] void Fail(Status status, std::string message) { throw Failure{status, std::move(message)}; }

// ---- names and values ------------------------------------------------------------------

const Setting& SettingOrFail(std::string_view name, const std::string& where = {}) {
    if (const Setting* s = settings::FindSettingByName(name)) return *s;
    Fail(kBadInput, where + "unknown setting '" + std::string(name) + "'");
}

// One requested change: a setting and the item it is to show.
struct Change {
    const Setting* setting;
    int index;
};

Change ParseChange(std::string_view name, std::string_view value, const std::string& where = {}) {
    const Setting& s = SettingOrFail(name, where);
    const std::optional<int> index = settings::ParseValue(s, value);
    if (!index) {
        std::string names;
        for (const settings::Item& item : s.items) names += std::string(names.empty() ? "" : ", ") + item.name;
        Fail(kBadInput, where + "'" + std::string(value) + "' is no value of " + s.key + " (one of: " +
                            names + ", #0-#" + std::to_string(s.items.size() - 1) + ", or nothing)");
    }
    return {&s, *index};
}

// The lines of a settings file: `key = value`, `#` comments and blank lines. A value that
// begins with `#` and a digit is an item number; anywhere else `#` begins a comment.
std::vector<Change> ParseSettingsText(const std::string& text, const std::string& source) {
    std::vector<Change> changes;
    std::size_t pos = 0;
    for (int lineNo = 1; pos < text.size(); ++lineNo) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = Trim(std::string_view(text).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const std::string where = source + ":" + std::to_string(lineNo) + ": ";
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) Fail(kBadInput, where + "expected `key = value`");
        std::string_view rest = Trim(line.substr(eq + 1));
        std::string_view value;
        if (rest.size() > 1 && rest[0] == '#' && rest[1] >= '0' && rest[1] <= '9') {
            value = rest.substr(0, rest.find_first_of(" \t"));
            rest = Trim(rest.substr(value.size()));
            if (!rest.empty() && rest[0] != '#') Fail(kBadInput, where + "unexpected text after the value");
        } else {
            value = Trim(rest.substr(0, rest.find('#')));
        }
        changes.push_back(ParseChange(Trim(line.substr(0, eq)), value, where));
    }
    return changes;
}

// A choice as the command line prints it: the item's name, or "(no choice)".
std::string PrintedValue(const Setting& s, int index) {
    const std::string name = settings::ValueName(s, index);
    return name.empty() ? "(no choice)" : name;
}

// The arrow between a value before and after: "→" where the output shows the program's
// non-ASCII texts, "->" where it would turn into other characters (a Western code page).
const char* Arrow(Host& host) { return host.Language().showsJapanese ? " → " : " -> "; }

// ---- the machine ---------------------------------------------------------------------------

// What a command works on: the real notebook, the simulated one in a folder, or an image file.
struct Target {
    std::optional<std::string> sim;    // --sim DIR or TOVIKA_SIM
    std::optional<std::string> image;  // --image FILE
};

// Waits for the lock on `path` (an image, or a simulated notebook's folder) and holds it: a
// writer alone, readers together. Nothing is read before it is held.
std::unique_ptr<sys::FileLock> LockOrFail(Host& host, const std::string& path, bool writes) {
    std::unique_ptr<sys::FileLock> lock = host.Files().Lock(path, writes, sys::kLockWaitMs);
    if (!lock)
        Fail(kFileFailed, sys::English(sys::Message::FileBusy, {path, std::to_string(sys::kLockWaitMs / 1000)}));
    return lock;
}

// The notebook that a command works on, with the bus over it. A command that `writes` holds
// the lock of its image or simulated notebook alone from its first read to the end of the
// read-back (the notebook's life); one that reads shares it with other readers. The real
// notebook's device waits for another writer in its own way (Host::OpenNotebook). One that
// writes goes no further where the firmware does not answer (RequireFirmware).
class Notebook {
public:
    Notebook(Host& host, const Target& target, bool writes) : Notebook(host, target, writes, Opened{}) {
        if (writes) RequireFirmware();
    }

private:
    struct Opened {};
    Notebook(Host& host, const Target& target, bool writes, Opened) : host_(host) {
        if (target.image) {
            imagePath_ = *target.image;
            lock_ = LockOrFail(host, imagePath_, writes);
            try {
                image_ = reports::ReadImageFile(host.Files(), imagePath_);
            } catch (const reports::NotABackup& e) {
                Fail(kBadInput, std::string(e.English()) + "; nothing done");
            }
            // Read, a link is followed (and what it leads to must be a file). Written, it is
            // refused: neither written through nor replaced by a file; nothing written.
            if (writes && host.Files().EntryAt(imagePath_) == sys::FileSystem::Entry::Link)
                Fail(kFileFailed, sys::English(sys::Message::ImageIsLink, {imagePath_}));
            imageCmos_.emplace(image_.cmos);
            imageBus_.emplace(*imageCmos_);  // no firmware behind a file
            return;
        }
        if (!target.sim) {
            notebook_ = host.OpenNotebook();
            return;
        }
        std::string folder = *target.sim;
        if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
        // The folder is locked, not its files: sim-cmos.dat may not be there yet, and whoever
        // makes it must be alone, so a reader locks alone as well until it is there.
        lock_ = LockOrFail(host, folder.empty() ? "." : folder,
                           writes || host.Files().EntryAt(folder + hw::kSimCmosFile) == sys::FileSystem::Entry::Nothing);
        try {
            // The chip model answers either mode; no grant is asked for.
            notebook_ = std::make_unique<hw::PortNotebook>(hw::OpenSimNotebook(folder, host.Files()), hw::PortMode::Masked, false);
        } catch (const hw::SimSetupError& e) {
            // A file that cannot be read or made is a file failure; one of the wrong content
            // is bad input.
            const bool unreadable = dynamic_cast<const hw::SimFileError*>(&e) != nullptr;
            Fail(unreadable ? kFileFailed : kBadInput,
                 "the simulated notebook in " + *target.sim + " cannot start: " + e.English());
        }
    }

public:
    hw::Bus& bus() { return imageBus_ ? *imageBus_ : notebook_->bus(); }
    bool IsImage() const { return imageBus_.has_value(); }

    // Every command that writes asks this first: a silent firmware means another machine. An
    // image has no firmware to ask.
    void RequireFirmware() {
        if (IsImage()) return;
        if (!hw::FirmwareAnswers(bus()))
            Fail(kHardware, sys::English(sys::Message::FirmwareSilent));
    }

    // After a write: an image's bytes go to its file, as a backup is saved, and are read back
    // from it. Returns the bytes that read back otherwise, each said on standard error.
    std::size_t Save() {
        if (!IsImage()) return 0;
        image_.cmos = imageCmos_->image();
        reports::SaveImageFile(host_.Files(), imagePath_, image_, &newLock_);
        const std::string saved = host_.Files().ReadRegular(imagePath_, 2 * hw::kCmosSize).bytes;
        const std::string wanted = std::string(image_.cmos.begin(), image_.cmos.end()) + image_.upper;
        if (saved.size() != wanted.size())
            Fail(kFileFailed, imagePath_ + " reads back as " + std::to_string(saved.size()) + " bytes after " +
                                  std::to_string(wanted.size()) + " were written");
        std::size_t otherwise = 0;
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (saved[i] == wanted[i]) continue;
            ++otherwise;
            host_.Err() << host_.ProgramName() << ": " << imagePath_ << ": byte " << sys::Hex(i, 2) << "h reads back "
                        << sys::Hex(std::uint8_t(saved[i]), 2) << " after " << sys::Hex(std::uint8_t(wanted[i]), 2)
                        << " was written\n";
        }
        return otherwise;
    }

private:
    Host& host_;
    std::unique_ptr<sys::FileLock> lock_;     // first made, last released
    std::unique_ptr<sys::FileLock> newLock_;  // the saved image's, from before its rename
    std::unique_ptr<hw::Notebook> notebook_;
    std::string imagePath_;
    reports::ImageFile image_;
    std::optional<hw::ImageCmos> imageCmos_;
    std::optional<hw::Bus> imageBus_;
};

// The choices that a CMOS image holds, decoded as a load decodes them.
Choices ChoicesOfImage(const hw::CmosImage& image) {
    hw::ImageCmos cmos(image);
    hw::Bus bus(cmos);
    return settings::LoadChoices(bus);
}

// The live settings, loaded as 再読込 loads them, with the bytes read.
struct Live {
    Choices choices;
    CmosBytes bytes;
};
Live LoadLive(hw::Bus& bus) {
    Live live;
    live.choices = settings::LoadChoices(bus, &live.bytes);
    return live;
}

// ---- writing -------------------------------------------------------------------------------

struct WriteOptions {
    bool dryRun = false;
    // Asked once the changes are printed, before the first write; false stops.
    std::function<bool()> confirm;
};

// Writes `wanted` over the live settings exactly as the window's update does, then reads
// every written byte back. Prints the bytes that change, so a change can be undone by hand.
int WriteChoices(Host& host, Notebook& notebook, const Live& live, const Choices& wanted,
                 const WriteOptions& options) {
    const settings::SetupUpdate update(wanted);
    // A changed choice that is stored as the bits already there changes no byte: say so.
    for (const Setting* s : update.StoredAlready(live.choices, live.bytes))
        host.Out() << s->key << ": " << PrintedValue(*s, wanted[*s]) << " is stored as the same bits as "
                   << PrintedValue(*s, live.choices[*s]) << ", which the CMOS holds already; a load shows "
                   << PrintedValue(*s, live.choices[*s]) << "\n";
    std::vector<settings::ByteWrite> changed;
    for (const settings::ByteWrite& w : update.FinalBytes(live.bytes))
        if (w.value != live.bytes[w.index]) changed.push_back(w);
    for (const settings::ByteWrite& w : changed)
        host.Out() << hw::ByteName(w.index) << ": " << sys::Hex(live.bytes[w.index], 2) << Arrow(host)
                   << sys::Hex(w.value, 2) << "\n";
    if (changed.empty()) {
        host.Out() << "nothing to write: the CMOS holds these settings already\n";
        return kDone;
    }
    if (options.dryRun) {
        host.Out() << "dry run: nothing written\n";
        return kDone;
    }
    if (options.confirm && !options.confirm()) {
        host.Err() << host.ProgramName() << ": nothing written\n";
        return kBadInput;
    }
    const std::vector<settings::ReadBack> otherwise = update.WriteAndReadBack(notebook.bus());
    for (const settings::ReadBack& r : otherwise)
        host.Err() << host.ProgramName() << ": " << hw::ByteName(r.index) << " reads back "
                   << sys::Hex(r.read, 2) << " after " << sys::Hex(r.written, 2) << " was written\n";
    if (!otherwise.empty()) return kHardware;
    if (notebook.Save() != 0) return kFileFailed;
    host.Out() << "written and read back: " << changed.size() << " byte(s) changed\n";
    return kDone;
}

// ---- the commands --------------------------------------------------------------------------

struct Args {
    std::vector<std::string> words;  // the command's arguments, options taken out
    bool json = false, dryRun = false, yes = false;
    std::optional<std::string> file;  // -f FILE
};

Args TakeOptions(const std::vector<std::string>& rest, std::initializer_list<std::string_view> allowed) {
    Args args;
    const auto allows = [&](std::string_view o) { return std::find(allowed.begin(), allowed.end(), o) != allowed.end(); };
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& a = rest[i];
        if (a == "--json" && allows(a)) args.json = true;
        else if (a == "--dry-run" && allows(a)) args.dryRun = true;
        else if (a == "--yes" && allows(a)) args.yes = true;
        else if (a == "-f" && allows(a)) {
            if (i + 1 >= rest.size()) Fail(kBadInput, "-f needs a file (- for standard input)");
            args.file = rest[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") Fail(kBadInput, "unknown option " + a);
        else args.words.push_back(a);
    }
    return args;
}

void Count(const Args& args, std::size_t least, std::size_t most, const char* what) {
    if (args.words.size() < least || args.words.size() > most) Fail(kBadInput, what);
}

// What a command's handler gets: the host, the simulated notebook's folder when one is
// asked for, the words after the command's name, the language of the texts that show and
// report print, and whether its row says that it writes.
struct Invocation {
    Host& host;
    const Target& target;
    const std::vector<std::string>& rest;
    sys::Language language;
    bool writes = false;
    // The notebook that the command works on, as its row says: one that writes holds its
    // image or simulated notebook alone, and goes no further where the firmware does not
    // answer.
    Notebook Open() const { return Notebook(host, target, writes); }
};

int Show(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {"--json"});
    Count(args, 0, 0, "show takes no arguments besides --json");
    Host& host = in.host;
    Notebook notebook = in.Open();
    const Choices choices = settings::LoadChoices(notebook.bus());
    if (args.json) {
        JsonWriter json(host.Out());
        json.BeginObject();
        json.Key("settings");
        json.BeginArray();
        for (const Setting& s : settings::Catalogue()) {
            const int index = choices[s];
            json.BeginObject();
            json.Key("key"), json.Value(s.key);
            json.Key("control"), json.Value(s.control);
            json.Key("page"), json.Value(host.ToUtf8(s.page));
            json.Key("index"), json.Number(index);
            json.Key("name");
            if (index < 0) json.Null();
            else json.Value(settings::ValueName(s, index));
            json.Key("text");
            if (const char* text = settings::ItemText(s, index)) json.Value(host.ToUtf8(text));
            else json.Null();
            json.Key("text_en");
            if (const char* text = settings::ItemText(s, index, sys::Language::English)) json.Value(text);
            else json.Null();
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        host.Out() << "\n";
        return kDone;
    }
    std::size_t width = 0, valueWidth = 0;
    for (const Setting& s : settings::Catalogue()) {
        width = std::max(width, std::string_view(s.key).size());
        for (const settings::Item& item : s.items) valueWidth = std::max(valueWidth, std::string_view(item.name).size());
    }
    std::string_view page;
    for (const Setting& s : settings::Catalogue()) {
        if (page != s.page) {
            host.Out() << (page.empty() ? "" : "\n") << "# " << settings::PageCaption(s, in.language)
                       << "\n";
            page = s.page;
        }
        const int index = choices[s];
        std::string line = s.key;
        line.append(width - line.size(), ' ');
        line += " = " + settings::ValueName(s, index);
        line.append(width + 3 + valueWidth - line.size(), ' ');
        const char* text = settings::ItemText(s, index, in.language);
        host.Out() << line << "  # " << (text ? text : "(no choice)") << "\n";
    }
    return kDone;
}

int Get(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {});
    Count(args, 1, SIZE_MAX, "get needs at least one setting's name");
    std::vector<const Setting*> wanted;
    for (const std::string& name : args.words) wanted.push_back(&SettingOrFail(name));
    Notebook notebook = in.Open();
    const Choices choices = settings::LoadChoices(notebook.bus());
    for (const Setting* s : wanted) in.host.Out() << settings::ValueName(*s, choices[*s]) << "\n";
    return kDone;
}

// A settings file is read up to 1 MiB; a larger one (or standard input that goes on) is bad
// input. It may be a pipe: `-`, or a path such as <(...) that names one.
constexpr std::size_t kSettingsLimit = std::size_t{1} << 20;

std::string ReadInput(Host& host, const std::string& file, const std::string& source) {
    std::string text;
    if (file != "-") {
        text = host.Files().ReadRegular(file, kSettingsLimit, /*pipes=*/true).bytes;
    } else {
        std::string line;
        while (text.size() <= kSettingsLimit && host.In().ReadLine(line)) text += line + "\n";
    }
    if (text.size() > kSettingsLimit)
        Fail(kBadInput, sys::English(sys::Message::FileTooLarge, {source, std::to_string(kSettingsLimit)}));
    return text;
}

int Set(const Invocation& in) {
    Host& host = in.host;
    const Args args = TakeOptions(in.rest, {"--dry-run", "-f"});
    std::vector<Change> changes;
    if (args.file) {
        Count(args, 0, 0, "set takes either -f FILE or NAME=VALUE arguments, not both");
        const std::string source = *args.file == "-" ? "standard input" : *args.file;
        changes = ParseSettingsText(ReadInput(host, *args.file, source), source);
    } else {
        Count(args, 1, SIZE_MAX, "set needs NAME=VALUE arguments or -f FILE");
        for (const std::string& word : args.words) {
            const auto eq = word.find('=');
            if (eq == std::string::npos) Fail(kBadInput, "'" + word + "' is not NAME=VALUE");
            changes.push_back(ParseChange(word.substr(0, eq), word.substr(eq + 1)));
        }
    }
    if (changes.empty()) Fail(kBadInput, "no settings to set");
    Notebook notebook = in.Open();
    const Live live = LoadLive(notebook.bus());
    Choices wanted = live.choices;
    for (const Change& c : changes) wanted.SelectWithPortRule(*c.setting, c.index);
    // The serial-port rule may undo a named change: two ports asked for one address.
    for (const Change& c : changes) {
        if (wanted[*c.setting] != c.index)
            Fail(kBadInput, std::string(c.setting->key) + "=" + PrintedValue(*c.setting, c.index) +
                                " cannot be kept: the serial and the infrared port never share an address; "
                                "nothing written");
    }
    for (const Setting* s : settings::Differences(live.choices, wanted)) {
        const bool named = std::any_of(changes.begin(), changes.end(), [&](const Change& c) { return c.setting == s; });
        host.Out() << s->key << ": " << PrintedValue(*s, live.choices[*s]) << Arrow(host)
                   << PrintedValue(*s, wanted[*s])
                   << (named ? "" : "  (moved: the serial and the infrared port never share an address)") << "\n";
    }
    return WriteChoices(host, notebook, live, wanted, {args.dryRun, nullptr});
}

void PrintDifferences(Host& host, const std::vector<const Setting*>& differing, const Choices& live,
                      const Choices& file, bool json) {
    if (!json) {
        for (const Setting* s : differing)
            host.Out() << s->key << ": " << PrintedValue(*s, live[*s]) << Arrow(host) << PrintedValue(*s, file[*s])
                       << "\n";
        return;
    }
    JsonWriter out(host.Out());
    const auto side = [&](const Setting& s, int index) {
        out.BeginObject();
        out.Key("index"), out.Number(index);
        out.Key("text");
        if (const char* text = settings::ItemText(s, index)) out.Value(host.ToUtf8(text));
        else out.Null();
        out.EndObject();
    };
    out.BeginObject();
    out.Key("differences");
    out.BeginArray();
    for (const Setting* s : differing) {
        out.BeginObject();
        out.Key("key"), out.Value(s->key);
        out.Key("control"), out.Value(s->control);
        out.Key("live"), side(*s, live[*s]);
        out.Key("file"), side(*s, file[*s]);
        out.EndObject();
    }
    out.EndArray();
    out.EndObject();
    host.Out() << "\n";
}

// The backup file that diff and restore take, read and checked before the hardware is opened.
hw::CmosImage ReadBackupArgument(const Invocation& in, const Args& args, const char* command) {
    Count(args, 1, 1, (std::string(command) + " needs one backup file").c_str());
    return reports::ReadBackupFile(in.host.Files(), args.words[0]);
}

int Diff(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {"--json"});
    const Choices fromFile = ChoicesOfImage(ReadBackupArgument(in, args, "diff"));
    Notebook notebook = in.Open();
    const Choices live = settings::LoadChoices(notebook.bus());
    const auto differing = settings::Differences(live, fromFile);
    PrintDifferences(in.host, differing, live, fromFile, args.json);
    return differing.empty() ? kDone : kDifferent;
}

int Restore(const Invocation& in) {
    Host& host = in.host;
    const Args args = TakeOptions(in.rest, {"--dry-run", "--yes"});
    const Choices fromFile = ChoicesOfImage(ReadBackupArgument(in, args, "restore"));
    Notebook notebook = in.Open();
    const Live live = LoadLive(notebook.bus());
    PrintDifferences(host, settings::Differences(live.choices, fromFile), live.choices, fromFile, false);
    WriteOptions options{args.dryRun, nullptr};
    if (!args.yes) {
        options.confirm = [&host] {
            if (!host.InIsTerminal()) {
                host.Err() << host.ProgramName() << ": restore writes the CMOS; give --yes to confirm it "
                                                    "when not run from a terminal\n";
                return false;
            }
            host.Out() << "Write these bytes to the CMOS? [y/N] ";
            host.Out().Flush();
            std::string answer;
            host.In().ReadLine(answer);
            answer = std::string(Trim(answer));
            return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
        };
    }
    return WriteChoices(host, notebook, live, fromFile, options);
}

int Backup(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {});
    Count(args, 1, 1, "backup needs one file");
    Notebook notebook = in.Open();
    reports::SaveBackupFile(in.host.Files(), args.words[0], reports::ReadBackupImage(notebook.bus()));
    in.host.Out() << "saved the 128 CMOS bytes to " << args.words[0] << "\n";
    return kDone;
}

int Report(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {"--json"});
    Count(args, 0, 0, "report takes no arguments besides --json");
    Host& host = in.host;
    Notebook notebook = in.Open();
    if (!args.json) {
        reports::WriteInformationReport(notebook.bus(), host.Separators(),
                                        [&host](const std::string& line) { host.Out() << line << "\n"; },
                                        in.language);
        return kDone;
    }
    JsonWriter out(host.Out());
    out.BeginObject();
    out.Key("report");
    out.BeginObject();
    reports::ReadInformationValues(notebook.bus(), [&out](const char* name, const std::string& number) {
        out.Key(name);
        out.Number(number);
    });
    out.EndObject();
    out.EndObject();
    host.Out() << "\n";
    return kDone;
}

int Dump(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {});
    Count(args, 0, 0, "dump takes no arguments");
    Notebook notebook = in.Open();
    const auto print = [&in](const std::string& line) { in.host.Out() << line << "\n"; };
    if (!notebook.IsImage()) {
        reports::WriteRegisterDump(notebook.bus(), print);
        return kDone;
    }
    // The status words come from the firmware, which a file does not have.
    reports::WriteCmosTable(notebook.bus(), print);
    print("");
    print("STAT: none; a CMOS image has no firmware status words");
    return kDone;
}

int Hotkey(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {});
    Count(args, 1, 1, ("hotkey needs one key: " + actions::HotKeyNames(", ", " or ")).c_str());
    const actions::HotKey* key = actions::FindHotKey(args.words[0]);
    if (!key) Fail(kBadInput, "'" + args.words[0] + "' is no hot key: " + actions::HotKeyNames(", ", " or "));
    Notebook notebook = in.Open();
    actions::PressHotKey(notebook.bus(), key->key);
    in.host.Out() << "pressed " << key->name << "\n";
    return kDone;
}

int Hiberfile(const Invocation& in) {
    Host& host = in.host;
    const Args args = TakeOptions(in.rest, {});
    Count(args, 0, 1, "hiberfile takes at most one path");
    const char* fallback = host.DefaultHibernationPath();
    if (args.words.empty() && !fallback) Fail(kBadInput, "hiberfile needs the path of the file to create");
    const std::string path = args.words.empty() ? fallback : args.words[0];
    Notebook notebook = in.Open();
    const std::uint32_t size = actions::HibernationSize(notebook.bus());
    const auto fill = actions::HibernationFill(size);
    if (!fill)
        Fail(kHardware, "the firmware gives a hibernation size of " +
                            std::to_string(static_cast<std::int32_t>(size)) + " bytes; no file made");
    {
        const std::unique_ptr<sys::File> file = host.Files().CreateAlways(path);
        fill(*file);
    }
    host.Out() << "created " << path << " (" << size << " bytes)\n";
    return kDone;
}

int Layout(const Invocation& in) {
    const Args args = TakeOptions(in.rest, {});
    Count(args, 0, 0, "layout takes no arguments");
    in.host.Out() << settings::LayoutText();
    return kDone;
}

// ---- the table of commands ------------------------------------------------------------------

// What a command asks of the notebook beyond reading its CMOS bytes; the runner and Open()
// act on it, so that no handler has to remember.
enum Needs : unsigned {
    kWrites = 1,    // it writes: it holds its target alone, and a silent firmware refuses it
    kFirmware = 2,  // it calls the firmware beyond the status check: an image refuses it
};

struct Command {
    const char* name;
    // As the usage shows them, and one line of help; a command taken in two forms has both
    // arguments and both help lines, each pair apart by a line break.
    const char* arguments;
    const char* help;
    int (*run)(const Invocation& in);
    unsigned needs = 0;  // what it asks of its target beyond reading: kWrites, kFirmware
};

constexpr Command kCommands[] = {
    {"show", "[--json]", "every setting as `key = value`", Show},
    {"get", "NAME...", "the value of each named setting", Get},
    {"set", "[--dry-run] NAME=VALUE...\n[--dry-run] -f FILE",
     "change settings, verified by reading back\nthe same from FILE (- for standard input)", Set, kWrites},
    {"diff", "FILE [--json]", "the settings in a backup that differ from the live ones", Diff},
    {"backup", "FILE", "save the 128 CMOS bytes", Backup},
    {"restore", "[--dry-run] [--yes] FILE", "put the settings of a backup back", Restore, kWrites},
    {"report", "[--json]", "the information report", Report, kFirmware},
    {"dump", "", "the CMOS bytes and the firmware's status words", Dump},
    {"hotkey", "F2|F3|F5|F6|F9", "the firmware's hot-key function", Hotkey, kWrites | kFirmware},
    {"hiberfile", "[PATH]", "create the hibernation file", Hiberfile, kWrites | kFirmware},
    {"layout", "", "the settings as a CMOS layout file of nvramtool", Layout},
};

}  // namespace

std::vector<std::string> CommandNames() {
    std::vector<std::string> names;
    for (const Command& c : kCommands) names.push_back(c.name);
    return names;
}

namespace {

// The usage text lists the statuses from their table: each one there, in order.
constexpr bool StatusesInOrder() {
    int expected = 0;
    for (const StatusMeaning& s : kStatusMeanings)
        if (s.status != expected++) return false;
    return expected == kFileFailed + 1;
}
static_assert(StatusesInOrder(), "kStatusMeanings lists every exit status once, in order");

// The usage text, made from the table: on standard output when asked for, on standard
// error after a mistake.
void Usage(Host& host, Output& to) {
    to << "Usage: " << host.ProgramName() << " [--sim DIR | --image FILE] [--lang ja|en] COMMAND [ARGUMENTS]\n"
       << "\n"
       << "Reads and writes the firmware setup of the notebook, on the notebook itself, on\n"
       << "the simulated notebook kept in DIR (also given by TOVIKA_SIM=DIR), or on a CMOS\n"
       << "image FILE of 128 bytes (or 256, as nvramtool writes it; the upper half is kept).\n"
       << "--image beats TOVIKA_SIM (and TOVIKA_NVRAM on Linux); with --sim it is bad input.\n"
       << "An image has no firmware: report, hotkey and hiberfile refuse it (status 2), dump\n"
       << "shows its bytes alone, and set and restore save it as backup saves a file, with\n"
       << "the mode it had. An image of another size is bad input (2); a file that cannot be\n"
       << "read, a folder, a FIFO or a device gives 4, as does an image to write that is a\n"
       << "symbolic link. A second writer waits up to 10 s for the first.\n"
       << "show and report print page captions, item texts and report labels in Japanese\n"
       << "where the locale is Japanese in UTF-8 (Linux) or the output's code page is 932\n"
       << "(Windows), and in English elsewhere; --lang ja|en chooses. JSON is the same in\n"
       << "either language.\n"
       << "\n"
       << "Commands:\n";
    // The line of each form: "  NAME ARGUMENTS", then its help in one column.
    std::vector<std::pair<std::string, std::string_view>> lines;
    for (const Command& c : kCommands) {
        std::string_view arguments = c.arguments, help = c.help;
        for (;;) {
            const std::size_t a = arguments.find('\n'), h = help.find('\n');
            const std::string_view form = arguments.substr(0, a);
            lines.emplace_back("  " + std::string(c.name) + (form.empty() ? "" : " ") + std::string(form),
                               help.substr(0, h));
            if (a == std::string_view::npos || h == std::string_view::npos) break;
            arguments.remove_prefix(a + 1);
            help.remove_prefix(h + 1);
        }
    }
    std::size_t width = 0;
    for (const auto& line : lines) width = std::max(width, line.first.size());
    for (auto& [command, help] : lines) {
        command.append(width + 2 - command.size(), ' ');
        to << command << help << "\n";
    }
    to << "\n"
       << "NAME is a setting's key or its control name; VALUE is an item's name, its text as\n"
       << "the window shows it in Japanese or in English, #N for item N (from 0), on/off for\n"
       << "a check box, or nothing for no choice.\n"
       << "\n"
       << "Exit status:\n";
    for (const StatusMeaning& s : kStatusMeanings) to << "  " << std::to_string(s.status) << "  " << s.meaning << "\n";
}

int RunCommand(const Invocation& in, const std::string& name) {
    for (const Command& c : kCommands) {
        if (name != c.name) continue;
        if ((c.needs & kFirmware) && in.target.image)
            Fail(kBadInput, name + " needs the notebook's firmware, which a CMOS image (--image " + *in.target.image +
                                ") does not have; nothing done");
        Invocation run = in;
        run.writes = (c.needs & kWrites) != 0;
        return c.run(run);
    }
    Fail(kBadInput, "unknown command '" + name + "'; see --help");
}

}  // namespace

namespace {
int Tell(Host& host, const std::string& message, Status status) {
    host.Err() << host.ProgramName() << ": " << message << "\n";
    return status;
}
}  // namespace

int Run(const std::vector<std::string>& args, Host& host) {
    try {
        Target target;
        bool simGiven = false;
        std::optional<sys::Language> asked;  // --lang
        std::size_t i = 0;
        for (; i < args.size(); ++i) {
            if (args[i] == "--help" || args[i] == "-h") {
                Usage(host, host.Out());
                return kDone;
            }
            if (args[i] == "--version") {
                host.Out() << host.ProgramName() << " " << TOVIKA_VERSION << "\n";
                return kDone;
            }
            if (args[i] == "--sim") {
                if (i + 1 >= args.size()) Fail(kBadInput, "--sim needs the folder of the simulated notebook");
                target.sim = args[++i];
                simGiven = true;
            } else if (args[i].rfind("--sim=", 0) == 0) {
                target.sim = args[i].substr(6);
                simGiven = true;
            } else if (args[i] == "--image") {
                if (i + 1 >= args.size()) Fail(kBadInput, "--image needs a CMOS image file");
                target.image = args[++i];
            } else if (args[i].rfind("--image=", 0) == 0) {
                target.image = args[i].substr(8);
            } else if (args[i] == "--lang" || args[i].rfind("--lang=", 0) == 0) {
                std::string value;
                if (args[i] == "--lang") {
                    if (i + 1 >= args.size()) Fail(kBadInput, "--lang needs ja or en");
                    value = args[++i];
                } else {
                    value = args[i].substr(7);
                }
                if (value == "ja") asked = sys::Language::Japanese;
                else if (value == "en") asked = sys::Language::English;
                else Fail(kBadInput, "--lang takes ja or en, not '" + value + "'");
            } else {
                break;
            }
        }
        if (target.image && target.image->empty()) Fail(kBadInput, "--image needs a CMOS image file");
        if (target.image && simGiven)
            Fail(kBadInput, "--image and --sim exclude each other: give one of them; nothing done");
        // An image given on the command line beats the simulated notebook of the environment.
        if (!target.image && !simGiven) {
            target.sim = host.Environment("TOVIKA_SIM");
            if (target.sim && target.sim->empty()) target.sim.reset();
        }
        if (i >= args.size()) {
            Usage(host, host.Err());
            return kBadInput;
        }
        // The texts in the language asked for, or the output's own; Japanese only where the
        // output can show it.
        const OutputLanguage output = host.Language();
        sys::Language language = asked.value_or(output.usual);
        if (language == sys::Language::Japanese && !output.showsJapanese) {
            host.Err() << host.ProgramName() << ": --lang ja: Japanese cannot be shown here (" << output.reason
                       << "); English is printed\n";
            language = sys::Language::English;
        }
        const std::vector<std::string> rest(args.begin() + i + 1, args.end());
        return RunCommand(Invocation{host, target, rest, language}, args[i]);
    }
    // What ended the command: said on standard error, its status returned.
    catch (const Failure& f) { return Tell(host, f.message, f.status); }
    catch (const reports::NotABackup& e) {
        return Tell(host, std::string(e.English()) + "; nothing read from the hardware", kBadInput);
    }
    catch (const sys::FileError& e) { return Tell(host, e.English(), kFileFailed); }
    catch (const sys::Error& e) { return Tell(host, e.English(), kHardware); }  // a port, the firmware
    catch (const std::exception& e) { return Tell(host, e.what(), kHardware); }
}

int StdioHost::Main(int argc, char** argv) {
    const int status = Run(std::vector<std::string>(argv + 1, argv + argc), *this);
    Out().Flush();
    Err().Flush();
    return status;
}

}  // namespace cli
