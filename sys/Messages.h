// Every text that the program shows or prints as a message, one row each: the window's
// Japanese text and its English twin, which the command line prints too and the window shows
// where its language is English. The layers name a message by its id and hand
// over what fills its blanks; the texts are made from the rows and nowhere else. The rows are
// in sys/Messages.cpp, except those that only one system's own part raises (sys/posix,
// hw/linux), which sit beside the code that raises them (MessageRowsAside).
//
// In a text, %1 to %9 stand for the arguments in their order. An argument is a piece of text
// (a path, a number already written out) or the id of another row, whose text is put in its
// place in the same language and fills its own blanks from the same arguments. Arguments are
// put in as they are: a % in a path is never read as a blank.
#pragma once

#include <cstddef>
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
    // Files that the system refused: the path and the system's reason (SystemReason).
    PathReason,       // %1 the path, %2 the reason
    SeekFailed,       // %1 the path, %2 the offset, %3 the reason
    ShortWrite,       // %1 the path, %2 the bytes written, %3 the bytes asked for
    ImageWrongSize,   // %1 the path, %2 its size
    NoFreeTemporaryName,  // %1 the path, %2 the names tried, %3 the last of them
    // A bus without ports or without firmware.
    NoSinglePort,     // %1 the access (PortInput or PortOutput), %2 the port in hex
    NoFirmwareBehindImage,
    // Raised by the POSIX system's part only; their rows are in sys/posix/PosixSystem.cpp.
    LinkNotFollowed,      // %1 the path
    NotRegularNotWritten, // %1 the path, %2 what it is
    NoRandomNumbers,      // %1 the reason
    // Raised by the Linux notebook only; their rows are in hw/linux/LinuxNotebook.cpp.
    NvramEndsEarly,       // %1 the CMOS byte, %2 the file, %3 the offset
    NvramTookNothing,     // %1 the CMOS byte, %2 the file
    NvramClockByte,       // %1 the CMOS byte, %2 the file, %3 the access (as "read" or "written")
    NvramFailed,          // %1 the CMOS byte, %2 the access (as "read" or "write"), %3 the file, %4 the offset, %5 the reason
    NvramBadChecksum,     // %1 the access (as "read" or "write"), %2 the CMOS byte, %3 the file
    NvramMissing,         // %1 the file
    NvramNoDriver,        // %1 the file
    NvramNotPermitted,    // %1 the file
    NvramReadOnly,        // %1 the file, %2 the environment variable that names another
    NvramIsFolder,        // %1 the folder, %2 the size the file must have
    NvramNotOpened,       // %1 the file, %2 the reason
    NvramKernelTooOld,    // %1 the file, %2 its size
    NvramWrongSize,       // %1 the file, %2 its size, %3 the size it must have
    NoPortInstructions,
    FirmwarePortNotPermitted,
    FirmwarePortNotGranted,  // %1 the reason
};

// One row of the table. Every row has both texts; the English one is plain ASCII.
struct MessageRow {
    Message id;
    const char* japanese;
    const char* english;
};

// The table, its rows in the order of the ids (those kept aside not included).
const std::vector<MessageRow>& MessageTable();

// Rows kept beside the code that raises them rather than in the table: those of the messages
// that only one system's own part raises (sys/posix, hw/linux), so that the programs made for
// the other system carry none of their texts. A static object of this type, in the file that
// raises them, adds its rows to the lookup as the program starts: wherever that file is
// linked in, so are its rows.
class MessageRowsAside {
public:
    template <std::size_t N>
    explicit MessageRowsAside(const MessageRow (&rows)[N]) : rows_(rows), count_(N), next_(first_) {
        first_ = this;
    }
    MessageRowsAside(const MessageRowsAside&) = delete;
    MessageRowsAside& operator=(const MessageRowsAside&) = delete;

    static const MessageRowsAside* First() { return first_; }
    const MessageRowsAside* Next() const { return next_; }
    const MessageRow* begin() const { return rows_; }
    const MessageRow* end() const { return rows_ + count_; }

private:
    // Set before any dynamic initialisation, so the order of the files' start-up does not matter.
    static inline const MessageRowsAside* first_ = nullptr;
    const MessageRow* rows_;
    std::size_t count_;
    const MessageRowsAside* next_;
};

// Calls `visit` with every row: the table's, then those kept aside that this program links.
template <class Visit> void ForEachMessageRow(Visit visit) {
    for (const MessageRow& row : MessageTable()) visit(row);
    for (const MessageRowsAside* aside = MessageRowsAside::First(); aside; aside = aside->Next())
        for (const MessageRow& row : *aside) visit(row);
}

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
