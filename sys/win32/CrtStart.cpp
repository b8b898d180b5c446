// The runtime entry of the i686 programs: our start-up routine in place of MinGW's start-up
// objects (which are built for the Pentium Pro and take the C runtime from msvcrt.dll, which
// the first Windows 95 lacks). What the programs need of it is small: the processor's floating-point unit in its
// reset state, the static constructors, their destructors at exit, and exit through the C
// runtime of crtdll.dll, which flushes its streams. No command line or thread-local storage of
// its own: crtdll.dll splits the console program's arguments, and thread-local data goes
// through the runtime's emulation over TlsAlloc.
// The entry points are in CrtStartWindow.cpp and CrtStartConsole.cpp, one for each kind of
// program.
#include "sys/win32/CrtStart.h"

#include <cstdlib>

#include "sys/CrtStartLists.h"

extern "C" {
// The lists that MinGW's linker script gathers in .text (see sys/CrtStartLists.h).
extern const sys::ListEntry __CTOR_LIST__[];
extern const sys::ListEntry __DTOR_LIST__[];
// crtdll.dll's atexit, reached through its import address: the import library gives no call
// stub for it.
extern int(__cdecl* _imp__atexit)(void(__cdecl*)(void));
}

// Read by the runtime's thread support (libgcc's win32 threads, the unwinder, the support
// library's locks): a program of the C runtime that may have several threads. Kept as MinGW's
// start-up sets it.
extern "C" {
int _CRT_MT = 1;
}

// Where libgcc's win32 threads hand the destructor of a thread-local key, to run when a thread
// ends. The runtime's emulated thread-local storage is its one user; the programs end their
// one thread only by ending the process, which frees it all.
extern "C" int __mingwthr_key_dtor(unsigned long, void (*)(void*)) { return 0; }

namespace {

void RunDestructorList() { sys::RunDestructors(__DTOR_LIST__); }

}  // namespace

// The compiler registers every static object's destructor through atexit.
extern "C" int __cdecl atexit(void(__cdecl* function)(void)) { return (*_imp__atexit)(function); }

// Called by the compiler at the start of main, and by the window program's entry point before
// WinMain; runs the constructors once.
extern "C" void __main() {
    static bool done = false;
    if (done) return;
    done = true;
    sys::RunConstructors(__CTOR_LIST__);
    atexit(RunDestructorList);
}

namespace sys::win32 {

void StartProcess() {
    // The x87 unit as FNINIT leaves it, 64-bit precision: MinGW's start-up sets it so, and
    // the program's long double arithmetic counts on it. Windows may start a process at 53
    // bits.
    __asm__ __volatile__("fninit");
}

}  // namespace sys::win32
