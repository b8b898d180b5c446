// Parts of the C++ runtime that the Windows executables define themselves, in place of the
// runtime library's versions, which bring in code that a window program has no use for. This
// file is linked into each executable directly, not through a library, so that its
// definitions are there before the linker searches the runtime's archives.
#include <windows.h>

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

#include "sys/Error.h"

namespace {

void WriteToStandardError(const char* text) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (!error || error == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(error, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

}  // namespace

namespace __gnu_cxx {

// The terminate handler that the runtime installs: it runs when an exception leaves a function
// that must not throw. Every window procedure and the entry sequence stop exceptions, so this
// is the last resort of a fault in the program. The library's version names the exception's
// type through the C++ demangler (45 KiB); this one writes the exception's own text to the
// standard error handle (shown under Wine, nowhere on the notebook) and aborts, and the C
// runtime's abort tells the user that the program ended abnormally.
void __verbose_terminate_handler() {
    static bool entered = false;  // a second fault while describing the first
    const char* text = "no active exception";
    if (!entered) {
        entered = true;
        // Rethrows the exception being handled; without one, this comes back here through
        // std::terminate and finds `entered` set.
        try {
            throw;
        } catch (const std::exception& e) {
            text = e.what();
        } catch (...) {
            text = "an exception of an unknown type";
        }
    }
    WriteToStandardError("terminate called: ");
    WriteToStandardError(text);
    WriteToStandardError("\r\n");
    std::abort();
}

}  // namespace __gnu_cxx

extern "C" [[noreturn]] void tovika_throw_error(const char* text) { throw sys::Error(text); }

// The helpers through which the standard library throws (a string or vector grown past its
// maximum size, an index out of range, ...). The library's own versions throw
// std::length_error and its relatives, whose message is kept in the old copy-on-write string:
// linking them brings that whole second string implementation with them, and with it a
// complete copy of the ordinary string's members (about 70 KiB in all). These throw
// the program's own sys::Error with the same message instead; the program catches exceptions
// as std::exception and shows what(), so nothing else changes. The helpers for exceptions
// without a message throw the standard types, which bring nothing.
namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_bad_exception() { throw bad_exception(); }
// One function under all the names that throw a message.
#define TOVIKA_THROWS_ERROR __attribute__((alias("tovika_throw_error")))
void __throw_logic_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_domain_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_invalid_argument(const char*) TOVIKA_THROWS_ERROR;
void __throw_length_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_out_of_range(const char*) TOVIKA_THROWS_ERROR;
void __throw_runtime_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_range_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_overflow_error(const char*) TOVIKA_THROWS_ERROR;
void __throw_underflow_error(const char*) TOVIKA_THROWS_ERROR;
#undef TOVIKA_THROWS_ERROR

// The library's messages give their numbers with "%zu" and their names with "%s".
void __throw_out_of_range_fmt(const char* format, ...) {
    char text[256];
    char* out = text;
    char* const end = text + sizeof text - 1;
    va_list args;
    va_start(args, format);
    for (const char* c = format; *c && out < end; ++c) {
        if (c[0] == '%' && c[1] == 's') {
            for (const char* s = va_arg(args, const char*); *s && out < end; ++s) *out++ = *s;
            ++c;
        } else if (c[0] == '%' && c[1] == 'z' && c[2] == 'u') {
            char digits[12];
            int n = 0;
            for (std::size_t v = va_arg(args, std::size_t); n == 0 || v; v /= 10) digits[n++] = static_cast<char>('0' + v % 10);
            while (n && out < end) *out++ = digits[--n];
            c += 2;
        } else {
            *out++ = *c;
        }
    }
    va_end(args);
    *out = '\0';
    tovika_throw_error(text);
}

}  // namespace std
