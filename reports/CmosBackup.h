// The CMOS backup: an image of the 128 CMOS bytes in cmos.dat beside the executable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "hw/Bus.h"
#include "hw/Cmos.h"
#include "sys/Language.h"
#include "sys/ShiftJis.h"
#include "sys/System.h"

namespace reports {

// The backup file's path from the executable's path, a byte string of the code page whose
// lead bytes are `lead` (the system's): the folder up to its last backslash or colon, without that backslash unless it
// follows another backslash or a colon or starts the path (a drive root keeps it), then
// "\cmos.dat". Double-byte characters are stepped over whole, so a trail byte 5Ch is never
// taken for a backslash, and on a single-byte code page none is swallowed after a letter. A path whose last delimiter is '/' (the POSIX build) gets "/cmos.dat".
std::string BackupPath(std::string_view executablePath, const sys::LeadBytes& lead);

// Asked before anything is done.
std::string BackupConfirmation(const std::string& path, sys::Language language = sys::Language::Japanese);

// A byte of the backup: the CMOS byte, or 00 for a byte the machine cannot reach.
std::uint8_t BackupByte(hw::Bus& bus, std::uint8_t index);

// The 128 bytes of a backup, read in order.
hw::CmosImage ReadBackupImage(hw::Bus& bus);

// The window's backup: creates the file anew without sharing and writes the 128 bytes, each
// with a one-byte write right after its own read. Then tells the outcome while the file is
// still open (sys::CreateFileAndTell). The file keeps the bytes written before a failure.
void WriteCmosBackup(const std::string& path, sys::FileSystem& files, hw::Bus& bus,
                     const std::function<void(const std::string& message)>& tell,
                     sys::Language language = sys::Language::Japanese);

// A file that is not a CMOS image: the message (Message::ImageWrongSize) names the file and
// its size.
class NotABackup : public sys::Error {
public:
    using Error::Error;
};

// A CMOS image file as it was read: the 128 CMOS bytes, and the upper 128 bytes of a
// 256-byte file (a CMOS of two banks, as nvramtool writes an image), kept as they are.
struct ImageFile {
    hw::CmosImage cmos{};
    std::string upper;  // empty for a file of 128 bytes
};

// The image in a file of 128 or 256 bytes, read by FileSystem::ReadRegular (no more than 257
// bytes of it). Throws sys::FileError when it cannot be read (sys::NotAFile for a folder, a
// FIFO, a device or a socket), NotABackup for any other size.
ImageFile ReadImageFile(sys::FileSystem& files, const std::string& path);

// The CMOS bytes of a backup file (ReadImageFile's first 128 bytes).
hw::CmosImage ReadBackupFile(sys::FileSystem& files, const std::string& path);

// Saves a backup without ever leaving a partial file: the image goes to a new file beside
// `path`, named `path` + "." + FileSystem::UnpredictableName() and created where nothing is
// (FileSystem::CreateNew: on POSIX private to its owner), which then takes the place of
// `path`; a link at `path` is replaced, not followed. On any failure the new file is
// removed, an existing `path` stays as it was, and sys::FileError is thrown.
void SaveBackupFile(sys::FileSystem& files, const std::string& path, const hw::CmosImage& image);

// Saves an edited image file in the same way, its upper bytes as they were read, with the
// mode of the file it replaces (File::TakeModeOf). With `lockNew`, the new file is locked for
// this writer alone (FileSystem::Lock) before it takes the place of `path`, and the lock is
// given there: a lock on the old file no longer guards the path once it is replaced.
void SaveImageFile(sys::FileSystem& files, const std::string& path, const ImageFile& image,
                   std::unique_ptr<sys::FileLock>* lockNew = nullptr);

}  // namespace reports
