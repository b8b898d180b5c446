// The machine behind the ports of this executable: TOVIKA.exe links MachineReal.cpp (the
// processor's own instructions), TOVIKA-SIM.exe links MachineSim.cpp (the simulated notebook
// kept beside the executable). Throws hw::SimSetupError with a message for the user when the
// simulated notebook's files keep it from starting.
#pragma once

#include <string>

#include "hw/Machine.h"

namespace app {

// `folder` is the executable's folder with its final backslash. The machine lives until
// the process ends.
hw::Machine& CreateProcessMachine(const std::string& folder);

}  // namespace app
