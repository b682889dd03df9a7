// Pick mode: from the pick button to the click, or Enter or Space, that takes
// the pixel under the pointer, or to the deactivation that ends it without one.
#include "ui/pick_mode.h"

#include "core/app_state.h"
#include "core/control_ops.h"
#include "core/screen_sample.h"
#include "ui/contrast_tip.h"

// How far an arrow key moves the pointer in pick mode, and with Shift held.
enum { POINTER_STEP = 1, POINTER_SHIFT_STEP = 10 };
// The key message's previous-state bit: set on the auto-repeats of a held key.
static const LPARAM KEY_WAS_DOWN = (LPARAM)1 << 30;

// Shows the colour under the cursor in the swatch, outside any WM_PAINT.
static void PaintSwatchFromScreen() {
    if (g_app.pickMode == PICK_IDLE) return;
    HBRUSH brush = CreateSolidBrush(SampleScreenColor(false));
    HDC dc = GetDC(g_app.swatch);
    FillRect(dc, &g_app.swatchRect, brush);
    DeleteObject(brush);
    ReleaseDC(g_app.swatch, dc);
}

static void TakePickedColor() {
    if (g_app.pickMode != PICK_ACTIVE) return;
    g_app.pickMode = PICK_DONE;
    SampleScreenColor(true);
}

// Stops following the cursor, clears the swatch and gives the mouse back; the
// mouse only if it is still ours: when another window has just taken it, it
// stays there.
static void StopSampling(HWND dialog) {
    KillTimer(dialog, PICK_TIMER_ID);
    if (GetCapture() == dialog) ReleaseCapture();
    InvalidateRect(g_app.swatch, nullptr, TRUE);
    EnableContrastTip(true);
}

// The click is over: give the mouse back and return to editing. The focus
// moves through the dialog manager so that no button keeps the default look.
static void FinishPickClick(HWND dialog) {
    if (g_app.pickMode == PICK_IDLE) return;
    StopSampling(dialog);
    SetActiveWindow(dialog);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)g_app.channels[CHANNEL_RED].hexEdit, TRUE);
}

// Pick mode is over without a pick: the dialog was deactivated, or another
// window took the mouse. Dropping topmost must neither activate nor show the
// dialog: the user is switching to another window, or the dialog is closing.
static void EndPickMode(HWND dialog) {
    if (g_app.pickMode == PICK_IDLE) return;
    // Set first: releasing the capture sends WM_CAPTURECHANGED back here.
    g_app.pickMode = PICK_IDLE;
    StopSampling(dialog);
    g_app.pickHeldKey = 0;
    SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RepaintPreview();
}

// Moves the pointer by one pixel, or ten with Shift held, and shows at once
// what is under it. SetCursorPos keeps the pointer on the screen.
static void NudgePointer(int dx, int dy) {
    int step = GetKeyState(VK_SHIFT) < 0 ? POINTER_SHIFT_STEP : POINTER_STEP;
    POINT p;
    GetCursorPos(&p);
    SetCursorPos(p.x + dx * step, p.y + dy * step);
    PaintSwatchFromScreen();
}

// The keys of pick mode: the arrows move the pointer, and a fresh press of
// Enter or Space takes the colour under it as a click there would. Both the
// press and the release of these keys are kept from the controls, and so is
// the key that took the colour until it is released: its auto-repeat would
// type into the focused hex edit. False for any other key.
bool OnPickKey(const MSG& msg) {
    // The arrows' key codes follow each other: left, up, right, down.
    static const signed char DX[] = {-1, 0, 1, 0}, DY[] = {0, -1, 0, 1};
    const WPARAM key = msg.wParam;
    const bool pressed = msg.message == WM_KEYDOWN;
    if (key == g_app.pickHeldKey) {
        if (!pressed) g_app.pickHeldKey = 0;
        return true;
    }
    if (g_app.pickMode != PICK_ACTIVE) return false;
    if (key == VK_RETURN || key == VK_SPACE) {
        // A repeat takes nothing: the user held the key, for instance the Enter
        // that pressed the pick button, and never aimed.
        if (pressed && !(msg.lParam & KEY_WAS_DOWN)) {
            g_app.pickHeldKey = key;
            TakePickedColor();
            FinishPickClick(g_app.dialog);
        }
        return true;
    }
    if (key < VK_LEFT || key > VK_DOWN) return false;
    if (pressed) NudgePointer(DX[key - VK_LEFT], DY[key - VK_LEFT]);
    return true;
}

// Stays on top and takes the mouse until a click, or Enter or Space, picks a
// colour.
void StartPickMode(HWND dialog) {
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    g_app.pickMode = PICK_ACTIVE;
    // The prompt replaces the samples, so their contrast tooltip goes too.
    EnableContrastTip(false);
    RepaintPreview();
    SetCapture(dialog);
    SetTimer(dialog, PICK_TIMER_ID, PICK_TIMER_PERIOD_MS, nullptr);
}

void OnPickTimer() { PaintSwatchFromScreen(); }

void OnPickButtonDown() { TakePickedColor(); }

// The dialog holds the mouse from the start of pick mode until the buttons
// are up after the pick: a press and release of the other button while one is
// held belong to the pick too, so that neither release becomes a context menu.
bool OnPickButtonUp(HWND dialog, WPARAM buttonsDown) {
    bool picked = GetCapture() == dialog;
    if (!picked || !(buttonsDown & (MK_LBUTTON | MK_RBUTTON))) FinishPickClick(dialog);
    return picked;
}

void OnPickDeactivated(HWND dialog) { EndPickMode(dialog); }

// Only while waiting for the click: our own release after a pick comes in
// PICK_DONE, and a restarted pick takes the capture from itself.
void OnPickCaptureChanged(HWND dialog, HWND newCapture) {
    if (g_app.pickMode == PICK_ACTIVE && newCapture != dialog) EndPickMode(dialog);
}
