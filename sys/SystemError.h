// Why a system call failed, in the window's language. The code is the one the system keeps
// for the calling thread: errno on POSIX; on Windows the system's error code, which the
// C library's file functions leave set when the system refused them.
#pragma once

#include <string>

namespace sys {

// The code of the call that failed last; read it right after that call.
int LastErrorCode();

// The reason for a code of LastErrorCode(), without a final full stop: on Windows the
// system's own message in its default language; elsewhere a text of our own for the common
// cases (no such file, access refused, a folder) and the number for the others.
std::string SystemErrorText(int code);

}  // namespace sys
