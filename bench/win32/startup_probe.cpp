// Start-up time of several programs under the same conditions: starts each in turn, waits
// until its window is ready, closes it, and prints the median of each.
//   startup_probe <runs> [--page <index>] <program> <class> [<program> <class> ...]
// "Ready" is the same for every program: a visible top-level window of its class whose edit
// control answers WM_GETTEXT with the information report (its " kb" lines). The window
// answers only once it takes messages, so that is after its first paint and in its message
// loop. Two untimed rounds come first, so that the start-up of Wine's own background
// processes and a cold file cache do not weigh on the first samples.
// --page: after each timed start of the first program, its tab <index> is clicked as a user
// does at once, and the time until that page is shown and painted is measured too; then the
// first program is started as many times again, and the tab clicked once the window has had
// nothing left to do for a while (its count of windows stayed the same for half a second).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Find {
    DWORD pid;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindTop(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Find*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && std::strcmp(cls, f->cls) == 0 && IsWindowVisible(w)) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

bool HasClass(HWND w, const char* name) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

BOOL CALLBACK FindReport(HWND w, LPARAM lp) {
    if (!HasClass(w, "Edit")) return TRUE;
    // GetWindowText does not read a control of another process: ask the control itself.
    const int n = static_cast<int>(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0));
    if (n <= 0) return TRUE;
    std::string text(n + 1, '\0');
    SendMessageA(w, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(&text[0]));
    if (text.find(" kb") != std::string::npos) {
        *reinterpret_cast<bool*>(lp) = true;
        return FALSE;
    }
    return TRUE;
}

bool Ready(HWND window) {
    bool report = false;
    EnumChildWindows(window, FindReport, reinterpret_cast<LPARAM>(&report));
    return report;
}

BOOL CALLBACK Collect(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> all;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

double Ms(const LARGE_INTEGER& from) {
    LARGE_INTEGER freq, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&now);
    return 1000.0 * (now.QuadPart - from.QuadPart) / freq.QuadPart;
}

bool Answers(HWND w) {
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r) != 0;
}

// Clicks tab `index` of the window's tab control and returns the milliseconds until the tab
// is current, the click's handler has returned and no visible window is left unpainted;
// -1 when that does not happen within 10 s.
double ShowPage(HWND main, int index) {
    HWND tab = nullptr;
    for (HWND w : Descendants(main))
        if (HasClass(w, "SysTabControl32")) tab = w;
    if (!tab) return -1;
    // The item rectangle comes back through memory of the window's process.
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return -1;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT r = {};
    const bool got = remote && SendMessageA(tab, 0x130A /* TCM_GETITEMRECT */, index, reinterpret_cast<LPARAM>(remote)) &&
                     ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!got) return -1;

    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tab, WM_LBUTTONUP, 0, at);
    // The tab control answers only between messages, so once it answers with the new tab,
    // the click's handler has returned.
    while (SendMessageA(tab, 0x130B /* TCM_GETCURSEL */, 0, 0) != index) {
        if (Ms(t0) > 10000) return -1;
        Sleep(0);
    }
    for (;;) {
        bool unpainted = false;
        for (HWND w : Descendants(main))
            if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) unpainted = true;
        if (!unpainted && Answers(main)) break;
        if (Ms(t0) > 10000) return -1;
        Sleep(0);
    }
    return Ms(t0);
}

// Waits until the window's count of descendants has not changed for half a second (at most
// 10 s): the window has made the controls that it makes while idle.
void WaitUntilSettled(HWND main) {
    size_t count = Descendants(main).size();
    DWORD since = GetTickCount();
    for (const DWORD start = since; GetTickCount() - start < 10000; Sleep(20)) {
        const size_t now = Descendants(main).size();
        if (now != count) count = now, since = GetTickCount();
        else if (GetTickCount() - since >= 500) return;
    }
}

struct Timing {
    double startup = -1, page = -1;
};

enum class PageClick { None, AtOnce, WhenSettled };

// Milliseconds from CreateProcess until the window is ready; -1 on a time-out.
Timing TimeOne(const char* program, const char* cls, int page, PageClick when = PageClick::AtOnce) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = std::string("\"") + program + "\"";
    Timing t;
    LARGE_INTEGER t0;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(program, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return t;
    Find f{pi.dwProcessId, cls, nullptr};
    for (int i = 0; i < 6000; ++i) {  // about 30 s
        f.found = nullptr;
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
        if (f.found && Ready(f.found)) {
            t.startup = Ms(t0);
            break;
        }
        Sleep(1);
    }
    if (f.found && t.startup >= 0 && page >= 0 && when != PageClick::None) {
        if (when == PageClick::WhenSettled) WaitUntilSettled(f.found);
        t.page = ShowPage(f.found, page);
    }
    if (f.found) PostMessageA(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int page = -1;
    if (args.size() >= 3 && args[1] == "--page") {
        page = std::atoi(args[2].c_str());
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    if (args.size() < 3 || args.size() % 2 == 0) {
        std::fprintf(stderr, "usage: startup_probe RUNS [--page INDEX] PROGRAM CLASS [PROGRAM CLASS ...]\n");
        return 2;
    }
    const int runs = std::atoi(args[0].c_str());
    const size_t programs = (args.size() - 1) / 2;
    auto program = [&](size_t i) { return args[1 + 2 * i].c_str(); };
    auto cls = [&](size_t i) { return args[2 + 2 * i].c_str(); };
    for (int round = 0; round < 2; ++round)
        for (size_t p = 0; p < programs; ++p) TimeOne(program(p), cls(p), -1, PageClick::None);
    std::vector<std::vector<double>> startup(programs);
    std::vector<double> pages, settledPages;
    for (int i = 0; i < runs; ++i) {  // alternating, so drifts of the machine hit every program
        for (size_t p = 0; p < programs; ++p) {
            const Timing t = TimeOne(program(p), cls(p), p == 0 ? page : -1);
            if (t.startup < 0) {
                std::fprintf(stderr, "run %d: the window of %s did not become ready\n", i + 1, program(p));
                return 1;
            }
            startup[p].push_back(t.startup);
            if (p == 0 && page >= 0) {
                if (t.page < 0) {
                    std::fprintf(stderr, "run %d: tab %d of %s was not shown\n", i + 1, page, program(p));
                    return 1;
                }
                pages.push_back(t.page);
            }
        }
    }
    for (int i = 0; page >= 0 && i < runs; ++i) {
        const Timing t = TimeOne(program(0), cls(0), page, PageClick::WhenSettled);
        if (t.page < 0) {
            std::fprintf(stderr, "settled run %d: tab %d of %s was not shown\n", i + 1, page, program(0));
            return 1;
        }
        settledPages.push_back(t.page);
    }
    for (size_t p = 0; p < programs; ++p) {
        std::printf("startup_median_ms %s %.1f\nstartup_runs_ms %s", program(p), Median(startup[p]), program(p));
        for (double t : startup[p]) std::printf(" %.1f", t);
        std::printf("\n");
    }
    if (!pages.empty()) {
        std::printf("page_at_once_median_ms %s %d %.1f\npage_at_once_runs_ms", program(0), page, Median(pages));
        for (double t : pages) std::printf(" %.1f", t);
        std::printf("\npage_settled_median_ms %s %d %.1f\npage_settled_runs_ms", program(0), page,
                    Median(settledPages));
        for (double t : settledPages) std::printf(" %.1f", t);
        std::printf("\n");
    }
    return 0;
}
