// The dialog programs Pikurio's start-up and working set are measured against,
// started the way pikurio.exe is. Built twice: with an empty template, the
// least a dialog program does; and as the floor, with Pikurio's own template
// and icon and the common controls registered, but a dialog procedure that
// does nothing, so what Pikurio adds to it is its own work.
#include <windows.h>
#include <commctrl.h>

// Returns FALSE unless a message has a result; WM_INITDIALOG's TRUE sets the focus.
static INT_PTR CALLBACK BaselineDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
    return FALSE;
}

extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
#ifdef FLOOR_DIALOG
    InitCommonControls();
#endif
    ExitProcess((UINT)DialogBoxParamA(GetModuleHandleA(nullptr), "DIALOG", GetDesktopWindow(),
                                      BaselineDlgProc, 0));
}
