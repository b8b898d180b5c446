// The program's own exception type. Its message is kept in an ordinary std::string, so the
// Windows executables need no second, copy-on-write string implementation (the one that
// std::runtime_error and its relatives carry for their message).
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace sys {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace sys
