// The colour model's effects, bound to the main dialog's controls.
#include <windows.h>
#include <commctrl.h>

#include "core/app_state.h"
#include "core/control_ops.h"
#include "ui/contrast_tip.h"

void SetChannelHexText(int channel, const char* text) {
    SetWindowTextA(g_app.channels[channel].hexEdit, text);
}

void SetChannelDecText(int channel, const char* text) {
    SetWindowTextA(g_app.channels[channel].decLabel, text);
}

void SetCodeText(const char* text) { SetWindowTextA(g_app.codeEdit, text); }

void SetChannelSliderPos(int channel, int position) {
    SendMessageA(g_app.channels[channel].slider, TBM_SETPOS, TRUE, position);
}

// The preview and its tooltip show the new colours, sizes or texts.
void RepaintPreview() {
    InvalidateRect(g_app.slots[SLOT_BACKGROUND].window, nullptr, TRUE);
    UpdateContrastTip();
}
