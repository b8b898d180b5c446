#include "hw/Bus.h"

#include "hw/Firmware.h"
#include "hw/HardwareFault.h"
#include "sys/Hex.h"

namespace hw {

namespace {

// `access`: Message::PortInput or Message::PortOutput.
[[noreturn]] void NoSinglePorts(sys::Message access, std::uint16_t port) {
    throw HardwareFault(sys::Message::NoSinglePort, {access, sys::Hex(port, 2)});
}

}  // namespace

Bus::Bus(TPortArray& port, PortAccess access)
    : ports_(std::in_place, port, access), cmos_(*ports_), firmware_(&*ports_) {}

std::uint8_t Bus::ReadPort(std::uint16_t port) {
    if (!ports_) NoSinglePorts(sys::Message::PortInput, port);
    return ports_->In(port);
}

void Bus::WritePort(std::uint16_t port, std::uint8_t value) {
    if (!ports_) NoSinglePorts(sys::Message::PortOutput, port);
    ports_->Out(port, value);
}

std::uint32_t Bus::CallFirmware(std::uint16_t function, std::uint16_t param1,
                                std::uint16_t param2) {
    if (!firmware_) throw HardwareFault(sys::Message::NoFirmwareBehindImage);
    FirmwareRegisters regs;
    regs.eax = function;
    regs.ebx = 0xFFFF0000u | param1;
    regs.ecx = param2;
    regs.edx = kFirmwareMagic;
    return firmware_->Call(regs);
}

bool FirmwareAnswers(Bus& bus) {
    return bus.CallFirmware(kFnStatus, 0, 0) != kFnStatus;
}

}  // namespace hw
