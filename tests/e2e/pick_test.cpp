// Pick mode from outside: the pick button, the live swatch, a click with
// either button anywhere on the screen, the topmost state, and the 16-bit
// screen's pixel conversion.
#include <windows.h>

#include <stdint.h>
#include <stdio.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

// Away from the dialog, which sits at the top left corner.
const int TARGET_X = 600, TARGET_Y = 400, TARGET_SIZE = 200;
const int TARGET_CENTER_X = TARGET_X + TARGET_SIZE / 2,
          TARGET_CENTER_Y = TARGET_Y + TARGET_SIZE / 2;

// Loads a slot and checks the colour it shows.
void CheckSlot(const Pikurio& app, const std::string& step, int slot, COLORREF color) {
    app.SelectCombo(IDC_TARGET, slot);
    CHECK_EQ(step + ": slot " + std::to_string(slot), ChannelsShownFor(color), app.ChannelsShown());
}

}  // namespace

TEST_CASE(pick_loads_the_clicked_colour_into_the_current_slot_only) {
    Pikurio app;
    const COLORREF first = RGB(0x20, 0x90, 0xC0);
    ColorWindow target(first, TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    app.SelectCombo(IDC_TARGET, 1);
    POINT swatch = CenterOf(app.Item(IDC_SWATCH));
    const COLORREF swatchIdle = ScreenPixel(swatch.x, swatch.y);
    REQUIRE("swatch not already in the target's colour", swatchIdle != first);

    app.PressPick();
    MoveMouseTo(TARGET_CENTER_X, TARGET_CENTER_Y);
    WaitUntil([&] { return ScreenPixel(swatch.x, swatch.y) == first; }, 1500);
    CHECK_EQ("swatch shows the colour under the cursor", Hex(first),
             Hex(ScreenPixel(swatch.x, swatch.y)));
    CHECK_EQ("the swatch alone changes before the click", std::string("#FF0000"),
             app.Text(IDC_CODE));

    MouseButton(false, true);
    WaitUntil([&] { return app.Text(IDC_CODE) == ColorCode(first); }, 3000);
    MouseButton(false, false);
    CHECK_EQ("after the left click", ChannelsShownFor(0x20, 0x90, 0xC0), app.ChannelsShown());
    WaitUntil([&] { return GetDlgCtrlID(app.FocusedWindow()) == IDC_R_HEX; }, 3000);
    CHECK_EQ("focus after the release", IDC_R_HEX, GetDlgCtrlID(app.FocusedWindow()));
    WaitUntil([&] { return ScreenPixel(swatch.x, swatch.y) == swatchIdle; }, 3000);
    CHECK_EQ("swatch back to the dialog's background", Hex(swatchIdle),
             Hex(ScreenPixel(swatch.x, swatch.y)));
    CHECK("dialog still topmost after the pick", app.IsTopmost());

    CheckSlot(app, "after the first pick", 0, RGB(255, 255, 255));
    CheckSlot(app, "after the first pick", 2, RGB(0, 255, 0));
    CheckSlot(app, "after the first pick", 3, RGB(0, 0, 255));
    CheckSlot(app, "after the first pick", 1, first);

    // The right button picks as well, into whichever slot is current.
    const COLORREF second = RGB(0xC0, 0x30, 0x50);
    target.SetColor(second);
    app.SelectCombo(IDC_TARGET, 3);
    app.PressPick();
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, true);
    WaitUntil([&] { return app.Text(IDC_CODE) == ColorCode(second); }, 3000);
    CHECK_EQ("after the right click", ChannelsShownFor(0xC0, 0x30, 0x50), app.ChannelsShown());
    CheckSlot(app, "after the second pick", 0, RGB(255, 255, 255));
    CheckSlot(app, "after the second pick", 1, first);
    CheckSlot(app, "after the second pick", 2, RGB(0, 255, 0));
    CheckSlot(app, "after the second pick", 3, second);
}

