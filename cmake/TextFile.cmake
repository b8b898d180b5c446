# Writes a text of the packages in the form its system reads:
#   cmake -DIN=source -DOUT=file -DVERSION=x.y.z.w -DNEWLINE=LF|CRLF -DENCODING=UTF-8|CP932|ASCII
#         -P TextFile.cmake
# The source is UTF-8 with LF line ends; @TOVIKA_VERSION@ becomes VERSION. CP932 is the
# Shift-JIS of Windows, the code page of the program's own texts; ASCII is the English guide's.
# A character that the encoding lacks stops the build rather than turning into something else.
foreach(var IN ITEMS IN OUT VERSION NEWLINE ENCODING)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "TextFile.cmake: -D${var}=... is missing")
  endif()
endforeach()

file(READ "${IN}" text)
if(text MATCHES "\r")
  message(FATAL_ERROR "${IN}: carriage return in the source; keep it with LF line ends")
endif()
string(REPLACE "@TOVIKA_VERSION@" "${VERSION}" text "${text}")
if(NEWLINE STREQUAL "CRLF")
  string(REPLACE "\n" "\r\n" text "${text}")
elseif(NOT NEWLINE STREQUAL "LF")
  message(FATAL_ERROR "TextFile.cmake: NEWLINE is LF or CRLF, not ${NEWLINE}")
endif()

if(ENCODING STREQUAL "UTF-8")
  file(WRITE "${OUT}" "${text}")
else()
  file(WRITE "${OUT}.utf8" "${text}")
  execute_process(COMMAND iconv -f UTF-8 -t ${ENCODING} "${OUT}.utf8"
                  OUTPUT_FILE "${OUT}" RESULT_VARIABLE status ERROR_VARIABLE error)
  file(REMOVE "${OUT}.utf8")
  if(NOT status EQUAL 0)
    file(REMOVE "${OUT}")
    message(FATAL_ERROR "${IN}: cannot be written in ${ENCODING}: ${error}")
  endif()
endif()
