// Pick mode from outside: the pick button, the live swatch, a click with
// either button anywhere on the screen, the topmost state, and the 16-bit
// screen's pixel conversion.
#include <windows.h>

#include <stdint.h>

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
    EXPECT_EQ(ChannelsShownFor(color), app.ChannelsShown()) << step << ": slot " << slot;
}

}  // namespace

using Pick = PikurioTest;

TEST_F(Pick, loads_the_clicked_colour_into_the_current_slot_only) {
    const COLORREF first = RGB(0x20, 0x90, 0xC0);
    ColorWindow target(first, TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    app.SelectCombo(IDC_TARGET, 1);
    POINT swatch = CenterOf(app.Item(IDC_SWATCH));
    const COLORREF swatchIdle = ScreenPixel(swatch.x, swatch.y);
    ASSERT_NE(Hex(first), Hex(swatchIdle)) << "swatch not already in the target's colour";

    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(TARGET_CENTER_X, TARGET_CENTER_Y);
    EXPECT_SOON(Hex(first), Hex(ScreenPixel(swatch.x, swatch.y)))
        << "swatch shows the colour under the cursor";
    EXPECT_EQ("#FF0000", app.Text(IDC_CODE)) << "the swatch alone changes before the click";

    MouseButton(false, true);
    EXPECT_SOON(ColorCode(first), app.Text(IDC_CODE)) << "picked on the press";
    MouseButton(false, false);
    EXPECT_EQ(ChannelsShownFor(0x20, 0x90, 0xC0), app.ChannelsShown()) << "after the left click";
    EXPECT_SOON(IDC_R_HEX, GetDlgCtrlID(app.FocusedWindow())) << "focus after the release";
    EXPECT_SOON(Hex(swatchIdle), Hex(ScreenPixel(swatch.x, swatch.y)))
        << "swatch back to the dialog's background";
    EXPECT_TRUE(app.IsTopmost()) << "dialog still topmost after the pick";

    CheckSlot(app, "after the first pick", 0, RGB(255, 255, 255));
    CheckSlot(app, "after the first pick", 2, RGB(0, 255, 0));
    CheckSlot(app, "after the first pick", 3, RGB(0, 0, 255));
    CheckSlot(app, "after the first pick", 1, first);

    // The right button picks as well, into whichever slot is current.
    const COLORREF second = RGB(0xC0, 0x30, 0x50);
    target.SetColor(second);
    app.SelectCombo(IDC_TARGET, 3);
    ASSERT_TRUE(app.PressPick());
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, true);
    EXPECT_SOON(ChannelsShownFor(0xC0, 0x30, 0x50), app.ChannelsShown()) << "after the right click";
    CheckSlot(app, "after the second pick", 0, RGB(255, 255, 255));
    CheckSlot(app, "after the second pick", 1, first);
    CheckSlot(app, "after the second pick", 2, RGB(0, 255, 0));
    CheckSlot(app, "after the second pick", 3, second);
}

