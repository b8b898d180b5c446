# Cross build for 64-bit Windows with MinGW-w64 (x86-64, win32 thread model). Not released:
# it runs the end-to-end tests and the program under 64-bit Wine on machines that execute
# no 32-bit x86 code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
