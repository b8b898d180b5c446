// ReadCmos, WriteCmos and CallFirmware: the way from the window's handlers and the command
// line to the CMOS and the firmware. ReadPort and WritePort, the single port instructions,
// complete the bus's set for the tests, which reach ports beside the CMOS pair through them;
// the program itself does not call them. A bus runs over a CMOS access by index and a
// firmware call (hw/CmosAccess.h): over the ports of a machine in the access mode fixed when
// the bus is made (Windows in either family, the simulated notebook), over the bytes of
// Linux's /dev/nvram, or over an image in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "hw/CmosAccess.h"
#include "hw/PortIO.h"

namespace hw {

class Bus {
public:
    // Ports where there are ports: the CMOS over the pair 70h/71h and single port
    // instructions in the mode of `access`; the firmware call over port 0xB0, which is never
    // masked.
    Bus(TPortArray& port, PortAccess access);
    // Bytes where the system gives bytes: no single port can be reached. Without a firmware
    // (an image in memory) the call is refused.
    explicit Bus(CmosAccess& cmos, FirmwareAccess* firmware = nullptr)
        : cmos_(cmos), firmware_(firmware) {}
    Bus(const Bus&) = delete;
    Bus& operator=(const Bus&) = delete;

    // A single port instruction; refused (HardwareFault) on a bus without ports.
    std::uint8_t ReadPort(std::uint16_t port);
    void WritePort(std::uint16_t port, std::uint8_t value);

    // CMOS byte `index`; bit 7, the NMI mask on the index port, is not part of it.
    std::uint8_t ReadCmos(std::uint8_t index) { return cmos_.Read(index & 0x7F); }
    void WriteCmos(std::uint8_t index, std::uint8_t value) { cmos_.Write(index & 0x7F, value); }

    // EAX = function, EBX = FFFFh:param1, ECX = param2, EDX = 41534D49h, then AL out to
    // port 0xB0; returns all of EAX.
    std::uint32_t CallFirmware(std::uint16_t function, std::uint16_t param1, std::uint16_t param2);

    // False on a bus over an image in memory: there is no firmware to call.
    bool HasFirmware() const { return firmware_ != nullptr; }

    // Whether CMOS byte `index` can be reached at all (the Linux kernel's clock driver owns
    // the clock's bytes).
    bool CmosReachable(std::uint8_t index) const { return cmos_.Reachable(index & 0x7F); }

    // Every port instruction will be refused (the NT family without the giveio grant): the
    // user must be told before the first one. Never on a bus without ports.
    bool GrantMissing() const { return ports_ && ports_->access().GrantMissing(); }

private:
    std::optional<PortCmos> ports_;  // a bus over ports only
    CmosAccess& cmos_;
    FirmwareAccess* firmware_;
};

// Whether the notebook's firmware answers its software call: a status request (9904h, index
// 0) that comes back with EAX unchanged means that this is not the notebook, or that its
// firmware does not listen. Nothing may be written then: the window (before 更新 and
// ハイバネ領域作成) and the command line (before a write) say so with
// sys::Message::FirmwareSilent.
bool FirmwareAnswers(Bus& bus);

// A bus together with whatever it runs over, owned as one: the notebook that the command line
// opens.
class Notebook {
public:
    virtual ~Notebook() = default;
    virtual Bus& bus() = 0;
};

// A machine with ports, its port array and the bus over them.
class PortNotebook : public Notebook {
public:
    PortNotebook(std::unique_ptr<Machine> machine, PortMode mode, bool granted)
        : machine_(std::move(machine)), port_(*machine_, [granted] { return granted; }),
          bus_(port_, port_.Access(mode)) {}
    Bus& bus() override { return bus_; }

private:
    std::unique_ptr<Machine> machine_;
    TPortArray port_;
    Bus bus_;
};

}  // namespace hw
