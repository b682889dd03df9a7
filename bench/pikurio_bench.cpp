// Pikurio's benchmarks: the cost of one screen sample, start-up, CPU while
// picking and footprint. The machine they run on is shared and noisy, so each
// figure is set against a baseline measured in the same run, interleaved with
// it where that is possible; the ratios are what to compare between runs.
#include <windows.h>

#include <psapi.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/screen_sample.h"
#include "res/resource.h"
#include "ui/main_dialog.h"

namespace {

const int SAMPLE_CALLS = 2000;
const int LAUNCHES = 15;
const DWORD PICK_MEASURE_MS = 10000;
const DWORD FIND_DIALOG_TIMEOUT_MS = 20000;
const DWORD EXIT_TIMEOUT_MS = 10000;

double g_ticksPerMs = 0;

double NowMs() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return (double)count.QuadPart / g_ticksPerMs;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The value that 99 % of the calls did not exceed.
double Percentile99(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t rank = (values.size() * 99 + 99) / 100;  // ceil(0.99 n), 1-based
    return values[rank - 1];
}

std::string ProgramDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string result(path, length);
    return result.substr(0, result.find_last_of("\\/") + 1);
}

// ---- Sample cost ------------------------------------------------------------

// The least any picker does to read one pixel.
COLORREF MinimalPixelRead(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

struct SampleCost {
    std::vector<double> sampleUs;
    std::vector<double> minimalUs;
};

// Both reads alternate call by call, and which goes first alternates too, so
// that a burst of load on the machine falls on both alike.
SampleCost MeasureSampleCost() {
    const int x = 300, y = 300;
    SetCursorPos(x, y);
    for (int i = 0; i < 20; ++i) {  // warm both paths up
        SampleScreenColor(false);
        MinimalPixelRead(x, y);
    }
    SampleCost cost;
    cost.sampleUs.reserve(SAMPLE_CALLS);
    cost.minimalUs.reserve(SAMPLE_CALLS);
    for (int i = 0; i < SAMPLE_CALLS; ++i) {
        for (int turn = 0; turn < 2; ++turn) {
            bool sampleTurn = (turn == 0) == (i % 2 == 0);
            double start = NowMs();
            if (sampleTurn)
                SampleScreenColor(false);
            else
                MinimalPixelRead(x, y);
            double us = (NowMs() - start) * 1000;
            (sampleTurn ? cost.sampleUs : cost.minimalUs).push_back(us);
        }
    }
    return cost;
}

// ---- Launching a dialog program -------------------------------------------

struct FindContext {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM lParam) {
    FindContext* context = reinterpret_cast<FindContext*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16];
    if (processId != context->processId || !IsWindowVisible(window) ||
        !GetClassNameA(window, className, sizeof className) || strcmp(className, "#32770") != 0)
        return TRUE;
    context->found = window;
    return FALSE;
}

HWND FindDialogOf(DWORD processId) {
    FindContext context = {processId, nullptr};
    EnumWindows(FindVisibleDialog, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

struct Running {
    PROCESS_INFORMATION process;
    HWND dialog;
    double startupMs;  // CreateProcess to the dialog visible and idle
};

// Starts a program and waits, boundedly, for its dialog; false when it never showed.
bool Launch(const std::string& path, Running* running) {
    std::string commandLine = "\"" + path + "\"";
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    memset(running, 0, sizeof *running);
    double start = NowMs();
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &running->process)) {
        fprintf(stderr, "cannot start %s (error %lu)\n", path.c_str(), GetLastError());
        return false;
    }
    WaitForInputIdle(running->process.hProcess, FIND_DIALOG_TIMEOUT_MS);
    while (!(running->dialog = FindDialogOf(running->process.dwProcessId))) {
        if (NowMs() - start > FIND_DIALOG_TIMEOUT_MS) return false;
        Sleep(1);
    }
    // Visible is not yet idle: wait until it has handled what showing it queued.
    WaitForInputIdle(running->process.hProcess, FIND_DIALOG_TIMEOUT_MS);
    running->startupMs = NowMs() - start;
    return true;
}

