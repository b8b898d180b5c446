# The runtime of the i686 programs, for the Pentium (see cmake/Win32Targets.cmake):
#  - the start-up routine is our own (sys/win32/CrtStart*.cpp), linked with GCC's crtbegin.o and
#    crtend.o in place of MinGW's start-up objects and its libmingw32 and libmingwex;
#  - the C runtime is crtdll.dll, which every Windows 95 and NT has, in place of msvcrt.dll;
#  - the C++ runtime's support library (exceptions, type information, new and delete) and
#    libgcc's unwinder are compiled from the installed compiler's own sources for the
#    Pentium, by cmake/pentium-runtime.sh, once per clone (a few minutes, most of it
#    making GCC's target headers); libstdc++.a and libgcc.a are searched after them for
#    anything else (the instruction check names whatever is taken from them).
# A GCC specs file puts this in place of the compiler's own start files and libraries.
# Kept beside the build folders, not in one: a clone pays for it once, whatever folders it
# builds in and deletes.
set(TOVIKA_PENTIUM_RUNTIME_DIR ${PROJECT_SOURCE_DIR}/build/pentium-runtime CACHE PATH
    "Where the runtime for the Pentium is built and kept")
set(TOVIKA_PENTIUM_RUNTIME ${TOVIKA_PENTIUM_RUNTIME_DIR}/libtovika-pentium-rt.a)
file(GLOB TOVIKA_GCC_SOURCES /usr/src/gcc-12/gcc-12.*.tar.xz)
list(FILTER TOVIKA_GCC_SOURCES INCLUDE REGEX "/gcc-12[.][0-9.]+(-dfsg)?[.]tar[.]xz$")
set(TOVIKA_GCC_SOURCE_FOUND "")
if(TOVIKA_GCC_SOURCES)
  list(GET TOVIKA_GCC_SOURCES 0 TOVIKA_GCC_SOURCE_FOUND)
endif()
set(TOVIKA_GCC_SOURCE ${TOVIKA_GCC_SOURCE_FOUND} CACHE FILEPATH
    "The sources of the installed GCC (Debian package gcc-12-source)")
if(NOT TOVIKA_GCC_SOURCE OR NOT EXISTS "${TOVIKA_GCC_SOURCE}")
  message(FATAL_ERROR "The sources of GCC 12 are missing: install gcc-12-source (scripts/install-deps.sh)")
endif()
string(REGEX REPLACE "g\\+\\+([^/]*)$" "gcc\\1" TOVIKA_C_COMPILER ${CMAKE_CXX_COMPILER})
add_custom_command(
  OUTPUT ${TOVIKA_PENTIUM_RUNTIME}
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/pentium-runtime.sh ${TOVIKA_GCC_SOURCE} ${TOVIKA_PENTIUM_RUNTIME_DIR}
          ${TOVIKA_PENTIUM_RUNTIME} ${TOVIKA_C_COMPILER} ${CMAKE_CXX_COMPILER} ${CMAKE_AR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/pentium-runtime.sh
  COMMENT "Building the C++ runtime's support and libgcc's unwinder for the Pentium (once per clone)"
  VERBATIM)
add_custom_target(tovika_pentium_runtime DEPENDS ${TOVIKA_PENTIUM_RUNTIME})

# The compiler's start files and libraries, replaced: crtbegin.o first (it registers the
# unwind tables), our runtime before libgcc, crtdll.dll for the C functions; crtend.o stays
# last, where the compiler puts it.
set(TOVIKA_PENTIUM_SPECS ${CMAKE_BINARY_DIR}/pentium-link.specs)
file(WRITE ${TOVIKA_PENTIUM_SPECS} "*startfile:
crtbegin.o%s

*libgcc:
${TOVIKA_PENTIUM_RUNTIME} -lgcc

*lib:
-lcrtdll -lkernel32
")

set(TOVIKA_RUNTIME_WINDOW ${TOVIKA_RUNTIME} ${PROJECT_SOURCE_DIR}/sys/win32/CrtStart.cpp
                          ${PROJECT_SOURCE_DIR}/sys/win32/CrtStartWindow.cpp)
set(TOVIKA_RUNTIME_CONSOLE ${TOVIKA_RUNTIME} ${PROJECT_SOURCE_DIR}/sys/win32/CrtStart.cpp
                           ${PROJECT_SOURCE_DIR}/sys/win32/CrtStartConsole.cpp)

# The runtime comes after the libraries of the programs on the link line, before the C++
# library that the compiler adds, so that its definitions are the ones taken. (A path, not a
# target: the core's own compilation waits for nothing.)
target_link_libraries(tovika_core INTERFACE ${TOVIKA_PENTIUM_RUNTIME})

# Links program TARGET on this runtime. No data is imported from a DLL without its import
# address (--disable-auto-import): there is no runtime relocator any more to patch it.
function(tovika_link_runtime target)
  add_dependencies(${target} tovika_pentium_runtime)
  target_link_options(${target} PRIVATE -specs=${TOVIKA_PENTIUM_SPECS} -Wl,--disable-auto-import)
endfunction()
