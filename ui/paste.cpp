#include "ui/paste.h"

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/pasted_code.h"
#include "ui/clipboard.h"

// The clipboard's text read as a colour code: false when it holds none, holds
// no text, or stays busy. Read as UTF-16, so full-width characters survive in
// any locale, and no further than its block, whether or not a NUL ends it.
static bool ReadClipboardCode(COLORREF* color) {
    if (!OpenClipboardPatiently()) return false;
    bool read = false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const uint16_t* text = data ? static_cast<const uint16_t*>(GlobalLock(data)) : nullptr;
    if (text) {
        read = ReadPastedCode(text, GlobalSize(data) / sizeof *text, color);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return read;
}

// A code on the clipboard goes to the colour being edited as its three pairs
// typed into the hex edits would: loading the slot updates the channels one
// by one, red first, as typing does. The clipboard keeps the code. False
// when there is no code to take.
static bool PasteColorCode() {
    COLORREF color;
    if (!ReadClipboardCode(&color)) return false;
    g_app.slots[g_app.currentSlot].color = color;
    LoadSlotIntoChannels(g_app.currentSlot);
    return true;
}

// A hex edit's paste, from its menu or from the keys: a code takes the
// colour, anything else is pasted by the edit as it always was.
static LRESULT CALLBACK HexEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PASTE && PasteColorCode()) return 0;
    return CallWindowProcA((WNDPROC)g_app.previousHexEditProc, edit, message, wParam, lParam);
}

// The three edits are of one class, so they share the procedure they had.
void InstallHexEditPaste() {
    for (const Channel& c : g_app.channels)
        g_app.previousHexEditProc =
            SetWindowLongPtrA(c.hexEdit, GWLP_WNDPROC, (LONG_PTR)HexEditProc);
}

static bool IsPasteKey(WPARAM key) {
    if (GetKeyState(VK_MENU) < 0) return false;
    return key == 'V' ? GetKeyState(VK_CONTROL) < 0 : key == VK_INSERT && GetKeyState(VK_SHIFT) < 0;
}

// A read-only edit, the buttons, the combos and the sliders ignore a paste
// key, so it is taken here before it reaches them; a hex edit is sent its own
// paste, since Shift+Insert pastes there without one. The sample texts keep
// their keys, as does a combo whose list is open (any other control answers
// CB_GETDROPPEDSTATE with 0), and pick mode's wait keeps every key.
bool OnPasteKey(const MSG& msg) {
    HWND focus = msg.hwnd;
    if (msg.message != WM_KEYDOWN || !IsPasteKey(msg.wParam) || g_app.pickMode == PICK_ACTIVE ||
        (unsigned)(GetDlgCtrlID(focus) - IDC_TEXT1) < TEXT_SLOT_COUNT ||
        SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0))
        return false;
    if (ChannelOfHexEdit(focus) >= 0)
        SendMessageA(focus, WM_PASTE, 0, 0);
    else if (!PasteColorCode())
        MessageBeep(MB_OK);
    return true;
}
