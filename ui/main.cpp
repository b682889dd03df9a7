// Process entry: the main dialog is the whole program, and its result is the
// exit code.
#include <windows.h>
#include <commctrl.h>

#include "core/app_state.h"
#include "ui/main_dialog.h"

// The program takes no arguments and has no static constructors, so it needs
// none of the C runtime's start-up: it starts here, at the name the linker
// gives a GUI program's entry. The system only promises a 4-byte aligned stack.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    g_app.instance = instance;
    InitCommonControls();
    g_app.desktop = GetDesktopWindow();
    g_app.icon = LoadIconA(instance, "ICON");
    ExitProcess((UINT)DialogBoxParamA(instance, "DIALOG", g_app.desktop, MainDlgProc, 0));
}
