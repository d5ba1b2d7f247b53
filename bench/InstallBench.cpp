// Unattended installations of the real setup program and library under Wine, and where their time
// goes. Two packages: 2,000 small files in 20 folders, and one file of 200 MB. For each:
//
//   run           the program started with /auto until it has closed itself (wall clock; the package
//                 is written before)
//   start-up      the program with a manifest of no files: start, dialog, its two 400 ms timers, the
//                 500 ms pause at the end, and the exit
//   pauses        the 10 ms the driver sleeps after every entry, as long as Sleep(10) lasted meanwhile
//   the rest      what the entries cost beyond the pauses
// and then, each timed on its own in this process: the same entries decoded by ZEMBRA_Expand in a
// loop (with a visible progress bar and without one), the status line and bar set per entry, the
// driver's folder checks and its name lists.
//
//   bench-install [--small-only | --large-only | --files N [--folders F]] [--runs R]
//                                                (scripts/bench-install builds and runs it)
//
// The small files' run ends with "per-entry overhead: X ms at N entries": its time beyond the start-up
// and the pauses after each entry, per entry. --files N installs N small files (default 2,000) alone,
// 100 in each folder or spread over F folders. --runs R makes the small files' run R times (default:
// five times for 100 to 5,000 entries, else once) and takes the best.
#include "archive/ZembraApi.h"
#include "profile/CNyStringArray.h"
#include "tests/win/install/InstallRun.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

struct Workload {
    const char* name;
    std::vector<inst::Entry> entries;
    double bytes = 0;
};

// The small files' folders hold this many each unless --folders says otherwise: the system's search
// for a name that a folder lacks (a new target) grows with the folder under Wine, which would
// otherwise pass for the program's own growth.
constexpr int kFilesPerFolder = 100;

std::string Thousands(int n) {
    std::string text = std::to_string(n);
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3) text.insert(static_cast<size_t>(at), ",");
    return text;
}

// n small files spread evenly over the folders.
Workload SmallFiles(int n, int folders) {
    static std::string name;
    name = Thousands(n) + " small files in " + Thousands(folders) + (folders == 1 ? " folder" : " folders");
    Workload w{name.c_str(), {}};
    const int perFolder = (n + folders - 1) / folders;
    for (int i = 0; i < n; ++i) {
        inst::Entry e;
        e.name = "datei" + std::to_string(i) + ".txt";
        e.dir = "<INSTALLDIR>\\Teil" + std::to_string(i / perFolder);
        // 1 to 16 KB, text and some incompressible bytes
        size_t size = 1024 + static_cast<size_t>(i * 7919 % 15) * 1024;
        e.data = i % 5 == 0 ? inst::Noise(size, static_cast<unsigned>(i)) : inst::Text(size, static_cast<unsigned>(i));
        w.bytes += double(size);
        w.entries.push_back(std::move(e));
    }
    return w;
}

Workload LargeFile() {
    Workload w{"one file of 200 MB", {}};
    inst::Entry e;
    e.name = "gross.dat";
    e.data = inst::Text(200u << 20, 77);
    // A quarter of it incompressible, in blocks, as in a real program's data.
    for (size_t at = 0; at + (1u << 20) <= e.data.size(); at += 4u << 20) {
        std::string noise = inst::Noise(1u << 20, static_cast<unsigned>(at >> 20));
        e.data.replace(at, noise.size(), noise);
    }
    w.bytes = double(e.data.size());
    w.entries.push_back(std::move(e));
    return w;
}

// The entry's file below the target folder: "Teil3\datei300.txt".
std::string Relative(const inst::Entry& e) {
    std::string dir = e.dir.substr(std::strlen("<INSTALLDIR>"));
    if (!dir.empty() && dir[0] == '\\') dir.erase(0, 1);
    return dir.empty() ? e.name : dir + "\\" + e.name;
}

