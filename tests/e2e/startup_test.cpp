// Start-up: the dialog, its thirty controls, their initial values, and closing.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

struct ExpectedControl {
    int id;
    const char* className;
};

// Template order, which is also the tab order.
const ExpectedControl CONTROLS[] = {
    {IDC_PICK, "Button"},           {IDC_TARGET, "ComboBox"},
    {IDC_R_HEX, "Edit"},            {IDC_R_SPIN, "msctls_updown32"},
    {IDC_G_HEX, "Edit"},            {IDC_G_SPIN, "msctls_updown32"},
    {IDC_B_HEX, "Edit"},            {IDC_B_SPIN, "msctls_updown32"},
    {IDC_R_SLIDER, "msctls_trackbar32"}, {IDC_G_SLIDER, "msctls_trackbar32"},
    {IDC_B_SLIDER, "msctls_trackbar32"}, {IDC_TEXT1, "Edit"},
    {IDC_SIZE1, "ComboBox"},        {IDC_TEXT2, "Edit"},
    {IDC_SIZE2, "ComboBox"},        {IDC_TEXT3, "Edit"},
    {IDC_SIZE3, "ComboBox"},        {IDC_VERSION, "Button"},
    {-1, "Static"},                 {-1, "Static"},
    {IDC_R_DEC, "Static"},          {-1, "Static"},
    {IDC_G_DEC, "Static"},          {-1, "Static"},
    {IDC_B_DEC, "Static"},          {IDC_PREVIEW, "Static"},
    {-1, "Static"},                 {IDC_CODE, "Edit"},
    {IDC_COPY, "Button"},           {IDC_SWATCH, "Static"},
};

const int HEX_IDS[] = {IDC_R_HEX, IDC_G_HEX, IDC_B_HEX};
const int DEC_IDS[] = {IDC_R_DEC, IDC_G_DEC, IDC_B_DEC};
const int SPIN_IDS[] = {IDC_R_SPIN, IDC_G_SPIN, IDC_B_SPIN};
const int SLIDER_IDS[] = {IDC_R_SLIDER, IDC_G_SLIDER, IDC_B_SLIDER};

}  // namespace

E2E_TEST(dialog_has_thirty_controls_in_template_order) {
    Pikurio app;
    CHECK_EQ("caption", std::string(APP_NAME), WindowText(app.Dialog()));
    RECT r;
    GetWindowRect(app.Dialog(), &r);
    CHECK_EQ("dialog left", 0L, (long)r.left);
    CHECK_EQ("dialog top", 0L, (long)r.top);
    // The colour wheel shows in the caption (Wine does not answer WM_GETICON
    // across processes, so the icon is checked on screen).
    bool seen[3] = {false, false, false};
    const COLORREF wheel[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int y = r.top; y < r.top + 24; ++y)
        for (int x = r.left; x < r.left + 24; ++x)
            for (int i = 0; i < 3; ++i) seen[i] = seen[i] || ScreenPixel(x, y) == wheel[i];
    CHECK(seen[0] && seen[1] && seen[2], "red, green and blue of the icon in the caption");

    HWND child = GetWindow(app.Dialog(), GW_CHILD);
    int index = 0;
    for (; child && index < 30; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        std::string step = "control " + std::to_string(index + 1);
        CHECK_EQ(step + " id", CONTROLS[index].id, (int)(short)GetDlgCtrlID(child));
        CHECK_EQ(step + " class", std::string(CONTROLS[index].className), ClassOf(child));
    }
    CHECK_EQ("number of controls", 30, index);
    CHECK(child == nullptr, "no control after the thirtieth");
}

E2E_TEST(initial_values_are_white_with_sliders_at_the_top) {
    Pikurio app;
    for (int channel = 0; channel < 3; ++channel) {
        std::string step = "channel " + std::to_string(channel);
        CHECK_EQ(step + " hex", std::string("FF"), app.Text(HEX_IDS[channel]));
        CHECK_EQ(step + " decimal", std::string("255"), app.Text(DEC_IDS[channel]));
        CHECK_EQ(step + " slider position", 0, app.SliderPos(SLIDER_IDS[channel]));
        CHECK_EQ(step + " slider range min", 0, (int)app.Send(SLIDER_IDS[channel], TBM_GETRANGEMIN));
        CHECK_EQ(step + " slider range max", 255, (int)app.Send(SLIDER_IDS[channel], TBM_GETRANGEMAX));
    }
    CHECK_EQ("colour code", std::string("#FFFFFF"), app.Text(IDC_CODE));
}

