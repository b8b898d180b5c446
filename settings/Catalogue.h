// The settings catalogue: one row per setting, with everything that is known of it — the
// control that shows it, its key on the command line, its page, its kind, where its bits live
// in the CMOS setup bytes, and each item as its text, its ASCII name and its field value
// together — and, beside the rows, what joins settings: the byte values that an update never
// writes as composed and the time-out list. Which port never shares its address with which is
// in the rows (`partner`); the rule that moves one off the other's address reads them
// (KeepPortsApart in settings/SetupLayout.h).
// The window, the loader, the update, the command line, the debug report and the tests all
// read this one table.
#pragma once

#include <cstdint>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hw/Cmos.h"
#include "sys/Language.h"

namespace settings {

enum class ControlKind { RadioGroup, DropDown, CheckBox };

// One choice of a setting.
struct Item {
    const char* text;     // as the window shows it in Japanese
    const char* english;  // as it shows it in English: plain ASCII, as short as `text`
    const char* name;  // lower-case ASCII, for the command line
    unsigned code;     // the field value that stands for this item
};

// Where a field lives: its value sits at `shift` in CMOS byte `byte` under `mask` (taken
// after shifting). A mask above FFh spans two bytes, the low one at `byte`: a port address.
struct Field {
    std::uint8_t byte;
    int shift = 0;
    unsigned mask = 0xFF;
    unsigned noChoice = 0;  // written when the setting has no choice
    int unknown = -1;       // the item shown for a value that is no item's code
};

// A fixed list in the table: a view of a constant array, so that the whole catalogue is
// data and nothing has to be built when the program starts.
template <class T> class List {
public:
    constexpr List() = default;
    template <std::size_t N> constexpr List(const T (&array)[N]) : first_(array), count_(N) {}
    constexpr const T* begin() const { return first_; }
    constexpr const T* end() const { return first_ + count_; }
    constexpr std::size_t size() const { return count_; }
    constexpr const T& operator[](std::size_t i) const { return first_[i]; }

private:
    const T* first_ = nullptr;
    std::size_t count_ = 0;
};

// A field that is written with a setting but never read back into it: the IRQ that goes
// with a port address. `codes` holds its value for each item of the setting.
struct FollowingField {
    Field field;
    List<unsigned> codes;
};

struct Setting {
    const char* control;  // the component's name in the window
    const char* key;      // lower-case ASCII words joined by '-'
    const char* page;     // the caption of its tab
    const char* pageEnglish;  // that caption in English
    ControlKind kind;
    Field field;
    List<Item> items;  // a check box has "off" and "on"
    const FollowingField* irq = nullptr;
    // The key of the setting that offers the same addresses and never takes the one that
    // this setting takes: choosing an address here moves that setting off it
    // (KeepPortsApart in settings/SetupLayout.h). nullptr for a setting without one.
    const char* partner = nullptr;
};

List<Setting> Catalogue();

// The fields that the rows and the debug report share, and those that only the report
// shows.
namespace fields {
inline constexpr Field kParallelIrq = {.byte = hw::cmos::kParallelDma, .shift = 2, .mask = 7, .noChoice = 7};
inline constexpr Field kParallelDma = {.byte = hw::cmos::kParallelDma, .shift = 0, .mask = 3};
inline constexpr Field kSerialIrq = {.byte = hw::cmos::kPortIrqs, .shift = 0, .mask = 0xF, .noChoice = 4};
inline constexpr Field kInfraredIrq = {.byte = hw::cmos::kPortIrqs, .shift = 4, .mask = 0xF, .noChoice = 3};
inline constexpr Field kSoundIrq = {.byte = hw::cmos::kSound, .shift = 4, .mask = 0xF};
inline constexpr Field kSoundDma = {.byte = hw::cmos::kSound, .shift = 2, .mask = 3};
// The sound port setting is both of these bits: 220h or 230h, and enabled.
inline constexpr Field kSoundPort = {.byte = hw::cmos::kSound, .shift = 0, .mask = 3, .unknown = 2};
inline constexpr Field kSoundAddress = {.byte = hw::cmos::kSound, .shift = 1, .mask = 1};
inline constexpr Field kSoundEnabled = {.byte = hw::cmos::kSound, .shift = 0, .mask = 1};
// Set while a system password is set; no setting changes it.
inline constexpr Field kPasswordSet = {.byte = hw::cmos::kPassword, .shift = 0, .mask = 1};
// A whole byte.
constexpr Field Byte(std::uint8_t index) { return {.byte = index}; }
}  // namespace fields

// A byte value that an update never writes as the choices compose it: a byte composed as
// `composed` is written as `written`.
struct ComposedByteRule {
    std::uint8_t byte;
    std::uint8_t composed;
    std::uint8_t written;
};
List<ComposedByteRule> ComposedByteRules();

// The items of the time-out drop-down lists: minutes, 0 for disabled.
List<Item> TimeoutItems();

// The row of a control, or nullptr for a control that is no setting.
const Setting* FindSetting(std::string_view control);
// The row whose key is `key` exactly; nullptr when none is.
const Setting* FindSettingByKey(std::string_view key);
// The row whose key or control name is `name`, compared without regard to ASCII case;
// nullptr when none is.
const Setting* FindSettingByName(std::string_view name);

// The caption of the setting's tab in `language`.
const char* PageCaption(const Setting& setting, sys::Language language);

// The item's text in `language`.
constexpr const char* TextOf(const Item& item, sys::Language language) {
    return sys::InLanguage(language, item.text, item.english);
}

// The texts of the items, as the window's lists take them.
std::vector<std::string> ItemTexts(const Setting& setting,
                                   sys::Language language = sys::Language::Japanese);

// The place of a row in the catalogue, from 0.
std::size_t PlaceOf(const Setting& setting);

// A choice as the command line writes it: the item's ASCII name, "" for no choice.
std::string ValueName(const Setting& setting, int index);
// The item's text as the window shows it in `language`; nullptr for no choice.
const char* ItemText(const Setting& setting, int index,
                     sys::Language language = sys::Language::Japanese);

// The choice that a value names: the item's ASCII name (any case), the item's Japanese text
// exactly as the window shows it, its English text (any case), or "#N" for item N counted
// from 0; "" for no choice. Nothing when the value names no item of this setting.
std::optional<int> ParseValue(const Setting& setting, std::string_view value);

}  // namespace settings
