#include "reports/CmosBackup.h"

#include <memory>

namespace reports {

namespace {

// A byte that starts a double-byte character in code page 932.
bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsSlash(char c) { return c == '\\' || c == '/'; }

constexpr std::size_t kNone = std::string_view::npos;

}  // namespace

std::string BackupPath(std::string_view exe) {
    std::size_t delimiter = kNone;  // offset of the last '\', '/' or ':'
    bool keepSlash = false;         // that delimiter is a slash that a drive root keeps
    std::size_t previous = kNone;   // offset of the character before the current one
    for (std::size_t i = 0; i < exe.size(); previous = i, i += IsLeadByte(exe[i]) ? 2 : 1) {
        const char c = exe[i];
        if (IsLeadByte(c) || (!IsSlash(c) && c != ':')) continue;
        delimiter = i;
        // The character before counts only when it is a single-byte one.
        keepSlash = previous == kNone ||
                    (!IsLeadByte(exe[previous]) && (IsSlash(exe[previous]) || exe[previous] == ':'));
    }
    std::string path(exe.substr(0, delimiter == kNone ? 0 : delimiter + 1));
    const char slash = delimiter != kNone && exe[delimiter] == '/' ? '/' : '\\';
    if (delimiter != kNone && IsSlash(exe[delimiter]) && !keepSlash) path.pop_back();
    return path + slash + "cmos.dat";
}

std::string BackupConfirmation(const std::string& path) {
    return "CMOS内容を " + path + " に出力します.";
}

void WriteCmosBackup(const std::string& path, sys::FileSystem& files,
                     const std::function<std::uint8_t(std::uint8_t)>& readCmos,
                     const std::function<void(const std::string&)>& inform) {
    std::unique_ptr<sys::File> file;  // open until the message has been dismissed
    bool written = false;
    try {
        file = files.CreateAlways(path);
        for (int index = 0; index < 128; ++index) {
            const std::uint8_t value = readCmos(static_cast<std::uint8_t>(index));
            file->Write(&value, 1);  // throws also when it stores less than the byte
        }
        written = true;
    } catch (...) {
        // Whatever failed, a file, a write or a refused port access, the user is told that
        // the file could not be made; the program goes on.
    }
    inform(written ? path + " を作成しました." : "エラー： " + path + " が作成できません.");
}

}  // namespace reports
