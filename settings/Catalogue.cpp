#include "settings/Catalogue.h"

#include "hw/Cmos.h"

namespace settings {

namespace {

constexpr auto RG = ControlKind::RadioGroup;
constexpr auto DD = ControlKind::DropDown;
constexpr auto CB = ControlKind::CheckBox;

using namespace hw::cmos;

// The time-out drop-down lists: minutes, 0 for disabled.
// Each item: its Japanese text, its English text, its name, its code. The English texts are
// as short as the Japanese ones: the window shows them in narrow radio columns and in
// drop-down lists 65 pixels wide.
constexpr Item kTimeouts[] = {
    {"無効", "Off", "disabled", 0}, {"1", "1", "1", 1}, {"2", "2", "2", 2}, {"5", "5", "5", 5},
    {"10", "10", "10", 10}, {"15", "15", "15", 15}, {"30", "30", "30", 30},
};
constexpr Item kProfiles[] = {
    {"標準", "Standard", "standard", 1},
    {"省電力", "Low power", "power-saving", 0},
    {"ユーザ設定", "User", "user", 2},
};
// The serial and the infrared port share their addresses; the IRQ follows the address.
constexpr Item kSerialPorts[] = {
    {"2F8H(IRQ3)", "2F8H(IRQ3)", "2f8h", 0x2F8},
    {"3F8H(IRQ4)", "3F8H(IRQ4)", "3f8h", 0x3F8},
    {"OFF", "OFF", "off", 0x000},
};
constexpr Item kCpuSpeed[] = {{"省電力", "Low", "low", 0}, {"通常", "Normal", "normal", 1}};
constexpr Item kCpuCache[] = {{"オフ", "Off", "off", 0}, {"オン", "On", "on", 1}};
constexpr Item kCpuTimeout[] = {{"無効", "Off", "disabled", 0}, {"有効", "On", "enabled", 3}};
constexpr Item kLcdMode[] = {{"省電力", "Low", "power-saving", 0}, {"通常", "Normal", "normal", 1}};
constexpr Item kDma[] = {{"1", "1", "1", 1}, {"3", "3", "3", 3}};

// The items that only one setting has.
constexpr Item kDeviceMode[] = {
    {"マニュアル(ユーザー設定)", "Manual (user)", "manual", 0},
    {"プラグアンドプレイ", "Plug and Play", "plug-and-play", 1},
};
constexpr Item kParallelMode[] = {
    {"単方向", "Uni-dir.", "unidirectional", 1},
    {"双方向", "Bi-dir.", "bidirectional", 2},
    {"ECP", "ECP", "ecp", 3},
    {"EPP", "EPP", "epp", 4},
};
constexpr Item kPointing[] = {
    {"フラットパッド/PS2マウス", "Flat pad/PS2 mouse", "flat-pad", 0},
    {"シリアルマウス", "Serial mouse", "serial-mouse", 1},
};
constexpr Item kBootOrderItems[] = {
    {"FDD→HDD", "FDD->HDD", "fdd-hdd", 0x80},
    {"HDDのみ", "HDD only", "hdd-only", 0x78},
};
constexpr Item kMemoryCheck[] = {{"実施する", "Run", "run", 0}, {"省略する", "Skip", "skip", 1}};
constexpr Item kParallelPort[] = {
    {"278H(IRQ5)", "278H(IRQ5)", "278h", 0x278},
    {"378H(IRQ7)", "378H(IRQ7)", "378h", 0x378},
    {"3BCH(IRQ7)", "3BCH(IRQ7)", "3bch", 0x3BC},
    {"OFF", "OFF", "off", 0x000},
};
// Bit 1 chooses 220h or 230h, bit 0 enables: disabled shows "OFF" whatever bit 1 says.
constexpr Item kSoundPort[] = {{"220H", "220H", "220h", 1}, {"230H", "230H", "230h", 3}, {"OFF", "OFF", "off", 0}};
constexpr Item kSoundIrq[] = {{"5", "5", "5", 5}, {"9", "9", "9", 9}};
constexpr Item kDisplayItems[] = {
    {"外部モニター", "Ext. monitor", "external", 3},
    {"内臓ＬＣＤ", "Internal LCD", "lcd", 0},
    {"同時表示", "Both", "both", 2},
};
constexpr Item kDisplaySize[] = {{"通常表示", "Normal", "normal", 0}, {"拡張サイズ", "Expanded", "expanded", 1}};
constexpr Item kPowerSwitch[] = {
    {"ON-OFF", "ON-OFF", "on-off", 0},
    {"サスペンド", "Suspend", "suspend", 1},
    {"ハイバネーション", "Hibernation", "hibernation", 2},
};
constexpr Item kBatteryMode[] = {{"シリアル", "Serial", "serial", 0}, {"パラレル", "Parallel", "parallel", 1}};
constexpr Item kPanelSwitch[] = {{"LCD-OFF", "LCD-OFF", "lcd-off", 0}, {"サスペンド", "Suspend", "suspend", 1}};
constexpr Item kOffOn[] = {{"off", "off", "off", 0}, {"on", "on", "on", 1}};  // the check box

// The IRQ that each item of a port address writes.
constexpr unsigned kParallelIrqs[] = {5, 7, 7, 7};
constexpr FollowingField kParallelIrq = {fields::kParallelIrq, kParallelIrqs};
constexpr unsigned kSerialIrqs[] = {3, 4, 4};
constexpr FollowingField kSerialIrq = {fields::kSerialIrq, kSerialIrqs};
constexpr unsigned kInfraredIrqs[] = {3, 4, 3};
constexpr FollowingField kInfraredIrq = {fields::kInfraredIrq, kInfraredIrqs};

// The serial and the infrared port never share IRQ 3: when both IRQ nibbles are composed as
// 3, the infrared port moves to IRQ 4. Both on IRQ 4 is left as it is.
constexpr ComposedByteRule kComposedByteRules[] = {
    {.byte = kPortIrqs, .composed = 0x33, .written = 0x43},
};

// The four flags of a power profile byte.
constexpr Field CpuSpeed(std::uint8_t flags) { return {.byte = flags, .shift = 0, .mask = 1}; }
constexpr Field CpuCache(std::uint8_t flags) { return {.byte = flags, .shift = 1, .mask = 1}; }
constexpr Field CpuTimeout(std::uint8_t flags) { return {.byte = flags, .shift = 3, .mask = 3}; }
constexpr Field LcdMode(std::uint8_t flags) { return {.byte = flags, .shift = 5, .mask = 1}; }
constexpr Field Minutes(std::uint8_t byte) { return {.byte = byte}; }
constexpr Field PortAddress(std::uint8_t low) { return {.byte = low, .mask = 0xFFFF}; }

constexpr unsigned char ToLower(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToLower(a[i]) != ToLower(b[i])) return false;
    return true;
}

// The catalogue, in the order of the pages and of the settings on them.
constexpr Setting kCatalogue[] = {
    // システム
    {.control = "rgDEVICEMODE", .key = "device-mode", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = {.byte = kDevices, .shift = 0, .mask = 1},
     .items = kDeviceMode},
    {.control = "rgLPTMODE", .key = "parallel-mode", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = {.byte = kDevices, .shift = 1, .mask = 7, .noChoice = 1},
     .items = kParallelMode},
    {.control = "rgMOUSEMODE", .key = "pointing-device", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = {.byte = kPointingDevice},
     .items = kPointing},
    {.control = "rgBOOTMODE", .key = "boot-order", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = {.byte = kBootOrder, .noChoice = 0x80},
     .items = kBootOrderItems},
    {.control = "rgBOOTMEMCHK", .key = "memory-check", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = {.byte = kBootFlags, .shift = 7, .mask = 1},
     .items = kMemoryCheck},
    {.control = "rgLPTPORT", .key = "parallel-port", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = PortAddress(kParallelAddress),
     .items = kParallelPort,
     .irq = &kParallelIrq},
    {.control = "rgLPTDMA", .key = "parallel-dma", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = fields::kParallelDma, .items = kDma},
    {.control = "rgCOM1PORT", .key = "serial-port", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = PortAddress(kSerialAddress), .items = kSerialPorts,
     .irq = &kSerialIrq, .partner = "infrared-port"},
    {.control = "rgCOM2PORT", .key = "infrared-port", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = PortAddress(kInfraredAddress), .items = kSerialPorts,
     .irq = &kInfraredIrq, .partner = "serial-port"},
    {.control = "rgSOUNDPORT", .key = "sound-port", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = fields::kSoundPort,
     .items = kSoundPort},
    {.control = "rgSOUNDDMA", .key = "sound-dma", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = fields::kSoundDma, .items = kDma},
    {.control = "rgSOUNIRQ", .key = "sound-irq", .page = "システム", .pageEnglish = "System", .kind = RG,
     .field = fields::kSoundIrq,
     .items = kSoundIrq},
    // ビデオ
    {.control = "rgDISPMODE", .key = "display", .page = "ビデオ", .pageEnglish = "Video", .kind = RG,
     .field = {.byte = kDisplay, .shift = 1, .mask = 3},
     .items = kDisplayItems},
    {.control = "rgDISPSIZE", .key = "display-size", .page = "ビデオ", .pageEnglish = "Video", .kind = RG,
     .field = {.byte = kDisplay, .shift = 0, .mask = 1},
     .items = kDisplaySize},
    // 省電力
    {.control = "rgPOWSW", .key = "power-switch", .page = "省電力", .pageEnglish = "Power", .kind = RG,
     .field = {.byte = kPower, .shift = 0, .mask = 3},
     .items = kPowerSwitch},
    {.control = "rgBATMODE", .key = "battery-mode", .page = "省電力", .pageEnglish = "Power", .kind = RG,
     .field = {.byte = kPower, .shift = 6, .mask = 1},
     .items = kBatteryMode},
    {.control = "rgPANELSW", .key = "panel-switch", .page = "省電力", .pageEnglish = "Power", .kind = RG,
     .field = {.byte = kPanel, .shift = 4, .mask = 1},
     .items = kPanelSwitch},
    {.control = "cbCARDPOW", .key = "card-power", .page = "省電力", .pageEnglish = "Power", .kind = CB,
     .field = {.byte = kPanel, .shift = 3, .mask = 1},
     .items = kOffOn},
    {.control = "rbMODEAC", .key = "mains-profile", .page = "省電力", .pageEnglish = "Power", .kind = RG,
     .field = {.byte = kPower, .shift = 2, .mask = 3, .noChoice = 1}, .items = kProfiles},
    {.control = "rbMODEBT", .key = "battery-profile", .page = "省電力", .pageEnglish = "Power", .kind = RG,
     .field = {.byte = kPower, .shift = 4, .mask = 3, .noChoice = 1}, .items = kProfiles},
    {.control = "cbCPUSPEEDAC", .key = "mains-cpu-speed", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuSpeed(kMainsProfile), .items = kCpuSpeed},
    {.control = "cbCPUSPEEDBT", .key = "battery-cpu-speed", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuSpeed(kBatteryProfile), .items = kCpuSpeed},
    {.control = "cbCPUCASHAC", .key = "mains-cpu-cache", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuCache(kMainsProfile), .items = kCpuCache},
    {.control = "cbCPUCASHBT", .key = "battery-cpu-cache", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuCache(kBatteryProfile), .items = kCpuCache},
    {.control = "cbCPUTIMEOUTAC", .key = "mains-cpu-timeout", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuTimeout(kMainsProfile), .items = kCpuTimeout},
    {.control = "cbCPUTIMEOUTBT", .key = "battery-cpu-timeout", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = CpuTimeout(kBatteryProfile), .items = kCpuTimeout},
    {.control = "cbLCDMODEAC", .key = "mains-lcd", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = LcdMode(kMainsProfile), .items = kLcdMode},
    {.control = "cbLCDMODEBT", .key = "battery-lcd", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = LcdMode(kBatteryProfile), .items = kLcdMode},
    {.control = "cbHDTIMEOUTAC", .key = "mains-hdd-timeout", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kMainsProfile + 1), .items = kTimeouts},
    {.control = "cbHDTIMEOUTBT", .key = "battery-hdd-timeout", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kBatteryProfile + 1), .items = kTimeouts},
    {.control = "cbSTANDBYAC", .key = "mains-standby", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kMainsProfile + 2), .items = kTimeouts},
    {.control = "cbSTANDBYBT", .key = "battery-standby", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kBatteryProfile + 2), .items = kTimeouts},
    {.control = "cbSUSPENDAC", .key = "mains-suspend", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kMainsProfile + 3), .items = kTimeouts},
    {.control = "cbSUSPENDBT", .key = "battery-suspend", .page = "省電力", .pageEnglish = "Power", .kind = DD,
     .field = Minutes(kBatteryProfile + 3), .items = kTimeouts},
};

}  // namespace

