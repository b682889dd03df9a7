#include "tests/support/program.h"

#include <string.h>

std::string ProgramDirectory() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string result(path, length);
    return result.substr(0, result.find_last_of("\\/") + 1);
}

namespace {

struct FindContext {
    DWORD processId;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM lParam) {
    FindContext* context = reinterpret_cast<FindContext*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != context->processId) return TRUE;
    if (ClassOf(window) != context->className) return TRUE;
    if (context->caption && WindowText(window) != context->caption) return TRUE;
    context->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* caption) {
    FindContext context = {processId, className, caption, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption) {
    std::vector<HWND> windows = ProcessWindows(processId, className, caption);
    return windows.empty() ? nullptr : windows.front();
}

std::string WindowText(HWND window) {
    char text[512];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG,
                             ANSWER_MS, &length))
        return "(no answer)";
    return std::string(text, length);
}

GUITHREADINFO GuiThreadInfo(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) ? info : GUITHREADINFO();
}

std::string ClassOf(HWND window) {
    char name[128];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

bool StartProgram(const std::string& path, const char* caption, DWORD timeoutMs,
                  RunningProgram* running) {
    memset(running, 0, sizeof *running);
    std::string commandLine = "\"" + path + "\"";
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    DWORD start = GetTickCount();
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &running->process))
        return false;
    // Its result is not needed: the poll below, within the same bound, is the check.
    WaitForInputIdle(running->process.hProcess, timeoutMs);
    // Polled every millisecond: the bench times this wait.
    for (;;) {
        for (HWND dialog : ProcessWindows(running->process.dwProcessId, "#32770", caption))
            if (!running->dialog && IsWindowVisible(dialog)) running->dialog = dialog;
        if (running->dialog) break;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(1);
    }
    // Visible is not yet idle: wait until it has handled what showing it queued.
    return WaitForInputIdle(running->process.hProcess, timeoutMs) == 0;
}

bool StopProgram(RunningProgram* running, DWORD graceMs) {
    if (!running->process.hProcess) return false;
    if (graceMs > 0 && running->dialog) PostMessageA(running->dialog, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(running->process.hProcess, graceMs) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(running->process.hProcess, 99);
        WaitForSingleObject(running->process.hProcess, 5000);
    }
    CloseHandle(running->process.hThread);
    CloseHandle(running->process.hProcess);
    memset(running, 0, sizeof *running);
    return ended;
}
