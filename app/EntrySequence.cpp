#include "app/EntrySequence.h"

#include <exception>

#include "hw/SimFiles.h"
#include "sys/Error.h"
#include "sys/Messages.h"
#include "sys/ShiftJis.h"

namespace app {

namespace {

// Where the file name begins: after the last '\\' or ':' that is a character of its own.
std::size_t NameStart(const std::string& path, const sys::LeadBytes& lead) {
    const sys::Delimiter last = sys::LastDelimiter(path, "\\:", lead);
    return last.at == std::string::npos ? 0 : last.at + 1;
}

// The other instance has the mutex: say so, bring its window forward and restore it when it
// is minimised, and let go of our handle to the mutex.
void GiveWayToRunningInstance(EntryPlatform& os, Handle mutex, sys::Language language) {
    os.Inform(sys::Text(language, sys::Message::AlreadyRunning));
    if (const WindowHandle found = os.FindMainWindow(kMainWindowClass)) {
        os.SetForeground(found);
        const WindowHandle target = WindowToRestore(found, os.OwnerOf(found));
        if (os.IsMinimised(target)) os.SendRestore(target);
    }
    os.CloseMutex(mutex);
}

}  // namespace

std::int32_t PackComctlVersion(std::uint32_t fileVersionMS) {
    return static_cast<std::int32_t>(fileVersionMS);  // major in bits 31..16, minor in 15..0
}

bool IsComctlSupported(std::int32_t packed) { return packed >= kMinComctlVersion; }

std::string ProgramFolder(const std::string& path, const sys::LeadBytes& lead) {
    return path.substr(0, NameStart(path, lead));
}

std::string DefaultTitle(const std::string& path, const sys::LeadBytes& lead) {
    std::string title;
    for (std::size_t i = NameStart(path, lead); i < path.size();) {
        const std::size_t n = sys::CharLength(path, i, lead);
        if (n == 1 && path[i] == '.') break;
        std::string ch = path.substr(i, n);
        if (!title.empty() && n == 1 && ch[0] >= 'A' && ch[0] <= 'Z') ch[0] += 'a' - 'A';
        title += ch;
        i += n;
    }
    return title;
}

WindowHandle WindowToRestore(WindowHandle found, WindowHandle owner) { return owner ? owner : found; }

int RunEntrySequence(EntryPlatform& os, sys::Language language, const sys::LeadBytes& lead) {
    const std::string path = os.ProgramPath();
    os.SetApplicationTitle(DefaultTitle(path, lead));

    try {
        os.PreparePorts(ProgramFolder(path, lead));
    } catch (const hw::SimSetupError& e) {
        os.Inform(e.In(language));
        return 0;
    }

    if (!IsComctlSupported(os.ComctlVersion())) {
        os.Inform(sys::Text(language, sys::Message::ComctlTooOld));
        return 0;
    }

    if (const Handle other = os.OpenNamedMutex(kMutexName)) {
        GiveWayToRunningInstance(os, other, language);
        return 0;
    }

    // The test above and this creation are two calls: an instance started at the same moment
    // can create the mutex in between. Then this one opened the other's mutex and must give
    // way exactly as if the test had found it, or both would run.
    bool existed = false;
    const Handle mutex = os.CreateNamedMutex(kMutexName, existed);
    if (existed) {
        GiveWayToRunningInstance(os, mutex, language);
        return 0;
    }

    // The mutex is closed however the window ends; an error that escapes from it is shown
    // once the mutex is gone and ends the process with status 1.
    std::string failure;
    bool failed = false;
    try {
        os.SetApplicationTitle(kApplicationTitle);
        os.RunMainWindow();
    } catch (const std::exception& e) {
        failed = true;
        failure = sys::TextOf(e, language);
    } catch (...) {
        failed = true;
    }
    os.CloseMutex(mutex);
    if (failed && !failure.empty()) os.Inform(failure);
    return failed ? 1 : 0;
}

}  // namespace app
