// The port-access class and its single instance.
#pragma once

#include <cstdint>
#include <functional>

#include "hw/Machine.h"

namespace hw {

// Opens and at once closes the giveio device, which on the NT family grants this process
// the right to execute port instructions for the rest of its life. True when it opened.
bool ProbeGiveio();

// How this process reaches the ports: decided once, when the window is created, and handed
// to the Bus by value.
struct PortAccess {
    // NT family: plain port instructions, which the giveio grant allows. 95/98/Me family:
    // each access with interrupts masked around it.
    bool ntFamily = true;
    bool grantNeeded = false;  // the processor's own instructions on the NT family
    bool granted = false;      // the giveio device opened at process start
    // Every port instruction will be refused: the user must be told before the first one.
    bool GrantMissing() const { return grantNeeded && !granted; }
};

// What the window says once, before the first access, when the grant is missing.
inline constexpr const char* kPortGrantMissingMessage =
    "I/O ポートにアクセスできません. Windows NT/2000 以降では giveio ドライバが必要です. "
    "giveio をインストールしてから起動してください.";

class TPortArray {
public:
    using DeviceProbe = std::function<bool()>;

    // Create: gets the grant, that is, performs the driver probe once.
    explicit TPortArray(Machine& machine, const DeviceProbe& probe = ProbeGiveio);

    std::uint8_t GetPort(std::uint16_t port) { return machine_.In(port); }
    void SetPort(std::uint16_t port, std::uint8_t value) { machine_.Out(port, value); }

    Machine& machine() { return machine_; }

    // The access on a system of the given family: whether this machine needs the grant
    // there (the real processor does, the simulated notebook does not) and whether the
    // probe got it.
    PortAccess Access(bool ntFamily) const {
        return {ntFamily, ntFamily && machine_.NeedsPortGrant(), granted_};
    }

private:
    Machine& machine_;
    bool granted_;
};

// The single instance, created at process start before the entry sequence runs and never
// freed. CreatePort must have been called before Port() is used.
TPortArray& CreatePort(Machine& machine);
TPortArray& Port();

}  // namespace hw
