// The version resource that Explorer's Properties and Task Manager show for
// pikurio.exe, read as they read it: through the UTF-16 version calls.
#include <windows.h>

#include <stdio.h>

#include "res/strings.h"
#include "tests/e2e/harness.h"

// A text in the given code page, in UTF-16.
static std::wstring Wide(UINT codePage, const char* text) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(codePage, 0, text, -1, wide, MAX_PATH);
    return wide;
}

// It holds the About box's name, version and holder (the program's texts are
// Shift-JIS), in the string table that its translation names: Japanese, UTF-16.
TEST(Version, resource_holds_what_the_about_box_shows) {
    std::wstring exe = Wide(CP_ACP, (ProgramDirectory() + "pikurio.exe").c_str());
    std::string data(GetFileVersionInfoSizeW(exe.c_str(), nullptr), '\0');
    ASSERT_FALSE(data.empty()) << "no version resource in pikurio.exe";
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, data.size(), &data[0]));
    void* found = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &found, &size));
    const VS_FIXEDFILEINFO fixed = *(const VS_FIXEDFILEINFO*)found;
    const DWORD version = MAKELONG(APP_VERSION_MINOR, APP_VERSION_MAJOR);
    EXPECT_EQ(version, fixed.dwFileVersionMS) << "FILEVERSION";
    EXPECT_EQ(version, fixed.dwProductVersionMS) << "PRODUCTVERSION";
    EXPECT_EQ(0u, fixed.dwFileVersionLS | fixed.dwProductVersionLS);
    EXPECT_EQ((DWORD)VOS_NT_WINDOWS32, fixed.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, fixed.dwFileType);
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &found, &size));
    const WORD* translation = (const WORD*)found;
    EXPECT_EQ(0x0411, translation[0]) << "language";
    EXPECT_EQ(1200, translation[1]) << "code page";
    wchar_t table[40];
    swprintf(table, 40, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    const char* const fields[][2] = {{"FileDescription", APP_NAME},
                                     {"ProductName", APP_NAME},
                                     {"FileVersion", APP_VERSION},
                                     {"ProductVersion", APP_VERSION},
                                     {"LegalCopyright", APP_COPYRIGHT APP_HOLDER},
                                     {"OriginalFilename", "pikurio.exe"},
                                     {"InternalName", "pikurio"}};
    std::wstring expected, shown;
    for (const auto& field : fields) {
        std::wstring key = Wide(932, field[0]);
        bool has = VerQueryValueW(data.data(), (table + key).c_str(), &found, &size);
        expected += key + L"=" + Wide(932, field[1]) + L"|";
        shown += key + L"=" + (has ? (const wchar_t*)found : L"(none)") + L"|";
    }
    EXPECT_EQ(expected, shown);
}
