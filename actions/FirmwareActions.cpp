#include "actions/FirmwareActions.h"

#include "hw/Firmware.h"
#include "sys/Messages.h"

namespace actions {

const HotKey* FindHotKey(std::string_view name) {
    for (const HotKey& k : kHotKeys)
        if (name.size() == 2 && (name[0] == 'F' || name[0] == 'f') && name[1] == k.name[1]) return &k;
    return nullptr;
}

std::string HotKeyNames(std::string_view separator, std::string_view last) {
    std::string names;
    const std::size_t count = sizeof kHotKeys / sizeof kHotKeys[0];
    for (std::size_t i = 0; i < count; ++i) {
        if (i) names += i + 1 == count ? last : separator;
        names += kHotKeys[i].name;
    }
    return names;
}

void PressHotKey(hw::Bus& bus, int key) {
    bus.CallFirmware(hw::kFnHotKey, static_cast<std::uint16_t>(key), 0);
}

std::string HibernationConfirmation(const std::string& path, sys::Language language) {
    return sys::Text(language, sys::Message::HibernationConfirmation, {path});
}

std::uint32_t HibernationSize(hw::Bus& bus) { return bus.CallFirmware(hw::kFnHibernationSize, 0, 0); }

std::function<void(sys::File&)> HibernationFill(std::uint32_t size) {
    static constexpr unsigned char kTail[2] = {0xF7, 0xFE};
    const std::int32_t length = static_cast<std::int32_t>(size);
    if (length < 2) return {};
    return [length](sys::File& file) {
        file.SeekFromStart(std::int64_t{length} - 2);
        file.Write(kTail, sizeof kTail);
    };
}

void WriteHibernationFile(const std::string& path, std::uint32_t size, sys::FileSystem& files,
                          const std::function<void(const std::string&)>& tell, sys::Language language) {
    sys::CreateFileAndTell(files, path, HibernationFill(size), tell, language);
}

}  // namespace actions