// What Sleep(10) lasts while a run goes on, measured by a thread of this process alongside it: Sleep
// rounds up to the system's timer, and a loaded machine wakes sleepers late.
class SleepProbe {
public:
    SleepProbe()
        : m_thread([this] {
              while (!m_stop) {
                  double start = Now();
                  ::Sleep(10);
                  m_total = m_total + (Now() - start);
                  m_count = m_count + 1;
              }
          }) {}
    ~SleepProbe() { Stop(); }
    // The mean in seconds.
    double Stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_count ? m_total / m_count : 0.010;
    }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_total{0};
    std::atomic<long> m_count{0};
    std::thread m_thread;
};

// The unattended run: program start until it has closed itself (the package is written before). A
// message box would wait forever: it ends the measurement with its text. *sleep10 gets what Sleep(10)
// lasted meanwhile.
double RunUnattended(inst::Installation& run, double* sleep10 = nullptr) {
    if (!run.Prepare()) return -1;
    SleepProbe probe;
    double start = Now();
    if (!run.Start("/auto")) return -1;
    double result = -1;
    if (run.WaitForDialog()) {
        // The program's windows are looked through every 20 ms, as a user's helper watching for a
        // question would. That keeps the machine from falling asleep between the entries, which in a
        // virtual machine makes every wake-up of the program and of Wine's server dearer: on this
        // machine a run waited for without looking costs about half a millisecond more per entry.
        for (;;) {
            inst::Question question = run.NextQuestion(1000);
            if (run.WaitForExit(0)) {
                result = Now() - start;
                break;
            }
            if (question.window) {
                std::fprintf(stderr, "bench-install: the program asks \"%s\"\n", question.text.c_str());
                break;
            }
        }
    }
    double slept = probe.Stop();
    if (sleep10) *sleep10 = slept;
    return result;
}

// A visible progress bar of this process, set up as the setup dialog sets up its own.
// The bar and the status line are children of a window of the dialog's width, as in the dialog: the
// system paints a child inside its parent's surface, a window of its own apart.
class ProgressWindow {
public:
    ProgressWindow() {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&icc);
        m_frame = ::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_BORDER, 100, 100, 600, 120, nullptr,
                                    nullptr, nullptr, nullptr);
        m_bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 554, 18, m_frame,
                                  nullptr, nullptr, nullptr);
        m_status = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 20, 50, 554, 42, m_frame, nullptr,
                                     nullptr, nullptr);
        ::SendMessageA(m_bar, PBM_SETRANGE, 0, MAKELPARAM(0, 65535));
        ::ShowWindow(m_frame, SW_SHOWNA);
        ::UpdateWindow(m_frame);
    }
    ~ProgressWindow() { ::DestroyWindow(m_frame); }
    HWND Handle() const { return m_bar; }
    HWND Status() const { return m_status; }

private:
    HWND m_frame, m_bar, m_status;
};

// ZEMBRA_Expand in this process for the same entries, into folders made beforehand, with the running
// byte count handed to ZEMBRA_SetProgress before each entry as the driver does; with or without a bar.
double LibraryLoop(const inst::Installation& run, const std::vector<inst::Entry>& entries, HWND bar,
                   const char* folderName) {
    HMODULE lib = ::LoadLibraryA(inst::WinPath(ZEMBRA_REAL_DLL).c_str());
    if (!lib) return -1;
    auto expand = reinterpret_cast<PFN_ZEMBRA_Expand>(reinterpret_cast<void*>(::GetProcAddress(lib, "ZEMBRA_Expand")));
    auto setProgress =
        reinterpret_cast<PFN_ZEMBRA_SetProgress>(reinterpret_cast<void*>(::GetProcAddress(lib, "ZEMBRA_SetProgress")));
    std::string package = run.SetupFolder() + "paket.dat";
    std::string base = run.Root() + folderName + "\\";
    ::CreateDirectoryA(base.c_str(), nullptr);
    std::vector<std::string> folders;
    for (const inst::Entry& e : entries) {
        std::string relative = Relative(e);
        std::string folder = base + relative.substr(0, relative.size() - e.name.size());
        ::CreateDirectoryA(folder.c_str(), nullptr);
        folders.push_back(folder);
    }
    long total = 0;
    for (const inst::Entry& e : entries) total += static_cast<long>(e.data.size());
    double start = Now();
    long done = 0;
    bool ok = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        setProgress(bar, static_cast<DWORD>(done), total);
        std::string key = "K" + std::to_string(i);
        ok = ok && expand(package.c_str(), folders[i].c_str(), key.c_str(), entries[i].name.c_str(), 0) == 0;
        done += static_cast<long>(entries[i].data.size());
    }
    double took = Now() - start;
    ::FreeLibrary(lib);
    return ok ? took : -1;
}