List<Setting> Catalogue() { return kCatalogue; }

List<ComposedByteRule> ComposedByteRules() { return kComposedByteRules; }

List<Item> TimeoutItems() { return kTimeouts; }

const Setting* FindSetting(std::string_view control) {
    for (const auto& s : Catalogue())
        if (control == s.control) return &s;
    return nullptr;
}

const Setting* FindSettingByKey(std::string_view key) {
    for (const auto& s : Catalogue())
        if (key == s.key) return &s;
    return nullptr;
}

const Setting* FindSettingByName(std::string_view name) {
    for (const auto& s : Catalogue())
        if (SameIgnoringCase(name, s.key) || SameIgnoringCase(name, s.control)) return &s;
    return nullptr;
}

const char* PageCaption(const Setting& setting, sys::Language language) {
    return sys::InLanguage(language, setting.page, setting.pageEnglish);
}

std::vector<std::string> ItemTexts(const Setting& setting, sys::Language language) {
    std::vector<std::string> texts;
    for (const Item& item : setting.items) texts.emplace_back(TextOf(item, language));
    return texts;
}

std::size_t PlaceOf(const Setting& setting) {
    return static_cast<std::size_t>(&setting - kCatalogue);
}

std::string ValueName(const Setting& setting, int index) {
    const char* text = ItemText(setting, index);
    return text ? setting.items[index].name : "";
}

const char* ItemText(const Setting& setting, int index, sys::Language language) {
    if (index < 0 || index >= static_cast<int>(setting.items.size())) return nullptr;
    return TextOf(setting.items[index], language);
}

std::optional<int> ParseValue(const Setting& setting, std::string_view value) {
    if (value.empty()) return -1;
    const int count = static_cast<int>(setting.items.size());
    if (value[0] == '#' && value.size() > 1 && value.size() <= 3) {
        int n = 0;
        for (char c : value.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            n = n * 10 + (c - '0');
        }
        return n < count ? std::optional<int>(n) : std::nullopt;
    }
    for (int i = 0; i < count; ++i)
        if (SameIgnoringCase(value, setting.items[i].name) || value == setting.items[i].text ||
            SameIgnoringCase(value, setting.items[i].english))
            return i;
    return std::nullopt;
}

}  // namespace settings
