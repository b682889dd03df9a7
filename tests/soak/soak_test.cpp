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
#include "core/screen_sample.h"
#include "tests/support/check.h"
#include "tests/support/screen.h"

namespace {

const int SAMPLES = 20000;
const COLORREF COLOR = RGB(0x12, 0x34, 0x56);
const int LEFT = 100, TOP = 100, EXTENT = 200;
const int ALLOWED_GROWTH = 8;  // objects a first use may cache
const size_t HEADROOM_CAP = 100000;

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

TEST_CASE(screen_samples) {
    g_app.desktop = GetDesktopWindow();
    const AppState before = g_app;
    // A window of a known colour, with the cursor over its middle.
    ColorWindow window(COLOR, LEFT, TOP, EXTENT, EXTENT);
    const int x = LEFT + EXTENT / 2, y = TOP + EXTENT / 2;
    SetCursorPos(x, y);
    WaitUntil([&] { return ScreenPixel(x, y) == COLOR; });
    REQUIRE_EQ("the colour window on screen", Hex(COLOR), Hex(ScreenPixel(x, y)));
    CHECK_EQ("first sample", Hex(COLOR), Hex(SampleScreenColor(false)));

    DWORD guiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    long headroomBefore = GdiHeadroom();
    DWORD loopStart = GetTickCount();
    int wrong = 0;
    COLORREF firstWrong = COLOR;
    for (int i = 0; i < SAMPLES; ++i) {
        COLORREF color = SampleScreenColor(false);
        if (color != COLOR && wrong++ == 0) firstWrong = color;
        if (i % 1000 == 0) Settle(1);  // keep the colour window answering
    }
    DWORD loopMs = GetTickCount() - loopStart;
    long headroomAfter = GdiHeadroom();
    DWORD guiAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);

    printf(
        "  %d samples in %lu ms; GDI headroom %ld before, %ld after; GetGuiResources %lu "
        "before, %lu after%s\n",
        SAMPLES, loopMs, headroomBefore, headroomAfter, guiBefore, guiAfter,
        guiBefore == 0 ? " (not supported here)" : "");
    CHECK_EQ("samples in the loop that missed the colour (the first read " + Hex(firstWrong) + ")",
             0, wrong);
    CHECK_EQ("sample after the loop", Hex(COLOR), Hex(SampleScreenColor(false)));
    CHECK("GDI headroom measurable before the loop", headroomBefore > 1000);
    CHECK("GDI objects kept by the loop: at most " + std::to_string(ALLOWED_GROWTH) + ", " +
              std::to_string(headroomBefore - headroomAfter),
          headroomBefore - headroomAfter <= ALLOWED_GROWTH);
    if (guiBefore != 0)
        CHECK("GetGuiResources after the loop: " + std::to_string(guiAfter),
              guiAfter <= guiBefore + ALLOWED_GROWTH);
    // A sample without apply leaves the model as it was.
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        CHECK_EQ("channel " + std::to_string(channel) + " after the samples",
                 (int)before.channels[channel].value, (int)g_app.channels[channel].value);
}
