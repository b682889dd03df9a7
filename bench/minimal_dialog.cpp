// The least a dialog program does: show one empty template and end on Esc or
// the close button. The benchmark's baseline for start-up and working set.
#include <windows.h>

// Returns FALSE unless a message has a result; WM_INITDIALOG's TRUE sets the focus.
static INT_PTR CALLBACK MinimalDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return (int)DialogBoxParamA(instance, "DIALOG", GetDesktopWindow(), MinimalDlgProc, 0);
}
