// A port instruction or firmware call that the system refused. It ends the running handler
// and reaches the application's default error reporting; the program goes on. The window
// shows what() in its language; the command line, whose messages are English, shows
// English(), which is the same text where no English one was given.
#pragma once

#include <string>
#include <utility>

#include "sys/Error.h"

namespace hw {

class HardwareFault : public sys::Error {
public:
    explicit HardwareFault(std::string message) : Error(std::move(message)) {}
    HardwareFault(std::string message, std::string english)
        : Error(std::move(message)), english_(std::move(english)) {}

    const char* English() const noexcept { return english_.empty() ? what() : english_.c_str(); }

private:
    std::string english_;
};

}  // namespace hw
