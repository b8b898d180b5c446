// The program's own exception type. Its message is kept in an ordinary std::string, so the
// Windows executables need no second, copy-on-write string implementation (the one that
// std::runtime_error and its relatives carry for their message). The window shows what() in
// its language; the command line, whose messages are English, shows English(), which is the
// same text where no English one was given.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace sys {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    Error(std::string message, std::string english)
        : message_(std::move(message)), english_(std::move(english)) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const char* English() const noexcept { return english_.empty() ? what() : english_.c_str(); }

private:
    std::string message_;
    std::string english_;
};

}  // namespace sys
