// The preview's menu, opened by real input: from the keyboard just inside the
// preview, over the tooltip, choosing a passing colour or a colour-vision view;
// from the mouse at the pointer, copying the results; and never for a pick, in
// pick mode, or elsewhere on the dialog.
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
    for (WORD key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}) PressKey(key);
    EXPECT_SOON("(none)", MenuShown(app)) << "the menu, after Enter";
    EXPECT_SOON(ChannelsShownFor(0, 0x8A, 0), app.ChannelsShown()) << "the editor";
    EXPECT_EQ(TEXT_SAMPLE2,
              ComboItemText(app.Item(IDC_TARGET), (int)app.Send(IDC_TARGET, CB_GETCURSEL)))
        << "the target combo";
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