// The driver's checks of one entry's folder and file, made here for every entry: the folder's presence
// and attributes, and the written target's presence (the drive is tested once a run).
double FolderChecks(const inst::Installation& run, const std::vector<inst::Entry>& entries) {
    double start = Now();
    for (const inst::Entry& e : entries) {
        std::string target = run.TargetFile(Relative(e));
        std::string folder = target.substr(0, target.size() - e.name.size());
        ::GetFileAttributesA(folder.c_str());
        ::GetFileAttributesA(folder.substr(0, folder.size() - 1).c_str());
        ::GetFileAttributesA(target.c_str());
    }
    return Now() - start;
}

// The run's two name lists: every target and folder added once, compared without regard to case.
double NameLists(const inst::Installation& run, const std::vector<inst::Entry>& entries) {
    CNyStringArray files, folders;
    double start = Now();
    for (const inst::Entry& e : entries) {
        std::string target = run.TargetFile(Relative(e));
        folders.AddUnique(target.substr(0, target.size() - e.name.size()).c_str());
        files.AddUnique(target.c_str());
    }
    return Now() - start;
}

// The status line and the bar as the driver moves them for every entry, each change painted by a
// drain of the message queue, in windows of this process of the dialog's sizes.
double StatusAndBar(const inst::Installation& run, const std::vector<inst::Entry>& entries) {
    ProgressWindow bar;
    HWND status = bar.Status();
    auto pump = [] {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    };
    long total = 0, done = 0;
    for (const inst::Entry& e : entries) total += static_cast<long>(e.data.size());
    double start = Now();
    for (const inst::Entry& e : entries) {
        std::string target = run.TargetFile(Relative(e));
        std::string text = "Ordner:\t" + target.substr(0, target.size() - e.name.size()) + "\nDatei:\t" + e.name +
                           "\nGröße:\t" + std::to_string(e.data.size());
        ::SetWindowTextA(status, text.c_str());
        pump();
        done += static_cast<long>(e.data.size());
        ::SendMessageA(bar.Handle(), PBM_SETPOS, static_cast<WPARAM>(::MulDiv(done, 65535, total)), 0);
        pump();
    }
    return Now() - start;
}

