// Pikurio's benchmarks: the cost of one screen sample, start-up, working set,
// CPU while picking, and the exe's size. The machine is shared and noisy, so
// each figure is set against a baseline measured in the same session,
// interleaved with it, and three sessions give each figure's median and
// spread; the ratios are what to compare between runs.
#include <windows.h>

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/pixel_rules.h"
#include "core/screen_sample.h"
#include "res/resource.h"
#include "ui/loupe.h"
#include "tests/support/pe_imports.h"
#include "tests/support/program.h"
#include "tests/support/screen.h"

namespace {

const int SESSIONS = 3;
const int SAMPLE_CALLS = 2000;  // of each kind of read, per session
const int LAUNCHES = 31;        // of each program, per session
const DWORD CPU_WINDOW_MS = 5000;
const DWORD FIND_DIALOG_TIMEOUT_MS = 20000;
const DWORD EXIT_TIMEOUT_MS = 10000;

double g_ticksPerMs = 0;

double NowMs() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / g_ticksPerMs;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---- Sample cost ------------------------------------------------------------

// The least any picker does to read the pixel under the cursor.
COLORREF LeastPixelRead() {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    return ScreenPixel(cursor.x, cursor.y);
}

COLORREF PikurioSample() { return SampleScreenColor(false); }

const char PER_MONITOR_KEY[] = "Control Panel\\Desktop\\PerMonitorSettings";

// Pikurio's sample with no per-monitor settings, its calls written out in one
// straight line: the same work without the program's own structure, so the
// difference is what that structure costs.
COLORREF StraightLineSample() {
    HKEY settings;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PER_MONITOR_KEY, 0, KEY_READ, &settings) == ERROR_SUCCESS)
        RegCloseKey(settings);
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    struct {
        BITMAPINFOHEADER header;
        DWORD colorTable[256];
        DWORD pixel;
    } capture;
    memset(&capture, 0, sizeof capture);
    HDC screen = GetDC(g_app.desktop);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ replaced = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 1, 1, screen, cursor.x, cursor.y, SRCCOPY);
    capture.header.biSize = sizeof capture.header;
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(&capture);
    GetDIBits(memory, bitmap, 0, 0, nullptr, info, DIB_RGB_COLORS);
    GetDIBits(memory, bitmap, 0, 1, &capture.pixel, info, DIB_RGB_COLORS);
    SelectObject(memory, replaced);
    DeleteObject(bitmap);
    ReleaseDC(g_app.desktop, screen);
    DeleteDC(memory);
    DWORD v = capture.pixel;
    return (v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16;
}

// The window that owns the loupe here, as the dialog does in Pikurio.
HWND g_loupeOwner = nullptr;

// What pick mode does for one move of the pointer: the read, and the loupe
// placed and painted for it. The loupe moves a pixel each call, back and
// forth, as it does for an arrow key; the read stays where the pointer is.
COLORREF FollowOneMove() {
    static int step = 0;
    PointerPixel pixel;
    ReadPointerPixel(&pixel);
    step ^= 1;
    pixel.pointer.x += step;
    pixel.at.x += step;
    FollowWithLoupe(g_loupeOwner, pixel);
    return PixelToColorRef(pixel.rgb);
}

using PixelRead = COLORREF (*)();

// Each read SAMPLE_CALLS times, one call of each in turn and the order rotating
// every round, so that a burst of load on the machine falls on all alike; the
// median of each, in microseconds.
std::vector<double> MedianReadUs(const std::vector<PixelRead>& reads) {
    size_t count = reads.size();
    std::vector<std::vector<double>> us(count);
    for (int i = 0; i < 20; ++i)  // warm every path up
        for (PixelRead read : reads) read();
    for (int round = 0; round < SAMPLE_CALLS; ++round) {
        for (size_t turn = 0; turn < count; ++turn) {
            size_t which = (round + turn) % count;
            double start = NowMs();
            reads[which]();
            us[which].push_back((NowMs() - start) * 1000);
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& times : us) medians.push_back(Median(times));
    return medians;
}

// A one-monitor per-monitor settings key at 100 %, so that the sample scans
// the registry but reads the same pixel. Ours alone: it is made for the key
// phase and removed after it, and the bench only starts when there is none.
const char BENCH_MONITOR_KEY[] = "Control Panel\\Desktop\\PerMonitorSettings\\PikurioBench";

bool AddMonitorKey() {
    HKEY monitor;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, BENCH_MONITOR_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &monitor, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD dpiValue = 0;
    LONG set = RegSetValueExA(monitor, "DpiValue", 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&dpiValue), sizeof dpiValue);
    RegCloseKey(monitor);
    return set == ERROR_SUCCESS;
}

