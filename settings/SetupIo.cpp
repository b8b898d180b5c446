#include "settings/SetupIo.h"

#include "hw/Firmware.h"

namespace settings {

namespace {

// The write order over any CMOS: `read` gives a byte's value before its write.
template <class Read, class Write>
void RunWriteOrder(const Choices& choices, const Read& read, const Write& write) {
    const CmosBytes composed = ComposeAll(choices);
    for (const WriteStep& step : WriteOrder()) {
        std::uint8_t value = composed[step.index] & ~step.keep;
        if (step.keep) value |= read(step.index) & step.keep;
        write(ByteWrite{step.index, value});
    }
}

}  // namespace

CmosBytes LoadSetup(hw::Bus& bus, const ShowChoice& show, const sys::LineSink& debug) {
    CmosBytes cmos{};
    for (const LoadStep& step : LoadOrder()) {
        for (std::uint8_t index : step.reads) cmos[index] = bus.ReadCmos(index);
        for (const Setting* setting : step.settings) show(*setting, Decode(*setting, cmos));
        for (std::uint8_t index : step.reads) WriteDebugLines(index, cmos[index], debug);
    }
    return cmos;
}

Choices LoadChoices(hw::Bus& bus, CmosBytes* read) {
    Choices choices;
    const CmosBytes bytes = LoadSetup(
        bus, [&choices](const Setting& s, int index) { choices.Select(s, index); },
        [](const std::string&) {});
    if (read) *read = bytes;
    return choices;
}

std::vector<ByteWrite> WriteSetup(hw::Bus& bus, const Choices& choices) {
    std::vector<ByteWrite> writes;
    RunWriteOrder(
        choices, [&bus](std::uint8_t index) { return bus.ReadCmos(index); },
        [&](const ByteWrite& w) {
            bus.WriteCmos(w.index, w.value);
            writes.push_back(w);
        });
    bus.CallFirmware(hw::kFnSettingsChanged, 0, 0);
    return writes;
}

std::vector<ByteWrite> PlanSetupWrite(const Choices& choices, const CmosBytes& live) {
    CmosBytes cmos = live;
    std::vector<ByteWrite> writes;
    RunWriteOrder(
        choices, [&cmos](std::uint8_t index) { return cmos[index]; },
        [&](const ByteWrite& w) {
            cmos[w.index] = w.value;
            writes.push_back(w);
        });
    return writes;
}

}  // namespace settings
