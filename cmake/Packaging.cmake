# The release packages, made by CPack from the install rules below:
#   win32 preset:   TOVIKA-<version>-win32.zip, one folder TOVIKA holding the three programs,
#                   README.TXT (Shift-JIS, CRLF), README-EN.TXT (ASCII, CRLF), LICENSE.TXT
#                   and an example sim-firmware.ini
#   release preset: tovika_<version>_<arch>.deb with /usr/bin/tovika, the manual page, both
#                   guides, the licence and the changelog; its dependencies computed by
#                   dpkg-shlibdeps
# (`cmake --workflow --preset zip`, `cmake --workflow --preset deb`). The texts are kept in
# UTF-8 with LF under packaging/ and written out here in the form each system reads.

include(GNUInstallDirs)

set(TOVIKA_TEXT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/TextFile.cmake)
set(TOVIKA_TEXT_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging)

# Writes packaging text OUTPUT from SOURCE: the version put in for @TOVIKA_VERSION@, line ends
# and character set as the system of the package expects.
function(tovika_text source output newline encoding)
  add_custom_command(
    OUTPUT ${TOVIKA_TEXT_DIR}/${output}
    COMMAND ${CMAKE_COMMAND} -DIN=${source} -DOUT=${TOVIKA_TEXT_DIR}/${output}
            -DVERSION=${PROJECT_VERSION} -DNEWLINE=${newline} -DENCODING=${encoding}
            -P ${TOVIKA_TEXT_SCRIPT}
    DEPENDS ${source} ${TOVIKA_TEXT_SCRIPT}
    COMMENT "Writing ${output} (${encoding}, ${newline})"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TOVIKA_TEXTS ${TOVIKA_TEXT_DIR}/${output})
endfunction()

if(WIN32)
  # Names that a system of the 95 era shows as they are, in one folder.
  set(TOVIKA_ZIP_FOLDER TOVIKA)
  set(TOVIKA_PROGRAMS TOVIKA TOVIKA-SIM TOVIKAC)
  set(TOVIKA_PROGRAM_DESTINATION ${TOVIKA_ZIP_FOLDER})
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/README.TXT.in README.TXT CRLF CP932)
  # The English guide is plain ASCII: the same bytes in every code page.
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/README-EN.TXT.in README-EN.TXT CRLF ASCII)
  tovika_text(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.TXT CRLF CP932)
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/sim-firmware.ini sim-firmware.ini CRLF CP932)
  install(FILES ${TOVIKA_TEXT_DIR}/README.TXT ${TOVIKA_TEXT_DIR}/README-EN.TXT ${TOVIKA_TEXT_DIR}/LICENSE.TXT
                ${TOVIKA_TEXT_DIR}/sim-firmware.ini
          DESTINATION ${TOVIKA_ZIP_FOLDER})
else()
  set(TOVIKA_PROGRAMS tovika)
  set(TOVIKA_PROGRAM_DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The project has no mail address yet: the placeholder stays until it has one, and it is
  # the one error that lintian may report on the package (bogus-mail-host; the package
  # checks, scripts/test-packages.sh, allow it and no other).
  set(TOVIKA_MAINTAINER "TOVIKA developers <tovika@invalid>" CACHE STRING
      "Maintainer field of the Debian package")
  set(TOVIKA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tovika)
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/README.TXT.in README.TXT LF UTF-8)
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/README-EN.TXT.in README-EN.TXT LF ASCII)
  tovika_text(${PROJECT_SOURCE_DIR}/packaging/tovika.1.in tovika.1 LF UTF-8)
  add_custom_command(
    OUTPUT ${TOVIKA_TEXT_DIR}/tovika.1.gz
    COMMAND gzip -9nkf tovika.1
    DEPENDS ${TOVIKA_TEXT_DIR}/tovika.1
    WORKING_DIRECTORY ${TOVIKA_TEXT_DIR}
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TOVIKA_TEXTS ${TOVIKA_TEXT_DIR}/tovika.1.gz)
  install(FILES ${TOVIKA_TEXT_DIR}/tovika.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The Debian changelog of a native package: the project's version and the changes kept in
  # packaging/changes.txt, gzipped without a name or time stamp as Debian wants it.
  add_custom_command(
    OUTPUT ${TOVIKA_TEXT_DIR}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/packaging/changes.txt
            -DOUT=${TOVIKA_TEXT_DIR}/changelog -DVERSION=${PROJECT_VERSION}
            -DMAINTAINER=${TOVIKA_MAINTAINER} -P ${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake
    COMMAND gzip -9nf changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changes.txt ${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake
    WORKING_DIRECTORY ${TOVIKA_TEXT_DIR}
    COMMENT "Writing the Debian changelog"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY TOVIKA_TEXTS ${TOVIKA_TEXT_DIR}/changelog.gz)
  install(FILES ${TOVIKA_TEXT_DIR}/changelog.gz DESTINATION ${TOVIKA_DOCDIR})
  install(FILES ${TOVIKA_TEXT_DIR}/README.TXT ${TOVIKA_TEXT_DIR}/README-EN.TXT DESTINATION ${TOVIKA_DOCDIR})
  # Debian keeps a package's licence as /usr/share/doc/<package>/copyright.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TOVIKA_DOCDIR} RENAME copyright)
endif()

get_property(TOVIKA_TEXT_FILES GLOBAL PROPERTY TOVIKA_TEXTS)
add_custom_target(tovika_texts ALL DEPENDS ${TOVIKA_TEXT_FILES})

# The programs are installed once every directory has defined its targets. A program whose
# target does not exist makes the configuration warn and every install and package fail: a
# package without one of its programs is never made.
function(tovika_install_programs)
  foreach(program IN LISTS TOVIKA_PROGRAMS)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION ${TOVIKA_PROGRAM_DESTINATION})
    else()
      message(WARNING "There is no target ${program}: installing and packaging will fail.")
      install(CODE "message(FATAL_ERROR \"The program ${program} is not built by this tree: no package without it.\")")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tovika_install_programs)

set(CPACK_PACKAGE_NAME tovika)
set(CPACK_PACKAGE_VENDOR "TOVIKA developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware setup utility of one notebook PC model")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME TOVIKA-${PROJECT_VERSION}-win32)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)  # the one folder comes from the install rules
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TOVIKA_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SECTION admin)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"tovika reads the setup choices that the notebook's firmware keeps in CMOS RAM
(device resources, boot order, display, power management), prints them as
name = value lines, changes them with every written byte read back, backs
up and restores the CMOS image, compares a backup with the live settings,
prints the information report and the register dump, presses the
firmware's hot keys and makes the hibernation file. It reaches CMOS through
the kernel's /dev/nvram and the firmware through port 0xB0; a simulated
notebook in a folder (--sim DIR) runs on any machine.")
endif()
include(CPack)
