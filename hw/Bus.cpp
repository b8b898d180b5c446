#include "hw/Bus.h"

#include "hw/Firmware.h"

namespace hw {

namespace {

// Masks interrupts for its lifetime; the flag is set again even when a port instruction
// in between is refused.
class InterruptsMasked {
public:
    explicit InterruptsMasked(Machine& m) : m_(m) { m_.ClearInterruptFlag(); }
    ~InterruptsMasked() { m_.SetInterruptFlag(); }
    InterruptsMasked(const InterruptsMasked&) = delete;
    InterruptsMasked& operator=(const InterruptsMasked&) = delete;

private:
    Machine& m_;
};

constexpr std::uint8_t CmosIndex(std::uint8_t index) { return index & 0x7F; }  // bit 7 is NMI

}  // namespace

std::uint8_t Bus::ReadPort(std::uint16_t port) {
    if (access_.ntFamily) return port_.GetPort(port);
    InterruptsMasked masked(port_.machine());
    return port_.machine().In(port);
}

void Bus::WritePort(std::uint16_t port, std::uint8_t value) {
    if (access_.ntFamily) return port_.SetPort(port, value);
    InterruptsMasked masked(port_.machine());
    port_.machine().Out(port, value);
}

std::uint8_t Bus::ReadCmos(std::uint8_t index) {
    if (access_.ntFamily) {
        port_.SetPort(kCmosIndexPort, CmosIndex(index));
        return port_.GetPort(kCmosDataPort);
    }
    Machine& m = port_.machine();
    InterruptsMasked masked(m);
    m.Out(kCmosIndexPort, CmosIndex(index));
    return m.In(kCmosDataPort);
}

void Bus::WriteCmos(std::uint8_t index, std::uint8_t value) {
    if (access_.ntFamily) {
        port_.SetPort(kCmosIndexPort, CmosIndex(index));
        port_.SetPort(kCmosDataPort, value);
        return;
    }
    Machine& m = port_.machine();
    InterruptsMasked masked(m);
    m.Out(kCmosIndexPort, CmosIndex(index));
    m.Out(kCmosDataPort, value);
}

std::uint32_t Bus::CallFirmware(std::uint16_t function, std::uint16_t param1,
                                std::uint16_t param2) {
    FirmwareRegisters regs;
    regs.eax = function;
    regs.ebx = 0xFFFF0000u | param1;
    regs.ecx = param2;
    regs.edx = kFirmwareMagic;
    return port_.machine().SoftwareCall(regs);
}

bool FirmwareAnswers(Bus& bus) {
    return bus.CallFirmware(kFnStatus, 0, 0) != kFnStatus;
}

}  // namespace hw
