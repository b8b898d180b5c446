# The Windows executables: TOVIKA.exe (the processor's port instructions) and TOVIKA-SIM.exe
# (the simulated notebook), one PE32 GUI file each with the C++ runtime linked in, and
# TOVIKAC.exe. They differ only in the one source that creates the machine behind the ports.
# The i686 build, the released one, runs on a Pentium and takes its C functions from
# crtdll.dll (cmake/PentiumRuntime.cmake); an x86-64 build uses the compiler's own runtime.

# Texts are written in UTF-8 and become Shift-JIS (code page 932) at run time, as the ANSI
# API of the 95/98/Me and NT/2000 systems expects. WINVER 0x0400: Windows 95 and NT 4.0.
target_compile_options(tovika_core PUBLIC -finput-charset=UTF-8 -fexec-charset=CP932)
# For size (the executables stay within 200 KiB):
#  - each function and datum in a section of its own, so that the linker can drop what
#    nothing uses (--gc-sections below; it keeps whatever has unwind information);
#  - no guard around the first use of a function's static: the programs have one thread;
#  - no interprocedural clones (.isra, .constprop): the compiler makes them of the standard
#    library's inline members in every source file, so each file carried its own copies of
#    std::string's code where now all share one;
#  - no common body of a constructor or destructor (-fdeclone-ctor-dtor, which -Os turns on):
#    on Windows that body is local to each source file, so every file kept its own copy of
#    std::string's and std::vector's constructors and of sys::Error's destructor; without it
#    they are the ordinary shared ones, one in the program.
target_compile_options(tovika_core PUBLIC -ffunction-sections -fdata-sections -fno-threadsafe-statics
                                          -fno-ipa-sra -fno-ipa-cp -fno-declone-ctor-dtor)
target_compile_definitions(tovika_core PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400
                                              NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_options(tovika_core PUBLIC -static -static-libgcc -static-libstdc++)
# The released i686 programs run on the notebook's own processor, a Pentium (P5): nothing of
# the Pentium Pro and later that the compiler's default would choose (CMOV, FCOMI, ...). An
# x86-64 build keeps its compiler's defaults and its stock runtime.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(TOVIKA_PENTIUM ON)
  target_compile_options(tovika_core PUBLIC -march=pentium)
else()
  set(TOVIKA_PENTIUM OFF)
endif()

# The port instructions and the system services are this system's platform part
# (tovika_platform). The runtime's replaced parts and the runtime entry go into each
# executable itself (see below).
set(TOVIKA_RUNTIME ${CMAKE_CURRENT_SOURCE_DIR}/sys/win32/Runtime.cpp)
set(TOVIKA_RUNTIME_WINDOW ${TOVIKA_RUNTIME})
set(TOVIKA_RUNTIME_CONSOLE ${TOVIKA_RUNTIME})
if(TOVIKA_PENTIUM)
  include(${CMAKE_CURRENT_LIST_DIR}/PentiumRuntime.cmake)
else()
  function(tovika_link_runtime target)  # the compiler's own runtime
  endfunction()
endif()
target_sources(tovika_platform PRIVATE hw/x86/X86Machine.cpp hw/win32/PortFaults.cpp hw/win32/Giveio.cpp
                                       sys/win32/SystemError.cpp sys/win32/Win32System.cpp)
target_link_libraries(tovika_platform PUBLIC version)

# The native window. The entry point and the machine choice go into each executable itself.
add_library(tovika_win32 STATIC ui/win32/Peers.cpp ui/win32/Texts.cpp app/win32/MainWindow.cpp app/win32/Profile.cpp
                                app/win32/Win32Dialogs.cpp)
target_link_libraries(tovika_win32 PUBLIC tovika_platform gdi32 user32 kernel32)

set(TOVIKA_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/app/win32/TOVIKA.rc)
# The project version for the resource, as its four numbers and as one bare token that the
# resource turns into its text (windres hands definitions to the preprocessor through a
# shell, which would strip the quotes of a string).
set_source_files_properties(${TOVIKA_RESOURCES} PROPERTIES COMPILE_DEFINITIONS
  "TOVIKA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};TOVIKA_VERSION_MINOR=${PROJECT_VERSION_MINOR};TOVIKA_VERSION_PATCH=${PROJECT_VERSION_PATCH};TOVIKA_VERSION_TWEAK=${PROJECT_VERSION_TWEAK};TOVIKA_VERSION_TOKEN=${PROJECT_VERSION}")

foreach(variant IN ITEMS Real Sim)
  if(variant STREQUAL "Real")
    set(exe TOVIKA)
  else()
    set(exe TOVIKA-SIM)
  endif()
  add_executable(${exe} WIN32 app/win32/WinMain.cpp ${TOVIKA_RUNTIME_WINDOW} app/win32/Machine${variant}.cpp
                        ${TOVIKA_RESOURCES})
  target_link_libraries(${exe} PRIVATE tovika_win32)
  tovika_link_runtime(${exe})
  # No base relocations: a program is always loaded at its own base address on the systems it
  # was made for; only the address-space randomisation of later systems moves it, which they
  # then leave out. The table would be 7 KiB of the file.
  target_link_options(${exe} PRIVATE -s -Wl,--gc-sections -Wl,--disable-dynamicbase -Wl,--disable-reloc-section
                                     -Wl,-Map=${exe}.map)
endforeach()

# TOVIKAC.exe: the command line as a console program, on the port instructions of TOVIKA.exe.
add_executable(TOVIKAC cli/win32/main.cpp ${TOVIKA_RUNTIME_CONSOLE})
target_link_libraries(TOVIKAC PRIVATE tovika_cli tovika_platform)
tovika_link_runtime(TOVIKAC)
target_link_options(TOVIKAC PRIVATE -s -Wl,--gc-sections -Wl,--disable-dynamicbase -Wl,--disable-reloc-section
                                    -Wl,-Map=TOVIKAC.map)

enable_testing()
add_subdirectory(e2e)
add_subdirectory(bench/win32)
