#include "hw/PortIO.h"

#include <cassert>
#include <optional>

namespace hw {

TPortArray::TPortArray(Machine& machine, const DeviceProbe& probe)
    : machine_(machine), granted_(probe ? probe() : false) {}

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

TPortArray* thePort = nullptr;

}  // namespace

std::uint8_t PortCmos::In(std::uint16_t port) {
    std::optional<InterruptsMasked> masked;
    if (access_.mode == PortMode::Masked) masked.emplace(port_.machine());
    return port_.GetPort(port);
}

void PortCmos::Out(std::uint16_t port, std::uint8_t value) {
    std::optional<InterruptsMasked> masked;
    if (access_.mode == PortMode::Masked) masked.emplace(port_.machine());
    port_.SetPort(port, value);
}

std::uint8_t PortCmos::Read(std::uint8_t index) {
    std::optional<InterruptsMasked> masked;
    if (access_.mode == PortMode::Masked) masked.emplace(port_.machine());
    port_.SetPort(kCmosIndexPort, index);
    return port_.GetPort(kCmosDataPort);
}

void PortCmos::Write(std::uint8_t index, std::uint8_t value) {
    std::optional<InterruptsMasked> masked;
    if (access_.mode == PortMode::Masked) masked.emplace(port_.machine());
    port_.SetPort(kCmosIndexPort, index);
    port_.SetPort(kCmosDataPort, value);
}

TPortArray& CreatePort(Machine& machine, const TPortArray::DeviceProbe& probe) {
    assert(thePort == nullptr);
    thePort = new TPortArray(machine, probe);  // lives until the process ends, by design
    return *thePort;
}

TPortArray& Port() {
    assert(thePort != nullptr);
    return *thePort;
}

}  // namespace hw
