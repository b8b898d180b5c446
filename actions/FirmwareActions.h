// Requests that make the firmware or the file system do something: the hot keys and the
// hibernation file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "hw/Bus.h"
#include "sys/Language.h"
#include "sys/System.h"

namespace actions {

// The firmware's hot-key functions: the function key's number (the request's parameter, and
// the Tag of its button), the button on the information page that presses it, and its name
// on the command line. The window, its layout and the command line all read this table.
struct HotKey {
    int key;
    const char* button;
    const char* name;
};
inline constexpr HotKey kHotKeys[] = {
    {2, "btnF2", "F2"},    // backlight
    {3, "Button1", "F3"},  // display output
    {5, "Button3", "F5"},  // volume
    {6, "Button4", "F6"},  // processor speed
    {9, "Button5", "F9"},  // mains or battery operation
};

// The names of the hot keys, in the table's order, joined by `separator` and, before the
// last, by `last` ("F2, F3, F5, F6 or F9").
std::string HotKeyNames(std::string_view separator, std::string_view last);

// The hot key called `name` (F2, f2, ...); nullptr when there is none.
const HotKey* FindHotKey(std::string_view name);

// Has the firmware carry out the function of hot key `key`; its answer means nothing here.
void PressHotKey(hw::Bus& bus, int key);

// Where the hibernation file lives on the notebook.
constexpr const char* kHibernationPath = "c:\\hiber.dat";

// Asked before anything is done.
std::string HibernationConfirmation(const std::string& path, sys::Language language = sys::Language::Japanese);

// The size of the hibernation file, in bytes, as the firmware gives it (a signed 32-bit
// count).
std::uint32_t HibernationSize(hw::Bus& bus);

// What makes a new file the hibernation file of `size` bytes: it positions at size - 2 and
// writes F7h FEh there, so the file system extends the file without the zeros being
// written. None (an empty function) for a size below 2 (or negative): there is no place for
// the tail, and no file may be created or emptied.
std::function<void(sys::File& file)> HibernationFill(std::uint32_t size);

// The window's hibernation file: created anew without sharing and filled as above, then the
// outcome told while the file is still open (sys::CreateFileAndTell); for a size without a
// fill, only the error is told.
void WriteHibernationFile(const std::string& path, std::uint32_t size, sys::FileSystem& files,
                          const std::function<void(const std::string& message)>& tell,
                          sys::Language language = sys::Language::Japanese);

}  // namespace actions
