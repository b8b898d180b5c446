// Requests that make the firmware or the file system do something: the hot keys and the
// hibernation file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "hw/Firmware.h"
#include "sys/System.h"

namespace actions {

using FirmwareCall =
    std::function<std::uint32_t(std::uint16_t function, std::uint16_t param1, std::uint16_t param2)>;

using hw::kFnHibernationSize;
using hw::kFnHotKey;

// Has the firmware carry out the function of hot key `key`; its answer means nothing here.
void PressHotKey(const FirmwareCall& callFirmware, int key);

// Where the hibernation file lives on the notebook.
constexpr const char* kHibernationPath = "c:\\hiber.dat";

std::string HibernationConfirmation(const std::string& path);  // asked before anything is done

// Creates the hibernation file of `size` bytes (the firmware's answer, a signed 32-bit
// count) anew without sharing: positions at size - 2 and writes F7h FEh there, so the file
// system extends the file without the zeros being written. Then shows the outcome while the
// file is still open. A size below 2 (or negative) creates nothing and, like a failed
// creation, positioning or write, shows the error message.
void WriteHibernationFile(const std::string& path, std::uint32_t size, sys::FileSystem& files,
                          const std::function<void(const std::string& message)>& inform);

}  // namespace actions
