#include "ui/preview.h"

#include <string.h>

#include "core/app_state.h"
#include "core/color_vision.h"
#include "core/contrast.h"
#include "res/strings.h"

enum {
    SAMPLE_TEXT_BUFFER = 64,
    SAMPLE_TEXT_LIMIT = 63,
    SAMPLE_LEFT = 4,
    SAMPLE_TOP = 4,
    SAMPLE_LINE_STEP = 40,
    VIEW_MARK_MARGIN = 3
};

// The static keeps its class; only its window procedure is replaced.
void InstallPreviewProc(HWND preview) {
    g_app.previousPreviewProc = SetWindowLongPtrA(preview, GWLP_WNDPROC, (LONG_PTR)PreviewWndProc);
}

// A slot's colour as the preview paints it: as the chosen colour-vision view sees it.
static COLORREF PaintedColor(int slot) {
    return SimulateColorVision(g_app.slots[slot].color, g_app.colorView);
}

// Two lines in text 1's colour, centred together in the panel.
static void DrawPickPrompt(HDC dc, const RECT& r) {
    SetTextColor(dc, PaintedColor(SLOT_TEXT1));
    SelectObject(dc, g_app.promptFont);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, TEXT_PROMPT_LINE1, (int)strlen(TEXT_PROMPT_LINE1), &size);
    // An arithmetic shift: a negative difference rounds toward minus infinity.
    int x = (int)(r.right - size.cx) >> 1;
    int y = (int)(r.bottom - 2 * size.cy) / 2;
    TextOutA(dc, x, y, TEXT_PROMPT_LINE1, (int)strlen(TEXT_PROMPT_LINE1));
    TextOutA(dc, x, y + size.cy, TEXT_PROMPT_LINE2, (int)strlen(TEXT_PROMPT_LINE2));
}

// Length of the longest head of text narrower than maxWidth, cut a whole
// character at a time so a double-byte character is never split.
static int FitSampleText(HDC dc, const char* text, int length, int maxWidth) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &size);
    while (size.cx >= maxWidth && length > 0) {
        length = (int)(CharPrevA(text, text + length) - text);
        GetTextExtentPoint32A(dc, text, length, &size);
    }
    return length;
}

static void DrawSampleTexts(HDC dc, const RECT& r) {
    for (int k = 0; k < TEXT_SLOT_COUNT; ++k) {
        const ColorSlot& slot = g_app.slots[SLOT_TEXT1 + k];
        char text[SAMPLE_TEXT_BUFFER];
        int length = GetWindowTextA(slot.window, text, SAMPLE_TEXT_LIMIT);
        if (length <= 0) continue;
        SetTextColor(dc, PaintedColor(SLOT_TEXT1 + k));
        SelectObject(dc, g_app.sampleFonts[slot.sizeIndex]);
        length = FitSampleText(dc, text, length, (int)r.right - 2);
        TextOutA(dc, SAMPLE_LEFT, SAMPLE_TOP + SAMPLE_LINE_STEP * k, text, length);
    }
}

// While a colour-vision view is on, its name in the bottom-right corner, below
// the lowest sample text, in black or white, whichever stands out more from the
// painted background: so that nobody takes the simulated colours for the real ones.
static void DrawViewMark(HDC dc, RECT r, COLORREF background) {
    if (g_app.colorView == VIEW_NORMAL) return;
    SelectObject(dc, g_app.sampleFonts[0]);
    SetTextColor(dc, BlackOrWhiteOn(background));
    r.right -= VIEW_MARK_MARGIN;
    r.bottom -= VIEW_MARK_MARGIN;
    DrawTextA(dc, ColorVisionViewName(g_app.colorView), -1, &r,
              DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
}

// Objects selected here stay selected: EndPaint releases the DC with them.
static void PaintPreview(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    COLORREF background = PaintedColor(SLOT_BACKGROUND);
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    // Text is drawn opaque, each cell filled with the background.
    SetBkColor(dc, background);
    if (g_app.pickMode == PICK_ACTIVE)
        DrawPickPrompt(dc, r);
    else
        DrawSampleTexts(dc, r);
    DrawViewMark(dc, r, background);
    EndPaint(window, &ps);
}

// Paints, then hands every message on; after EndPaint the update region is
// empty, so the static's own painting draws nothing over ours.
LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintPreview(window);
        break;
    }
    return CallWindowProcA((WNDPROC)g_app.previousPreviewProc, window, message, wParam, lParam);
}
