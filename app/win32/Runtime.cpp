// Parts of the C++ runtime that the Windows executables define themselves, in place of the
// runtime library's versions, which bring in code that a window program has no use for. This
// file is linked into each executable directly, not through a library, so that its
// definitions are there before the linker searches the runtime's archives.
#include <windows.h>

#include <cstdlib>
#include <exception>

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
// runtime's abort shows its "abnormal program termination" message.
void __verbose_terminate_handler() {
    static bool entered = false;  // a second fault while describing the first
    const char* text = "no active exception";
    if (!entered) {
        entered = true;
        if (const std::exception_ptr current = std::current_exception()) {
            try {
                std::rethrow_exception(current);
            } catch (const std::exception& e) {
                text = e.what();
            } catch (...) {
                text = "an exception of an unknown type";
            }
        }
    }
    WriteToStandardError("terminate called: ");
    WriteToStandardError(text);
    WriteToStandardError("\r\n");
    std::abort();
}

}  // namespace __gnu_cxx
