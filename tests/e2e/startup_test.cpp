// Start-up: the dialog, its thirty controls, their initial values, and closing.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

// Reads a classic dialog template as stored in the exe.
struct TemplateReader {
    const BYTE* at;
    WORD Word() {
        WORD w = *(const WORD*)at;
        at += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d = *(const DWORD*)at;
        at += 4;
        return d;
    }
    void AlignDword(const BYTE* base) {
        while ((at - base) % 4) ++at;
    }
    // A string, or an ordinal written as "#n".
    std::string NameOrOrdinal() {
        if (*(const WORD*)at == 0xFFFF) {
            at += 2;
            return "#" + std::to_string(Word());
        }
        const wchar_t* text = (const wchar_t*)at;
        size_t length = wcslen(text);
        at += (length + 1) * 2;
        char bytes[256];
        int n =
            WideCharToMultiByte(932, 0, text, (int)length, bytes, sizeof bytes, nullptr, nullptr);
        return std::string(bytes, n > 0 ? n : 0);
    }
};

struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
    int id;
    const char* className;
    const char* text;
};

// The template's controls in its order, which is also the tab order.
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

TEST_CASE(dialog_has_thirty_controls_in_template_order) {
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
    CHECK("red, green and blue of the icon in the caption", seen[0] && seen[1] && seen[2]);

    HWND child = GetWindow(app.Dialog(), GW_CHILD);
    int index = 0;
    for (; child && index < 30; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const TemplateItem& expected = TEMPLATE_ITEMS[index];
        std::string step = "control " + std::to_string(index + 1);
        CHECK_EQ(step + " id", expected.id, (int)(short)GetDlgCtrlID(child));
        CHECK_EQ(step + " class", std::string(expected.className), ClassOf(child));
        // Edits turn WS_BORDER into a client edge and combo boxes hand WS_VSCROLL
        // to their list, so those two bits are checked in the template instead.
        DWORD style = expected.style & ~(DWORD)(WS_BORDER | WS_VSCROLL);
        CHECK_EQ(step + " style bits", (unsigned long)style,
                 (unsigned long)(style & (DWORD)GetWindowLongA(child, GWL_STYLE)));
    }
    CHECK_EQ("number of controls", 30, index);
    CHECK("no control after the thirtieth", child == nullptr);
}

TEST_CASE(initial_values_are_white_with_sliders_at_the_top) {
    Pikurio app;
    for (int channel = 0; channel < 3; ++channel) {
        std::string step = "channel " + std::to_string(channel);
        CHECK_EQ(step + " hex", std::string("FF"), app.Text(CHANNEL_IDS[channel].hex));
        CHECK_EQ(step + " decimal", std::string("255"), app.Text(CHANNEL_IDS[channel].dec));
        CHECK_EQ(step + " slider position", 0, app.SliderPos(CHANNEL_IDS[channel].slider));
        CHECK_EQ(step + " slider range min", 0,
                 (int)app.Send(CHANNEL_IDS[channel].slider, TBM_GETRANGEMIN));
        CHECK_EQ(step + " slider range max", 255,
                 (int)app.Send(CHANNEL_IDS[channel].slider, TBM_GETRANGEMAX));
    }
    CHECK_EQ("colour code", std::string("#FFFFFF"), app.Text(IDC_CODE));
}

