// Start-up: the dialog, its thirty controls, their initial values, and closing.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

// The controls as res/pikurio.rc lays them out, in its order, which is also
// the tab order; places in dialog units.
struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
    int id;
    const char* className;
    const char* text;
};

const TemplateItem TEMPLATE_ITEMS[] = {
    {0x50010000, 216, 33, 38, 15, IDC_PICK, "Button", "色取得"},
    {0x50210003, 62, 6, 36, 68, IDC_TARGET, "ComboBox", ""},
    {0x50810080, 10, 63, 15, 12, IDC_R_HEX, "Edit", ""},
    {0x50000026, 28, 61, 10, 14, IDC_R_SPIN, "msctls_updown32", "Spin1"},
    {0x50810080, 40, 63, 15, 12, IDC_G_HEX, "Edit", ""},
    {0x50000026, 59, 62, 10, 14, IDC_G_SPIN, "msctls_updown32", "Spin1"},
    {0x50810080, 71, 63, 15, 12, IDC_B_HEX, "Edit", ""},
    {0x50000026, 88, 61, 10, 16, IDC_B_SPIN, "msctls_updown32", "Spin1"},
    {0x50010003, 10, 93, 19, 79, IDC_R_SLIDER, "msctls_trackbar32", "Slider2"},
    {0x50010003, 41, 93, 19, 79, IDC_G_SLIDER, "msctls_trackbar32", "Slider2"},
    {0x50010003, 72, 93, 19, 79, IDC_B_SLIDER, "msctls_trackbar32", "Slider2"},
    {0x50810080, 107, 6, 83, 12, IDC_TEXT1, "Edit", ""},
    {0x50210003, 191, 6, 21, 52, IDC_SIZE1, "ComboBox", ""},
    {0x50810080, 107, 20, 83, 12, IDC_TEXT2, "Edit", ""},
    {0x50210003, 191, 20, 21, 49, IDC_SIZE2, "ComboBox", ""},
    {0x50810080, 107, 35, 83, 12, IDC_TEXT3, "Edit", ""},
    {0x50210003, 191, 34, 21, 45, IDC_SIZE3, "ComboBox", ""},
    {0x50010000, 216, 6, 38, 15, IDC_VERSION, "Button", "バージョン"},
    {0x50020000, 28, 9, 33, 8, -1, "Static", "場所選択"},
    {0x50020000, 9, 54, 19, 8, -1, "Static", "赤(R)"},
    {0x50020200, 10, 77, 25, 14, IDC_R_DEC, "Static", ""},
    {0x50020000, 39, 54, 19, 8, -1, "Static", "緑(G)"},
    {0x50020200, 41, 77, 25, 14, IDC_G_DEC, "Static", ""},
    {0x50020000, 70, 54, 19, 8, -1, "Static", "青(B)"},
    {0x50020200, 72, 77, 25, 14, IDC_B_DEC, "Static", ""},
    {0x50021000, 107, 54, 148, 112, IDC_PREVIEW, "Static", ""},
    {0x50020000, 9, 39, 24, 8, -1, "Static", "色コード"},
    {0x50010800, 36, 39, 31, 12, IDC_CODE, "Edit", ""},
    {0x50010000, 71, 35, 26, 14, IDC_COPY, "Button", "コピー"},
    {0x50020000, 5, 6, 17, 18, IDC_SWATCH, "Static", ""},
};

}  // namespace

using Startup = PikurioTest;