// Closes the dialog as the close button would and waits for the process to end;
// false when it had to be terminated.
bool Close(Running* running) {
    if (running->dialog) PostMessageA(running->dialog, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(running->process.hProcess, EXIT_TIMEOUT_MS) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(running->process.hProcess, 99);
        WaitForSingleObject(running->process.hProcess, EXIT_TIMEOUT_MS);
    }
    CloseHandle(running->process.hThread);
    CloseHandle(running->process.hProcess);
    return ended;
}

double WorkingSetKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize / 1024.0;
}

struct StartupFigures {
    std::vector<double> ms;
    std::vector<double> workingSetKiB;
    int failures = 0;
};

// Alternating launches of the two programs, each closed before the next starts.
void MeasureStartup(const std::string& pikurio, const std::string& minimal,
                    StartupFigures* ofPikurio, StartupFigures* ofMinimal) {
    for (int i = 0; i < LAUNCHES; ++i) {
        for (int turn = 0; turn < 2; ++turn) {
            bool pikurioTurn = (turn == 0) == (i % 2 == 0);
            StartupFigures* figures = pikurioTurn ? ofPikurio : ofMinimal;
            Running running;
            if (Launch(pikurioTurn ? pikurio : minimal, &running)) {
                figures->ms.push_back(running.startupMs);
                figures->workingSetKiB.push_back(WorkingSetKiB(running.process.hProcess));
            } else {
                ++figures->failures;
            }
            if (!Close(&running)) ++figures->failures;
        }
    }
}

// ---- CPU while picking --------------------------------------------------------

// CPU time of the program's one thread, which does all its work. Wine's
// GetProcessTimes for another process does not follow its running threads,
// while GetThreadTimes does.
double CpuMs(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (double)(k.QuadPart + u.QuadPart) / 10000.0;  // 100 ns units
}

// The thread's CPU time over a wait, as a share of one core.
double CpuShareOver(HANDLE thread, DWORD ms) {
    double cpuBefore = CpuMs(thread);
    double start = NowMs();
    Sleep(ms);
    double wall = NowMs() - start;
    return (CpuMs(thread) - cpuBefore) / wall;
}