TEST_CASE(combos_and_sample_texts_start_as_listed) {
    Pikurio app;
    const char* targets[] = {TEXT_BACKGROUND, TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
    HWND target = app.Item(IDC_TARGET);
    CHECK_EQ("target entries", 4, (int)app.Send(IDC_TARGET, CB_GETCOUNT));
    for (int i = 0; i < 4; ++i)
        CHECK_EQ("target entry " + std::to_string(i), std::string(targets[i]),
                 ComboItemText(target, i));
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

TEST_CASE(hex_edits_take_two_characters_and_up_downs_follow_the_labels) {
    Pikurio app;
    for (int channel = 0; channel < 3; ++channel) {
        std::string step = "channel " + std::to_string(channel);
        CHECK_EQ(step + " hex limit", 2, (int)app.Send(CHANNEL_IDS[channel].hex, EM_GETLIMITTEXT));
        CHECK_EQ(step + " buddy", (const void*)app.Item(CHANNEL_IDS[channel].dec),
                 (const void*)app.Send(CHANNEL_IDS[channel].spin, UDM_GETBUDDY));
        LRESULT range = app.Send(CHANNEL_IDS[channel].spin, UDM_GETRANGE);
        CHECK_EQ(step + " up-down maximum", 255, (int)LOWORD(range));
        CHECK_EQ(step + " up-down minimum", 0, (int)HIWORD(range));
        CHECK_EQ(step + " up-down position", 255,
                 (int)LOWORD(app.Send(CHANNEL_IDS[channel].spin, UDM_GETPOS)));
    }
    // A third typed character is refused.
    app.Activate();
    app.TypeInto(IDC_R_HEX, "123");
    CHECK_EQ("red hex after typing three characters", std::string("12"), app.Text(IDC_R_HEX));
}

TEST_CASE(focus_starts_on_the_pick_button_so_enter_starts_pick_mode) {
    Pikurio app;
    CHECK_EQ("focused control id", IDC_PICK, GetDlgCtrlID(app.FocusedWindow()));
    app.Activate();
    PressKey(VK_RETURN);
    CHECK("pick mode (topmost) after Enter", WaitUntil([&] { return app.IsTopmost(); }, 3000));
}

TEST_CASE(escape_ends_the_program_with_exit_code_0) {
    Pikurio app;
    app.Activate();
    PressKey(VK_ESCAPE);
    CHECK_EQ("exit code after Esc", 0L, app.WaitForExit());
}

TEST_CASE(close_button_ends_the_program_with_exit_code_0) {
    Pikurio app;
    PostMessageA(app.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK_EQ("exit code after the close button", 0L, app.WaitForExit());
}

TEST_CASE(dialog_template_is_stored_as_laid_out) {
    std::string exe = ProgramDirectory() + "pikurio.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE("load pikurio.exe as data", module != nullptr);
    HRSRC resource =
        FindResourceExA(module, RT_DIALOG, "DIALOG", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    REQUIRE("find the Japanese resource \"DIALOG\"", resource != nullptr);
    CHECK("Japanese icon group \"ICON\"",
          FindResourceExA(module, RT_GROUP_ICON, "ICON",
                          MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)) != nullptr);
    const BYTE* base = (const BYTE*)LockResource(LoadResource(module, resource));
    TemplateReader reader = {base};
    CHECK_EQ("template style", 0x80C800C0UL, (unsigned long)reader.Dword());
    CHECK_EQ("template extended style", 0UL, (unsigned long)reader.Dword());
    WORD count = reader.Word();
    CHECK_EQ("template control count", 30, (int)count);
    short box[4];
    for (short& v : box) v = (short)reader.Word();
    CHECK_EQ("template position and size", std::string("0,0,263,175"),
             std::to_string(box[0]) + "," + std::to_string(box[1]) + "," + std::to_string(box[2]) +
                 "," + std::to_string(box[3]));
    CHECK_EQ("menu", std::string(""), reader.NameOrOrdinal());
    CHECK_EQ("dialog class", std::string(""), reader.NameOrOrdinal());
    CHECK_EQ("caption", std::string(""), reader.NameOrOrdinal());
    CHECK_EQ("font size", 9, (int)reader.Word());
    CHECK_EQ("font face", std::string("ＭＳ Ｐゴシック"), reader.NameOrOrdinal());
    for (int i = 0; i < count && i < 30; ++i) {
        const TemplateItem& expected = TEMPLATE_ITEMS[i];
        std::string step = "template control " + std::to_string(i + 1);
        reader.AlignDword(base);
        CHECK_EQ(step + " style", (unsigned long)expected.style, (unsigned long)reader.Dword());
        CHECK_EQ(step + " extended style", 0UL, (unsigned long)reader.Dword());
        short rect[4];
        for (short& v : rect) v = (short)reader.Word();
        CHECK_EQ(step + " rectangle",
                 std::to_string(expected.x) + "," + std::to_string(expected.y) + "," +
                     std::to_string(expected.cx) + "," + std::to_string(expected.cy),
                 std::to_string(rect[0]) + "," + std::to_string(rect[1]) + "," +
                     std::to_string(rect[2]) + "," + std::to_string(rect[3]));
        CHECK_EQ(step + " id", expected.id, (int)(short)reader.Word());
        // The predefined classes may be stored by name or as their atoms.
        std::string className = reader.NameOrOrdinal();
        static const char* const ATOM_CLASSES[][2] = {{"#128", "Button"},
                                                      {"#129", "Edit"},
                                                      {"#130", "Static"},
                                                      {"#133", "ComboBox"}};
        for (const auto& atom : ATOM_CLASSES)
            if (className == atom[0]) className = atom[1];
        CHECK(step + " class " + className + ", expected " + expected.className,
              _stricmp(className.c_str(), expected.className) == 0);
        CHECK_EQ(step + " text", std::string(expected.text), reader.NameOrOrdinal());
        WORD extra = reader.Word();
        reader.at += extra;
    }
    FreeLibrary(module);
}
