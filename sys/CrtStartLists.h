// The pieces of the Windows programs' own start-up routine (sys/win32/CrtStart.cpp) that need no
// Windows: walking the linker's constructor and destructor lists, and finding where the
// program's arguments begin on its command line. Kept here so that the native tests run them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sys {

using ListEntry = void (*)();

// A list as MinGW's linker script lays out .ctors and .dtors: the first word is the number of
// entries, or all ones when the linker did not count them; then the entries, ended by a null.
inline std::size_t ListLength(const ListEntry* list) {
    const auto first = reinterpret_cast<std::uintptr_t>(list[0]);
    if (first != ~std::uintptr_t{0}) return first;
    std::size_t n = 0;
    while (list[n + 1]) ++n;
    return n;
}

// Constructors run from the last entry to the first: an object file's constructors of a
// higher priority are placed later in the list and must run earlier.
inline void RunConstructors(const ListEntry* list) {
    for (std::size_t i = ListLength(list); i >= 1; --i) list[i]();
}

// Destructors run in the list's order, the reverse of the constructors'.
inline void RunDestructors(const ListEntry* list) {
    const std::size_t n = ListLength(list);
    for (std::size_t i = 1; i <= n; ++i) list[i]();
}

// What follows the program's name on its command line, without the blanks before it: the
// text that WinMain gets. The name ends at a blank (a byte up to the space) outside quotes; a
// quote left open takes the rest of the line. Bytes are compared unsigned, so a Shift-JIS
// character (its second byte 0x40 or above) never ends the name.
inline const char* ArgumentsOf(const char* commandLine) {
    const auto* p = reinterpret_cast<const unsigned char*>(commandLine);
    bool quoted = false;
    while (*p > ' ' || (*p && quoted)) {
        if (*p == '"') quoted = !quoted;
        ++p;
    }
    while (*p && *p <= ' ') ++p;
    return reinterpret_cast<const char*>(p);
}

}  // namespace sys