// Pick mode shows itself by the topmost dialog that holds the mouse capture.
bool InPickMode(const Running& running) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    bool capturing =
        GetGUIThreadInfo(running.process.dwThreadId, &info) && info.hwndCapture == running.dialog;
    bool topmost = (GetWindowLongA(running.dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return capturing && topmost;
}

struct PickFigures {
    double idleShare = 0;
    double pickShare = 0;
    bool pickHeld = false;  // pick mode was on before and after the measurement
};

// The same process idle for a while, then picking; both for the same length of time.
bool MeasurePickCpu(const std::string& pikurio, PickFigures* figures) {
    Running running;
    if (!Launch(pikurio, &running)) return false;
    Sleep(500);
    figures->idleShare = CpuShareOver(running.process.hThread, PICK_MEASURE_MS);
    HWND pick = GetDlgItem(running.dialog, IDC_PICK);
    PostMessageA(running.dialog, WM_COMMAND, MAKEWPARAM(IDC_PICK, BN_CLICKED), (LPARAM)pick);
    double start = NowMs();
    while (!InPickMode(running) && NowMs() - start < 3000) Sleep(10);
    bool before = InPickMode(running);
    figures->pickShare = CpuShareOver(running.process.hThread, PICK_MEASURE_MS);
    figures->pickHeld = before && InPickMode(running);
    Close(&running);
    return true;
}

// ---- Footprint --------------------------------------------------------------

struct ImportFigures {
    long fileBytes = -1;
    int dlls = -1;
    int functions = -1;
};

// Reads the exe's import directory: the number of DLLs and of imported functions.
// Every offset is checked against the file, so a malformed image gives -1s.
ImportFigures ReadImports(const std::string& path) {
    ImportFigures figures;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return figures;
    std::vector<unsigned char> image;
    unsigned char chunk[65536];
    size_t read;
    while ((read = fread(chunk, 1, sizeof chunk, file)) > 0)
        image.insert(image.end(), chunk, chunk + read);
    fclose(file);
    figures.fileBytes = (long)image.size();

    auto fits = [&](size_t offset, size_t size) {
        return offset <= image.size() && size <= image.size() - offset;
    };
    if (!fits(0, sizeof(IMAGE_DOS_HEADER))) return figures;
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    size_t ntOffset = (size_t)dos->e_lfanew;
    if (!fits(ntOffset, sizeof(IMAGE_NT_HEADERS32))) return figures;
    const IMAGE_NT_HEADERS32* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + ntOffset);
    if (nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return figures;
    size_t sectionsOffset = ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                            nt->FileHeader.SizeOfOptionalHeader;
    int sectionCount = nt->FileHeader.NumberOfSections;
    if (!fits(sectionsOffset, sectionCount * sizeof(IMAGE_SECTION_HEADER))) return figures;
    const IMAGE_SECTION_HEADER* sections =
        reinterpret_cast<const IMAGE_SECTION_HEADER*>(image.data() + sectionsOffset);
    // A relative virtual address as an offset into the file, or 0 when none holds it.
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (int i = 0; i < sectionCount; ++i) {
            DWORD begin = sections[i].VirtualAddress;
            if (rva >= begin && rva < begin + sections[i].SizeOfRawData)
                return rva - begin + sections[i].PointerToRawData;
        }
        return 0;
    };

    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t descriptorOffset = fileOffset(importRva);
    if (!importRva || !descriptorOffset) return figures;
    figures.dlls = 0;
    figures.functions = 0;
    for (;; descriptorOffset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        if (!fits(descriptorOffset, sizeof(IMAGE_IMPORT_DESCRIPTOR)))
            return ImportFigures{figures.fileBytes};
        const IMAGE_IMPORT_DESCRIPTOR* descriptor =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + descriptorOffset);
        if (descriptor->Name == 0) break;
        ++figures.dlls;
        DWORD thunkRva = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk
                                                        : descriptor->FirstThunk;
        size_t thunkOffset = fileOffset(thunkRva);
        for (;; thunkOffset += sizeof(IMAGE_THUNK_DATA32)) {
            if (!thunkOffset || !fits(thunkOffset, sizeof(IMAGE_THUNK_DATA32)))
                return ImportFigures{figures.fileBytes};
            if (reinterpret_cast<const IMAGE_THUNK_DATA32*>(image.data() + thunkOffset)
                    ->u1.AddressOfData == 0)
                break;
            ++figures.functions;
        }
    }
    return figures;
}

// ---- Report -----------------------------------------------------------------

double Ratio(double value, double baseline) { return baseline > 0 ? value / baseline : 0; }

