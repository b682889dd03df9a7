// The manifest that gives pikurio.exe code page 932 whatever the system locale.
#include <windows.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

// It asks for the Japanese code page and for neither Common Controls 6 (the
// controls keep the classic style) nor a scaling of its own.
TEST(Locale, manifest_asks_for_the_japanese_code_page_alone) {
    HMODULE exe = LoadLibraryExA((ProgramDirectory() + "pikurio.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(exe, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    std::string manifest(found ? (const char*)LockResource(LoadResource(exe, found)) : "",
                         found ? SizeofResource(exe, found) : 0);
    FreeLibrary(exe);
    EXPECT_NE(std::string::npos, manifest.find(">ja-JP</activeCodePage>")) << manifest;
    for (const char* unwanted : {"dependency", "dpiAware"})  // dpiAware finds dpiAwareness too
        EXPECT_EQ(std::string::npos, manifest.find(unwanted)) << unwanted << " in " << manifest;
}

// A message that fills a UTF-16 buffer, sent with a bound.
static std::wstring ReadW(HWND window, UINT message, WPARAM param) {
    wchar_t text[64] = {};
    SendMessageTimeoutW(window, message, param, (LPARAM)text, SMTO_ABORTIFHUNG, ANSWER_MS, nullptr);
    return text;
}

// Started with LANG=C, this test and the pikurio.exe it starts have a Western
// system locale; the texts pikurio.exe sets still read right in UTF-16.
TEST(Locale, texts_read_right_in_locale_c) {
    ASSERT_EQ(1252u, GetACP()) << "this test's code page: ctest starts it with LANG=C";
    Pikurio app;
    ASSERT_TRUE(app.Start(nullptr));
    EXPECT_EQ(L"ピクリオ", ReadW(app.Dialog(), WM_GETTEXT, 64)) << "caption";
    std::wstring targets;
    for (int i = 0; i < 4; ++i) targets += ReadW(app.Item(IDC_TARGET), CB_GETLBTEXT, i) + L"|";
    EXPECT_EQ(L"背景|文字１|文字２|文字３|", targets) << "target entries";
    EXPECT_EQ(L"文字２", ReadW(app.Item(IDC_TEXT2), WM_GETTEXT, 64)) << "sample text 2";
    PostMessageW(app.Item(IDC_VERSION), BM_CLICK, 0, 0);
    EXPECT_SOON(true, FindWindowW(L"#32770", L"バージョン情報") != nullptr) << "About box";
}

// The copied readout is Shift-JIS for the programs that read CF_TEXT; those
// that read Unicode, in a Western locale too, get the same characters.
TEST(Locale, copied_readout_reads_right_in_locale_c) {
    ASSERT_EQ(1252u, GetACP()) << "this test's code page: ctest starts it with LANG=C";
    Pikurio app;
    ASSERT_TRUE(app.Start(nullptr));
    POINT at = ClientToScreenPoint(app.Item(IDC_PREVIEW), 30, 60);
    app.Activate();
    ClickAt(at.x, at.y, true);
    ASSERT_SOON(true, MenuShown(app) != "(none)") << "a right click on the preview";
    PressKey('C');
    EXPECT_SOON(std::wstring(
                    L"背景 #FFFFFF\r\n文字１（大） #FF0000 3.99:1 AA\r\n"
                    L"文字２（中） #00FF00 1.37:1 不足\r\n文字３（小） #0000FF 8.59:1 AAA"),
                ClipboardUnicodeText());
    EXPECT_EQ(0x0411u, ClipboardLocale()) << "the clipboard's locale";
}
