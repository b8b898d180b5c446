// The CMOS RAM of the notebook: its size and the registers that the program names — the
// clock's own, the bytes that the information report shows, and the setup bytes that the
// firmware reads at power-on. The settings catalogue, the reports and the simulated notebook
// all name a byte from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sys/Hex.h"

namespace hw {

constexpr int kCmosSize = 128;
using CmosImage = std::array<std::uint8_t, kCmosSize>;

// A CMOS byte as every message names it: "CMOS 69h".
inline std::string ByteName(std::uint8_t index) { return "CMOS " + sys::Hex(index, 2) + "h"; }

namespace cmos {
// The real-time clock: 00h-0Dh. An operating system's clock driver owns them.
constexpr std::uint8_t kSeconds = 0x00;
constexpr std::uint8_t kMinutes = 0x02;
constexpr std::uint8_t kHours = 0x04;
constexpr std::uint8_t kWeekday = 0x06;  // 1 for Sunday
constexpr std::uint8_t kDayOfMonth = 0x07;
constexpr std::uint8_t kMonth = 0x08;
constexpr std::uint8_t kYear = 0x09;     // within the century (kCentury)
constexpr std::uint8_t kStatusA = 0x0A;
constexpr std::uint8_t kStatusB = 0x0B;
constexpr std::uint8_t kStatusC = 0x0C;
constexpr std::uint8_t kStatusD = 0x0D;
constexpr std::uint8_t kClockEnd = 0x0E;  // the first byte after the clock

// The standard PC/AT bytes.
constexpr std::uint8_t kFloppyTypes = 0x10;        // drive A in bits 7-4, B in 3-0
constexpr std::uint8_t kHardDiskTypes = 0x12;      // drive C in bits 7-4 (Fh: see 19h), D in 3-0
constexpr std::uint8_t kEquipment = 0x14;
constexpr std::uint8_t kBaseMemoryLow = 0x15;      // kilobytes, high byte at 16h
constexpr std::uint8_t kExtendedMemoryLow = 0x17;  // kilobytes, high byte at 18h
constexpr std::uint8_t kDriveCType = 0x19;         // extension type of drive C
constexpr std::uint8_t kDriveDType = 0x1A;
constexpr std::uint8_t kChecksumFirst = 0x10;     // the checksum covers 10h up to kChecksumHigh
constexpr std::uint8_t kChecksumHigh = 0x2E;       // sum of 10h-2Dh, high byte first
constexpr std::uint8_t kMemoryFoundLow = 0x30;     // extended kilobytes found at power-on, high at 31h
constexpr std::uint8_t kCentury = 0x32;

// The firmware's setup bytes.
constexpr std::uint8_t kBootFlags = 0x33;        // bit 7 skips the memory check; 6-0 firmware's
constexpr std::uint8_t kChangeFlag = 0x52;
constexpr std::uint8_t kPassword = 0x55;         // bit 0: a system password is set
constexpr std::uint8_t kDevices = 0x60;          // device mode, parallel port mode
constexpr std::uint8_t kParallelAddress = 0x62;  // port address, high byte at 63h
constexpr std::uint8_t kParallelDma = 0x64;      // parallel IRQ and DMA
constexpr std::uint8_t kSerialAddress = 0x65;    // high byte at 66h
constexpr std::uint8_t kInfraredAddress = 0x67;  // high byte at 68h
constexpr std::uint8_t kPortIrqs = 0x69;         // infrared IRQ in bits 7-4, serial in 3-0
constexpr std::uint8_t kSound = 0x6A;
constexpr std::uint8_t kDisplay = 0x6C;
constexpr std::uint8_t kPointingDevice = 0x6F;
constexpr std::uint8_t kPower = 0x70;            // power switch, profiles, battery mode
constexpr std::uint8_t kPanel = 0x71;            // panel switch, card power
constexpr std::uint8_t kMainsProfile = 0x72;     // flags, then 3 time-out bytes
constexpr std::uint8_t kBatteryProfile = 0x76;   // flags, then 3 time-out bytes
constexpr std::uint8_t kBootOrder = 0x7A;
}  // namespace cmos

}  // namespace hw
