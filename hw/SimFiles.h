// The simulated notebook's files beside the executable: sim-cmos.dat, the 128-byte CMOS
// image (the format of the backup file cmos.dat), and sim-firmware.ini, the firmware state.
#pragma once

#include <memory>
#include <string>

#include "hw/SimNotebook.h"
#include "sys/Error.h"
#include "sys/System.h"

namespace hw {

constexpr const char* kSimCmosFile = "sim-cmos.dat";
constexpr const char* kSimFirmwareFile = "sim-firmware.ini";
constexpr std::size_t kSimFirmwareLimit = std::size_t{1} << 20;  // 1 MiB: a larger one is refused

// A file that keeps the simulated notebook from starting; what() is the message for the user.
class SimSetupError : public sys::Error {
public:
    using Error::Error;
};

// Of those, a file that could not be read or made at all (not one of the wrong content).
class SimFileError : public SimSetupError {
public:
    using SimSetupError::SimSetupError;
};

// Reads sim-firmware.ini text: `hibernation-size = N` and `status-K = N` (K 0-63, N decimal
// or 0x-hex, 32 bits), one per line, `#` starts a comment. Values not given keep the
// factory state. Two faults: `firmware-answers = no` (or yes) and `cmos-stuck-XX = V` (XX a
// CMOS index in hex, 00-7F; V a byte, decimal or 0x-hex). Throws SimSetupError naming the
// line of the first malformed one.
FirmwareState ParseFirmwareIni(const std::string& text, FirmwareState base = FactoryFirmware());

// Opens the simulated notebook kept in `folder` (ending in a path delimiter or empty):
// loads sim-cmos.dat, or creates it with the factory image when it is missing; reads
// sim-firmware.ini when present. Every CMOS write afterwards is saved to sim-cmos.dat in
// place. Both files are read through `files` (FileSystem::ReadRegular): a link is followed,
// and a FIFO, a device or a socket in their place is refused at once. A file of the wrong size
// (sim-firmware.ini: over kSimFirmwareLimit) throws SimSetupError; an unreadable file, one that
// is not a regular file, or a folder where the image cannot be created throws SimFileError.
// No file is changed.
std::unique_ptr<SimNotebook> OpenSimNotebook(const std::string& folder, sys::FileSystem& files);

}  // namespace hw
