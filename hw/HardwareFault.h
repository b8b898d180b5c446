// A port instruction or firmware call that the system refused. It ends the running handler
// and reaches the application's default error reporting; the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace hw {

class HardwareFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace hw
