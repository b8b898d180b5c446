// Why a system call failed, in both languages. Declared here for the system layer (sys/posix,
// sys/win32, hw/linux), which asks it at the failure and hands it on inside the error it
// throws (FileError::Reason()); the platform-neutral core never calls it.
#pragma once

#include "sys/Messages.h"

namespace sys {

// The reason for a system's code of failure (errno on POSIX, the system's error code on
// Windows), without a final full stop, as an argument with a text in each language.
// - POSIX: the window's text is one of our own rows for the common cases (no such file,
//   access refused, a folder) and the number for the others; the English one is
//   strerror(code), as the command line has always printed it.
// - Windows: the window's text is the system's own message in its default language (the one
//   the window is read in); the English one is the system's English message where it has
//   one, else the default message where that is plain ASCII, else "system error N".
MessageArg SystemReason(int code);

}  // namespace sys