// The run's cost per entry beyond the program's own pauses: the start-up run (which holds the fixed
// waits) and the 10 ms after each entry, as long as Sleep(10) lasted during the run, taken off. Runs
// of 100 to 5,000 entries are made five times, each into a fresh folder, and the best one counts, as
// for the start-up: other work on the machine only ever adds.
bool Measure(Workload& w, double startup, int runs, double* perEntry) {
    std::printf("\n%s, %.1f MB\n", w.name, w.bytes / 1e6);
    std::fflush(stdout);
    const size_t count = w.entries.size();
    const int repeats = runs > 0 ? runs : count >= 100 && count <= 5000 ? 5 : 1;
    std::unique_ptr<inst::Installation> last;  // its files stay for the measurements below
    double total = 0, sleep10 = 0.010;
    for (int r = 0; r < repeats; ++r) {
        auto attempt = std::make_unique<inst::Installation>();
        if (r + 1 < repeats) attempt->entries = w.entries;
        else attempt->entries = std::move(w.entries);
        double slept = 0.010, took = RunUnattended(*attempt, &slept);
        if (took < 0) {
            std::fprintf(stderr, "bench-install: the unattended run did not finish\n");
            return false;
        }
        for (const inst::Entry& e : attempt->entries)
            if (attempt->Read(Relative(e)) != e.data) {
                std::fprintf(stderr, "bench-install: %s was not installed byte-exact\n", e.name.c_str());
                return false;
            }
        if (repeats > 1) std::printf("  run %d of %d: %.2f s, Sleep(10) lasting %.2f ms\n", r + 1, repeats, took, slept * 1000);
        if (!last || took - slept * count < total - sleep10 * count) {
            total = took;
            sleep10 = slept;
        }
        last = std::move(attempt);
    }
    inst::Installation& run = *last;
    double library = LibraryLoop(run, run.entries, nullptr, "ohne-balken");
    double withBar;
    {
        ProgressWindow bar;
        withBar = LibraryLoop(run, run.entries, bar.Handle(), "mit-balken");
    }
    if (library < 0 || withBar < 0) {
        std::fprintf(stderr, "bench-install: ZEMBRA_Expand failed\n");
        return false;
    }
    double files = double(run.entries.size());
    double slept = sleep10 * files, rest = total - startup - slept;
    double checks = FolderChecks(run, run.entries), lists = NameLists(run, run.entries);
    double painting = StatusAndBar(run, run.entries);
    *perEntry = rest / files;
    std::printf("  unattended run        %8.2f s  %8.1f files/s  %8.2f MB/s\n", total, files / total, w.bytes / 1e6 / total);
    std::printf("    start-up            %8.2f s  program start, dialog, its two 400 ms timers, the 500 ms end\n"
                "                                  pause and the exit (a manifest without files)\n",
                startup);
    std::printf("    pauses after entries%8.2f s  Sleep(10) lasted %.2f ms during the run\n", slept, slept * 1000 / files);
    std::printf("    the rest            %8.2f s  %.2f ms per entry: driver, library, painting, files\n", rest,
                rest * 1000 / files);
    std::printf("  the same steps made in this process, each on its own (they overlap and need not add up):\n");
    std::printf("    decoding and writing%8.2f s  ZEMBRA_Expand in a loop: %.1f files/s, %.2f MB/s\n", library,
                files / library, w.bytes / 1e6 / library);
    std::printf("    with a bar          %8.2f s  the same, moving a visible progress bar as it goes\n", withBar);
    std::printf("    status line and bar %8.2f s  changed and painted per entry\n", painting);
    std::printf("    folder checks       %8.2f s  presence and attributes of folder and target\n", checks);
    std::printf("    name lists          %8.2f s  targets and folders added once each\n", lists);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool small = true, large = true;
    int files = 2000, folders = 0, runs = 0;
    for (int i = 1; i < argc; ++i) {
        bool value = i + 1 < argc;
        if (std::strcmp(argv[i], "--small-only") == 0) {
            large = false;
        } else if (std::strcmp(argv[i], "--large-only") == 0) {
            small = false;
        } else if (std::strcmp(argv[i], "--files") == 0 && value) {
            files = std::atoi(argv[++i]);
            large = false;
        } else if (std::strcmp(argv[i], "--folders") == 0 && value) {
            folders = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--runs") == 0 && value) {
            runs = std::atoi(argv[++i]);
            if (runs < 1) files = 0;
        } else {
            files = 0;
        }
        if (files < 1 || folders < 0) {
            std::fprintf(stderr, "usage: bench-install [--small-only | --large-only | --files N [--folders F]] [--runs R]\n");
            return 2;
        }
    }
    if (folders == 0) folders = files / kFilesPerFolder > 0 ? files / kFilesPerFolder : 1;

    // Start-up alone, best of five.
    double startup = 1e9;
    for (int i = 0; i < 5; ++i) {
        inst::Installation empty;
        // The list file goes into the target folder, which no entry makes here.
        ::CreateDirectoryA(empty.Target().c_str(), nullptr);
        double t = RunUnattended(empty);
        if (t < 0) {
            std::fprintf(stderr, "bench-install: the empty run did not finish\n");
            return 1;
        }
        if (t < startup) startup = t;
    }
    std::printf("start-up and dialog alone (no files): %.2f s\n", startup);

    double perEntry = 0;
    if (large) {
        Workload w = LargeFile();
        if (!Measure(w, startup, 1, &perEntry)) return 1;
    }
    if (small) {
        Workload w = SmallFiles(files, folders);
        if (!Measure(w, startup, runs, &perEntry)) return 1;
        std::printf("\nper-entry overhead: %.2f ms at %d entries\n", perEntry * 1000, files);
    }
    return 0;
}
