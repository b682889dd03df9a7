// Soak: a long pick session takes a screen sample ten times a second. Twenty
// thousand samples in a row must keep reading the right colour and must not
// use up GDI handles.
//
// GDI use is measured as the headroom of the process's GDI handle table: how
// many more objects can be made before creation fails. GetGuiResources would
// be the direct count, but Wine answers 0 for it, and Wine's table holds about
// 65,000 handles, more than 20,000 samples leaking one object each would take,
// so a leak would not show as a failed capture there (on Windows, with its
// 10,000-object quota, it would). The headroom counts every kind of leak the
// sample could have: the screen DC, the memory DC and the bitmap.
#include <windows.h>

#include <stdio.h>

#include <vector>

#include "core/app_state.h"
#include "core/control_ops.h"
#include "core/screen_sample.h"

namespace {

const int SAMPLES = 20000;
const COLORREF COLOR = RGB(0x12, 0x34, 0x56);
const int LEFT = 100, TOP = 100, EXTENT = 200;
const int ALLOWED_GROWTH = 8;  // objects a first use may cache
const size_t HEADROOM_CAP = 100000;

// A sample with apply clear changes nothing: none of the model's control
// operations may run.
int g_controlOperations = 0;

int g_failures = 0;

void Check(bool condition, const char* step, long expected, long actual) {
    if (condition) return;
    ++g_failures;
    printf("  FAILED: %s: expected %ld (0x%06lX), got %ld (0x%06lX)\n", step, expected, expected,
           actual, actual);
    fflush(stdout);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

// How many more GDI objects this process can make; all of them are deleted again.
long GdiHeadroom() {
    std::vector<HBITMAP> made;
    made.reserve(HEADROOM_CAP);
    while (made.size() < HEADROOM_CAP) {
        HBITMAP bitmap = CreateBitmap(1, 1, 1, 1, nullptr);
        if (!bitmap) break;
        made.push_back(bitmap);
    }
    for (HBITMAP bitmap : made) DeleteObject(bitmap);
    return (long)made.size();
}

}  // namespace

void SetChannelHexText(int, const char*) { ++g_controlOperations; }
void SetChannelDecText(int, const char*) { ++g_controlOperations; }
void SetCodeText(const char*) { ++g_controlOperations; }
void SetChannelSliderPos(int, int) { ++g_controlOperations; }
void RepaintPreview() { ++g_controlOperations; }

int main() {
    g_app.desktop = GetDesktopWindow();

    // A top-level window of a known colour, with the cursor over its middle.
    HBRUSH brush = CreateSolidBrush(COLOR);  // the class's background; deleted at the end
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = brush;
    windowClass.lpszClassName = "PikurioSoakColor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName,
                                  "soak", WS_POPUP | WS_VISIBLE, LEFT, TOP, EXTENT, EXTENT, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    Check(window != nullptr, "create the colour window", 1, 0);
    const int x = LEFT + EXTENT / 2, y = TOP + EXTENT / 2;
    SetCursorPos(x, y);
    DWORD start = GetTickCount();
    while (ScreenPixel(x, y) != COLOR && GetTickCount() - start < 5000) {
        PumpMessages();
        Sleep(10);
    }
    Check(ScreenPixel(x, y) == COLOR, "the colour window on screen", COLOR, ScreenPixel(x, y));
    Check(SampleScreenColor(false) == COLOR, "first sample", COLOR, SampleScreenColor(false));

    DWORD guiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    long headroomBefore = GdiHeadroom();
    DWORD loopStart = GetTickCount();
    int wrong = 0;
    COLORREF firstWrong = COLOR;
    for (int i = 0; i < SAMPLES; ++i) {
        COLORREF color = SampleScreenColor(false);
        if (color != COLOR && wrong++ == 0) firstWrong = color;
        if (i % 1000 == 0) PumpMessages();  // keep the colour window answering
    }
    DWORD loopMs = GetTickCount() - loopStart;
    long headroomAfter = GdiHeadroom();
    DWORD guiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    COLORREF last = SampleScreenColor(false);

    printf(
        "%d samples in %lu ms; GDI headroom %ld before, %ld after; GetGuiResources %lu before, "
        "%lu after%s\n",
        SAMPLES, loopMs, headroomBefore, headroomAfter, guiBefore, guiAfter,
        guiBefore == 0 ? " (not supported here)" : "");
    Check(wrong == 0, "samples in the loop that missed the colour (first wrong colour shown)", 0,
          wrong ? (long)firstWrong : 0);
    Check(wrong == 0, "number of samples in the loop that missed the colour", 0, wrong);
    Check(last == COLOR, "sample after the loop", COLOR, last);
    Check(headroomBefore > 1000, "GDI headroom measurable before the loop", 1000, headroomBefore);
    Check(headroomBefore - headroomAfter <= ALLOWED_GROWTH,
          "GDI objects kept by the loop (at most)", ALLOWED_GROWTH, headroomBefore - headroomAfter);
    if (guiBefore != 0)
        Check(guiAfter <= guiBefore + ALLOWED_GROWTH, "GetGuiResources after the loop (at most)",
              (long)(guiBefore + ALLOWED_GROWTH), (long)guiAfter);
    Check(g_controlOperations == 0, "control operations run by samples with apply clear", 0,
          g_controlOperations);

    DestroyWindow(window);
    DeleteObject(brush);
    printf("[ %s ] soak.screen_samples\n", g_failures ? "FAIL" : "PASS");
    return g_failures ? 1 : 0;
}
