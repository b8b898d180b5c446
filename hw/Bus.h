// ReadPort, WritePort, ReadCmos, WriteCmos and CallFirmware: the only way from the program
// to the hardware, for the window's handlers and the command line alike. The access mode is
// fixed when the bus is made.
#pragma once

#include <cstdint>

#include "hw/PortIO.h"

namespace hw {

class Bus {
public:
    Bus(TPortArray& port, PortAccess access) : port_(port), access_(access) {}

    // NT family: a plain port instruction (the giveio grant allows it). 9x family: the
    // instruction with interrupts masked around it.
    std::uint8_t ReadPort(std::uint16_t port);
    void WritePort(std::uint16_t port, std::uint8_t value);

    // Index write to port 0x70, then one data access on port 0x71. In the 9x mode the
    // interrupts stay masked across the whole pair, so that an interrupt handler that
    // selects another CMOS register cannot come between the index and the data.
    std::uint8_t ReadCmos(std::uint8_t index);
    void WriteCmos(std::uint8_t index, std::uint8_t value);

    // EAX = function, EBX = FFFFh:param1, ECX = param2, EDX = 41534D49h, then AL out to
    // port 0xB0; returns all of EAX. The same in both modes.
    std::uint32_t CallFirmware(std::uint16_t function, std::uint16_t param1, std::uint16_t param2);

    // Whether the machine can reach CMOS byte `index` at all (an operating system's clock
    // driver may own the clock's bytes).
    bool CmosReachable(std::uint8_t index) const { return port_.machine().CmosReachable(index); }

    const PortAccess& access() const { return access_; }

private:
    TPortArray& port_;
    PortAccess access_;
};

// Whether the notebook's firmware answers its software call: a status request (9904h, index
// 0) that comes back with EAX unchanged means that this is not the notebook, or that its
// firmware does not listen. Nothing may be written then.
bool FirmwareAnswers(Bus& bus);

}  // namespace hw
