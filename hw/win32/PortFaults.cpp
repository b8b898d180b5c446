// The handler that keeps a refused port instruction from killing the process. Only functions
// that Windows 95 and NT 4.0 export are imported; the vectored handler of later systems is
// bound at run time.
#include <windows.h>

#include "hw/X86Machine.h"

namespace hw {

namespace {

LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

// Steps over one of our port instructions when the processor refused it.
LONG StepOverRefused(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code != EXCEPTION_PRIV_INSTRUCTION && code != EXCEPTION_ACCESS_VIOLATION &&
        code != EXCEPTION_ILLEGAL_INSTRUCTION)
        return EXCEPTION_CONTINUE_SEARCH;
    const unsigned length = ClaimFaultingInstruction(info->ExceptionRecord->ExceptionAddress);
    if (!length) return EXCEPTION_CONTINUE_SEARCH;
#if defined(_WIN64)
    info->ContextRecord->Rip += length;
#else
    info->ContextRecord->Eip += length;
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

LONG WINAPI VectoredHandler(EXCEPTION_POINTERS* info) { return StepOverRefused(info); }

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* info) {
    const LONG r = StepOverRefused(info);
    if (r == EXCEPTION_CONTINUE_EXECUTION) return r;
    return previousFilter ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void InstallPortFaultHandler() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    // Windows XP and later: a vectored handler runs before any frame handler. Ours goes last
    // among them: a handler of the system that emulates the instruction (Wine in its 95/98/Me
    // modes does cli and sti so) must see it first, or a granted instruction is taken for a
    // refused one.
    using AddVeh = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
    if (HMODULE k = GetModuleHandleA("kernel32.dll")) {
        if (auto add = reinterpret_cast<AddVeh>(
                reinterpret_cast<void*>(GetProcAddress(k, "AddVectoredExceptionHandler")))) {
            if (add(0, VectoredHandler)) return;
        }
    }
    // Older systems: the process-wide filter, which sees what no frame handler took.
    previousFilter = SetUnhandledExceptionFilter(UnhandledFilter);
}

}  // namespace hw
