// The port-access class and its single instance.
#pragma once

#include <cstdint>
#include <functional>

#include "hw/Machine.h"

namespace hw {

// Opens and at once closes the giveio device, which on the NT family grants this process
// the right to execute port instructions for the rest of its life. True when it opened.
bool ProbeGiveio();

class TPortArray {
public:
    using DeviceProbe = std::function<bool()>;

    // Create: performs the driver probe once.
    explicit TPortArray(Machine& machine, const DeviceProbe& probe = ProbeGiveio);

    std::uint8_t GetPort(std::uint16_t port) { return machine_.In(port); }
    void SetPort(std::uint16_t port, std::uint8_t value) { machine_.Out(port, value); }

    Machine& machine() { return machine_; }
    // Whether the probe opened the giveio device (the port grant on the NT family).
    bool DriverOpened() const { return driverOpened_; }
    // Whether the machine behind the ports needs that grant (the real processor does; the
    // simulated notebook does not).
    bool NeedsGrant() const { return machine_.NeedsPortGrant(); }

private:
    Machine& machine_;
    bool driverOpened_;
};

// The single instance, created at process start before the entry sequence runs and never
// freed. CreatePort must have been called before Port() is used.
TPortArray& CreatePort(Machine& machine);
TPortArray& Port();

}  // namespace hw
