// The firmware's software call as the program uses it: the function codes and the status
// indexes whose meaning the information report names.
#pragma once

#include <cstdint>

namespace hw {

constexpr std::uint16_t kFnSettingsChanged = 0x0600;  // after the setup bytes were written
constexpr std::uint16_t kFnHibernationSize = 0x0602;  // bytes, all 32 bits of EAX
constexpr std::uint16_t kFnHotKey = 0x0902;           // param1: function-key number
constexpr std::uint16_t kFnStatus = 0x9904;           // param1: status index 0-63

constexpr int kStatusCount = 64;

namespace status {
constexpr int kFreqHigh = 0;        // tenths of MHz
constexpr int kCpuSpeed = 2;        // 0 low, 1 high
constexpr int kFan = 3;             // 0 stopped, 1 running
constexpr int kTemperature = 4;     // code, 128 = 51.7 degrees
constexpr int kAcOffline = 7;       // 0 on mains, 1 off
constexpr int kBatteryAState = 8;   // 0 none, 1 normal, 3 low, 7 charging
constexpr int kBatteryBState = 9;
constexpr int kBatteryACharge = 10; // 0 none, 1 low, 30 full, 31 unknown
constexpr int kBatteryBCharge = 11;
constexpr int kBacklight = 12;      // 0 low, 1 high
constexpr int kVolume = 13;         // 0 off, 1 medium, 2 loud
constexpr int kDisplayOutput = 14;  // 0 LCD, 1 external, 2 both (shown by the dump only)
constexpr int kFreqLow = 15;
constexpr int kRevision = 16;       // the firmware's revision, BCD: 0400h is 4.00
}  // namespace status

}  // namespace hw
