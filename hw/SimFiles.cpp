#include "hw/SimFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hw/HardwareFault.h"
#include "sys/Hex.h"
#include "sys/Text.h"

namespace hw {

namespace {

// A whole 32-bit number, decimal or 0x-hex; nothing else on it.
bool ParseU32(const std::string& text, std::uint32_t& out) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty()) return false;
    // Digit by digit, stopping past 32 bits (no strtoull: the Windows C runtime of the 95
    // era has none).
    std::uint64_t v = 0;
    for (char ch : digits) {
        int d;
        if (ch >= '0' && ch <= '9') d = ch - '0';
        else if (hex && ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
        else if (hex && ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
        else return false;
        v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    out = static_cast<std::uint32_t>(v);
    return true;
}

// cmos-stuck-XX: a CMOS index of one or two hex digits, 00 to 7F.
bool ParseStuckKey(const std::string& key, int& index) {
    const std::string prefix = "cmos-stuck-";
    if (key.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string n = key.substr(prefix.size());
    if (n.empty() || n.size() > 2) return false;
    for (char ch : n)
        if (!std::strchr("0123456789abcdefABCDEF", ch) || ch == '\0') return false;
    index = static_cast<int>(std::strtol(n.c_str(), nullptr, 16));
    return index < kCmosSize;
}

bool ParseStatusKey(const std::string& key, int& index) {
    const std::string prefix = "status-";
    if (key.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string n = key.substr(prefix.size());
    if (n.empty() || n.size() > 2) return false;
    for (char ch : n)
        if (ch < '0' || ch > '9') return false;
    index = std::atoi(n.c_str());
    return index < kStatusCount;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads a regular file, at most `limit` + 1 bytes of it; false when it does not exist. Throws
// when it exists but cannot be read or is no regular file (a FIFO, a device: refused at once,
// so that nothing hangs). `size` is the file's whole size.
bool ReadWholeFile(sys::FileSystem& files, const std::string& path, std::size_t limit, std::string& out,
                   std::uint64_t& size) {
    sys::FileStart start;
    try {
        start = files.ReadRegular(path, limit);
    } catch (const sys::NoSuchFile&) {
        return false;
    } catch (const sys::NotAFile& e) {
        if (e.kind() == sys::Message::KindFolder)
            throw SimFileError(sys::Message::SimFileUnreadable, {path, sys::Message::IsAFolder});
        throw SimFileError(sys::Message::NotARegularFile, {path, e.kind()});
    } catch (const sys::FileError& e) {
        throw SimFileError(sys::Message::SimFileUnreadable, {path, e.Reason()});
    }
    out = std::move(start.bytes);
    size = start.size;
    return true;
}

void SaveCmosByte(const std::string& path, int index, std::uint8_t value) {
    // "r+b" never truncates: a failed write leaves the rest of the image as it was.
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    bool ok = f && std::fseek(f.get(), index, SEEK_SET) == 0 &&
              std::fwrite(&value, 1, 1, f.get()) == 1 && std::fflush(f.get()) == 0;
    if (!ok)
        throw HardwareFault(sys::Message::SimCmosNotSaved, {path, sys::Hex(static_cast<std::uint32_t>(index), 2)});
}

}  // namespace

FirmwareState ParseFirmwareIni(const std::string& text, FirmwareState state) {
    size_t pos = 0;
    int lineNo = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        line = std::string(sys::Trim(line));
        if (line.empty()) {
            if (end == text.size()) break;
            continue;
        }
        auto fail = [&](sys::Message rule) {
            throw SimSetupError(sys::Message::SimIniBadLine, {kSimFirmwareFile, std::to_string(lineNo), rule, line});
        };
        const auto eq = line.find('=');
        if (eq == std::string::npos) fail(sys::Message::SimIniNotNameValue);
        const std::string key(sys::Trim(std::string_view(line).substr(0, eq)));
        const std::string value(sys::Trim(std::string_view(line).substr(eq + 1)));
        std::uint32_t number = 0;
        int index = 0;
        if (key == "hibernation-size") {
            if (!ParseU32(value, number)) fail(sys::Message::SimIniNotNumber);
            state.hibernationSize = number;
        } else if (ParseStatusKey(key, index)) {
            if (!ParseU32(value, number)) fail(sys::Message::SimIniNotNumber);
            state.status[index] = number;
        } else if (key == "firmware-answers") {
            if (value != "yes" && value != "no") fail(sys::Message::SimIniNotYesNo);
            state.answers = value == "yes";
        } else if (ParseStuckKey(key, index)) {
            if (!ParseU32(value, number) || number > 0xFF)
                fail(sys::Message::SimIniNotByte);
            state.stuckCmos[index] = static_cast<std::uint8_t>(number);
        } else {
            fail(sys::Message::SimIniUnknownName);
        }
        if (end == text.size()) break;
    }
    return state;
}

std::unique_ptr<SimNotebook> OpenSimNotebook(const std::string& folder, sys::FileSystem& files) {
    const std::string cmosPath = folder + kSimCmosFile;
    const std::string iniPath = folder + kSimFirmwareFile;

    FirmwareState firmware = FactoryFirmware();
    std::string iniText;
    std::uint64_t size = 0;
    if (ReadWholeFile(files, iniPath, kSimFirmwareLimit, iniText, size)) {
        if (iniText.size() > kSimFirmwareLimit)
            throw SimSetupError(sys::Message::FileTooLarge, {iniPath, std::to_string(kSimFirmwareLimit)});
        firmware = ParseFirmwareIni(iniText, firmware);
    }

    CmosImage cmos{};
    std::string image;
    // A byte more than the image is enough to know that the file is too long.
    if (ReadWholeFile(files, cmosPath, kCmosSize, image, size)) {
        if (image.size() != kCmosSize)
            throw SimSetupError(sys::Message::SimCmosWrongSize, {cmosPath, std::to_string(size)});
        std::memcpy(cmos.data(), image.data(), kCmosSize);
    } else {
        cmos = FactoryCmos();
        // Made only where nothing is: a link at the path, even one to a missing file, is not
        // followed (the command line may run as root in a folder that others write to). The
        // file is an ordinary one of the user's, readable as the umask lets, not a private one.
        std::unique_ptr<sys::File> file;
        try {
            file = files.CreateNew(cmosPath, sys::FileSystem::Sharing::AsUmaskLets);
        } catch (const sys::FileError&) {
            throw SimFileError(sys::Message::SimCmosNotCreated, {cmosPath});
        }
        if (!file) throw SimFileError(sys::Message::SimCmosNameTaken, {cmosPath});
        try {
            file->Write(cmos.data(), kCmosSize);
        } catch (const sys::FileError&) {
            file.reset();
            files.Remove(cmosPath);  // it did not exist before: leave nothing half-made
            throw SimFileError(sys::Message::SimCmosNotCreated, {cmosPath});
        }
    }

    auto notebook = std::make_unique<SimNotebook>(cmos, firmware);
    notebook->onCmosWrite = [cmosPath](int index, std::uint8_t value) {
        SaveCmosByte(cmosPath, index, value);
    };
    return notebook;
}

}  // namespace hw