TEST_F(Startup, dialog_has_thirty_controls_in_template_order) {
    EXPECT_EQ(APP_NAME, WindowText(app.Dialog())) << "caption";
    RECT r;
    GetWindowRect(app.Dialog(), &r);
    EXPECT_EQ(0, r.left) << "dialog left";
    EXPECT_EQ(0, r.top) << "dialog top";
    // The colour wheel shows in the caption (Wine does not answer WM_GETICON
    // across processes, so the icon is checked on screen).
    bool seen[3] = {false, false, false};
    const COLORREF wheel[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int y = r.top; y < r.top + 24; ++y)
        for (int x = r.left; x < r.left + 24; ++x)
            for (int i = 0; i < 3; ++i) seen[i] = seen[i] || ScreenPixel(x, y) == wheel[i];
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]) << "red, green and blue of the icon in the caption";

    // Dialog units become pixels through the font's base units; the preview's
    // 148 x 112 units give them whole.
    RECT preview, client;
    GetClientRect(app.Dialog(), &client);
    GetWindowRect(app.Item(IDC_PREVIEW), &preview);
    const int baseX = (preview.right - preview.left) / 37,
              baseY = (preview.bottom - preview.top) / 14;
    EXPECT_EQ(std::to_string(MulDiv(263, baseX, 4)) + "x" + std::to_string(MulDiv(175, baseY, 8)),
              std::to_string(client.right) + "x" + std::to_string(client.bottom))
        << "dialog size";

    HWND child = GetWindow(app.Dialog(), GW_CHILD);
    int index = 0;
    for (; child && index < 30; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const TemplateItem& expected = TEMPLATE_ITEMS[index];
        SCOPED_TRACE("control " + std::to_string(index + 1));
        std::string className = ClassOf(child);
        EXPECT_EQ(expected.id, (short)GetDlgCtrlID(child)) << "id";
        EXPECT_EQ(expected.className, className) << "class";
        // Edits turn WS_BORDER into a client edge and combo boxes hand WS_VSCROLL
        // to their list; those two bits do not show on the window.
        DWORD style = expected.style & ~(DWORD)(WS_BORDER | WS_VSCROLL);
        EXPECT_EQ(Hex(style), Hex(style & (DWORD)GetWindowLongA(child, GWL_STYLE))) << "style bits";
        if (className == "Button" || (className == "Static" && *expected.text)) {
            EXPECT_EQ(expected.text, WindowText(child)) << "text";
        }
        // Each up-down moves into the right end of its buddy's place, so the two
        // together fill it; a combo box's height is its list's.
        if (className == "msctls_updown32") continue;
        RECT r, spin;
        GetWindowRect(child, &r);
        for (const ChannelIds& ids : CHANNEL_IDS)
            if (ids.dec == expected.id && GetWindowRect(app.Item(ids.spin), &spin))
                r.right = spin.right;
        MapWindowPoints(nullptr, app.Dialog(), (POINT*)&r, 2);
        int left = MulDiv(expected.x, baseX, 4), top = MulDiv(expected.y, baseY, 8);
        int height = className == "ComboBox" ? r.bottom - r.top : MulDiv(expected.cy, baseY, 8);
        EXPECT_EQ(std::to_string(left) + "," + std::to_string(top) + " " +
                      std::to_string(MulDiv(expected.cx, baseX, 4)) + "x" + std::to_string(height),
                  std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                      std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top))
            << "place";
    }
    EXPECT_EQ(30, index) << "number of controls";
    EXPECT_EQ(nullptr, child) << "no control after the thirtieth";
}

TEST_F(Startup, combos_and_sample_texts_start_as_listed) {
    const char* targets[] = {TEXT_BACKGROUND, TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
    HWND target = app.Item(IDC_TARGET);
    EXPECT_EQ(4, app.Send(IDC_TARGET, CB_GETCOUNT)) << "target entries";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(targets[i], ComboItemText(target, i)) << "target entry " << i;
    EXPECT_EQ(0, app.Send(IDC_TARGET, CB_GETCURSEL)) << "target selection";
    EXPECT_EQ(TEXT_BACKGROUND, WindowText(target)) << "target shows";

    const char* sizes[] = {TEXT_SIZE_LARGE, TEXT_SIZE_MEDIUM, TEXT_SIZE_SMALL};
    const char* samples[] = {TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("text " + std::to_string(i + 1));
        HWND combo = app.Item(IDC_SIZE1 + i);
        EXPECT_EQ(3, app.Send(IDC_SIZE1 + i, CB_GETCOUNT)) << "size entries";
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(sizes[k], ComboItemText(combo, k)) << "size entry " << k;
        EXPECT_EQ(i, app.Send(IDC_SIZE1 + i, CB_GETCURSEL)) << "size selection";
        EXPECT_EQ(samples[i], app.Text(IDC_TEXT1 + i)) << "sample";
    }
}

TEST_F(Startup, channels_start_white_in_their_ranges_and_hex_edits_hold_two_characters) {
    EXPECT_EQ(ChannelsShownFor(255, 255, 255), app.ChannelsShown()) << "channels";
    for (const ChannelIds& ids : CHANNEL_IDS) {
        SCOPED_TRACE("channel " + std::to_string(ids.hex));
        EXPECT_EQ("0..255", std::to_string(app.Send(ids.slider, TBM_GETRANGEMIN)) + ".." +
                                std::to_string(app.Send(ids.slider, TBM_GETRANGEMAX)))
            << "slider range";
        EXPECT_EQ(2, app.Send(ids.hex, EM_GETLIMITTEXT)) << "hex limit";
        EXPECT_EQ((LRESULT)app.Item(ids.dec), app.Send(ids.spin, UDM_GETBUDDY)) << "buddy";
        LRESULT range = app.Send(ids.spin, UDM_GETRANGE);  // the maximum in the low word
        EXPECT_EQ("0..255", std::to_string(HIWORD(range)) + ".." + std::to_string(LOWORD(range)))
            << "up-down range";
        EXPECT_EQ(255, LOWORD(app.Send(ids.spin, UDM_GETPOS))) << "up-down position";
    }
}

TEST_F(Startup, focus_starts_on_the_pick_button_so_enter_starts_pick_mode) {
    EXPECT_EQ(IDC_PICK, GetDlgCtrlID(app.FocusedWindow())) << "focused control id";
    app.Activate();
    PressKey(VK_RETURN);
    EXPECT_SOON(true, app.IsTopmost()) << "pick mode (topmost) after Enter";
}

TEST_F(Startup, escape_ends_the_program_with_exit_code_0) {
    app.Activate();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(0, app.WaitForExit()) << "exit code after Esc";
}

TEST_F(Startup, close_button_ends_the_program_with_exit_code_0) {
    PostMessageA(app.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0, app.WaitForExit()) << "exit code after the close button";
}
