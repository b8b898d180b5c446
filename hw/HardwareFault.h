// A port instruction or firmware call that the system refused. It ends the running handler
// and reaches the application's default error reporting; the program goes on.
#pragma once

#include "sys/Error.h"

namespace hw {

class HardwareFault : public sys::Error {
public:
    using Error::Error;
};

}  // namespace hw
