// The simulated notebook: the CMOS RAM of the real-time clock behind ports 0x70/0x71 and a
// firmware behind the software call on port 0xB0, answering as the real machine does.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "hw/Machine.h"

namespace hw {

constexpr int kCmosSize = 128;
constexpr int kStatusCount = 64;
using CmosImage = std::array<std::uint8_t, kCmosSize>;

// Function codes of the software call.
constexpr std::uint16_t kFnSettingsChanged = 0x0600;
constexpr std::uint16_t kFnHibernationSize = 0x0602;
constexpr std::uint16_t kFnHotKey = 0x0902;
constexpr std::uint16_t kFnStatus = 0x9904;

// Status indexes whose meaning the information report names.
namespace status {
constexpr int kFreqHigh = 0;     // tenths of MHz
constexpr int kCpuSpeed = 2;     // 0 low, 1 high
constexpr int kFan = 3;          // 0 stopped, 1 running
constexpr int kTemperature = 4;  // code, 128 = 51.7 degrees
constexpr int kAcOffline = 7;    // 0 on mains, 1 off
constexpr int kBatteryAState = 8;
constexpr int kBatteryBState = 9;
constexpr int kBatteryACharge = 10;
constexpr int kBatteryBCharge = 11;
constexpr int kBacklight = 12;   // 0 low, 1 high
constexpr int kVolume = 13;      // 0 off, 1 medium, 2 loud
constexpr int kDisplayOutput = 14;  // 0 LCD, 1 external, 2 both (shown by the dump only)
constexpr int kFreqLow = 15;
}  // namespace status

struct FirmwareState {
    std::uint32_t hibernationSize = 0;
    std::array<std::uint32_t, kStatusCount> status{};
    int settingsAccepted = 0;  // how many times function 0600h ran
};

CmosImage FactoryCmos();
FirmwareState FactoryFirmware();

class SimNotebook : public Machine {
public:
    SimNotebook() : SimNotebook(FactoryCmos(), FactoryFirmware()) {}
    SimNotebook(const CmosImage& cmos, const FirmwareState& firmware)
        : cmos_(cmos), firmware_(firmware) {}

    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;
    void ClearInterruptFlag() override { interruptsEnabled_ = false; }
    void SetInterruptFlag() override { interruptsEnabled_ = true; }
    std::uint32_t SoftwareCall(const FirmwareRegisters& regs) override;

    // Runs after every CMOS byte written through port 0x71 (the files keep the image).
    std::function<void(int index, std::uint8_t value)> onCmosWrite;

    const CmosImage& cmos() const { return cmos_; }
    CmosImage& cmos() { return cmos_; }
    const FirmwareState& firmware() const { return firmware_; }
    FirmwareState& firmware() { return firmware_; }
    bool interruptsEnabled() const { return interruptsEnabled_; }

    // What a hot key does to the live state: F2 backlight, F3 display output, F5 volume,
    // F6 processor speed (power management), F9 mains/battery operation.
    void PressHotKey(int key);

private:
    CmosImage cmos_;
    FirmwareState firmware_;
    std::uint8_t selected_ = 0;  // the index latched by port 0x70
    bool interruptsEnabled_ = true;
};

}  // namespace hw