// Removes our monitor key, and the settings key when that leaves it empty
// (the registry refuses to delete a key that still has subkeys).
void RemoveMonitorKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, BENCH_MONITOR_KEY);
    RegDeleteKeyA(HKEY_CURRENT_USER, PER_MONITOR_KEY);
}

bool HasPerMonitorSettings() {
    HKEY settings;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PER_MONITOR_KEY, 0, KEY_READ, &settings) != ERROR_SUCCESS)
        return false;
    RegCloseKey(settings);
    return true;
}

// ---- Start-up and working set -------------------------------------------------

double WorkingSetKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize / 1024.0;
}

// Start-up (ms) and working set (KiB) of each program, one entry per round;
// 0 where the launch failed.
struct Launches {
    std::vector<double> startupMs[3];
    std::vector<double> workingSetKiB[3];
    int failures = 0;
};

// Launches of the programs in turn, the order rotating every round, each
// closed, and its end settled, before the next starts. Start-up is
// CreateProcess to the dialog visible and idle.
void MeasureStartup(const std::string (&paths)[3], Launches* launches) {
    for (int round = 0; round < LAUNCHES; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            int which = (round + turn) % 3;
            RunningProgram running;
            double start = NowMs();
            bool shown = StartProgram(paths[which], nullptr, FIND_DIALOG_TIMEOUT_MS, &running);
            double startupMs = NowMs() - start;
            launches->startupMs[which].push_back(shown ? startupMs : 0);
            launches->workingSetKiB[which].push_back(shown ? WorkingSetKiB(running.process.hProcess)
                                                           : 0);
            if (!shown) ++launches->failures;
            if (!StopProgram(&running, EXIT_TIMEOUT_MS)) ++launches->failures;
            Sleep(200);
        }
    }
}

double MedianOfShown(const std::vector<double>& values) {
    std::vector<double> shown;
    for (double value : values)
        if (value > 0) shown.push_back(value);
    return Median(shown);
}

// The median, over the rounds, of a figure against its baseline from the same
// round: a load that comes and goes within a session falls on both alike.
double PairedRatio(const std::vector<double>& values, const std::vector<double>& baselines) {
    std::vector<double> ratios;
    for (size_t round = 0; round < values.size() && round < baselines.size(); ++round)
        if (values[round] > 0 && baselines[round] > 0)
            ratios.push_back(values[round] / baselines[round]);
    return Median(ratios);
}

// ---- CPU from the kernel's run-time counters ------------------------------------
// Wine's drive Z: is the Unix root, so the kernel's run time of each thread
// (/proc/<pid>/task/<tid>/schedstat, nanoseconds, first field) can be read
// from here: for the Unix process behind Pikurio, and for the Wine server, the
// Wine desktop process and the X server that its samples wake.

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return text;
    char chunk[4096];
    size_t read;
    while ((read = fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, read);
    fclose(file);
    return text;
}

// The NUL-separated strings of a /proc file (cmdline, environ).
std::vector<std::string> ProcStrings(const std::string& process, const char* name) {
    std::string text = ReadWholeFile("Z:\\proc\\" + process + "\\" + name);
    std::vector<std::string> strings;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\0', start);
        if (end == std::string::npos) end = text.size();
        strings.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return strings;
}

// The numeric entries of a /proc directory: process or thread ids.
std::vector<std::string> NumericEntries(const std::string& directory) {
    std::vector<std::string> entries;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        const char* name = found.cFileName;
        if (*name && strspn(name, "0123456789") == strlen(name)) entries.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}

