// Start-up time under the same conditions for two programs: starts each in turn, waits until
// its window is ready, closes it, and prints the medians and their ratio.
//   startup_probe <runs> <program A> <class A> <program B> <class B>
// "Ready" for the main window means shown with the settings loaded and the information
// report written (a visible edit control whose text holds the report's " kb" lines); for
// any other class it means the window is visible.
#include <windows.h>

#include <algorithm>
#include <cstdio>
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

BOOL CALLBACK FindReport(HWND w, LPARAM lp) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") != 0) return TRUE;
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

bool Ready(const Find& f, bool needReport) {
    if (!f.found) return false;
    if (!needReport) return true;
    bool report = false;
    EnumChildWindows(f.found, FindReport, reinterpret_cast<LPARAM>(&report));
    return report;
}

// Milliseconds from CreateProcess until the window is ready; -1 on a time-out.
double TimeOne(const char* program, const char* cls) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = std::string("\"") + program + "\"";
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(program, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    const bool needReport = std::strcmp(cls, "TfrmMAIN") == 0;
    Find f{pi.dwProcessId, cls, nullptr};
    double ms = -1;
    for (int i = 0; i < 6000; ++i) {  // about 30 s
        f.found = nullptr;
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
        if (Ready(f, needReport)) {
            QueryPerformanceCounter(&t1);
            ms = 1000.0 * (t1.QuadPart - t0.QuadPart) / freq.QuadPart;
            break;
        }
        Sleep(1);
    }
    if (f.found) PostMessageA(f.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: startup_probe RUNS PROGRAM_A CLASS_A PROGRAM_B CLASS_B\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {  // alternating, so drifts of the machine hit both
        const double ta = TimeOne(argv[2], argv[3]);
        const double tb = TimeOne(argv[4], argv[5]);
        if (ta < 0 || tb < 0) {
            std::fprintf(stderr, "run %d: a window did not become ready\n", i + 1);
            return 1;
        }
        a.push_back(ta);
        b.push_back(tb);
    }
    const double ma = Median(a), mb = Median(b);
    std::printf("startup_median_ms_a %.1f\nstartup_median_ms_b %.1f\nstartup_ratio %.3f\n", ma, mb,
                ma / mb);
    return 0;
}
