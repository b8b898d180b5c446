#include "hw/PortIO.h"

#include <cassert>

namespace hw {

TPortArray::TPortArray(Machine& machine, const DeviceProbe& probe)
    : machine_(machine), granted_(probe ? probe() : false) {}

namespace {
TPortArray* thePort = nullptr;
}

TPortArray& CreatePort(Machine& machine) {
    assert(thePort == nullptr);
    thePort = new TPortArray(machine);  // lives until the process ends, by design
    return *thePort;
}

TPortArray& Port() {
    assert(thePort != nullptr);
    return *thePort;
}

}  // namespace hw
