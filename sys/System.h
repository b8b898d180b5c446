// What the program asks of the operating system besides the window and the ports: files,
// its own path and version, the system's version and the regional number separators.
// Win32 and POSIX implementations live in sys/win32 and sys/posix; the tests use either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "sys/Error.h"
#include "sys/Language.h"
#include "sys/ShiftJis.h"

namespace sys {

// A file that could not be made, read or written. The system's part raises it with the
// system's reason where a call failed (SystemReason in sys/SystemError.h), and keeps that
// reason, so that a layer above can put it into a message of its own without asking the system.
class FileError : public Error {
public:
    using Error::Error;
    // A call on `path` that the system refused: "path: reason" (Message::PathReason).
    FileError(const std::string& path, const MessageArg& reason, int systemCode)
        : FileError(Message::PathReason, {path, reason}, reason, systemCode) {}
    // A message of its own whose arguments hold the system's reason among them.
    FileError(Message cause, const MessageArgs& args, const MessageArg& reason, int systemCode)
        : Error(cause, args), reason_(reason), code_(systemCode) {}
    // The system's code of the failure (errno, or Windows's error code) where a call failed; 0
    // otherwise.
    int SystemCode() const { return code_; }
    // Why, in both languages: the system's reason where a call failed, else this error's own
    // texts.
    MessageArg Reason() const { return reason_ ? *reason_ : MessageArg(what(), English()); }

private:
    std::optional<MessageArg> reason_;
    int code_ = 0;
};

// Nothing at the path (or a link there leads nowhere).
class NoSuchFile : public FileError {
public:
    using FileError::FileError;
};

// Something at the path that is not a regular file: a FIFO, a device, a socket, a folder (on
// Windows also a device name such as CON, NUL or COM1, or a pipe). Refused before a byte of it
// is read. kind() is the row that names what it is (Message::KindFifo and the rows after it).
class NotAFile : public FileError {
public:
    NotAFile(const std::string& path, Message kind)
        : FileError(Message::NotARegularFile, {path, kind}), kind_(kind) {}
    Message kind() const { return kind_; }

private:
    Message kind_;
};

// The first bytes of a regular file, as FileSystem::ReadRegular gives them.
struct FileStart {
    std::string bytes;       // the whole file, or its first limit + 1 bytes when it is longer
    std::uint64_t size = 0;  // the file's size, as the system tells it (at least bytes.size())
};

// A lock on a file or a folder, held until it is destroyed. One that holds nothing is given
// where there was nothing to lock.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// How long a command waits for another program's lock before it gives up: 10 s.
constexpr std::uint32_t kLockWaitMs = 10000;

// An open file, closed when destroyed. Every failure throws FileError, and so does a write
// that stores fewer bytes than asked.
class File {
public:
    virtual ~File() = default;
    virtual void SeekFromStart(std::int64_t offset) = 0;
    virtual void Write(const void* data, std::uint32_t size) = 0;
    // Gives this file the permission bits of the file at `path` (and its owner and group where
    // the program may set them), so that a file written anew in its place keeps what the old
    // one had. Nothing where the system has no such bits (Windows). Throws FileError when
    // `path` cannot be looked at or the bits cannot be set.
    virtual void TakeModeOf(const std::string& /*path*/) {}
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Creates the file anew (an existing one is emptied), for reading and writing, shared
    // with nobody while open, with normal attributes. Throws FileError when it cannot. On
    // POSIX a symbolic link at `path` is refused rather than followed, and so is anything
    // there that is not a regular file (a FIFO, a device): the command line runs as root
    // and writes where the user says.
    virtual std::unique_ptr<File> CreateAlways(const std::string& path) = 0;
    // Who may read and write a file that CreateNew makes, where the system has permission
    // bits (POSIX): its owner only (0600), as a temporary file that becomes a CMOS image or
    // backup; or whoever the user's umask lets (0666 less the umask), as any program's file,
    // such as the simulated notebook's sim-cmos.dat. Windows has no such bits: both are alike.
    enum class Sharing { OwnerOnly, AsUmaskLets };
    // Creates a file only where nothing is yet, for writing, shared with nobody while open:
    // never through a link that is at `path`, even one to a missing file (on Windows: where
    // the system has links, the NT family), with the permission bits of `sharing`. Returns
    // nullptr when something of that name is already there; throws FileError on any other
    // failure.
    virtual std::unique_ptr<File> CreateNew(const std::string& path, Sharing sharing) = 0;
    // A name of lower-case letters and digits that nobody can predict, a new one at each
    // call: for a temporary file in a folder that others may write to.
    virtual std::string UnpredictableName() = 0;
    // A regular file, read as every image, backup, settings file and simulated notebook's file
    // is read: opened without blocking, following links, and refused at once (NotAFile) unless
    // it is a regular file, so that a FIFO without a writer or a device never stops the
    // program; never more than `limit` + 1 bytes are read, so that a file larger than the
    // largest one the caller takes is known as such without filling memory. Throws NoSuchFile
    // where nothing is, FileError when it cannot be read.
    // With `pipes`, a pipe or FIFO is read as well (a settings file may be one: `set -f <(...)`),
    // waiting for its writer's bytes; a FIFO that nobody writes to ends at once.
    virtual FileStart ReadRegular(const std::string& path, std::size_t limit, bool pipes = false) = 0;
    // Locks the file or folder at `path` for one writer (`exclusive`) or for readers, waiting
    // for another program's lock up to `waitMs`; nullptr when the wait ran out. On POSIX a
    // flock(2) on the file itself, taken again if the file was replaced meanwhile, so that a
    // lock survives a rename into its place; on Windows a named mutex made from the full path
    // (exclusive always), since a held file would make the rename fail. Where nothing is
    // there, or something that is neither a file nor a folder, the lock holds nothing: the
    // read that follows tells why.
    virtual std::unique_ptr<FileLock> Lock(const std::string& path, bool exclusive, std::uint32_t waitMs) = 0;
    // What is at `path` itself, a link not followed: nothing, a symbolic link (on Windows: a
    // reparse point), or anything else.
    enum class Entry { Nothing, Link, Other };
    virtual Entry EntryAt(const std::string& path) = 0;
    // Puts the file `from` in the place of `to`, replacing a file there; as one step where
    // the system can. Throws FileError when it cannot.
    virtual void Replace(const std::string& from, const std::string& to) = 0;
    // Removes a file if it is there; a failure is not reported (the caller tidies up).
    virtual void Remove(const std::string& path) noexcept = 0;
};

// The window's way of making a file: creates `path` anew, has `fill` write it, and then tells
// the outcome in `language` while the file is still open: the message FileCreated, or, when
// the creation or `fill` failed in any way (a file error, a refused port access),
// FileNotCreated (sys/Messages.h). With no `fill` nothing is created and the error is told.
void CreateFileAndTell(FileSystem& files, const std::string& path,
                       const std::function<void(File& file)>& fill,
                       const std::function<void(const std::string& message)>& tell,
                       Language language = Language::Japanese);

// A name of lower-case letters and digits, one for each of the kRandomNameBytes bytes from
// a random source: what UnpredictableName() gives.
constexpr std::size_t kRandomNameBytes = 12;
std::string NameOfRandomBytes(const unsigned char (&bytes)[kRandomNameBytes]);

// The regional separators that the information report's numbers follow.
struct NumberFormat {
    std::string thousands = ",";
    std::string decimal = ".";
};

// The operating-system version record that the system label is made from.
struct OsVersion {
    bool ok = true;  // false when the system would not tell
    std::uint32_t major = 0, minor = 0, build = 0, platformId = 0;
    // The NT family (platform 2): NT 4.0, 2000 and every later Windows.
    bool IsNtFamily() const { return platformId == 2; }
};

// The FileVersion value of the program's version resource, read as the window does it.
struct ProgramVersion {
    bool hasVersionInfo = false;  // the file carries version information at all
    bool found = false;           // StringFileInfo\041103A4\FileVersion was there
    std::string value;
};

class Environment {
public:
    virtual ~Environment() = default;
    virtual std::string ExecutablePath() = 0;  // full path of the running program file
    // The lead bytes of the code page that the system's paths are written in (SystemLeadBytes).
    virtual const LeadBytes& PathLeadBytes() = 0;
    virtual NumberFormat Separators() = 0;
    virtual OsVersion GetOsVersion() = 0;
    virtual ProgramVersion GetProgramVersion() = 0;
};

}  // namespace sys