// Run time of all the threads of a Unix process, in milliseconds.
double UnixRunMs(const std::string& pid) {
    if (pid.empty()) return 0;
    std::string tasks = "Z:\\proc\\" + pid + "\\task";
    double ns = 0;
    for (const std::string& tid : NumericEntries(tasks))
        ns += strtod(ReadWholeFile(tasks + "\\" + tid + "\\schedstat").c_str(), nullptr);
    return ns / 1e6;
}

bool HasString(const std::vector<std::string>& strings, const std::string& wanted) {
    return std::find(strings.begin(), strings.end(), wanted) != strings.end();
}

bool AnyContains(const std::vector<std::string>& strings, const char* part) {
    for (const std::string& s : strings)
        if (s.find(part) != std::string::npos) return true;
    return false;
}

struct UnixProcesses {
    std::string pikurio, wineServer, wineDesktop, xServer;
};

bool EndsWith(const std::string& text, const char* end) {
    size_t length = strlen(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

// The Unix processes of this run, found by this prefix in their environment
// (other prefixes run on the same machine): the one Pikurio, the Wine server
// and the Wine desktop. The X server by the id the display script exports.
UnixProcesses FindUnixProcesses() {
    std::string prefix;
    for (const std::string& entry : ProcStrings("self", "environ"))
        if (entry.rfind("WINEPREFIX=", 0) == 0) prefix = entry;
    auto ours = [&](const std::string& pid) {
        return HasString(ProcStrings(pid, "environ"), prefix);
    };
    UnixProcesses found;
    for (const std::string& pid : NumericEntries("Z:\\proc")) {
        std::vector<std::string> command = ProcStrings(pid, "cmdline");
        if (command.empty()) continue;
        const std::string& program = command[0];
        bool pikurio = EndsWith(program, "/pikurio.exe") || EndsWith(program, "\\pikurio.exe");
        bool server = program.find("wineserver") != std::string::npos;
        bool desktop = AnyContains(command, "explorer.exe") && AnyContains(command, "/desktop");
        if (!(pikurio || server || desktop) || !ours(pid)) continue;
        (pikurio ? found.pikurio : server ? found.wineServer : found.wineDesktop) = pid;
    }
    char xServer[32];
    DWORD length = GetEnvironmentVariableA("PIKURIO_XVFB_PID", xServer, sizeof xServer);
    if (length > 0 && length < sizeof xServer) found.xServer = xServer;
    return found;
}

struct CpuShares {
    double pikurio = 0;  // % of a core
    double total = 0;    // Pikurio, the Wine server and desktop, and the X server
};

// The processes' run time over a wait, as a share of one core.
CpuShares CpuSharesOver(const UnixProcesses& processes, DWORD ms) {
    const std::string* all[] = {&processes.pikurio, &processes.wineServer, &processes.wineDesktop,
                                &processes.xServer};
    double before[4], after[4];
    for (int i = 0; i < 4; ++i) before[i] = UnixRunMs(*all[i]);
    double start = NowMs();
    Sleep(ms);
    double wall = NowMs() - start;
    for (int i = 0; i < 4; ++i) after[i] = UnixRunMs(*all[i]);
    CpuShares shares;
    shares.pikurio = (after[0] - before[0]) / wall * 100;
    for (int i = 0; i < 4; ++i) shares.total += (after[i] - before[i]) / wall * 100;
    return shares;
}

// Pick mode shows itself by the topmost dialog that holds the mouse capture.
bool InPickMode(const RunningProgram& running) {
    bool capturing = GuiThreadInfo(running.process.dwThreadId).hwndCapture == running.dialog;
    bool topmost = (GetWindowLongA(running.dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return capturing && topmost;
}

struct PickCpu {
    CpuShares idle, picking;
    bool pickHeld = false;  // pick mode was on before and after the measurement
    std::string missing;    // the processes that were not found
};

// One Pikurio idle for a while, then picking for as long.
bool MeasurePickCpu(const std::string& pikurio, PickCpu* cpu) {
    RunningProgram running;
    if (!StartProgram(pikurio, nullptr, FIND_DIALOG_TIMEOUT_MS, &running)) {
        StopProgram(&running, 0);
        return false;
    }
    UnixProcesses processes = FindUnixProcesses();
    const struct {
        const std::string* pid;
        const char* name;
    } named[] = {{&processes.pikurio, "pikurio"},
                 {&processes.wineServer, "wineserver"},
                 {&processes.wineDesktop, "Wine desktop"},
                 {&processes.xServer, "X server"}};
    for (const auto& process : named)
        if (process.pid->empty()) cpu->missing += std::string(" ") + process.name;
    Sleep(500);
    cpu->idle = CpuSharesOver(processes, CPU_WINDOW_MS);
    HWND pick = GetDlgItem(running.dialog, IDC_PICK);
    PostMessageA(running.dialog, WM_COMMAND, MAKEWPARAM(IDC_PICK, BN_CLICKED), (LPARAM)pick);
    double start = NowMs();
    while (!InPickMode(running) && NowMs() - start < 3000) Sleep(10);
    bool before = InPickMode(running);
    cpu->picking = CpuSharesOver(processes, CPU_WINDOW_MS);
    cpu->pickHeld = before && InPickMode(running);
    StopProgram(&running, EXIT_TIMEOUT_MS);
    return true;
}

// ---- Sessions and the report ----------------------------------------------------

struct Session {
    double sampleUs, leastUs, straightUs;   // no per-monitor settings
    double followUs, followSampleUs;        // a move with the loupe, the sample alone
    double keySampleUs, keyLeastUs;         // one monitor's settings present
    double startupMs[3], workingSetKiB[3];  // Pikurio, empty dialog, floor
    double startupRatio, startupFloorRatio, workingSetRatio, workingSetFloorRatio;
    int launchFailures;
    PickCpu cpu;
};

bool RunSession(const std::string& directory, Session* session) {
    std::vector<double> plain = MedianReadUs({PikurioSample, LeastPixelRead, StraightLineSample});
    session->sampleUs = plain[0];
    session->leastUs = plain[1];
    session->straightUs = plain[2];
    std::vector<double> follow = MedianReadUs({FollowOneMove, PikurioSample});
    session->followUs = follow[0];
    session->followSampleUs = follow[1];
    bool keyAdded = AddMonitorKey();
    std::vector<double> keyed = MedianReadUs({PikurioSample, LeastPixelRead});
    RemoveMonitorKey();
    if (!keyAdded) {
        printf("could not make the per-monitor settings key\n");
        return false;
    }
    session->keySampleUs = keyed[0];
    session->keyLeastUs = keyed[1];

    const std::string paths[3] = {directory + "pikurio.exe", directory + "minimal_dialog.exe",
                                  directory + "floor_dialog.exe"};
    Launches launches;
    MeasureStartup(paths, &launches);
    for (int i = 0; i < 3; ++i) {
        session->startupMs[i] = MedianOfShown(launches.startupMs[i]);
        session->workingSetKiB[i] = MedianOfShown(launches.workingSetKiB[i]);
        if (session->startupMs[i] == 0) {
            printf("start-up: %s never showed its dialog\n", paths[i].c_str());
            return false;
        }
    }
    const std::vector<double>* ms = launches.startupMs;
    const std::vector<double>* kib = launches.workingSetKiB;
    session->startupRatio = PairedRatio(ms[0], ms[1]);
    session->startupFloorRatio = PairedRatio(ms[0], ms[2]);
    session->workingSetRatio = PairedRatio(kib[0], kib[1]);
    session->workingSetFloorRatio = PairedRatio(kib[0], kib[2]);
    session->launchFailures = launches.failures;
    if (!MeasurePickCpu(paths[0], &session->cpu)) {
        printf("CPU while picking: pikurio.exe did not show its dialog\n");
        return false;
    }
    return true;
}

double Ratio(double value, double baseline) { return baseline > 0 ? value / baseline : 0; }

// One line of the report: a figure of every session, their median and spread
// (largest less smallest); key names it on the BENCH line, when it has one.
struct Figure {
    const char* label;
    const char* key;
    const char* format;
    double (*of)(const Session&);
};

const Figure FIGURES[] = {
    {"sample, Pikurio (us)", "sample_us", "%.1f", [](const Session& s) { return s.sampleUs; }},
    {"sample, least read (us)", "least_read_us", "%.1f",
     [](const Session& s) { return s.leastUs; }},
    {"sample, straight-line copy (us)", "straight_line_us", "%.1f",
     [](const Session& s) { return s.straightUs; }},
    {"pointer move with loupe (us)", "loupe_move_us", "%.1f",
     [](const Session& s) { return s.followUs; }},
    {"sample alone, same rounds (us)", "loupe_sample_us", "%.1f",
     [](const Session& s) { return s.followSampleUs; }},
    {"sample with key, Pikurio (us)", "sample_key_us", "%.1f",
     [](const Session& s) { return s.keySampleUs; }},
    {"sample with key, least read (us)", "least_read_key_us", "%.1f",
     [](const Session& s) { return s.keyLeastUs; }},
    {"start-up, Pikurio (ms)", "startup_ms", "%.1f",
     [](const Session& s) { return s.startupMs[0]; }},
    {"start-up, empty dialog (ms)", "empty_startup_ms", "%.1f",
     [](const Session& s) { return s.startupMs[1]; }},
    {"start-up, floor (ms)", "floor_startup_ms", "%.1f",
     [](const Session& s) { return s.startupMs[2]; }},
    {"working set, Pikurio (KiB)", "working_set_kib", "%.0f",
     [](const Session& s) { return s.workingSetKiB[0]; }},
    {"working set, empty dialog (KiB)", "empty_working_set_kib", "%.0f",
     [](const Session& s) { return s.workingSetKiB[1]; }},
    {"working set, floor (KiB)", "floor_working_set_kib", "%.0f",
     [](const Session& s) { return s.workingSetKiB[2]; }},
    {"CPU idle, Pikurio (%)", "idle_cpu_pct", "%.2f",
     [](const Session& s) { return s.cpu.idle.pikurio; }},
    {"CPU idle, with servers (%)", "idle_cpu_total_pct", "%.2f",
     [](const Session& s) { return s.cpu.idle.total; }},
    {"CPU picking, Pikurio (%)", "pick_cpu_pct", "%.2f",
     [](const Session& s) { return s.cpu.picking.pikurio; }},
    {"CPU picking, with servers (%)", "pick_cpu_total_pct", "%.2f",
     [](const Session& s) { return s.cpu.picking.total; }},
    {nullptr, nullptr, nullptr, nullptr},  // ratios follow
    {"sample / least read", "sample_ratio", "%.3f",
     [](const Session& s) { return Ratio(s.sampleUs, s.leastUs); }},
    {"sample with key / least read", "sample_key_ratio", "%.3f",
     [](const Session& s) { return Ratio(s.keySampleUs, s.keyLeastUs); }},
    {"pointer move with loupe / sample", "loupe_move_ratio", "%.3f",
     [](const Session& s) { return Ratio(s.followUs, s.followSampleUs); }},
    {"sample / straight-line copy", "sample_overhead_ratio", "%.3f",
     [](const Session& s) { return Ratio(s.sampleUs, s.straightUs); }},
    {"start-up / empty dialog", "startup_ratio", "%.3f",
     [](const Session& s) { return s.startupRatio; }},
    {"start-up / floor", "startup_floor_ratio", "%.3f",
     [](const Session& s) { return s.startupFloorRatio; }},
    {"working set / empty dialog", "working_set_ratio", "%.3f",
     [](const Session& s) { return s.workingSetRatio; }},
    {"working set / floor", "working_set_floor_ratio", "%.3f",
     [](const Session& s) { return s.workingSetFloorRatio; }},
};

long FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (long)data.nFileSizeLow;
}

std::string Format(const char* format, double value) {
    char text[32];
    snprintf(text, sizeof text, format, value);
    return text;
}

// Prints the table of every figure and the BENCH line of medians and spreads.
void Report(const std::vector<Session>& sessions, const std::string& directory) {
    printf("\n%-34s", "figure");
    for (size_t i = 0; i < sessions.size(); ++i) printf(" %9s%zu", "session ", i + 1);
    printf(" %10s %10s\n", "median", "spread");
    std::string bench = "BENCH";
    for (const Figure& figure : FIGURES) {
        if (!figure.label) {
            printf("\n");
            continue;
        }
        std::vector<double> values;
        for (const Session& session : sessions) values.push_back(figure.of(session));
        double median = Median(values);
        double spread = *std::max_element(values.begin(), values.end()) -
                        *std::min_element(values.begin(), values.end());
        printf("%-34s", figure.label);
        for (double value : values) printf(" %10s", Format(figure.format, value).c_str());
        printf(" %10s %10s\n", Format(figure.format, median).c_str(),
               Format(figure.format, spread).c_str());
        bench += std::string(" ") + figure.key + "=" + Format(figure.format, median) + " " +
                 figure.key + "_spread=" + Format(figure.format, spread);
    }
    // Sizes and imports are those of the shipped 32-bit build, next to the build that ran.
    std::string shipped = directory + "..\\win32\\";
    const char* const names[3] = {"pikurio.exe", "minimal_dialog.exe", "floor_dialog.exe"};
    long bytes[3];
    ImportTable imports[3];
    printf("\n%-34s %10s %10s %10s\n", "32-bit build, stripped", "pikurio", "empty", "floor");
    for (int i = 0; i < 3; ++i) {
        bytes[i] = FileBytes(shipped + names[i]);
        if (!ReadFileImports(shipped + names[i], &imports[i])) imports[i] = ImportTable();
    }
    printf("%-34s %10ld %10ld %10ld\n", "exe size (bytes)", bytes[0], bytes[1], bytes[2]);
    printf("%-34s %10zu %10zu %10zu\n", "imported DLLs", imports[0].dlls.size(),
           imports[1].dlls.size(), imports[2].dlls.size());
    printf("%-34s %10zu %10zu %10zu\n", "imported functions", imports[0].functions.size(),
           imports[1].functions.size(), imports[2].functions.size());
    printf("ran: %spikurio.exe, %ld bytes\n", directory.c_str(),
           FileBytes(directory + "pikurio.exe"));
    for (size_t i = 0; i < sessions.size(); ++i) {
        const Session& s = sessions[i];
        if (!s.cpu.pickHeld) printf("warning: session %zu: pick mode was not held\n", i + 1);
        if (!s.cpu.missing.empty())
            printf("warning: session %zu: not found, so not counted:%s\n", i + 1,
                   s.cpu.missing.c_str());
        if (s.launchFailures)
            printf("warning: session %zu: %d launches failed to show or to close\n", i + 1,
                   s.launchFailures);
    }
    printf(
        "\n%s exe_bytes=%ld empty_exe_bytes=%ld floor_exe_bytes=%ld import_dlls=%zu "
        "import_functions=%zu\n",
        bench.c_str(), bytes[0], bytes[1], bytes[2], imports[0].dlls.size(),
        imports[0].functions.size());
}

}  // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = (double)frequency.QuadPart / 1000.0;
    g_app.desktop = GetDesktopWindow();
    g_app.instance = GetModuleHandleA(nullptr);
    std::string directory = ProgramDirectory();

    // A key left by an interrupted run is ours to remove; any other settings
    // would change what the sample rows measure.
    RemoveMonitorKey();
    if (HasPerMonitorSettings()) {
        printf("this prefix has per-monitor display settings; the bench needs none\n");
        return 1;
    }
    SetCursorPos(300, 300);
    g_loupeOwner = CreateWindowExA(0, "STATIC", nullptr, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   g_app.instance, nullptr);
    printf("Pikurio benchmark: %d sessions, each figure against baselines from the same session\n",
           SESSIONS);
    fflush(stdout);
    std::vector<Session> sessions(SESSIONS);
    for (int i = 0; i < SESSIONS; ++i) {
        printf("session %d of %d\n", i + 1, SESSIONS);
        fflush(stdout);
        if (!RunSession(directory, &sessions[i])) return 1;
    }
    Report(sessions, directory);
    fflush(stdout);
    DestroyLoupe();
    DestroyWindow(g_loupeOwner);
    return 0;
}
