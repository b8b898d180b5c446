#include "sys/SystemError.h"

#include <cerrno>
#include <cstring>

namespace sys {

MessageArg SystemReason(int code) {
    std::string japanese;
    switch (code) {
    case ENOENT: japanese = Japanese(Message::NoSuchFile); break;
    case EACCES:
    case EPERM: japanese = Japanese(Message::AccessDenied); break;
    case EISDIR: japanese = Japanese(Message::IsAFolder); break;
    default: japanese = Japanese(Message::SystemErrno, {std::to_string(code)}); break;
    }
    return MessageArg(std::move(japanese), std::strerror(code));
}

}  // namespace sys
