// A machine with I/O ports: byte input and output, the interrupt flag, and the firmware's
// software call. The bus reaches one through the port pair (hw/PortIO.h); the
// implementations are the processor itself (hw/X86Machine.h), the simulated notebook and, in
// the tests, a recording machine. A system that gives the CMOS by byte (Linux) needs none.
#pragma once

#include <cstdint>

namespace hw {

constexpr std::uint16_t kCmosIndexPort = 0x70;
constexpr std::uint16_t kCmosDataPort = 0x71;
constexpr std::uint16_t kFirmwarePort = 0xB0;
constexpr std::uint32_t kFirmwareMagic = 0x41534D49;  // EDX of every software call

// The general registers loaded before the byte output of AL to port 0xB0.
struct FirmwareRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;
    bool operator==(const FirmwareRegisters&) const = default;
};

class Machine {
public:
    virtual ~Machine() = default;

    virtual std::uint8_t In(std::uint16_t port) = 0;
    virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
    virtual void ClearInterruptFlag() = 0;  // cli
    virtual void SetInterruptFlag() = 0;    // sti
    // Loads the registers, outputs AL to port 0xB0 and returns EAX right after it.
    virtual std::uint32_t SoftwareCall(const FirmwareRegisters& regs) = 0;
    // True for the processor itself: on the NT family its port instructions need the grant
    // of the giveio driver.
    virtual bool NeedsPortGrant() const { return false; }
};

}  // namespace hw
