// The least a dialog program does: show one empty template and end on Esc or
// the close button. The benchmark's baseline for start-up and working set,
// built and started the way pikurio.exe is.
#include <windows.h>

// Returns FALSE unless a message has a result; WM_INITDIALOG's TRUE sets the focus.
static INT_PTR CALLBACK MinimalDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
    return FALSE;
}

extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ExitProcess(
        (UINT)DialogBoxParamA(instance, "DIALOG", GetDesktopWindow(), MinimalDlgProc, 0));
}
