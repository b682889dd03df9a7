#include "ui/dialog_keys.h"

#include "core/app_state.h"
#include "ui/paste.h"
#include "ui/pick_mode.h"
#include "ui/preview_menu.h"

// Sees each message the dialog's loop, or a menu's loop on its thread, takes
// before it goes on; a non-zero result keeps the message from going any
// further. Keys of another dialog of the thread (the About box) pass.
static LRESULT CALLBACK DialogKeyProc(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& msg = *(const MSG*)lParam;
    // Presses and releases only, WM_KEYDOWN, WM_KEYUP and their WM_SYS twins
    // four apart: a character's code can equal a key's.
    const bool key = ((msg.message & ~(WM_SYSKEYDOWN - WM_KEYDOWN)) - WM_KEYDOWN) <= 1u;
    const bool ours =
        code == MSGF_MENU ||
        (code == MSGF_DIALOGBOX && (msg.hwnd == g_app.dialog || IsChild(g_app.dialog, msg.hwnd)));
    if (key && ours &&
        (OnPreviewMenuKey(code, msg) ||
         (code == MSGF_DIALOGBOX && (OnPickKey(msg) || OnPasteKey(msg)))))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void InstallDialogKeys(HWND dialog) {
    g_app.dialog = dialog;
    g_app.keyHook = SetWindowsHookExA(WH_MSGFILTER, DialogKeyProc, nullptr, GetCurrentThreadId());
}

void RemoveDialogKeys() {
    if (g_app.keyHook) UnhookWindowsHookEx(g_app.keyHook);
    g_app.keyHook = nullptr;
}