// The keyboard picks the exact pixel: the arrows move the pointer, Enter and
// Space take the colour under it, and none of these keys reach a control.
TEST_F(Pick, arrow_keys_move_the_pointer_and_enter_or_space_take_the_pixel) {
    const COLORREF line = RGB(0xE0, 0x10, 0x70), below = RGB(0x12, 0xAB, 0x34);
    ColorWindow target(RGB(0x40, 0x40, 0x40), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    ColorWindow hairline(line, TARGET_CENTER_X, TARGET_Y, 1, TARGET_SIZE);
    ColorWindow lower(below, TARGET_X, TARGET_CENTER_Y + 10, 60, 60);
    POINT swatch = CenterOf(app.Item(IDC_SWATCH));
    app.SelectCombo(IDC_TARGET, 2);
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(TARGET_CENTER_X - 3, TARGET_CENTER_Y);
    // A step at a time: this process's windows take the pointer motion each
    // move makes, and one taken after the next move would put it back a pixel.
    for (int i = 1; i <= 3; ++i) {
        PressKey(VK_RIGHT);
        ASSERT_SOON(PointText(TARGET_CENTER_X - 3 + i, TARGET_CENTER_Y), CursorAt())
            << "pointer after Right " << i;
        Settle(50);
    }
    EXPECT_SOON(Hex(line), Hex(ScreenPixel(swatch.x, swatch.y))) << "swatch on the line";
    PressKey(VK_RETURN);
    EXPECT_SOON(ChannelsShownFor(line), app.ChannelsShown()) << "after Enter";
    EXPECT_SOON(IDC_R_HEX, GetDlgCtrlID(app.FocusedWindow())) << "focus after Enter";
    EXPECT_EQ(nullptr, CaptureOf(app)) << "capture released after Enter";
    CheckSlot(app, "after Enter", 1, RGB(255, 0, 0));
    CheckSlot(app, "after Enter", 3, RGB(0, 0, 255));
    CheckSlot(app, "after Enter", 0, RGB(255, 255, 255));

    // Started by Enter held on the focused pick button: its repeats take
    // nothing. Shift moves ten pixels.
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(IDC_PICK), TRUE);
    app.Activate();
    HoldKey(VK_RETURN, 4);
    ASSERT_SOON(true, app.IsTopmost()) << "pick mode after Enter held";
    Settle(200);
    EXPECT_EQ(app.Dialog(), CaptureOf(app)) << "still waiting after Enter held";
    EXPECT_EQ(ChannelsShownFor(RGB(255, 255, 255)), app.ChannelsShown())
        << "background kept: nothing taken by Enter's repeats";
    MoveMouseTo(TARGET_X + 5, TARGET_CENTER_Y + 5);
    PressKey(VK_DOWN, VK_SHIFT);
    EXPECT_SOON(PointText(TARGET_X + 5, TARGET_CENTER_Y + 15), CursorAt())
        << "pointer after Shift+Down";
    HoldKey(VK_SPACE, 4);
    EXPECT_SOON(ChannelsShownFor(below), app.ChannelsShown()) << "after Space held";
    Settle(200);
    EXPECT_EQ(nullptr, CaptureOf(app)) << "capture released after Space, not taken by the button";
    EXPECT_EQ(IDC_R_HEX, GetDlgCtrlID(app.FocusedWindow())) << "focus after Space";
    EXPECT_EQ(ChannelsShownFor(below), app.ChannelsShown()) << "nothing typed by Space's repeats";

    // After the pick the keys are the controls' again: Down steps a slider.
    app.ClickItem(IDC_B_SLIDER);
    const std::string pointer = CursorAt();
    const int position = app.SliderPos(IDC_B_SLIDER);
    PressKey(VK_DOWN);
    EXPECT_SOON(position + 1, app.SliderPos(IDC_B_SLIDER)) << "Down on the slider after the pick";
    EXPECT_EQ(pointer, CursorAt()) << "pointer after Down on the slider";
}

