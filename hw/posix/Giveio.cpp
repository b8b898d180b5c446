#include "hw/PortIO.h"

namespace hw {

// There is no giveio device on Linux; port access there would come from ioperm.
bool ProbeGiveio() { return false; }

}  // namespace hw
