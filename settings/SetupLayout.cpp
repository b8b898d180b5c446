#include "settings/SetupLayout.h"

#include <algorithm>

namespace settings {

namespace {

using namespace hw::cmos;

bool IsWord(const Field& f) { return f.mask > 0xFF; }
std::uint8_t LastByte(const Field& f) { return f.byte + (IsWord(f) ? 1 : 0); }

// Puts `code` into the field's bits of `cmos`; the bits are 0 before.
void Put(const Field& f, unsigned code, CmosBytes& cmos) {
    const unsigned bits = (code & f.mask) << f.shift;
    cmos[f.byte] |= std::uint8_t(bits & 0xFF);
    if (IsWord(f)) cmos[f.byte + 1] |= std::uint8_t(bits >> 8);
}

bool IsItem(const List<Item>& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size());
}

}  // namespace

Choices::Choices() : index_(Catalogue().size(), -1) {}

void Choices::SelectWithPortRule(const Setting& setting, int index) {
    if ((*this)[setting] == index) return;
    SetAlone(setting, index);
    if (setting.kind != ControlKind::RadioGroup || index < 0) return;
    if (const Setting* other = PortPartner(setting))
        SelectWithPortRule(*other, KeepPortsApart(setting, index, (*this)[*other]));
}

std::vector<const Setting*> Differences(const Choices& a, const Choices& b) {
    std::vector<const Setting*> differing;
    for (const Setting& s : Catalogue())
        if (a[s] != b[s]) differing.push_back(&s);
    return differing;
}

int TimeoutToIndex(std::uint8_t minutes) {
    const List<Item> items = TimeoutItems();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].code == minutes) return static_cast<int>(i);
    return -1;
}

std::uint8_t IndexToTimeout(int index) {
    const List<Item> items = TimeoutItems();
    return IsItem(items, index) ? static_cast<std::uint8_t>(items[index].code) : 0;
}

const Setting* PortPartner(const Setting& setting) {
    return setting.partner ? FindSettingByKey(setting.partner) : nullptr;
}

int KeepPortsApart(const Setting& setting, int changed, int other) {
    // The partners offer the same items, so an index means the same address in both; an
    // item whose address is 0 is "OFF".
    const List<Item>& items = setting.items;
    if (!IsItem(items, changed) || items[changed].code == 0 || changed != other) return other;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (static_cast<int>(i) != changed && items[i].code != 0) return static_cast<int>(i);  // the other address
    return other;
}

unsigned FieldValue(const Field& f, const CmosBytes& cmos) {
    unsigned raw = cmos[f.byte];
    if (IsWord(f)) raw |= unsigned(cmos[f.byte + 1]) << 8;
    return (raw >> f.shift) & f.mask;
}

int Decode(const Setting& setting, const CmosBytes& cmos) {
    const unsigned value = FieldValue(setting.field, cmos);
    for (std::size_t i = 0; i < setting.items.size(); ++i)
        if (setting.items[i].code == value) return static_cast<int>(i);
    return setting.field.unknown;
}

CmosBytes ComposeAll(const Choices& choices) {
    CmosBytes cmos{};
    for (const Setting& s : Catalogue()) {
        const int index = choices[s];
        const bool chosen = IsItem(s.items, index);
        Put(s.field, chosen ? s.items[index].code : s.field.noChoice, cmos);
        if (s.irq) Put(s.irq->field, chosen ? s.irq->codes[index] : s.irq->field.noChoice, cmos);
    }
    for (const ComposedByteRule& rule : ComposedByteRules())
        if (cmos[rule.byte] == rule.composed) cmos[rule.byte] = rule.written;
    return cmos;
}

const std::vector<LoadStep>& LoadOrder() {
    // The bytes in the order the loader reads them, each step `count` bytes from `first`;
    // 52h, 55h and 69h only for the debug report. The settings of each step follow from the
    // catalogue. (A table of byte ranges rather than a list of lists: it is part of every
    // executable, and this way it is data, not code.)
    struct Reads {
        std::uint8_t first, count = 1;
    };
    static constexpr Reads kReads[] = {
        {kBootFlags}, {kChangeFlag}, {kPassword}, {kDevices},
        {kParallelAddress, 2}, {kParallelDma}, {kSerialAddress, 2}, {kInfraredAddress, 2},
        {kPortIrqs}, {kSound}, {kDisplay}, {kPointingDevice}, {kPower}, {kPanel},
        {kMainsProfile}, {kMainsProfile + 1}, {kMainsProfile + 2}, {kMainsProfile + 3},
        {kBatteryProfile}, {kBatteryProfile + 1}, {kBatteryProfile + 2}, {kBatteryProfile + 3},
        {kBootOrder},
    };
    static const std::vector<LoadStep> steps = [] {
        std::vector<LoadStep> order;
        for (const Reads& r : kReads) {
            LoadStep step;
            for (int i = 0; i < r.count; ++i) step.reads.push_back(static_cast<std::uint8_t>(r.first + i));
            order.push_back(std::move(step));
        }
        for (const Setting& s : Catalogue()) {
            for (LoadStep& step : order) {
                const auto& r = step.reads;
                if (std::find(r.begin(), r.end(), LastByte(s.field)) != r.end()) {
                    step.settings.push_back(&s);
                    break;
                }
            }
        }
        return order;
    }();
    return steps;
}

const std::vector<WriteStep>& WriteOrder() {
    static const std::vector<WriteStep> steps = {
        {kBootFlags, 0x7F},  // bits 6-0 belong to the firmware
        {kDevices},
        {kParallelAddress}, {kParallelAddress + 1},
        {kParallelDma},
        {kSerialAddress}, {kSerialAddress + 1},
        {kPortIrqs, 0xF0},  // the serial IRQ; the infrared nibble stays
        {kInfraredAddress}, {kInfraredAddress + 1},
        {kPortIrqs, 0x0F},  // the infrared IRQ; the serial nibble just written stays
        {kBootOrder}, {kPointingDevice}, {kSound}, {kDisplay}, {kPower}, {kPanel},
        {kMainsProfile}, {kMainsProfile + 1}, {kMainsProfile + 2}, {kMainsProfile + 3},
        {kBatteryProfile}, {kBatteryProfile + 1}, {kBatteryProfile + 2}, {kBatteryProfile + 3},
    };
    return steps;
}

}  // namespace settings
