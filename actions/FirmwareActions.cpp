#include "actions/FirmwareActions.h"

#include <memory>

namespace actions {

void PressHotKey(const FirmwareCall& callFirmware, int key) {
    callFirmware(kFnHotKey, static_cast<std::uint16_t>(key), 0);
}

std::string HibernationConfirmation(const std::string& path) { return path + " を作成します."; }

void WriteHibernationFile(const std::string& path, std::uint32_t size, sys::FileSystem& files,
                          const std::function<void(const std::string&)>& inform) {
    static constexpr unsigned char kTail[2] = {0xF7, 0xFE};
    const std::int32_t length = static_cast<std::int32_t>(size);
    std::unique_ptr<sys::File> file;  // open until the message has been dismissed
    bool written = false;
    // A length below 2 has no place for the tail: nothing is created, nor an existing file
    // emptied.
    if (length >= 2) {
        try {
            file = files.CreateAlways(path);
            file->SeekFromStart(std::int64_t{length} - 2);
            file->Write(kTail, sizeof kTail);
            written = true;
        } catch (...) {
            // Not created, or shorter than the firmware asked for: either way unusable.
        }
    }
    inform(written ? path + " を作成しました." : "エラー： " + path + " が作成できません.");
}

}  // namespace actions
