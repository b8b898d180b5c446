// The CMOS backup: an image of the 128 CMOS bytes in cmos.dat beside the executable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sys/System.h"

namespace reports {

// The backup file's path from the executable's path, a Shift-JIS (code page 932) byte
// string: the folder up to its last backslash or colon, without that backslash unless it
// follows another backslash or a colon or starts the path (a drive root keeps it), then
// "\cmos.dat". Double-byte characters are stepped over whole, so a trail byte 5Ch is never
// taken for a backslash. A path whose last delimiter is '/' (the POSIX build) gets "/cmos.dat".
std::string BackupPath(std::string_view executablePath);

std::string BackupConfirmation(const std::string& path);  // asked before anything is done

// Creates the file anew without sharing and writes the 128 CMOS bytes, each with a one-byte
// write right after its own read. Then shows the outcome while the file is still open: the
// success message, or the error message when the creation, a write or a read failed. The
// file keeps the bytes written before a failure.
void WriteCmosBackup(const std::string& path, sys::FileSystem& files,
                     const std::function<std::uint8_t(std::uint8_t index)>& readCmos,
                     const std::function<void(const std::string& message)>& inform);

}  // namespace reports
