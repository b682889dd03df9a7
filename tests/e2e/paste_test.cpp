// Pasting a colour code with real keys: Ctrl+V and Shift+Insert wherever the
// focus is but the sample texts, a hex edit's own paste, and what a text that
// is no code, a held clipboard, pick mode and an open combo list leave alone.
#include <windows.h>

#include <string.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

// Puts UTF-16 text on the clipboard, as a program with full-width text does.
void PutClipboardUnicode(const wchar_t* text) {
    ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != 0; })) << "clipboard opened";
    EmptyClipboard();
    size_t size = (wcslen(text) + 1) * sizeof *text;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
    CloseClipboard();
    ASSERT_TRUE(put) << "text put on the clipboard";
}

void FocusItem(const Pikurio& app, int id) {
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(id), TRUE);
    ASSERT_SOON(app.Item(id), app.FocusedWindow()) << "focus on " << id;
}

}  // namespace

using Paste = PikurioTest;

TEST_F(Paste, a_code_from_the_keys_or_a_hex_edits_paste_sets_the_colour_being_edited) {
    app.Activate();
    app.SelectCombo(IDC_TARGET, 2);
    struct Case {
        int focus;  // 0: where it is at start-up, the pick button
        WORD key, modifier;
        const wchar_t* text;
        COLORREF color;
    };
    const Case cases[] = {
        {0, 'V', VK_CONTROL, L"#3a7bd5", RGB(0x3A, 0x7B, 0xD5)},
        {IDC_G_SLIDER, 'V', VK_CONTROL, L"rgb(1, 2, 3)", RGB(1, 2, 3)},
        {IDC_R_HEX, 'V', VK_CONTROL, L" #abc;\r\n", RGB(0xAA, 0xBB, 0xCC)},
        {IDC_B_HEX, VK_INSERT, VK_SHIFT, L"102030", RGB(0x10, 0x20, 0x30)},
        {IDC_CODE, 'V', VK_CONTROL, L"\xFF52\xFF47\xFF42\xFF08\xFF15\xFF18\xFF0C 9, 10)",
         RGB(58, 9, 10)},
        {IDC_TARGET, VK_INSERT, VK_SHIFT, L"\x3000\xFF03\xFF41\xFF42\xFF43", RGB(0xAA, 0xBB, 0xCC)},
        {IDC_G_HEX, 0, 0, L"#123456", RGB(0x12, 0x34, 0x56)},  // WM_PASTE, as its menu sends
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("focus on " + std::to_string(c.focus) + ", code " + ColorCode(c.color));
        if (c.focus) FocusItem(app, c.focus);
        HWND focus = app.FocusedWindow();
        PutClipboardUnicode(c.text);
        if (c.key)
            PressKey(c.key, c.modifier);
        else
            app.Send(c.focus, WM_PASTE);
        EXPECT_SOON(ChannelsShownFor(c.color), app.ChannelsShown()) << "the editor";
        EXPECT_EQ(focus, app.FocusedWindow()) << "the focus stays";
        EXPECT_EQ(c.text, ClipboardUnicodeText()) << "the clipboard keeps its text";
    }
    EXPECT_EQ(2, app.Send(IDC_TARGET, CB_GETCURSEL)) << "the target stays";
    app.SelectCombo(IDC_TARGET, 0);
    EXPECT_EQ(ChannelsShownFor(255, 255, 255), app.ChannelsShown())
        << "the background kept its colour";
}

TEST_F(Paste, what_is_no_code_changes_nothing_but_a_hex_edit_pastes_it_as_typed) {
    app.Activate();
    const std::string start = ChannelsShownFor(255, 255, 255);
    FocusItem(app, IDC_CODE);
    PutClipboardUnicode(L"color: #3a7bd5;");
    PressKey('V', VK_CONTROL);
    Settle(300);
    EXPECT_EQ(start, app.ChannelsShown()) << "words around a code, in the colour-code field";
    std::wstring megabyte(1 << 19, L' ');
    PutClipboardUnicode((megabyte + L"\x8272#abc\x01").c_str());
    PressKey('V', VK_CONTROL);
    EXPECT_TRUE(app.Responds()) << "the dialog answers after a megabyte of text";
    EXPECT_EQ(start, app.ChannelsShown())
        << "a megabyte of blanks before a code and other characters";

    PutClipboardUnicode(L"#000000");
    {
        // Held by a window: one opened with none keeps nobody out under Wine.
        ColorWindow holder(RGB(0, 0, 0), 1000, 740, 8, 8);
        ASSERT_TRUE(OpenClipboard(holder.Handle())) << "hold the clipboard open";
        PressKey('V', VK_CONTROL);
        EXPECT_TRUE(app.Responds()) << "the dialog answers while the clipboard is held";
        Settle(300);
        CloseClipboard();
    }
    EXPECT_EQ(start, app.ChannelsShown()) << "a code on a held clipboard";

    FocusItem(app, IDC_SIZE1);
    app.Send(IDC_SIZE1, CB_SHOWDROPDOWN, TRUE);
    PressKey('V', VK_CONTROL);
    app.Send(IDC_SIZE1, CB_SHOWDROPDOWN, FALSE);
    Settle(300);
    EXPECT_EQ(start, app.ChannelsShown()) << "Ctrl+V while a combo's list is open";

    FocusItem(app, IDC_TEXT1);
    PressKey('V', VK_CONTROL);
    EXPECT_SOON(true, app.Text(IDC_TEXT1).find("#000000") != std::string::npos)
        << "a sample text pastes the code as text: " << app.Text(IDC_TEXT1);
    EXPECT_EQ(start, app.ChannelsShown()) << "a code pasted into a sample text";

    // Two digits are the edit's own paste over its selected pair, as typed.
    PutClipboardUnicode(L"7f");
    FocusItem(app, IDC_G_HEX);
    app.Send(IDC_G_HEX, EM_SETSEL, 0, -1);
    PressKey(VK_INSERT, VK_SHIFT);
    EXPECT_SOON(ChannelsShownFor(255, 0x7F, 255), app.ChannelsShown()) << "\"7f\" pasted";

    ASSERT_TRUE(app.PressPick());
    PutClipboardUnicode(L"#000000");
    PressKey('V', VK_CONTROL);
    Settle(300);
    EXPECT_EQ(ChannelsShownFor(255, 0x7F, 255), app.ChannelsShown())
        << "Ctrl+V while pick mode waits";
    EXPECT_TRUE(app.IsTopmost()) << "pick mode still waits";
}
