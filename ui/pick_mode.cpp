// Pick mode: from the pick button to the click, or Enter or Space, that takes
// the pixel under the pointer, or to the deactivation that ends it without one.
#include "ui/pick_mode.h"

#include "core/app_state.h"
#include "core/control_ops.h"
#include "core/pixel_rules.h"
#include "core/screen_sample.h"
#include "ui/contrast_tip.h"
#include "ui/loupe.h"

// How far an arrow key moves the pointer in pick mode, and with Shift held.
enum { POINTER_STEP = 1, POINTER_SHIFT_STEP = 10 };
// The key message's previous-state bit: set on the auto-repeats of a held key.
static const LPARAM KEY_WAS_DOWN = (LPARAM)1 << 30;

// Shows the colour under the cursor in the swatch, outside any WM_PAINT, and
// while pick mode waits for the click, the loupe around it, from one read.
static void PaintSwatchFromScreen() {
    if (g_app.pickMode == PICK_IDLE) return;
    PointerPixel pixel;
    ReadPointerPixel(&pixel);
    HBRUSH brush = CreateSolidBrush(PixelToColorRef(pixel.rgb));
    HDC dc = GetDC(g_app.swatch);
    FillRect(dc, &g_app.swatchRect, brush);
    DeleteObject(brush);
    ReleaseDC(g_app.swatch, dc);
    if (g_app.pickMode == PICK_ACTIVE) FollowWithLoupe(GetParent(g_app.swatch), pixel);
}

static void TakePickedColor() {
    if (g_app.pickMode != PICK_ACTIVE) return;
    g_app.pickMode = PICK_DONE;
    SampleScreenColor(true);
    HideLoupe();
}

void RemovePickKeys() {
    if (g_app.pickKeyHook) UnhookWindowsHookEx(g_app.pickKeyHook);
    g_app.pickKeyHook = nullptr;
    g_app.pickDialog = nullptr;
    g_app.pickHeldKey = 0;
}

// Stops following the cursor, clears the swatch and gives the mouse back; the
// mouse only if it is still ours: when another window has just taken it, it
// stays there.
static void StopSampling(HWND dialog) {
    KillTimer(dialog, PICK_TIMER_ID);
    HideLoupe();
    if (GetCapture() == dialog) ReleaseCapture();
    InvalidateRect(g_app.swatch, nullptr, TRUE);
    EnableContrastTip(true);
}

// The click is over: give the mouse back and return to editing. The focus
// moves through the dialog manager so that no button keeps the default look.
// The keys go back too, but for a key that took the colour and is still held.
static void FinishPickClick(HWND dialog) {
    if (g_app.pickMode == PICK_IDLE) return;
    StopSampling(dialog);
    if (!g_app.pickHeldKey) RemovePickKeys();
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
    RemovePickKeys();
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

// The key that took the colour is kept from the controls until it is
// released: its auto-repeat would type into the focused hex edit.
static void OnHeldKey(bool pressed) {
    if (pressed) return;
    g_app.pickHeldKey = 0;
    if (g_app.pickMode != PICK_ACTIVE) RemovePickKeys();
}

// The keys of pick mode: the arrows move the pointer, and a fresh press of
// Enter or Space takes the colour under it as a click there would. Both the
// press and the release of these keys are kept from the controls; false for
// any other key.
static bool OnPickKey(const MSG& msg) {
    // The arrows' key codes follow each other: left, up, right, down.
    static const signed char DX[] = {-1, 0, 1, 0}, DY[] = {0, -1, 0, 1};
    const WPARAM key = msg.wParam;
    const bool pressed = msg.message == WM_KEYDOWN;
    if (key == g_app.pickHeldKey) {
        OnHeldKey(pressed);
        return true;
    }
    if (g_app.pickMode != PICK_ACTIVE) return false;
    if (key == VK_RETURN || key == VK_SPACE) {
        // A repeat takes nothing: the user held the key, for instance the Enter
        // that pressed the pick button, and never aimed.
        if (pressed && !(msg.lParam & KEY_WAS_DOWN)) {
            g_app.pickHeldKey = key;
            TakePickedColor();
            FinishPickClick(g_app.pickDialog);
        }
        return true;
    }
    if (key < VK_LEFT || key > VK_DOWN) return false;
    if (pressed) NudgePointer(DX[key - VK_LEFT], DY[key - VK_LEFT]);
    return true;
}

// Sees each message the dialog loop takes before the dialog manager does; a
// non-zero result keeps the message from going any further.
static LRESULT CALLBACK PickKeyProc(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = (const MSG*)lParam;
    if (code == MSGF_DIALOGBOX && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) &&
        OnPickKey(*msg))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Stays on top and takes the mouse until a click, or Enter or Space, picks a
// colour. The dialog's own loop is the platform's, so its keys are seen
// through a message filter on this thread, for as long as pick mode lasts.
void StartPickMode(HWND dialog) {
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    g_app.pickMode = PICK_ACTIVE;
    // The prompt replaces the samples, so their contrast tooltip goes too.
    EnableContrastTip(false);
    RepaintPreview();
    SetCapture(dialog);
    SetTimer(dialog, PICK_TIMER_ID, PICK_TIMER_PERIOD_MS, nullptr);
    g_app.pickDialog = dialog;
    if (!g_app.pickKeyHook)
        g_app.pickKeyHook =
            SetWindowsHookExA(WH_MSGFILTER, PickKeyProc, nullptr, GetCurrentThreadId());
    PaintSwatchFromScreen();
}

void OnPickTimer() { PaintSwatchFromScreen(); }

// Only while waiting for the click: after a pick the swatch stays cleared.
void OnPickMouseMove() {
    if (g_app.pickMode == PICK_ACTIVE) PaintSwatchFromScreen();
}

void OnPickButtonDown() { TakePickedColor(); }

// The dialog holds the mouse from the start of pick mode to the release of
// the button that picked, which gives it back.
bool OnPickButtonUp(HWND dialog) {
    bool picked = GetCapture() == dialog;
    FinishPickClick(dialog);
    return picked;
}

void OnPickDeactivated(HWND dialog) { EndPickMode(dialog); }

// Only while waiting for the click: our own release after a pick comes in
// PICK_DONE, and a restarted pick takes the capture from itself.
void OnPickCaptureChanged(HWND dialog, HWND newCapture) {
    if (g_app.pickMode == PICK_ACTIVE && newCapture != dialog) EndPickMode(dialog);
}
