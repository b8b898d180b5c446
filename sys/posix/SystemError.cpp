#include "sys/SystemError.h"

#include <cerrno>

#include "sys/Messages.h"

namespace sys {

int LastErrorCode() { return errno; }

std::string SystemErrorText(int code) {
    switch (code) {
    case ENOENT: return Japanese(Message::NoSuchFile);
    case EACCES:
    case EPERM: return Japanese(Message::AccessDenied);
    case EISDIR: return Japanese(Message::IsAFolder);
    default: return Japanese(Message::SystemErrno, {std::to_string(code)});
    }
}

}  // namespace sys
