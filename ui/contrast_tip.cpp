#include "ui/contrast_tip.h"

#include <commctrl.h>

#include "core/app_state.h"
#include "core/contrast.h"

// The platform's default of 5 s is too short to read four lines. Any width
// makes the tooltip break lines; this one is wider than any line, so only
// the line ends break them.
enum { TIP_SHOW_MS = 30000, TIP_MAX_WIDTH = 0x7FFF };

// Sends the tooltip a message about its one tool: the preview's rectangle in
// the dialog's client area. The preview lets the mouse through to the
// dialog, so the tool belongs to the dialog. The tip shows centred below the
// preview, where it hides none of the samples it tells about, and asks for
// its text each time. The first size of the tool information is enough, and
// older common controls refuse the newest.
static void SendToolMessage(UINT message) {
    HWND preview = g_app.slots[SLOT_BACKGROUND].window;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = GetParent(preview);
    GetWindowRect(preview, &tool.rect);
    MapWindowPoints(nullptr, tool.hwnd, (POINT*)&tool.rect, 2);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(g_app.contrastTip, message, 0, (LPARAM)&tool);
}

// Made when first needed rather than with the dialog, which keeps the
// start-up at its floor. It has no owner: one owned by the dialog shares the
// dialog's place among topmost windows, which pick mode changes. From here on
// the tooltip sees the dialog's mouse messages itself; the move that made it
// is handed on, so that the first hover counts.
void CreateContrastTip(HWND dialog, LPARAM mouseMove) {
    if (g_app.contrastTip) return;
    g_app.contrastTip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                        0, nullptr, nullptr, g_app.instance, nullptr);
    SendToolMessage(TTM_ADDTOOLA);
    SendMessageA(g_app.contrastTip, TTM_SETMAXTIPWIDTH, 0, TIP_MAX_WIDTH);
    SendMessageA(g_app.contrastTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, TIP_SHOW_MS);
    MSG move = {dialog, WM_MOUSEMOVE, 0, mouseMove, 0, {0, 0}};
    SendMessageA(g_app.contrastTip, TTM_RELAYEVENT, 0, (LPARAM)&move);
}

// The tooltip asks for its text. While pick mode waits for the click there is
// none, so a show that was already due when it began shows nothing. The
// tooltip copies the text before the notification returns.
void OnContrastTipNotify(NMHDR* header) {
    static char text[CONTRAST_TEXT_SIZE];
    if (header->hwndFrom != g_app.contrastTip || header->code != TTN_GETDISPINFOA) return;
    if (g_app.pickMode == PICK_ACTIVE) return;
    FormatContrastText(text, false);
    ((NMTTDISPINFOA*)header)->lpszText = text;
}

// Setting the text again makes a tooltip that shows ask for it again; a
// repaint alone would show the old one.
void UpdateContrastTip() {
    if (g_app.contrastTip) SendToolMessage(TTM_UPDATETIPTEXTA);
}

// Off while pick mode waits for the click: hides a tip that shows, and starts
// no new one until it is on again.
void EnableContrastTip(bool enable) {
    if (g_app.contrastTip) SendMessageA(g_app.contrastTip, TTM_ACTIVATE, enable, 0);
}

// Hides a tip that shows, before a window of the program opens where the
// topmost tip would lie over it: the preview's menu, the About box.
void PopContrastTip() {
    if (g_app.contrastTip) SendMessageA(g_app.contrastTip, TTM_POP, 0, 0);
}

// On the dialog's close path: with no owner, nothing else would take it along.
void DestroyContrastTip() {
    if (g_app.contrastTip) DestroyWindow(g_app.contrastTip);
    g_app.contrastTip = nullptr;
}
