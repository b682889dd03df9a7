// Process entry: the main dialog is the whole program, and its result is the
// exit code.
#include <windows.h>
#include <commctrl.h>

#include "core/app_state.h"
#include "ui/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_app.instance = instance;
    InitCommonControls();
    g_app.desktop = GetDesktopWindow();
    g_app.icon = LoadIconA(instance, "ICON");
    return (int)DialogBoxParamA(instance, "DIALOG", g_app.desktop, MainDlgProc, 0);
}
