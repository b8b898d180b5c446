// The setup settings and the hardware: the load that 再読込 performs (with the debug report
// written on the way) and the write that 更新 performs, over the bus. The window and the
// command line both run the load and the write; they differ in where the choices are shown
// and kept, and in that only the command line reads every written byte back
// (SetupUpdate::WriteAndReadBack) and plans an update before it makes it.
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
// as its bytes are in, and gives the debug report's lines of each byte (in `language`) after
// that. Returns the bytes read (the others 0).
CmosBytes LoadSetup(hw::Bus& bus, const ShowChoice& show, const sys::LineSink& debug,
                    sys::Language language = sys::Language::Japanese);

// Loads the choices as a window's controls would show them after a load, the serial-port
// rule included; the bytes read go to `read` when it is given.
Choices LoadChoices(hw::Bus& bus, CmosBytes* read = nullptr);

struct ByteWrite {
    std::uint8_t index;
    std::uint8_t value;
    bool operator==(const ByteWrite&) const = default;
};

// A written byte that reads back otherwise.
struct ReadBack {
    std::uint8_t index;
    std::uint8_t written;
    std::uint8_t read;
};

// The update as one job: the setup bytes composed once from the choices, written in the
// write order (each byte with bits to keep read just before its write), then the firmware
// call 0600h that follows a setup change; for the command line also its plan and the
// read-back of every written byte.
class SetupUpdate {
public:
    explicit SetupUpdate(const Choices& choices);

    // The bytes that the update would leave in a CMOS that holds `live`: each written byte
    // once, with its final value, in the order of first writes. Nothing is touched.
    std::vector<ByteWrite> FinalBytes(const CmosBytes& live) const;

    // The settings whose choice differs from `live` but whose bits the update would leave as
    // `liveBytes` holds them: a choice stored as the bits of another (no choice is stored
    // as an item's code). A load afterwards shows the live choice again.
    std::vector<const Setting*> StoredAlready(const Choices& live, const CmosBytes& liveBytes) const;

    // The window's 更新: the writes in order, then the call 0600h (none on a bus without a
    // firmware, an image). Returns the writes made.
    std::vector<ByteWrite> Write(hw::Bus& bus) const;

    // Write, then every written byte read back once, for its final value. Returns the bytes
    // that read back otherwise, in the order of their first writes.
    std::vector<ReadBack> WriteAndReadBack(hw::Bus& bus) const;

private:
    // The write order over any CMOS: `read` gives a byte's value before its write.
    template <class ReadFn, class WriteFn> void RunWriteOrder(const ReadFn& read, const WriteFn& write) const;

    Choices choices_;
    CmosBytes composed_;
};

// The window's 更新 (SetupUpdate::Write). Returns the writes made, in order.
std::vector<ByteWrite> WriteSetup(hw::Bus& bus, const Choices& choices);

}  // namespace settings
