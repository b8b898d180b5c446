// The entry point of the console program (see CrtStart.cpp): main with the arguments as
// crtdll.dll splits the command line (quotes and backslashes as the Windows C runtimes do,
// no wildcard expansion).
#include <cstdlib>

#include "sys/win32/CrtStart.h"

extern "C" void __GetMainArgs(int* argc, char*** argv, char*** environment, int expandWildcards);

int main(int argc, char** argv);

extern "C" void mainCRTStartup() {
    sys::win32::StartProcess();
    int argc = 0;
    char** argv = nullptr;
    char** environment = nullptr;
    __GetMainArgs(&argc, &argv, &environment, 0);
    std::exit(main(argc, argv));
}
