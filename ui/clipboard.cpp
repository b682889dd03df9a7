// Copying the colour code to the clipboard.
#include "ui/clipboard.h"

#include <windows.h>

#include <string.h>

// On failure the clipboard is left as it was and any memory taken is freed;
// memory the clipboard accepted is the clipboard's from then on.
int CopyTextToClipboard(const char* text) {
    if (!OpenClipboard(nullptr)) return 1;
    size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    char* locked = memory ? static_cast<char*>(GlobalLock(memory)) : nullptr;
    if (!locked) {
        if (memory) GlobalFree(memory);
        CloseClipboard();
        return 1;
    }
    memcpy(locked, text, size);
    GlobalUnlock(memory);
    EmptyClipboard();
    int result = 0;
    if (!SetClipboardData(CF_TEXT, memory)) {
        // cppcheck takes SetClipboardData as always freeing the memory; it
        // takes it only on success, so this free is the only one.
        // cppcheck-suppress doubleFree
        GlobalFree(memory);
        result = 1;
    }
    CloseClipboard();
    return result;
}
