// Every text that the program shows or prints as a message, one row each: the window's
// Japanese text and its English twin, which the command line prints too and the window shows
// where its language is English. The layers name a message by its id and hand
// over what fills its blanks; the texts are made here and nowhere else.
//
// In a text, %1 to %9 stand for the arguments in their order. An argument is a piece of text
// (a path, a number already written out) or the id of another row, whose text is put in its
// place in the same language and fills its own blanks from the same arguments. Arguments are
// put in as they are: a % in a path is never read as a blank.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "sys/Language.h"

namespace sys {

enum class Message : unsigned char {
    // The port grant and refused port instructions.
    PortGrantMissing,
    InstructionRefused,  // %1 the instruction (one of the five below)
    PortInput,           // %2 the port in hex
    PortOutput,          // %2 the port in hex
    ClearInterrupts,
    SetInterrupts,
    FirmwareCall,  // %2 the function in hex
    FirmwareSilent,
    // The simulated notebook's files.
    SimFileUnreadable,   // %1 the path, %2 the system's reason
    SimCmosNotSaved,     // %1 the path, %2 the CMOS index in hex
    SimIniBadLine,       // %1 the file, %2 the line number, %3 the rule (one of the five below), %4 the line
    SimIniNotNameValue,
    SimIniNotNumber,
    SimIniNotYesNo,
    SimIniNotByte,
    SimIniUnknownName,
    SimCmosWrongSize,    // %1 the path, %2 its size
    SimCmosNameTaken,    // %1 the path
    SimCmosNotCreated,   // %1 the path
    // Files that the window makes, and the system's reasons.
    FileCreated,      // %1 the path
    FileNotCreated,   // %1 the path
    NoSuchFile,
    AccessDenied,
    IsAFolder,
    SystemErrno,      // %1 the errno value
    SystemErrorCode,  // %1 the system's error code
    // The window's questions and start-up.
    UpdateConfirmation,
    BackupConfirmation,       // %1 the backup file
    HibernationConfirmation,  // %1 the hibernation file
    ComctlTooOld,
    AlreadyRunning,
    UnexpectedError,
    // Files that are not files, files too large, locks held by another program and links.
    NotARegularFile,  // %1 the path, %2 what it is (one of the six below)
    KindFifo,
    KindCharDevice,
    KindBlockDevice,
    KindSocket,
    KindFolder,
    KindOther,
    FileTooLarge,     // %1 the file (or standard input), %2 the largest size taken in bytes
    FileBusy,         // %1 the file or folder, %2 the seconds waited
    DeviceBusy,       // %1 the device, %2 the seconds waited
    ImageIsLink,      // %1 the path
};

// One row of the table. Every row has both texts; the English one is plain ASCII.
struct MessageRow {
    Message id;
    const char* japanese;
    const char* english;
};

// The whole table, one row for each id, in the order of the ids.
const std::vector<MessageRow>& MessageTable();

// What fills a blank: a text as it is, the same in both languages; a text in each language
// (the system's reason for a failure, another error's message); or another row's text.
class MessageArg {
public:
    MessageArg(std::string text) : text_(std::move(text)) {}
    MessageArg(const char* text) : text_(text) {}
    MessageArg(const std::string& japanese, const std::string& english)
        : text_(japanese + english), english_(japanese.size()) {}
    MessageArg(Message row) : row_(row), isRow_(true) {}

    bool IsRow() const { return isRow_; }
    Message Row() const { return row_; }
    std::string_view Text(Language language = Language::Japanese) const {
        const std::string_view all = text_;
        if (english_ == kOneText) return all;
        return language == Language::English ? all.substr(english_) : all.substr(0, english_);
    }

private:
    // Both texts in one string, the English one from english_ on: one string to build and
    // free wherever an argument is made, as every message is made in every program.
    static constexpr std::size_t kOneText = static_cast<std::size_t>(-1);
    std::string text_;
    std::size_t english_ = kOneText;
    Message row_ = Message::UnexpectedError;
    bool isRow_ = false;
};

using MessageArgs = std::vector<MessageArg>;

// Where the window shows its Japanese through the Unicode API on a system whose own code page
// is not 932, a text that fills a blank (a path, the system's reason) is in the system's code
// page, not in 932, and must be converted from that one. With marking on, every such text that
// holds a byte above 7Fh is put in between kSystemTextStart and kSystemTextEnd, so that the
// conversion can tell it from the table's text. Off by default; the window turns it on once,
// before anything is shown, in that case only.
inline constexpr char kSystemTextStart = '\x01';
inline constexpr char kSystemTextEnd = '\x02';
void MarkSystemTexts(bool on);

// The window's text of a message with its blanks filled.
std::string Japanese(Message id, const MessageArgs& args = {});
// The command line's text, the English one.
std::string English(Message id, const MessageArgs& args = {});
// The text in `language`: the window's.
std::string Text(Language language, Message id, const MessageArgs& args = {});

// Any table's text with its blanks filled from `args` in `language`, by the rules above: how
// the command line's own table (cli/CliMessages.h) makes its texts from the same arguments.
std::string FillText(const char* text, Language language, const MessageArgs& args = {});

}  // namespace sys
