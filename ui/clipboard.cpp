// The clipboard: the copies put text on it, the paste reads it.
#include "ui/clipboard.h"

#include <windows.h>

#include <string.h>

// How often, and how far apart, a busy clipboard is tried: about 100 ms in all.
enum { OPEN_TRIES = 10, OPEN_PAUSE_MS = 10 };
// Shift-JIS, and the locale that says so to the programs that read the text.
enum { TEXT_CODE_PAGE = 932, TEXT_LOCALE = 0x0411 };
// The longest text copied, the readout, is under 128 bytes.
enum { WIDE_TEXT_LIMIT = 256 };

bool OpenClipboardPatiently() {
    for (int i = 0; i < OPEN_TRIES; ++i) {
        if (i) Sleep(OPEN_PAUSE_MS);
        if (OpenClipboard(nullptr)) return true;
    }
    return false;
}

// Movable memory for the clipboard holding a copy of size bytes of data; null,
// with nothing left over, when it cannot be had.
static HGLOBAL MakeClipboardBlock(const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* locked = memory ? GlobalLock(memory) : nullptr;
    if (!locked) {
        if (memory) GlobalFree(memory);
        return nullptr;
    }
    memcpy(locked, data, size);
    GlobalUnlock(memory);
    return memory;
}

// Memory the clipboard refuses is still ours to free: 0 when it took it, 1 when not.
static int PutClipboardBlock(UINT format, HGLOBAL memory) {
    if (SetClipboardData(format, memory)) return 0;
    // cppcheck takes SetClipboardData as always freeing the memory; it
    // takes it only on success, so this free is the only one.
    // cppcheck-suppress doubleFree
    GlobalFree(memory);
    return 1;
}

// On failure before the clipboard is emptied it is left as it was; every
// block is made before that, and freed again if one cannot be. Memory the
// clipboard accepted is the clipboard's from then on.
int CopyTextToClipboard(const char* text) {
    if (!OpenClipboardPatiently()) return 1;
    // Too long a text converts to nothing, and an empty block cannot be locked.
    WCHAR wide[WIDE_TEXT_LIMIT];
    const size_t wideSize =
        MultiByteToWideChar(TEXT_CODE_PAGE, 0, text, -1, wide, WIDE_TEXT_LIMIT) * sizeof(WCHAR);
    const LCID locale = TEXT_LOCALE;
    HGLOBAL narrow = MakeClipboardBlock(text, strlen(text) + 1);
    HGLOBAL unicode = narrow ? MakeClipboardBlock(wide, wideSize) : nullptr;
    HGLOBAL japanese = unicode ? MakeClipboardBlock(&locale, sizeof locale) : nullptr;
    int result = 1;
    if (japanese) {
        EmptyClipboard();
        result = PutClipboardBlock(CF_TEXT, narrow) | PutClipboardBlock(CF_UNICODETEXT, unicode) |
                 PutClipboardBlock(CF_LOCALE, japanese);
    } else {
        if (narrow) GlobalFree(narrow);
        if (unicode) GlobalFree(unicode);
    }
    CloseClipboard();
    return result;
}

void CopyTextOrBeep(const char* text) {
    if (CopyTextToClipboard(text)) MessageBeep(MB_OK);
}
