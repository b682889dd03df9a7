// The preview's menu, opened by real input: from the keyboard just inside the
// preview, over the tooltip, from the buttons and every combo box, choosing a
// passing colour or a colour-vision view; from the mouse at the pointer,
// copying the results; never for a pick, in pick mode, or elsewhere on the
// dialog; and never leaving the keys in a menu's hold when it closes.
#include <windows.h>

#include <stdlib.h>

#include <string>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

HWND PanelOf(const Pikurio& app) { return app.Item(IDC_PREVIEW); }

// True when no menu shows within a second and a half.
bool NoMenuComes(const Pikurio& app) {
    return !WaitUntil([&] { return MenuShown(app) != "(none)"; }, 1500);
}

void FocusItem(const Pikurio& app, int id) {
    app.Activate();
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(id), TRUE);
    Settle(100);
}

// The thread's menu-mode flags: 0 while the keys are the dialog's.
DWORD MenuModeFlags(const Pikurio& app) {
    return GuiThreadInfo(app.ThreadId()).flags &
           (GUI_INMENUMODE | GUI_SYSTEMMENUMODE | GUI_POPUPMENUMODE);
}

// Digits typed into the red hex edit, focused through the dialog manager,
// set red: the keys reach the dialog's controls.
void TypeRedAndExpect(const Pikurio& app, const char* digits, const char* code) {
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(IDC_R_HEX), TRUE);
    app.Send(IDC_R_HEX, EM_SETSEL, 0, -1);
    TypeText(digits);
    EXPECT_SOON(code, app.Text(IDC_CODE)) << "typed " << digits << " into the red hex edit";
}

void OpenMenuFromKeyboard(const Pikurio& app) {
    FocusItem(app, IDC_PICK);
    PressKey(VK_F10, VK_SHIFT);
    ASSERT_SOON(true, MenuShown(app) != "(none)") << "Shift+F10 on the pick button";
}

// The expected colour when each channel of the pixel is within one step of it.
std::string WithinOneStep(COLORREF pixel, COLORREF expected) {
    for (int shift : {0, 8, 16})
        if (abs((int)(pixel >> shift & 0xFF) - (int)(expected >> shift & 0xFF)) > 1)
            return Hex(pixel);
    return Hex(expected);
}

// The preview's bottom-left pixel, which neither a sample nor the view's mark reaches.
COLORREF PanelBackground(const Pikurio& app) {
    ScreenCapture s = CaptureClient(PanelOf(app));
    return s.At(1, s.Height() - 2);
}

// Ink in the bottom-right corner, where the mark names the view.
int MarkInk(const Pikurio& app) {
    ScreenCapture s = CaptureClient(PanelOf(app));
    return FindInk(s, s.Height() - 20, s.Height(), ColorIsNot(s.At(1, s.Height() - 2)),
                   s.Width() / 2)
        .count;
}

}  // namespace

using Menu = PikurioTest;

// Text 2 (#00FF00, medium, on white) lacks AA; its submenu offers #008A00 first.
TEST_F(Menu, keyboard_opens_it_inside_the_preview_over_the_tip_and_a_colour_becomes_the_target) {
    POINT inside = ClientToScreenPoint(PanelOf(app), 0, 0);
    FocusItem(app, IDC_PICK);
    MoveMouseTo(inside.x + 2, inside.y + 2);
    ASSERT_SOON(true, ShownTip(app) != "(none)") << "the tip, resting on the preview";
    PressKey(VK_F10, VK_SHIFT);
    ASSERT_SOON(PointText(inside.x, inside.y), MenuShown(app)) << "Shift+F10 on the pick button";
    EXPECT_EQ("(none)", ShownTip(app)) << "the tip, with the menu open";
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RIGHT}) PressKey(key);
    // Text 2 becomes #008000, which reaches AA itself: the item keeps what it showed.
    app.SelectCombo(IDC_TARGET, 2);
    app.SetText(IDC_G_HEX, "80");
    PressKey(VK_RETURN);
    EXPECT_SOON("(none)", MenuShown(app)) << "the menu, after Enter";
    EXPECT_SOON(ChannelsShownFor(0, 0x8A, 0), app.ChannelsShown()) << "the editor";
    EXPECT_EQ(TEXT_SAMPLE2,
              ComboItemText(app.Item(IDC_TARGET), (int)app.Send(IDC_TARGET, CB_GETCURSEL)))
        << "the target combo";
}

TEST_F(Menu, shift_f10_opens_it_from_every_combo_box_and_esc_closes_only_the_menu) {
    POINT inside = ClientToScreenPoint(PanelOf(app), 0, 0);
    for (int id : {IDC_TARGET, IDC_SIZE1, IDC_SIZE2, IDC_SIZE3}) {
        FocusItem(app, id);
        PressKey(VK_F10, VK_SHIFT);
        EXPECT_SOON(PointText(inside.x, inside.y), MenuShown(app)) << "Shift+F10 on combo " << id;
        PressKey(VK_ESCAPE);
        EXPECT_SOON("(none)", MenuShown(app)) << "Esc on the menu from combo " << id;
    }
    EXPECT_FALSE(app.HasExited()) << "Esc closed the menus, not Pikurio";
}

