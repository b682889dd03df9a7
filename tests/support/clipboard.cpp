#include "tests/support/clipboard.h"

#include <windows.h>

#include <string.h>

#include "tests/support/wait.h"

const DWORD CLIPBOARD_MS = 3000;

static bool OpenClipboardBounded() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, CLIPBOARD_MS);
}

// One format's data, read as a NUL-terminated text of Char, or what the
// clipboard said instead.
template <typename Char>
static std::basic_string<Char> ReadClipboard(UINT format, const Char* none, const Char* busy) {
    if (!OpenClipboardBounded()) return busy;
    std::basic_string<Char> text = none;
    HANDLE data = GetClipboardData(format);
    const Char* locked = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string ClipboardText() { return ReadClipboard<char>(CF_TEXT, "(none)", "(clipboard busy)"); }

std::wstring ClipboardUnicodeText() {
    return ReadClipboard<wchar_t>(CF_UNICODETEXT, L"(none)", L"(clipboard busy)");
}

unsigned long ClipboardLocale() {
    if (!OpenClipboardBounded()) return 0;
    HANDLE data = GetClipboardData(CF_LOCALE);
    const LCID* locked = data ? static_cast<const LCID*>(GlobalLock(data)) : nullptr;
    unsigned long locale = locked ? *locked : 0;
    if (locked) GlobalUnlock(data);
    CloseClipboard();
    return locale;
}

void PutClipboardText(const char* text) {
    if (!OpenClipboardBounded()) {
        ADD_FAILURE() << "the clipboard stayed busy for " << CLIPBOARD_MS << " ms; could not put \""
                      << text << "\" on it";
        return;
    }
    EmptyClipboard();
    size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    bool put = false;
    if (memory) {
        memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        put = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!put) GlobalFree(memory);
    }
    CloseClipboard();
    EXPECT_TRUE(put) << "\"" << text << "\" put on the clipboard";
}
