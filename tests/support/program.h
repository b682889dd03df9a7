// Starting a program that shows a dialog, finding its windows, and ending it:
// what the end-to-end tests and the bench do to pikurio.exe (and the bench to
// its baseline program), from another process.
#ifndef PIKURIO_TESTS_SUPPORT_PROGRAM_H
#define PIKURIO_TESTS_SUPPORT_PROGRAM_H

#include <windows.h>

#include <string>
#include <vector>

// The bound of every message sent to another process: a program that stops
// answering fails the check that reads it, and does not hang the test.
const UINT ANSWER_MS = 5000;

// The directory of this executable, with its trailing separator; the programs
// under test are built next to it.
std::string ProgramDirectory();

// Top-level windows of a process with that class and caption (any caption
// when it is null), in z-order; the first of them, or null.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* caption);
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption);
std::string WindowText(HWND window);  // through WM_GETTEXT, bounded
std::string ClassOf(HWND window);
// A thread's focus, capture and active window; all null when it cannot be
// read (the thread has ended).
GUITHREADINFO GuiThreadInfo(DWORD threadId);

struct RunningProgram {
    PROCESS_INFORMATION process;
    HWND dialog;  // its visible dialog, once it showed
};

// Starts the program at path and waits, at most timeoutMs, for a visible
// dialog of it with that caption (any, when it is null), then until it is
// idle. False when it could not start (running->process stays empty), no
// dialog showed in time (running->dialog stays null), or it did not become
// idle; a program that started must be ended with StopProgram either way.
bool StartProgram(const std::string& path, const char* caption, DWORD timeoutMs,
                  RunningProgram* running);
// Closes the dialog as its close button would and gives the program graceMs
// to end (with 0 it is not asked); what is still running then is terminated.
// Frees the handles. True when the program ended by itself.
bool StopProgram(RunningProgram* running, DWORD graceMs);

#endif
