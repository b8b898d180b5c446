#include "settings/SetupIo.h"

#include <algorithm>

#include "hw/Firmware.h"

namespace settings {

namespace {

// Each written byte once with its last value, in the order of first writes.
std::vector<ByteWrite> LastOfEach(const std::vector<ByteWrite>& writes) {
    std::vector<ByteWrite> last;
    for (const ByteWrite& w : writes) {
        auto it = std::find_if(last.begin(), last.end(), [&](const ByteWrite& l) { return l.index == w.index; });
        if (it == last.end()) last.push_back(w);
        else it->value = w.value;
    }
    return last;
}

}  // namespace

CmosBytes LoadSetup(hw::Bus& bus, const ShowChoice& show, const sys::LineSink& debug, sys::Language language) {
    CmosBytes cmos{};
    for (const LoadStep& step : LoadOrder()) {
        for (std::uint8_t index : step.reads) cmos[index] = bus.ReadCmos(index);
        for (const Setting* setting : step.settings) show(*setting, Decode(*setting, cmos));
        for (std::uint8_t index : step.reads) WriteDebugLines(index, cmos[index], debug, language);
    }
    return cmos;
}

Choices LoadChoices(hw::Bus& bus, CmosBytes* read) {
    Choices choices;
    const CmosBytes bytes = LoadSetup(
        bus, [&choices](const Setting& s, int index) { choices.SelectWithPortRule(s, index); },
        [](const std::string&) {});
    if (read) *read = bytes;
    return choices;
}

SetupUpdate::SetupUpdate(const Choices& choices) : choices_(choices), composed_(ComposeAll(choices)) {}

template <class ReadFn, class WriteFn>
void SetupUpdate::RunWriteOrder(const ReadFn& read, const WriteFn& write) const {
    for (const WriteStep& step : WriteOrder()) {
        std::uint8_t value = composed_[step.index] & ~step.keep;
        if (step.keep) value |= read(step.index) & step.keep;
        write(ByteWrite{step.index, value});
    }
}

std::vector<ByteWrite> SetupUpdate::FinalBytes(const CmosBytes& live) const {
    CmosBytes cmos = live;
    std::vector<ByteWrite> writes;
    RunWriteOrder([&cmos](std::uint8_t index) { return cmos[index]; },
                  [&](const ByteWrite& w) {
                      cmos[w.index] = w.value;
                      writes.push_back(w);
                  });
    return LastOfEach(writes);
}

std::vector<const Setting*> SetupUpdate::StoredAlready(const Choices& live, const CmosBytes& liveBytes) const {
    CmosBytes after = liveBytes;
    for (const ByteWrite& w : FinalBytes(liveBytes)) after[w.index] = w.value;
    std::vector<const Setting*> same;
    for (const Setting* s : Differences(live, choices_))
        if (FieldValue(s->field, after) == FieldValue(s->field, liveBytes)) same.push_back(s);
    return same;
}

std::vector<ByteWrite> SetupUpdate::Write(hw::Bus& bus) const {
    std::vector<ByteWrite> writes;
    RunWriteOrder([&bus](std::uint8_t index) { return bus.ReadCmos(index); },
                  [&](const ByteWrite& w) {
                      bus.WriteCmos(w.index, w.value);
                      writes.push_back(w);
                  });
    // A CMOS image has no firmware to be told of the change.
    if (bus.HasFirmware()) bus.CallFirmware(hw::kFnSettingsChanged, 0, 0);
    return writes;
}

std::vector<ReadBack> SetupUpdate::WriteAndReadBack(hw::Bus& bus) const {
    std::vector<ReadBack> otherwise;
    for (const ByteWrite& w : LastOfEach(Write(bus))) {
        const std::uint8_t read = bus.ReadCmos(w.index);
        if (read != w.value) otherwise.push_back({w.index, w.value, read});
    }
    return otherwise;
}

std::vector<ByteWrite> WriteSetup(hw::Bus& bus, const Choices& choices) { return SetupUpdate(choices).Write(bus); }

}  // namespace settings