TEST_CASE(deactivation_ends_pick_mode_and_drops_topmost) {
    Pikurio app;
    ColorWindow target(RGB(0x40, 0x80, 0x20), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    ColorWindow other(RGB(0x80, 0x80, 0x80), 700, 100, 100, 100);
    CHECK("not topmost before pick mode", !app.IsTopmost());

    // After a pick the dialog stays on top until another window is activated.
    app.PressPick();
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
    WaitUntil([&] { return app.Text(IDC_CODE) == "#408020"; }, 3000);
    CHECK_EQ("picked", std::string("#408020"), app.Text(IDC_CODE));
    SetForegroundWindow(other.Handle());
    WaitUntil([&] { return !app.IsTopmost(); }, 3000);
    CHECK("topmost dropped when another window is activated after a pick", !app.IsTopmost());

    // Deactivated while still waiting for the click: the preview shows the
    // samples again in place of the prompt, and the click then picks nothing.
    target.SetColor(RGB(0x10, 0x20, 0x30));
    HWND preview = app.Item(IDC_PREVIEW);
    const ScreenCapture samples = CaptureClient(preview);
    app.PressPick();
    CHECK("the prompt replaces the samples",
          WaitUntil([&] { return !(CaptureClient(preview) == samples); }, 3000));
    SetForegroundWindow(other.Handle());
    WaitUntil([&] { return !app.IsTopmost(); }, 3000);
    CHECK("topmost dropped when another window is activated while waiting", !app.IsTopmost());
    CHECK("the samples shown again after the deactivation",
          WaitUntil([&] { return CaptureClient(preview) == samples; }, 3000));
    // The swatch no longer samples, the window switched to keeps the
    // activation, and the mouse is given back.
    POINT swatch = CenterOf(app.Item(IDC_SWATCH));
    MoveMouseTo(TARGET_CENTER_X, TARGET_CENTER_Y);
    Settle(500);  // five timer periods
    CHECK("swatch not sampling after the deactivation",
          ScreenPixel(swatch.x, swatch.y) != RGB(0x10, 0x20, 0x30));
    CHECK_EQ("foreground after the switch", (const void*)other.Handle(),
             (const void*)GetForegroundWindow());
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    CHECK("mouse capture released by the switch",
          GetGUIThreadInfo(app.ThreadId(), &info) && !info.hwndCapture);
    MouseButton(false, true);
    MouseButton(false, false);
    Settle(300);  // a pick would have shown by now
    CHECK_EQ("no pick after the deactivation", std::string("#408020"), app.Text(IDC_CODE));
    // Back in the dialog, a click reaches the control under it.
    app.ClickItem(IDC_G_HEX);
    WaitUntil([&] { return GetDlgCtrlID(app.FocusedWindow()) == IDC_G_HEX; }, 3000);
    CHECK_EQ("focus after a click on green", IDC_G_HEX, GetDlgCtrlID(app.FocusedWindow()));
}

// While waiting for the click, another window taking the mouse ends pick mode:
// no prompt is left that a click would not answer.
TEST_CASE(losing_the_mouse_to_a_combo_list_ends_pick_mode) {
    Pikurio app;
    app.PressPick();
    PressKey(VK_TAB);  // from the pick button to the target combo
    PressKey(VK_F4);   // its list takes the mouse
    REQUIRE("the target list opened by Tab and F4",
            WaitUntil([&] { return app.Send(IDC_TARGET, CB_GETDROPPEDSTATE) != 0; }, 3000));
    WaitUntil([&] { return !app.IsTopmost(); }, 3000);
    CHECK("pick mode over (topmost dropped) once the list has the mouse", !app.IsTopmost());
}

TEST_CASE(after_a_pick_releases_over_the_dialog_return_the_focus_to_red) {
    Pikurio app;
    ColorWindow target(RGB(0x30, 0x60, 0x90), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    POINT preview = CenterOf(app.Item(IDC_PREVIEW));

    // Before any pick a click on the preview leaves the focus where it is.
    app.ClickItem(IDC_G_HEX);
    ClickAt(preview.x, preview.y);
    Settle(200);
    CHECK_EQ("focus after a click on the preview before a pick", IDC_G_HEX,
             GetDlgCtrlID(app.FocusedWindow()));

    app.PressPick();
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
    WaitUntil([&] { return app.Text(IDC_CODE) == "#306090"; }, 3000);
    CHECK_EQ("picked", std::string("#306090"), app.Text(IDC_CODE));

    // A release over the dialog's static surface repeats the end of the pick;
    // a click into an edit keeps the focus in that edit.
    app.ClickItem(IDC_G_HEX);
    CHECK_EQ("focus after a click into green", IDC_G_HEX, GetDlgCtrlID(app.FocusedWindow()));
    ClickAt(preview.x, preview.y);
    WaitUntil([&] { return GetDlgCtrlID(app.FocusedWindow()) == IDC_R_HEX; }, 3000);
    CHECK_EQ("focus after a click on the preview after a pick", IDC_R_HEX,
             GetDlgCtrlID(app.FocusedWindow()));
    CHECK_EQ("the click picked nothing more", std::string("#306090"), app.Text(IDC_CODE));
}

TEST_CASE(escape_in_pick_mode_ends_the_program_with_exit_code_0) {
    Pikurio app;
    app.PressPick();
    PressKey(VK_ESCAPE);
    CHECK_EQ("exit code after Esc in pick mode", 0L, app.WaitForExit());
}

// ---- The 16-bit screen -------------------------------------------------------

namespace {

// The screen's own 16-bit layout, read as the program reads it: from a 1 x 1
// bitmap compatible with the screen. Without reported masks it is 5-6-5.
struct ScreenMasks {
    int bitCount;
    uint32_t mask[3];  // red, green, blue
};

// One screen pixel copied into a 1 x 1 bitmap compatible with the screen and
// read back in the bitmap's own format, with its colour table or masks.
struct ScreenDib {
    BITMAPINFOHEADER header;
    uint32_t table[256];
    uint32_t pixel;
};

ScreenDib CaptureScreenDib(int x, int y) {
    ScreenDib dib = {};
    dib.header.biSize = sizeof dib.header;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ replaced = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    SelectObject(memory, replaced);
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(&dib);
    GetDIBits(screen, bitmap, 0, 0, nullptr, info, DIB_RGB_COLORS);
    GetDIBits(screen, bitmap, 0, 1, &dib.pixel, info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return dib;
}

ScreenMasks ReadScreenMasks() {
    ScreenDib dib = CaptureScreenDib(0, 0);
    ScreenMasks masks = {dib.header.biBitCount, {dib.table[0], dib.table[1], dib.table[2]}};
    if (!masks.mask[0] || !masks.mask[1] || !masks.mask[2]) {
        masks.mask[0] = 0xF800;
        masks.mask[1] = 0x07E0;
        masks.mask[2] = 0x001F;
    }
    return masks;
}

int Shift(uint32_t mask) {
    int shift = 0;
    while (!(mask >> shift & 1)) ++shift;
    return shift;
}

// An 8-bit component as the screen keeps it: its top bits, as many as the mask has.
uint32_t Quantise(int component, uint32_t mask) {
    uint32_t maximum = mask >> Shift(mask);
    int bits = 0;
    while (maximum >> bits) ++bits;
    return (uint32_t)component >> (8 - bits);
}

// The colour of a stored component, scaled from its mask's range, truncating.
int Expand(uint32_t stored, uint32_t mask) { return (int)(stored * 255 / (mask >> Shift(mask))); }

// The 16-bit word the screen holds at (x, y), read with GetDIBits.
uint32_t ScreenWord16(int x, int y) { return CaptureScreenDib(x, y).pixel & 0xFFFF; }

// Picks the target's colour into text 1 and returns the colour code shown.
std::string PickOnScreen(const Pikurio& app, const std::string& expected) {
    app.SelectCombo(IDC_TARGET, 1);
    app.PressPick();
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
    WaitUntil([&] { return app.Text(IDC_CODE) == expected; }, 3000);
    return app.Text(IDC_CODE);
}

}  // namespace

TEST_CASE(pick_reads_the_screen_masks_16bpp) {
    Pikurio app;
    ScreenMasks masks = ReadScreenMasks();
    REQUIRE_EQ("bits per pixel of the screen", 16, masks.bitCount);
    printf("  screen masks %s %s %s\n", Hex(masks.mask[0]).c_str(), Hex(masks.mask[1]).c_str(),
           Hex(masks.mask[2]).c_str());
    const int rgb[3] = {0x80, 0x40, 0xC0};
    ColorWindow target(RGB(rgb[0], rgb[1], rgb[2]), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);

    uint32_t stored = 0;
    int expected[3];
    for (int i = 0; i < 3; ++i) {
        uint32_t q = Quantise(rgb[i], masks.mask[i]);
        stored |= q << Shift(masks.mask[i]);
        expected[i] = Expand(q, masks.mask[i]);
    }
    // The premise: the screen keeps the colour as its masks quantise it.
    REQUIRE_EQ("16-bit word on the screen", Hex(stored),
               Hex(ScreenWord16(TARGET_CENTER_X, TARGET_CENTER_Y)));

    std::string code = ColorCode(RGB(expected[0], expected[1], expected[2]));
    CHECK_EQ("colour picked on the 16-bit screen", code, PickOnScreen(app, code));
    CHECK_EQ("channels after the pick", ChannelsShownFor(expected[0], expected[1], expected[2]),
             app.ChannelsShown());
    // Full components stay full: white is #FFFFFF, not the masks' top values.
    target.SetColor(RGB(255, 255, 255));
    CHECK_EQ("white picked on the 16-bit screen", std::string("#FFFFFF"),
             PickOnScreen(app, "#FFFFFF"));
}
