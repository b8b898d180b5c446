#include "cli/CliMessages.h"

namespace cli {

namespace {

// The scripts and the tests compare these texts byte for byte: a change here is a change of
// the command line's interface.
const std::vector<CliMessageRow> kRows = {
    {CliMessage::SimNeedsFolder, "--sim needs the folder of the simulated notebook"},
    {CliMessage::ImageNeedsFile, "--image needs a CMOS image file"},
    {CliMessage::LangNeedsValue, "--lang needs ja or en"},
    {CliMessage::LangNotJaOrEn, "--lang takes ja or en, not '%1'"},
    {CliMessage::ImageAndSim, "--image and --sim exclude each other: give one of them; nothing done"},
    {CliMessage::JapaneseNotShown, "--lang ja: Japanese cannot be shown here (%1); English is printed"},
    {CliMessage::LocaleNotUtf8, "the locale %1 is not UTF-8"},
    {CliMessage::CodePageNot932, "the output's code page is %1, not 932"},

    {CliMessage::UnknownCommand, "unknown command '%1'; see --help"},
    {CliMessage::NeedsFirmware,
     "%1 needs the notebook's firmware, which a CMOS image (--image %2) does not have; nothing done"},
    {CliMessage::UnknownOption, "unknown option %1"},
    {CliMessage::FileOptionNeedsFile, "-f needs a file (- for standard input)"},
    {CliMessage::TakesNoArguments, "%1 takes no arguments"},
    {CliMessage::TakesOnlyJson, "%1 takes no arguments besides --json"},
    {CliMessage::GetNeedsNames, "get needs at least one setting's name"},
    {CliMessage::SetFileOrPairs, "set takes either -f FILE or NAME=VALUE arguments, not both"},
    {CliMessage::SetNeedsPairs, "set needs NAME=VALUE arguments or -f FILE"},
    {CliMessage::NotNameValue, "'%1' is not NAME=VALUE"},
    {CliMessage::NoSettingsToSet, "no settings to set"},
    {CliMessage::NeedsBackupFile, "%1 needs one backup file"},
    {CliMessage::BackupNeedsFile, "backup needs one file"},
    {CliMessage::HotkeyNeedsKey, "hotkey needs one key: %1"},
    {CliMessage::NoSuchHotKey, "'%1' is no hot key: %2"},
    {CliMessage::HiberfileAtMostOne, "hiberfile takes at most one path"},
    {CliMessage::HiberfileNeedsPath, "hiberfile needs the path of the file to create"},

    {CliMessage::UnknownSetting, "unknown setting '%1'"},
    {CliMessage::NoSuchValue, "'%1' is no value of %2 (one of: %3, #0-#%4, or nothing)"},
    {CliMessage::AtLine, "%1:%2: %3"},
    {CliMessage::StandardInput, "standard input"},
    {CliMessage::NotKeyValue, "expected `key = value`"},
    {CliMessage::TextAfterValue, "unexpected text after the value"},
    {CliMessage::PortRuleUndoes,
     "%1=%2 cannot be kept: the serial and the infrared port never share an address; nothing written"},

    {CliMessage::NotAnImage, "%1; nothing done"},
    {CliMessage::NothingReadFromHardware, "%1; nothing read from the hardware"},
    {CliMessage::SimCannotStart, "the simulated notebook in %1 cannot start: %2"},
    {CliMessage::CmosPorts, "the CMOS ports (70h/71h)"},
    {CliMessage::ImageReadsBackSize, "%1 reads back as %2 bytes after %3 were written"},
    {CliMessage::ImageByteReadsBack, "%1: byte %2h reads back %3 after %4 was written"},
    {CliMessage::ByteReadsBack, "%1 reads back %2 after %3 was written"},
    {CliMessage::NothingWritten, "nothing written"},
    {CliMessage::RestoreNeedsYes, "restore writes the CMOS; give --yes to confirm it when not run from a terminal"},
    {CliMessage::HibernationSizeRefused, "the firmware gives a hibernation size of %1 bytes; no file made"},
};

}  // namespace

const std::vector<CliMessageRow>& CliMessageTable() { return kRows; }

std::string Text(CliMessage id, const sys::MessageArgs& args) {
    for (const CliMessageRow& row : kRows)
        if (row.id == id) return sys::FillText(row.english, sys::Language::English, args);
    return {};
}

}  // namespace cli
