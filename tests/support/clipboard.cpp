#include "tests/support/clipboard.h"

#include <windows.h>

#include <string.h>

#include "tests/support/wait.h"

const DWORD CLIPBOARD_MS = 3000;

static bool OpenClipboardBounded() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, CLIPBOARD_MS);
}

std::string ClipboardText() {
    if (!OpenClipboardBounded()) return "(clipboard busy)";
    std::string text = "(none)";
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        text = locked;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
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
