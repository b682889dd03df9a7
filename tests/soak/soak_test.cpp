// Soak: a long pick session takes a screen sample ten times a second. Twenty
// thousand samples in a row must keep reading the right colour and must not
// use up GDI handles.
//
// GDI use is measured as the headroom of the process's GDI handle table: how
// many more objects can be made before creation fails. (Wine answers 0 to
// GetGuiResources, the direct count, and its table holds about 65,000 handles,
// more than 20,000 samples leaking one object each would take, so a leak would
// not show as a failed capture there.) The headroom counts every kind of leak
// the sample could have: the screen DC, the memory DC and the bitmap.
#include <windows.h>

#include <stdio.h>

#include <vector>

#include "core/app_state.h"
#include "core/screen_sample.h"
#include "tests/support/screen.h"
#include "tests/support/wait.h"

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

TEST(ScreenSample, keeps_reading_the_colour_without_using_up_gdi_objects) {
    g_app.desktop = GetDesktopWindow();
    const AppState before = g_app;
    // A window of a known colour, with the cursor over its middle.
    ColorWindow window(COLOR, LEFT, TOP, EXTENT, EXTENT);
    const int x = LEFT + EXTENT / 2, y = TOP + EXTENT / 2;
    SetCursorPos(x, y);
    ASSERT_SOON(Hex(COLOR), Hex(ScreenPixel(x, y))) << "the colour window on screen";
    EXPECT_EQ(Hex(COLOR), Hex(SampleScreenColor(false))) << "first sample";

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

    printf("  %d samples in %lu ms; GDI headroom %ld before, %ld after\n", SAMPLES, loopMs,
           headroomBefore, headroomAfter);
    EXPECT_EQ(0, wrong) << "samples in the loop that missed the colour (the first read "
                        << Hex(firstWrong) << ")";
    EXPECT_EQ(Hex(COLOR), Hex(SampleScreenColor(false))) << "sample after the loop";
    EXPECT_GT(headroomBefore, 1000) << "GDI headroom measurable before the loop";
    EXPECT_LE(headroomBefore - headroomAfter, ALLOWED_GROWTH) << "GDI objects kept by the loop";
    // A sample without apply leaves the model as it was.
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        EXPECT_EQ((int)before.channels[channel].value, (int)g_app.channels[channel].value)
            << "channel " << channel << " after the samples";
}
