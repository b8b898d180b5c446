// Ports where there are ports: the port-access class and its single instance, the access
// mode, and the CMOS access over the port pair 70h/71h with the firmware call over port
// 0xB0 on a machine with port instructions (the processor, the simulated notebook's chip
// model, the tests' recording machine).
#pragma once

#include <cstdint>
#include <functional>

#include "hw/CmosAccess.h"
#include "hw/Machine.h"

namespace hw {

// How port instructions are executed; fixed when the bus is made. The window and TOVIKAC.exe
// decide it from the Windows family they run on (PortModeOf); the simulated notebook takes
// either. When the grant is missing, both say so once before the first access
// (sys::Message::PortGrantMissing).
enum class PortMode {
    Plain,   // each instruction as it is: the NT family, where the giveio grant allows them
    Masked,  // interrupts masked around each access, the CMOS pair as one: the 95/98/Me family
};

// How this process reaches the ports, handed to the bus by value.
struct PortAccess {
    PortMode mode = PortMode::Plain;
    bool grantNeeded = false;  // the processor's own instructions in the plain mode
    bool granted = false;      // the giveio device opened at process start
    // Every port instruction will be refused: the user must be told before the first one.
    bool GrantMissing() const { return grantNeeded && !granted; }
};

// The mode of the Windows family this process runs on: the NT family executes port
// instructions as they are (the giveio grant allows them); the 95/98/Me family masks
// interrupts around each access. The window and TOVIKAC.exe both ask this.
inline PortMode PortModeOf(bool ntFamily) { return ntFamily ? PortMode::Plain : PortMode::Masked; }

class TPortArray {
public:
    using DeviceProbe = std::function<bool()>;

    // Create: gets the grant, that is, performs the driver probe once (on Windows the giveio
    // probe, hw/X86Machine.h); without a probe there is no grant.
    TPortArray(Machine& machine, const DeviceProbe& probe);

    std::uint8_t GetPort(std::uint16_t port) { return machine_.In(port); }
    void SetPort(std::uint16_t port, std::uint8_t value) { machine_.Out(port, value); }

    Machine& machine() { return machine_; }

    // The access in the given mode: whether this machine needs the grant there (the real
    // processor does in the plain mode, the simulated notebook never) and whether the probe
    // got it.
    PortAccess Access(PortMode mode) const {
        return {mode, mode == PortMode::Plain && machine_.NeedsPortGrant(), granted_};
    }

private:
    Machine& machine_;
    bool granted_;
};

// The CMOS over the port pair and the firmware call over port 0xB0, in the access mode; also
// single port instructions in that mode.
class PortCmos : public CmosAccess, public FirmwareAccess {
public:
    PortCmos(TPortArray& port, PortAccess access) : port_(port), access_(access) {}

    // Plain mode: the instruction as it is. Masked mode: with interrupts masked around it.
    std::uint8_t In(std::uint16_t port);
    void Out(std::uint16_t port, std::uint8_t value);

    // Index write to port 0x70, then one data access on port 0x71. In the masked mode the
    // interrupts stay masked across the whole pair, so that an interrupt handler that
    // selects another CMOS register cannot come between the index and the data.
    std::uint8_t Read(std::uint8_t index) override;
    void Write(std::uint8_t index, std::uint8_t value) override;

    // The same in both modes: no masking around the call.
    std::uint32_t Call(const FirmwareRegisters& regs) override { return port_.machine().SoftwareCall(regs); }

    const PortAccess& access() const { return access_; }

private:
    TPortArray& port_;
    PortAccess access_;
};

// The single instance, created at process start by the window's entry sequence, before the
// window is made, and never freed. CreatePort must have been called before Port() is used.
TPortArray& CreatePort(Machine& machine, const TPortArray::DeviceProbe& probe);
TPortArray& Port();

}  // namespace hw
