#include "settings/SetupLayout.h"

#include <stdexcept>
#include <unordered_map>

namespace settings {

namespace {

const std::vector<unsigned> kTimeoutMinutes = {0, 1, 2, 5, 10, 15, 30};
const std::vector<unsigned> kOffOn = {0, 1};
const std::vector<unsigned> kSerialAddresses = {0x2F8, 0x3F8, 0x000};
const std::vector<unsigned> kProfileCodes = {1, 0, 2};  // standard, power saving, user

constexpr unsigned kWord = 0xFFFF;  // a port address: this byte and the next
constexpr std::uint8_t kPortIrqs = 0x69;

// The four flags of a power profile byte and its three time-out bytes after it.
void AddProfile(std::vector<Field>& fields, std::uint8_t flags, const char* suffix) {
    auto name = [suffix](const char* stem) { return std::string(stem) + suffix; };
    fields.push_back({name("cbCPUSPEED"), flags, 0, 1, kOffOn, 0});
    fields.push_back({name("cbCPUCASH"), flags, 1, 1, kOffOn, 0});
    fields.push_back({name("cbCPUTIMEOUT"), flags, 3, 3, {0, 3}, 0});
    fields.push_back({name("cbLCDMODE"), flags, 5, 1, kOffOn, 0});
    fields.push_back({name("cbHDTIMEOUT"), std::uint8_t(flags + 1), 0, 0xFF, kTimeoutMinutes, 0});
    fields.push_back({name("cbSTANDBY"), std::uint8_t(flags + 2), 0, 0xFF, kTimeoutMinutes, 0});
    fields.push_back({name("cbSUSPEND"), std::uint8_t(flags + 3), 0, 0xFF, kTimeoutMinutes, 0});
}

std::vector<Field> MakeFields() {
    std::vector<Field> f = {
        {"rgBOOTMEMCHK", 0x33, 7, 1, kOffOn, 0},
        {"rgDEVICEMODE", 0x60, 0, 1, kOffOn, 0},
        {"rgLPTMODE", 0x60, 1, 7, {1, 2, 3, 4}, 1},
        {"rgLPTPORT", 0x62, 0, kWord, {0x278, 0x378, 0x3BC, 0x000}, 0x000},
        {"rgLPTPORT", 0x64, 2, 7, {5, 7, 7, 7}, 7, -1, false},
        {"rgLPTDMA", 0x64, 0, 3, {1, 3}, 0},
        {"rgCOM1PORT", 0x65, 0, kWord, kSerialAddresses, 0x000},
        {"rgCOM1PORT", kPortIrqs, 0, 0xF, {3, 4, 4}, 4, -1, false},
        {"rgCOM2PORT", 0x67, 0, kWord, kSerialAddresses, 0x000},
        {"rgCOM2PORT", kPortIrqs, 4, 0xF, {3, 4, 3}, 3, -1, false},
        // Bit 1 chooses 220h or 230h, bit 0 enables: disabled shows "OFF" whatever bit 1 says.
        {"rgSOUNDPORT", 0x6A, 0, 3, {1, 3, 0}, 0, 2},
        {"rgSOUNDDMA", 0x6A, 2, 3, {1, 3}, 0},
        {"rgSOUNIRQ", 0x6A, 4, 0xF, {5, 9}, 0},
        {"rgDISPMODE", 0x6C, 1, 3, {3, 0, 2}, 0},
        {"rgDISPSIZE", 0x6C, 0, 1, kOffOn, 0},
        {"rgMOUSEMODE", 0x6F, 0, 0xFF, kOffOn, 0},
        {"rgPOWSW", 0x70, 0, 3, {0, 1, 2}, 0},
        {"rbMODEAC", 0x70, 2, 3, kProfileCodes, 1},
        {"rbMODEBT", 0x70, 4, 3, kProfileCodes, 1},
        {"rgBATMODE", 0x70, 6, 1, kOffOn, 0},
        {"rgPANELSW", 0x71, 4, 1, kOffOn, 0},
        {"cbCARDPOW", 0x71, 3, 1, kOffOn, 0},
    };
    AddProfile(f, 0x72, "AC");
    AddProfile(f, 0x76, "BT");
    f.push_back({"rgBOOTMODE", 0x7A, 0, 0xFF, {0x80, 0x78}, 0x80});
    for (Field& field : f) {
        field.setting = FindSetting(field.control);
        if (!field.setting) throw std::logic_error("no setting for the field of " + field.control);
    }
    return f;
}

const Setting& SettingNamed(std::string_view control) {
    const Setting* setting = FindSetting(control);
    if (!setting) throw std::invalid_argument("no setting " + std::string(control));
    return *setting;
}

bool IsWord(const Field& f) { return f.mask > 0xFF; }

unsigned FieldValue(const Field& f, const CmosBytes& cmos) {
    unsigned raw = cmos[f.byte];
    if (IsWord(f)) raw |= unsigned(cmos[f.byte + 1]) << 8;
    return (raw >> f.shift) & f.mask;
}

unsigned Code(const Field& f, int index) {
    if (index < 0 || index >= static_cast<int>(f.codes.size())) return f.noChoice;
    return f.codes[index];
}

// The part of a field's bits that falls into the byte at `index`.
std::uint8_t BitsIn(const Field& f, std::uint8_t index, unsigned code) {
    const unsigned bits = (code & f.mask) << f.shift;
    if (index == f.byte) return std::uint8_t(bits & 0xFF);
    if (IsWord(f) && index == f.byte + 1) return std::uint8_t(bits >> 8);
    return 0;
}

}  // namespace

Choices::Choices() : catalogue_(Catalogue().data()), index_(Catalogue().size(), -1) {}

void Choices::Set(const Setting& setting, int index) { index_[Place(setting)] = index; }

void Choices::Set(std::string_view control, int index) { Set(SettingNamed(control), index); }

int Choices::operator[](const Setting& setting) const { return index_[Place(setting)]; }

int Choices::operator[](std::string_view control) const {
    const Setting* setting = FindSetting(control);
    return setting ? (*this)[*setting] : -1;
}

int TimeoutToIndex(std::uint8_t minutes) {
    for (size_t i = 0; i < kTimeoutMinutes.size(); ++i)
        if (kTimeoutMinutes[i] == minutes) return static_cast<int>(i);
    return -1;
}

std::uint8_t IndexToTimeout(int index) {
    if (index < 0 || index >= static_cast<int>(kTimeoutMinutes.size())) return 0;
    return static_cast<std::uint8_t>(kTimeoutMinutes[index]);
}

const std::vector<Field>& SetupFields() {
    static const std::vector<Field> fields = MakeFields();
    return fields;
}

const Field& LoadedField(std::string_view control) {
    // The field that a control is loaded from, by the control's name.
    static const auto loadedFrom = [] {
        std::unordered_map<std::string_view, const Field*> index;
        for (const Field& f : SetupFields())
            if (f.loaded) index.emplace(f.control, &f);
        return index;
    }();
    const auto it = loadedFrom.find(control);
    if (it == loadedFrom.end())
        throw std::invalid_argument("no setup field for control " + std::string(control));
    return *it->second;
}

int Decode(const Field& f, const CmosBytes& cmos) {
    const unsigned value = FieldValue(f, cmos);
    for (size_t i = 0; i < f.codes.size(); ++i)
        if (f.codes[i] == value) return static_cast<int>(i);
    return f.unknown;
}

int Decode(std::string_view control, const CmosBytes& cmos) {
    return Decode(LoadedField(control), cmos);
}

CmosBytes ComposeAll(const Choices& choices) {
    CmosBytes cmos{};
    for (const Field& f : SetupFields()) {
        const unsigned code = Code(f, choices[*f.setting]);
        cmos[f.byte] |= BitsIn(f, f.byte, code);
        if (IsWord(f)) cmos[f.byte + 1] |= BitsIn(f, std::uint8_t(f.byte + 1), code);
    }
    // The serial and the infrared port never share IRQ 3: the infrared port moves to IRQ 4.
    // Both on IRQ 4 is left as it is.
    if (cmos[kPortIrqs] == 0x33) cmos[kPortIrqs] = 0x43;
    return cmos;
}

std::uint8_t Compose(std::uint8_t index, const Choices& choices) {
    return ComposeAll(choices)[index];
}

const std::vector<LoadStep>& LoadOrder() {
    static const std::vector<LoadStep> steps = {
        {{0x33}, {"rgBOOTMEMCHK"}},
        {{0x52}, {}},
        {{0x55}, {}},
        {{0x60}, {"rgDEVICEMODE", "rgLPTMODE"}},
        {{0x62, 0x63}, {"rgLPTPORT"}},
        {{0x64}, {"rgLPTDMA"}},
        {{0x65, 0x66}, {"rgCOM1PORT"}},
        {{0x67, 0x68}, {"rgCOM2PORT"}},
        {{0x69}, {}},
        {{0x6A}, {"rgSOUNDPORT", "rgSOUNDDMA", "rgSOUNIRQ"}},
        {{0x6C}, {"rgDISPMODE", "rgDISPSIZE"}},
        {{0x6F}, {"rgMOUSEMODE"}},
        {{0x70}, {"rgPOWSW", "rbMODEAC", "rbMODEBT", "rgBATMODE"}},
        {{0x71}, {"rgPANELSW", "cbCARDPOW"}},
        {{0x72}, {"cbCPUSPEEDAC", "cbCPUCASHAC", "cbCPUTIMEOUTAC", "cbLCDMODEAC"}},
        {{0x73}, {"cbHDTIMEOUTAC"}},
        {{0x74}, {"cbSTANDBYAC"}},
        {{0x75}, {"cbSUSPENDAC"}},
        {{0x76}, {"cbCPUSPEEDBT", "cbCPUCASHBT", "cbCPUTIMEOUTBT", "cbLCDMODEBT"}},
        {{0x77}, {"cbHDTIMEOUTBT"}},
        {{0x78}, {"cbSTANDBYBT"}},
        {{0x79}, {"cbSUSPENDBT"}},
        {{0x7A}, {"rgBOOTMODE"}},
    };
    return steps;
}

const std::vector<WriteStep>& WriteOrder() {
    static const std::vector<WriteStep> steps = {
        {0x33, 0x7F},  // bits 6-0 belong to the firmware
        {0x60}, {0x62}, {0x63}, {0x64}, {0x65}, {0x66},
        {kPortIrqs, 0xF0},  // the serial IRQ; the infrared nibble stays
        {0x67}, {0x68},
        {kPortIrqs, 0x0F},  // the infrared IRQ; the serial nibble just written stays
        {0x7A}, {0x6F}, {0x6A}, {0x6C}, {0x70}, {0x71},
        {0x72}, {0x73}, {0x74}, {0x75},
        {0x76}, {0x77}, {0x78}, {0x79},
    };
    return steps;
}

}  // namespace settings
