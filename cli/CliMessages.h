// Every text that the command line says on standard error of its own, one row each: why a
// command failed, and the notes it adds (a byte that reads back otherwise, the language it
// prints in instead of the one asked for). The command line speaks English only, so a row has
// its English text alone; only the command line links this table, so the window programs carry
// none of it. Where a failure comes from the system's table (a file that is busy, a silent
// firmware), the command line says that row's English text instead (sys/Messages.h).
//
// The blanks are filled by the rules of the system's table (sys::FillText): %1 to %9 stand for
// the arguments in their order; an argument is a piece of text, a text in each language, or a
// row of the system's table (a kind of file, for instance), whose English text is put in its
// place. Arguments are put in as they are: a % in a path is never read as a blank.
//
// What a command prints as its result (the settings, the report, the bytes it writes, the
// usage) is not a message and is written where it is printed.
#pragma once

#include <string>
#include <vector>

#include "sys/Messages.h"

namespace cli {

enum class CliMessage : unsigned char {
    // The options before the command.
    SimNeedsFolder,
    ImageNeedsFile,
    LangNeedsValue,
    LangNotJaOrEn,        // %1 the value given
    ImageAndSim,
    JapaneseNotShown,     // %1 why not (one of the two below, filled)
    LocaleNotUtf8,        // %1 the locale
    CodePageNot932,       // %1 the output's code page
    // The command and its arguments.
    UnknownCommand,       // %1 the word given
    NeedsFirmware,        // %1 the command, %2 the image
    UnknownOption,        // %1 the option
    FileOptionNeedsFile,
    TakesNoArguments,     // %1 the command
    TakesOnlyJson,        // %1 the command
    GetNeedsNames,
    SetFileOrPairs,
    SetNeedsPairs,
    NotNameValue,         // %1 the word given
    NoSettingsToSet,
    NeedsBackupFile,      // %1 the command
    BackupNeedsFile,
    HotkeyNeedsKey,       // %1 the hot keys
    NoSuchHotKey,         // %1 the word given, %2 the hot keys
    HiberfileAtMostOne,
    HiberfileNeedsPath,
    // Settings and their values, on the command line or in a settings file.
    UnknownSetting,       // %1 the name given
    NoSuchValue,          // %1 the value given, %2 the setting, %3 its item names, %4 the last item number
    AtLine,               // %1 the file (or standard input), %2 the line number, %3 the failure there
    StandardInput,
    NotKeyValue,
    TextAfterValue,
    PortRuleUndoes,       // %1 the setting, %2 the value asked for
    // The notebook, the image and what they read back.
    NotAnImage,           // %1 why not
    NothingReadFromHardware,  // %1 why the backup was not taken
    SimCannotStart,       // %1 the folder, %2 why not
    CmosPorts,            // the device that DeviceBusy names on Windows
    ImageReadsBackSize,   // %1 the image, %2 the bytes read back, %3 the bytes written
    ImageByteReadsBack,   // %1 the image, %2 the offset in hex, %3 the byte read, %4 the byte written
    ByteReadsBack,        // %1 the byte's name, %2 the byte read, %3 the byte written
    NothingWritten,
    RestoreNeedsYes,
    HibernationSizeRefused,  // %1 the size that the firmware gives (signed)
};

// One row of the table: the English text, plain ASCII.
struct CliMessageRow {
    CliMessage id;
    const char* english;
};

// The whole table, one row for each id, in the order of the ids.
const std::vector<CliMessageRow>& CliMessageTable();

// The text of a row with its blanks filled.
std::string Text(CliMessage id, const sys::MessageArgs& args = {});

}  // namespace cli