void Row(const char* figure, double value, double baseline, const char* format) {
    char valueText[32], baselineText[32];
    snprintf(valueText, sizeof valueText, format, value);
    snprintf(baselineText, sizeof baselineText, format, baseline);
    char ratioText[16] = "-";  // an idle baseline can be 0: no ratio then
    if (baseline > 0) snprintf(ratioText, sizeof ratioText, "%.2f", value / baseline);
    printf("%-32s %12s %12s %9s\n", figure, valueText, baselineText, ratioText);
}

}  // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMs = (double)frequency.QuadPart / 1000.0;
    g_app.desktop = GetDesktopWindow();
    std::string directory = ProgramDirectory();
    std::string pikurio = directory + "pikurio.exe";
    std::string minimal = directory + "minimal_dialog.exe";

    printf("Pikurio benchmark: each figure against a baseline from the same run\n");
    fflush(stdout);

    SampleCost cost = MeasureSampleCost();
    double sampleMedian = Median(cost.sampleUs), sampleP99 = Percentile99(cost.sampleUs);
    double minimalMedian = Median(cost.minimalUs), minimalP99 = Percentile99(cost.minimalUs);
    double periodShare = sampleMedian / (PICK_TIMER_PERIOD_MS * 1000.0);

    StartupFigures startPikurio, startMinimal;
    MeasureStartup(pikurio, minimal, &startPikurio, &startMinimal);
    if (startPikurio.ms.empty() || startMinimal.ms.empty()) {
        printf("start-up: no launch showed its dialog\n");
        return 1;
    }
    double startupPikurio = Median(startPikurio.ms), startupMinimal = Median(startMinimal.ms);
    double wsPikurio = Median(startPikurio.workingSetKiB),
           wsMinimal = Median(startMinimal.workingSetKiB);

    PickFigures pick;
    if (!MeasurePickCpu(pikurio, &pick)) {
        printf("CPU while picking: pikurio.exe did not show its dialog\n");
        return 1;
    }
    // What ten samples a second would cost at the median measured above.
    double predictedShare = sampleMedian / 1000.0 * (1000.0 / PICK_TIMER_PERIOD_MS) / 1000.0;

    ImportFigures importsPikurio = ReadImports(pikurio);
    ImportFigures importsMinimal = ReadImports(minimal);

    printf("\n%-32s %12s %12s %9s\n", "figure", "pikurio", "baseline", "ratio");
    Row("sample median (us)", sampleMedian, minimalMedian, "%.1f");
    Row("sample p99 (us)", sampleP99, minimalP99, "%.1f");
    Row("start-up median (ms)", startupPikurio, startupMinimal, "%.1f");
    Row("working set after start-up (KiB)", wsPikurio, wsMinimal, "%.0f");
    Row("exe size, stripped (bytes)", importsPikurio.fileBytes, importsMinimal.fileBytes, "%.0f");
    Row("imported DLLs", importsPikurio.dlls, importsMinimal.dlls, "%.0f");
    Row("imported functions", importsPikurio.functions, importsMinimal.functions, "%.0f");
    Row("CPU picking (% of a core)", pick.pickShare * 100, pick.idleShare * 100, "%.2f");
    printf(
        "\nbaselines: GetDC+GetPixel+ReleaseDC per sample; minimal_dialog.exe for start-up,\n"
        "working set and imports; the same pikurio.exe idle for the CPU.\n");
    printf(
        "sample median is %.3f %% of the %d ms pick period; ten samples a second predict\n"
        "%.2f %% of a core against the %.2f %% measured.\n",
        periodShare * 100, (int)PICK_TIMER_PERIOD_MS, predictedShare * 100, pick.pickShare * 100);
    if (!pick.pickHeld) printf("warning: pick mode was not held through the CPU measurement\n");
    if (startPikurio.failures || startMinimal.failures)
        printf("warning: %d pikurio and %d minimal launches failed to show or to close\n",
               startPikurio.failures, startMinimal.failures);

    printf(
        "\nBENCH sample_median_us=%.1f sample_p99_us=%.1f minimal_median_us=%.1f "
        "minimal_p99_us=%.1f "
        "sample_ratio=%.2f sample_period_share_pct=%.3f startup_ms=%.1f minimal_startup_ms=%.1f "
        "startup_ratio=%.2f pick_cpu_pct=%.2f idle_cpu_pct=%.2f predicted_pick_cpu_pct=%.2f "
        "pick_held=%d exe_bytes=%ld minimal_exe_bytes=%ld import_dlls=%d import_functions=%d "
        "minimal_import_dlls=%d minimal_import_functions=%d working_set_kib=%.0f "
        "minimal_working_set_kib=%.0f working_set_ratio=%.2f\n",
        sampleMedian, sampleP99, minimalMedian, minimalP99, Ratio(sampleMedian, minimalMedian),
        periodShare * 100, startupPikurio, startupMinimal, Ratio(startupPikurio, startupMinimal),
        pick.pickShare * 100, pick.idleShare * 100, predictedShare * 100, pick.pickHeld ? 1 : 0,
        importsPikurio.fileBytes, importsMinimal.fileBytes, importsPikurio.dlls,
        importsPikurio.functions, importsMinimal.dlls, importsMinimal.functions, wsPikurio,
        wsMinimal, Ratio(wsPikurio, wsMinimal));
    fflush(stdout);
    return 0;
}
