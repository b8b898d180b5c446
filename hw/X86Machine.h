// The processor itself under Windows (TOVIKA.exe and TOVIKAC.exe): byte input and output
// instructions, cli/sti, and the software call to the firmware, written in assembly. The
// Linux command line does not use it: it reaches the CMOS through /dev/nvram (hw/linux).
//
// A port instruction that the system refuses (the NT family without the giveio grant raises
// a privileged-instruction exception) must not kill the process: the system's exception
// handler (hw/win32) recognises one of the instructions below, steps over it and flags the
// fault, and the member function that ran it throws HardwareFault.
#pragma once

#include "hw/Machine.h"

namespace hw {

class X86Machine : public Machine {
public:
    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;
    void ClearInterruptFlag() override;
    void SetInterruptFlag() override;
    std::uint32_t SoftwareCall(const FirmwareRegisters& regs) override;
    bool NeedsPortGrant() const override { return true; }
};

// For the exception handler: if `address` is one of the port or flag instructions of this
// machine, flags the fault and returns how many bytes to skip; otherwise returns 0.
unsigned ClaimFaultingInstruction(const void* address);

// Installs the handler that turns a refused instruction into a flagged fault (once).
void InstallPortFaultHandler();

// Opens and at once closes the giveio device, which on the NT family grants this process
// the right to execute port instructions for the rest of its life. True when it opened.
bool ProbeGiveio();

}  // namespace hw
