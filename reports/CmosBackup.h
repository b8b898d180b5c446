// The CMOS backup: an image of the 128 CMOS bytes in cmos.dat beside the executable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "hw/Bus.h"
#include "hw/Cmos.h"
#include "sys/System.h"

namespace reports {

// The backup file's path from the executable's path, a Shift-JIS (code page 932) byte
// string: the folder up to its last backslash or colon, without that backslash unless it
// follows another backslash or a colon or starts the path (a drive root keeps it), then
// "\cmos.dat". Double-byte characters are stepped over whole, so a trail byte 5Ch is never
// taken for a backslash. A path whose last delimiter is '/' (the POSIX build) gets "/cmos.dat".
std::string BackupPath(std::string_view executablePath);

std::string BackupConfirmation(const std::string& path);  // asked before anything is done

// A byte of the backup: the CMOS byte, or 00 for a byte the machine cannot reach.
std::uint8_t BackupByte(hw::Bus& bus, std::uint8_t index);

// The 128 bytes of a backup, read in order.
hw::CmosImage ReadBackupImage(hw::Bus& bus);

// The window's backup: creates the file anew without sharing and writes the 128 bytes, each
// with a one-byte write right after its own read. Then tells the outcome while the file is
// still open (sys::CreateFileAndTell). The file keeps the bytes written before a failure.
void WriteCmosBackup(const std::string& path, sys::FileSystem& files, hw::Bus& bus,
                     const std::function<void(const std::string& message)>& tell);

// A backup file that is not a CMOS image: what() names the file and its size.
class NotABackup : public sys::Error {
public:
    using Error::Error;
};

// The image in a backup file. Throws sys::FileError when it cannot be read, NotABackup when
// it is not exactly 128 bytes.
hw::CmosImage ReadBackupFile(sys::FileSystem& files, const std::string& path);

// Saves a backup without ever leaving a partial file: the image goes to a new file beside
// `path`, named `path` + "." + FileSystem::UnpredictableName() and created where nothing is
// (FileSystem::CreateNew: on POSIX private to its owner), which then takes the place of
// `path`; a link at `path` is replaced, not followed. On any failure the new file is
// removed, an existing `path` stays as it was, and sys::FileError is thrown.
void SaveBackupFile(sys::FileSystem& files, const std::string& path, const hw::CmosImage& image);

}  // namespace reports