TEST_F(Pick, deactivation_ends_pick_mode_and_drops_topmost) {
    ColorWindow target(RGB(0x40, 0x80, 0x20), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    ColorWindow other(RGB(0x80, 0x80, 0x80), 700, 100, 100, 100);
    EXPECT_FALSE(app.IsTopmost()) << "not topmost before pick mode";

    // After a pick the dialog stays on top until another window is activated.
    ASSERT_TRUE(app.PressPick());
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
    EXPECT_SOON("#408020", app.Text(IDC_CODE)) << "picked";
    SetForegroundWindow(other.Handle());
    EXPECT_SOON(false, app.IsTopmost())
        << "topmost dropped when another window is activated after a pick";

    // Deactivated while still waiting for the click: the preview shows the
    // samples again in place of the prompt, and the click then picks nothing.
    target.SetColor(RGB(0x10, 0x20, 0x30));
    HWND preview = app.Item(IDC_PREVIEW);
    const ScreenCapture samples = CaptureClient(preview);
    POINT swatch = CenterOf(app.Item(IDC_SWATCH));
    const COLORREF swatchIdle = ScreenPixel(swatch.x, swatch.y);
    ASSERT_TRUE(app.PressPick());
    EXPECT_SOON(false, CaptureClient(preview) == samples) << "the prompt replaces the samples";
    MoveMouseTo(TARGET_CENTER_X, TARGET_CENTER_Y);
    ASSERT_SOON(Hex(RGB(0x10, 0x20, 0x30)), Hex(ScreenPixel(swatch.x, swatch.y)))
        << "swatch sampling the target before the switch";
    SetForegroundWindow(other.Handle());
    EXPECT_SOON(false, app.IsTopmost())
        << "topmost dropped when another window is activated while waiting";
    EXPECT_SOON(true, CaptureClient(preview) == samples)
        << "the samples shown again after the deactivation";
    // The swatch is cleared and no longer samples, the window switched to
    // keeps the activation, and the mouse is given back.
    Settle(500);  // five timer periods
    EXPECT_EQ(Hex(swatchIdle), Hex(ScreenPixel(swatch.x, swatch.y)))
        << "swatch cleared, not sampling, after the deactivation";
    EXPECT_EQ(other.Handle(), GetForegroundWindow()) << "foreground after the switch";
    EXPECT_EQ(nullptr, CaptureOf(app)) << "mouse capture released by the switch";
    MouseButton(false, true);
    MouseButton(false, false);
    Settle(300);  // a pick would have shown by now
    EXPECT_EQ("#408020", app.Text(IDC_CODE)) << "no pick after the deactivation";
    // Back in the dialog, a click reaches the control under it.
    app.ClickItem(IDC_G_HEX);
    EXPECT_SOON(IDC_G_HEX, GetDlgCtrlID(app.FocusedWindow())) << "focus after a click on green";
}

// While waiting for the click, another window taking the mouse ends pick mode:
// no prompt is left that a click would not answer.
TEST_F(Pick, losing_the_mouse_to_a_combo_list_ends_pick_mode) {
    ASSERT_TRUE(app.PressPick());
    PressKey(VK_TAB);  // from the pick button to the target combo
    PressKey(VK_F4);   // its list takes the mouse
    ASSERT_SOON(TRUE, app.Send(IDC_TARGET, CB_GETDROPPEDSTATE))
        << "the target list opened by Tab and F4";
    EXPECT_SOON(false, app.IsTopmost())
        << "pick mode over (topmost dropped) once the list has the mouse";
}

TEST_F(Pick, after_a_pick_releases_over_the_dialog_return_the_focus_to_red) {
    ColorWindow target(RGB(0x30, 0x60, 0x90), TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    POINT preview = CenterOf(app.Item(IDC_PREVIEW));
    // Into text 1, so that a second pick from the (white) preview would show.
    app.SelectCombo(IDC_TARGET, 1);

    // Before any pick a click on the preview leaves the focus where it is.
    app.ClickItem(IDC_G_HEX);
    ClickAt(preview.x, preview.y);
    Settle(200);
    EXPECT_EQ(IDC_G_HEX, GetDlgCtrlID(app.FocusedWindow()))
        << "focus after a click on the preview before a pick";

    ASSERT_TRUE(app.PressPick());
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
    EXPECT_SOON("#306090", app.Text(IDC_CODE)) << "picked";

    // A release over the dialog's static surface repeats the end of the pick;
    // a click into an edit keeps the focus in that edit.
    app.ClickItem(IDC_G_HEX);
    EXPECT_EQ(IDC_G_HEX, GetDlgCtrlID(app.FocusedWindow())) << "focus after a click into green";
    ClickAt(preview.x, preview.y);
    EXPECT_SOON(IDC_R_HEX, GetDlgCtrlID(app.FocusedWindow()))
        << "focus after a click on the preview after a pick";
    EXPECT_EQ("#306090", app.Text(IDC_CODE)) << "the click picked nothing more";
}

TEST_F(Pick, escape_in_pick_mode_ends_the_program_with_exit_code_0) {
    ASSERT_TRUE(app.PressPick());
    PressKey(VK_ESCAPE);
    EXPECT_EQ(0L, app.WaitForExit()) << "exit code after Esc in pick mode";
}

// ---- The 16-bit screen -------------------------------------------------------

namespace {

// One screen pixel copied into a 1 x 1 bitmap compatible with the screen and
// read back in the bitmap's own format: its bits per pixel and its word.
struct ScreenDib {
    BITMAPINFOHEADER header;
    uint32_t table[256];  // room for the masks or colour table GetDIBits adds
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

// The 16-bit word the screen holds at (x, y).
uint32_t ScreenWord16(int x, int y) { return CaptureScreenDib(x, y).pixel & 0xFFFF; }

// Picks the target's colour into text 1.
void PickOnScreen(const Pikurio& app) {
    app.SelectCombo(IDC_TARGET, 1);
    ASSERT_TRUE(app.PressPick());
    ClickAt(TARGET_CENTER_X, TARGET_CENTER_Y, false);
}

}  // namespace

// The 16-bit screen keeps 5 bits of each component (5-5-5, as the masks it
// reports say). A pick scales each back to 0..255, rounding down: 16 of 31 is
// 0x83 and 8 of 31 is 0x41, not the 0x84 and 0x42 of rounding or of repeating
// the top bits; the word read as 5-6-5, the layout without masks, gives #4120C5.
TEST_F(Pick, reads_the_screen_masks_16bpp) {
    ASSERT_EQ(16, CaptureScreenDib(0, 0).header.biBitCount) << "bits per pixel of the screen";
    const struct {
        COLORREF drawn;
        uint32_t word;  // as the screen keeps it
        COLORREF picked;
    } rows[] = {
        {RGB(0x80, 0x40, 0xC0), 0x4118, RGB(0x83, 0x41, 0xC5)},
        // Full components stay full: white is #FFFFFF, not the masks' top values.
        {RGB(255, 255, 255), 0x7FFF, RGB(255, 255, 255)},
    };
    ColorWindow target(rows[0].drawn, TARGET_X, TARGET_Y, TARGET_SIZE, TARGET_SIZE);
    for (const auto& row : rows) {
        SCOPED_TRACE(Hex(row.drawn) + " drawn");
        target.SetColor(row.drawn);
        // The premise: the screen holds the colour in this word.
        ASSERT_EQ(Hex(row.word), Hex(ScreenWord16(TARGET_CENTER_X, TARGET_CENTER_Y)))
            << "16-bit word on the screen";
        ASSERT_NO_FATAL_FAILURE(PickOnScreen(app));
        EXPECT_SOON(ChannelsShownFor(row.picked), app.ChannelsShown())
            << "colour picked on the 16-bit screen";
    }
}
