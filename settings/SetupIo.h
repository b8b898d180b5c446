// The setup settings and the hardware: the load that 再読込 performs (with the debug report
// written on the way) and the write that 更新 performs, over the bus. The window and the
// command line both run these; they differ only in where the choices are shown and kept.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "hw/Bus.h"
#include "settings/DebugReport.h"
#include "settings/SetupLayout.h"

namespace settings {

// Shows a setting's choice as soon as its bytes are in.
using ShowChoice = std::function<void(const Setting& setting, int index)>;

// Reads the setup bytes one by one in the load order, shows each setting's choice as soon
// as its bytes are in, and gives the debug report's lines of each byte after that. Returns
// the bytes read (the others 0).
CmosBytes LoadSetup(hw::Bus& bus, const ShowChoice& show, const sys::LineSink& debug);

// Loads the choices as a window's controls would show them after a load, the serial-port
// rule included; the bytes read go to `read` when it is given.
Choices LoadChoices(hw::Bus& bus, CmosBytes* read = nullptr);

struct ByteWrite {
    std::uint8_t index;
    std::uint8_t value;
    bool operator==(const ByteWrite&) const = default;
};

// The update: every setup byte composed from the choices, written in the write order, each
// byte with bits to keep read just before its write; then the firmware call 0600h that
// follows a setup change. Returns the writes made, in order.
std::vector<ByteWrite> WriteSetup(hw::Bus& bus, const Choices& choices);

// The writes that WriteSetup would make on a CMOS that holds `live`, without touching it.
std::vector<ByteWrite> PlanSetupWrite(const Choices& choices, const CmosBytes& live);

}  // namespace settings