E2E_TEST(combos_and_sample_texts_start_as_listed) {
    Pikurio app;
    const char* targets[] = {TEXT_BACKGROUND, TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
    HWND target = app.Item(IDC_TARGET);
    CHECK_EQ("target entries", 4, (int)app.Send(IDC_TARGET, CB_GETCOUNT));
    for (int i = 0; i < 4; ++i)
        CHECK_EQ("target entry " + std::to_string(i), std::string(targets[i]), ComboItemText(target, i));
    CHECK_EQ("target selection", 0, (int)app.Send(IDC_TARGET, CB_GETCURSEL));
    CHECK_EQ("target shows", std::string(TEXT_BACKGROUND), WindowText(target));

    const char* sizes[] = {TEXT_SIZE_LARGE, TEXT_SIZE_MEDIUM, TEXT_SIZE_SMALL};
    const char* samples[] = {TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
    for (int i = 0; i < 3; ++i) {
        std::string step = "text " + std::to_string(i + 1);
        HWND combo = app.Item(IDC_SIZE1 + i);
        CHECK_EQ(step + " size entries", 3, (int)app.Send(IDC_SIZE1 + i, CB_GETCOUNT));
        for (int k = 0; k < 3; ++k)
            CHECK_EQ(step + " size entry " + std::to_string(k), std::string(sizes[k]),
                     ComboItemText(combo, k));
        CHECK_EQ(step + " size selection", i, (int)app.Send(IDC_SIZE1 + i, CB_GETCURSEL));
        CHECK_EQ(step + " sample", std::string(samples[i]), app.Text(IDC_TEXT1 + i));
    }
}

E2E_TEST(hex_edits_take_two_characters_and_up_downs_follow_the_labels) {
    Pikurio app;
    for (int channel = 0; channel < 3; ++channel) {
        std::string step = "channel " + std::to_string(channel);
        CHECK_EQ(step + " hex limit", 2, (int)app.Send(HEX_IDS[channel], EM_GETLIMITTEXT));
        CHECK_EQ(step + " buddy", (const void*)app.Item(DEC_IDS[channel]),
                 (const void*)app.Send(SPIN_IDS[channel], UDM_GETBUDDY));
        LRESULT range = app.Send(SPIN_IDS[channel], UDM_GETRANGE);
        CHECK_EQ(step + " up-down maximum", 255, (int)LOWORD(range));
        CHECK_EQ(step + " up-down minimum", 0, (int)HIWORD(range));
        CHECK_EQ(step + " up-down position", 255, (int)LOWORD(app.Send(SPIN_IDS[channel], UDM_GETPOS)));
    }
    // A third typed character is refused.
    app.Activate();
    SetFocus(app.Item(IDC_R_HEX));
    app.Send(IDC_R_HEX, EM_SETSEL, 0, -1);
    ClickAt(CenterOf(app.Item(IDC_R_HEX)).x, CenterOf(app.Item(IDC_R_HEX)).y);
    app.Send(IDC_R_HEX, EM_SETSEL, 0, -1);
    TypeText("123");
    CHECK_EQ("red hex after typing three characters", std::string("12"), app.Text(IDC_R_HEX));
}

E2E_TEST(focus_starts_on_the_pick_button) {
    Pikurio app;
    CHECK_EQ("focused control id", IDC_PICK, GetDlgCtrlID(app.FocusedWindow()));
}

E2E_TEST(escape_ends_the_program_with_exit_code_0) {
    Pikurio app;
    app.Activate();
    PressKey(VK_ESCAPE);
    CHECK_EQ("exit code after Esc", 0L, app.WaitForExit());
}

E2E_TEST(close_button_ends_the_program_with_exit_code_0) {
    Pikurio app;
    PostMessageA(app.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK_EQ("exit code after the close button", 0L, app.WaitForExit());
}
