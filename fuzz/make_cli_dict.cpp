// Writes the dictionary of fuzz_cli to the file named by its argument: the settings' keys,
// control names, item names and item texts from the catalogue, the commands and options, the
// hot keys, the names of sim-firmware.ini and the section headers of fuzz_cli's inputs. Run
// at build time, so the dictionary follows the catalogue.
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "actions/FirmwareActions.h"
#include "cli/Cli.h"
#include "settings/Catalogue.h"

namespace {

// One dictionary entry: printable ASCII as it is, everything else as \xNN.
std::string Entry(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cli_dict FILE\n");
        return 2;
    }
    std::set<std::string> words = {
        // options (the commands come from their table below)
        "--json", "--dry-run", "--yes", "-f", "-", "--sim", "--sim=", "--image", "--image=", "--lang", "--lang=", "ja", "en", "--help", "--version", "=", "#",
        "#0", "#1", "#2", "#3", "#4", "on", "off", "y", "yes",
        // the sections of an input
        "\n=== stdin\n", "\n=== ini\n", "\n=== cmos\n", "\n=== file ", "\n=== unreadable ",
        // sim-firmware.ini
        "hibernation-size = ", "status-", "status-63 = ", "firmware-answers = no", "firmware-answers = yes",
        "cmos-stuck-", "cmos-stuck-7F = ", "0x", "0xFFFFFFFF", "4294967296", " = ", "\n",
    };
    for (const std::string& command : cli::CommandNames()) words.insert(command);
    for (const actions::HotKey& key : actions::kHotKeys) words.insert(key.name);
    for (const settings::Setting& s : settings::Catalogue()) {
        words.insert(s.key);
        words.insert(s.control);
        words.insert(std::string(s.key) + "=");
        for (const settings::Item& item : s.items) {
            words.insert(item.name);
            words.insert(item.text);
            words.insert(item.english);
        }
    }
    std::ofstream out(argv[1]);
    for (const std::string& word : words) out << Entry(word) << "\n";
    return out.flush() ? 0 : 1;
}
