// The program's own exception type. Its message is kept in an ordinary std::string, so the
// Windows executables need no second, copy-on-write string implementation (the one that
// std::runtime_error and its relatives carry for their message). The window shows what() in
// its language; the command line, whose messages are English, shows English(), which is the
// same text where no English one was given.
//
// A failure that the user is told about is raised by its cause, a row of the message table
// with what fills its blanks; the table makes both texts. A plain text is for failures that
// only a developer sees (a control missing from the window's layout, for instance).
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "sys/Messages.h"

namespace sys {

class Error : public std::exception {
public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    explicit Error(Message cause, const MessageArgs& args = {})
        : message_(sys::Japanese(cause, args)), english_(sys::English(cause, args)), cause_(cause) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const char* English() const noexcept { return english_.empty() ? what() : english_.c_str(); }
    const char* In(Language language) const noexcept {
        return language == Language::English ? English() : what();
    }
    // The row of the message table that made the texts; none for a plain text.
    std::optional<Message> cause() const { return cause_; }

private:
    std::string message_;
    std::string english_;
    std::optional<Message> cause_;
};

// The text that the window shows for an exception in `language`: our own errors have both.
inline const char* TextOf(const std::exception& e, Language language) {
    if (const auto* own = dynamic_cast<const Error*>(&e)) return own->In(language);
    return e.what();
}

}  // namespace sys
