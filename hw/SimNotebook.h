// The simulated notebook: the CMOS RAM of the real-time clock behind ports 0x70/0x71 and a
// firmware behind the software call on port 0xB0, answering as the real machine does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "hw/Cmos.h"
#include "hw/Firmware.h"
#include "hw/Machine.h"

namespace hw {

struct FirmwareState {
    std::uint32_t hibernationSize = 0;
    std::array<std::uint32_t, kStatusCount> status{};
    int settingsAccepted = 0;  // how many times function 0600h ran
    // Faults a test can ask for. A firmware that does not answer leaves EAX as it was loaded;
    // a CMOS byte the firmware does not keep always reads its stuck value, and writes to it
    // are accepted and lost.
    bool answers = true;
    std::array<std::optional<std::uint8_t>, kCmosSize> stuckCmos{};
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

    // Runs for every CMOS byte written through port 0x71, before the byte is taken (the files
    // keep the image); when it throws, the byte keeps its old value.
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
