// ReadPort, WritePort, ReadCmos, WriteCmos and CallFirmware: the only way from the program
// to the hardware. The access mode follows the window's IsNT flag, read on every access.
#pragma once

#include <cstdint>

#include "hw/PortIO.h"

namespace hw {

class Bus {
public:
    Bus(TPortArray& port, const bool& isNT) : port_(port), isNT_(isNT) {}

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

    TPortArray& port() { return port_; }

private:
    TPortArray& port_;
    const bool& isNT_;
};

}  // namespace hw