// Shift+F10 again closes the menu, typed as a person types it and in one
// batch; the release of F10 must not leave the dialog in a menu mode unseen.
TEST_F(Menu, shift_f10_again_closes_it_and_leaves_the_keys_to_the_dialog) {
    for (auto press : {PressKeySlowly, PressKey}) {
        FocusItem(app, IDC_PICK);
        press(VK_F10, VK_SHIFT);
        ASSERT_SOON(true, MenuShown(app) != "(none)") << "Shift+F10 on the pick button";
        Settle(300);
        press(VK_F10, VK_SHIFT);
        EXPECT_SOON("(none)", MenuShown(app)) << "Shift+F10 again";
        EXPECT_SOON(0u, MenuModeFlags(app)) << "menu mode after Shift+F10 again";
    }
    TypeRedAndExpect(app, "80", "#80FFFF");
}

// F10 and Shift+F10 do nothing while pick mode waits: it goes on, and Enter picks.
TEST_F(Menu, f10_in_pick_mode_does_nothing_and_enter_still_picks) {
    ColorWindow target(RGB(0x31, 0x62, 0x93), 600, 400, 100, 100);
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(650, 450);
    PressKeySlowly(VK_F10, VK_SHIFT);
    PressKey(VK_F10, VK_SHIFT);
    PressKey(VK_F10);
    EXPECT_TRUE(NoMenuComes(app)) << "F10 and Shift+F10 in pick mode";
    EXPECT_EQ(0u, MenuModeFlags(app)) << "menu mode after F10 in pick mode";
    EXPECT_TRUE(app.IsTopmost()) << "pick mode still waits";
    PressKey(VK_RETURN);
    EXPECT_SOON(ChannelsShownFor(0x31, 0x62, 0x93), app.ChannelsShown()) << "Enter picks";
    TypeRedAndExpect(app, "80", "#806293");
}

// Closed from outside, a dialog with its menu open takes the menu along.
TEST_F(Menu, wm_close_with_the_menu_open_ends_the_program_with_0) {
    OpenMenuFromKeyboard(app);
    PostMessageA(app.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, app.WaitForExit()) << "exit code after WM_CLOSE with the menu open";
}

TEST_F(Menu, right_click_opens_it_at_the_pointer_and_c_copies_the_results) {
    PutClipboardText("before");
    POINT at = ClientToScreenPoint(PanelOf(app), 30, 60);
    app.Activate();
    ClickAt(at.x, at.y, true);
    ASSERT_SOON(PointText(at.x, at.y), MenuShown(app)) << "a right click on the preview";
    PressKey('C');
    EXPECT_SOON("(none)", MenuShown(app)) << "the menu, after C";
    EXPECT_SOON(
        "背景 #FFFFFF\r\n文字１（大） #FF0000 3.99:1 AA\r\n"
        "文字２（中） #00FF00 1.37:1 不足\r\n文字３（小） #0000FF 8.59:1 AAA",
        ClipboardText());
}

TEST_F(Menu, none_elsewhere_on_the_dialog_while_picking_or_for_a_right_button_pick) {
    RECT panel;
    GetWindowRect(PanelOf(app), &panel);
    app.Activate();
    ClickAt(panel.left - 5, panel.top + 20, true);
    EXPECT_TRUE(NoMenuComes(app)) << "a right click left of the preview, on the dialog";
    ASSERT_TRUE(app.PressPick());
    // The menu key: Shift+F10 with no menu to show would go on to the
    // dialog's menu mode, which takes the mouse and so ends pick mode.
    PressKey(VK_APPS);
    EXPECT_TRUE(NoMenuComes(app)) << "the menu key while pick mode waits";
    EXPECT_TRUE(app.IsTopmost()) << "pick mode still waits";
    POINT at = ClientToScreenPoint(PanelOf(app), 30, 60);
    ClickAt(at.x, at.y, true);
    EXPECT_TRUE(NoMenuComes(app)) << "after the right-button pick";
    EXPECT_SOON(nullptr, CaptureOf(app)) << "the pick is over";
    // A click of the other button while the one that picked is held belongs
    // to the pick, whichever button picked.
    for (bool right : {true, false}) {
        ASSERT_TRUE(app.PressPick());
        MoveMouseTo(at.x, at.y);
        MouseButton(right, true);
        ClickAt(at.x, at.y, !right);
        MouseButton(right, false);
        EXPECT_TRUE(NoMenuComes(app))
            << "after a chord, " << (right ? "right" : "left") << " first";
        EXPECT_SOON(nullptr, CaptureOf(app)) << "the chord's pick is over";
    }
}

// The views are the menu's last four items; Up from the end reaches them.
TEST_F(Menu, p_view_paints_the_preview_as_p_type_viewers_see_it_and_the_first_view_undoes_it) {
    const COLORREF RED = RGB(255, 0, 0), RED_SEEN_AS_P = RGB(0x6D, 0x5F, 0);
    app.SetText(IDC_G_HEX, "00");
    app.SetText(IDC_B_HEX, "00");
    ASSERT_SOON(Hex(RED), Hex(PanelBackground(app))) << "the background, red";
    OpenMenuFromKeyboard(app);
    for (WORD key : {VK_UP, VK_UP, VK_UP, VK_RETURN}) PressKey(key);
    EXPECT_SOON(Hex(RED_SEEN_AS_P), WithinOneStep(PanelBackground(app), RED_SEEN_AS_P))
        << "the background in the P view";
    EXPECT_SOON(true, MarkInk(app) > 0) << "the mark naming the view";
    EXPECT_EQ("#FF0000", app.Text(IDC_CODE)) << "the colour code, real";
    OpenMenuFromKeyboard(app);
    for (WORD key : {VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}) PressKey(key);
    EXPECT_SOON(Hex(RED), Hex(PanelBackground(app))) << "the background in the first view";
    EXPECT_SOON(0, MarkInk(app)) << "the corner, plain background";
}
