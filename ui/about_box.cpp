#include "ui/about_box.h"

#include <shellapi.h>
#include <string.h>

#include "core/text_format.h"
#include "res/strings.h"

// An empty, visible popup with a caption and no controls; sized at run time.
#pragma pack(push, 2)
struct AboutTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD caption;
};
#pragma pack(pop)

alignas(4) static const AboutTemplate ABOUT_TEMPLATE = {
    {WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 0, 0}, 0, 0, 0};

enum {
    MIN_BOX_WIDTH = 300,
    TITLE_MARGIN = 120,
    CLIENT_HEIGHT = 139,
    TITLE_FONT_HEIGHT = 24,
    LINK_FONT_HEIGHT = 14,
    TEXT_LEFT = 5,
    VERSION_TOP = 49,
    COPYRIGHT_TOP = 67,
    ROWS_TOP = 85,
    ROW_STEP = 18,
    LINK_HEIGHT = 14,
    BAND_FIRST = 2,
    BAND_LAST = 41,
    BAND_STEP = 3,
};

static const COLORREF BAND_COLOR = 0xFFFFA0;
static const COLORREF LINK_COLOR = 0xFF0000;
static const COLORREF TEXT_COLOR = 0x000000;
static const COLORREF BOX_BACKGROUND = 0xFFFFFF;
static const char LABEL_HOME[] = "[Home]";
static const char LABEL_MAIL[] = "[Mail]";
enum { LABEL_LENGTH = 6 };

struct ContactRow {
    const char* label;
    const char* value;
    COLORREF color;
};
static const ContactRow CONTACT_ROWS[] = {
    {LABEL_HOME, APP_HOME_URL, LINK_COLOR},
    {LABEL_MAIL, APP_MAIL, TEXT_COLOR},
};

// What the open box keeps; there is only ever one About box. The fonts and
// the pen are made at initialisation and deleted when the box closes.
static const AboutInfo* s_info;
static HFONT s_titleFont;
static HFONT s_linkFont;
static HPEN s_bandPen;
static int s_clientWidth;
static RECT s_linkRect;
static int s_labelWidth;

void ShowAboutBox(HINSTANCE instance, const char* title, const char* version, const char* holder) {
    // Without an owner to disable, the version button stays live; a second box
    // would take over the first one's drawing objects.
    if (s_info) return;
    AboutInfo info = {title, version, holder};
    DialogBoxIndirectParamA(instance, &ABOUT_TEMPLATE.header, GetFocus(), AboutDlgProc,
                            (LPARAM)&info);
}

// Width of text in the DC's font, or the estimate when measuring fails.
static int MeasureOrEstimate(HDC dc, const char* text, int estimateHeight) {
    int length = (int)strlen(text);
    SIZE size;
    if (GetTextExtentPoint32A(dc, text, length, &size)) return size.cx;
    return (length + 1) / 2 * estimateHeight;
}

static HFONT CreateAboutFont(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                       face);
}

// Sizes the box to its title, centres it on the primary display and measures
// the link.
static void InitAboutBox(HWND dialog, const AboutInfo* info) {
    s_info = info;
    HDC dc = GetDC(dialog);
    s_titleFont = CreateAboutFont(TITLE_FONT_HEIGHT, FW_BOLD, "ＭＳ Ｐゴシック");
    SelectObject(dc, s_titleFont);
    int width = MeasureOrEstimate(dc, info->title, TITLE_FONT_HEIGHT) + TITLE_MARGIN;
    if (width < MIN_BOX_WIDTH) width = MIN_BOX_WIDTH;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - CLIENT_HEIGHT) / 2, width,
                 GetSystemMetrics(SM_CYCAPTION) + CLIENT_HEIGHT, SWP_NOZORDER);
    s_clientWidth = width - 2 * GetSystemMetrics(SM_CXDLGFRAME);

    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SIZE labelSize;
    s_labelWidth =
        GetTextExtentPoint32A(dc, LABEL_HOME, LABEL_LENGTH, &labelSize) ? labelSize.cx : 0;
    s_linkFont = CreateAboutFont(LINK_FONT_HEIGHT, FW_DONTCARE, "Times New Roman");
    SelectObject(dc, s_linkFont);
    int urlWidth = MeasureOrEstimate(dc, APP_HOME_URL, LINK_FONT_HEIGHT);
    s_linkRect = {s_labelWidth + TEXT_LEFT, ROWS_TOP, s_labelWidth + TEXT_LEFT + urlWidth,
                  ROWS_TOP + LINK_HEIGHT};
    // Put the stock font back so the DC goes home without our font in it.
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    ReleaseDC(dialog, dc);

    s_bandPen = CreatePen(PS_SOLID, 1, BAND_COLOR);
    SetWindowTextA(dialog, TEXT_ABOUT_CAPTION);
}

static void DrawTextLine(HDC dc, int x, int y, const char* text) {
    TextOutA(dc, x, y, text, (int)strlen(text));
}

// Light bands behind a centred bold title, then the version, copyright and
// contact lines.
static void PaintAboutBox(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    SelectObject(dc, s_bandPen);
    for (int y = BAND_FIRST; y <= BAND_LAST; y += BAND_STEP) {
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, s_clientWidth, y);
    }
    SelectObject(dc, s_titleFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TEXT_COLOR);
    RECT titleRect = {TEXT_LEFT, 10, s_clientWidth - TEXT_LEFT, 44};
    DrawTextA(dc, s_info->title, -1, &titleRect, DT_CENTER);

    SetBkMode(dc, OPAQUE);
    SelectObject(dc, s_linkFont);
    char line[64];
    FormatText(line, sizeof line, "Version %.5s", s_info->version);
    DrawTextLine(dc, TEXT_LEFT, VERSION_TOP, line);
    FormatText(line, sizeof line, APP_COPYRIGHT "%.30s", s_info->holder);
    DrawTextLine(dc, TEXT_LEFT, COPYRIGHT_TOP, line);

    int y = ROWS_TOP;
    for (const ContactRow& row : CONTACT_ROWS) {
        SetTextColor(dc, TEXT_COLOR);
        SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        TextOutA(dc, TEXT_LEFT, y, row.label, LABEL_LENGTH);
        SetTextColor(dc, row.color);
        SelectObject(dc, s_linkFont);
        DrawTextLine(dc, s_labelWidth + TEXT_LEFT, y, row.value);
        y += ROW_STEP;
    }
    EndPaint(dialog, &ps);
}

// Opens the home page in the browser. shell32, and all it loads with it, is
// needed for nothing else, so it is loaded for the click and freed after.
static void OpenHomePage() {
    HMODULE shell = LoadLibraryA("shell32.dll");
    if (!shell) return;
    // decltype names ShellExecuteA's type without importing it; the cast goes
    // through void (*)(), which any function pointer converts to and from.
    auto shellExecute = reinterpret_cast<decltype(&ShellExecuteA)>(
        reinterpret_cast<void (*)()>(GetProcAddress(shell, "ShellExecuteA")));
    if (shellExecute)
        shellExecute(GetDesktopWindow(), "open", APP_HOME_URL, nullptr, nullptr, SW_SHOW);
    FreeLibrary(shell);
}

// Only the home-page value is a link: a hand over it, the browser on a click.
static void OnAboutMouse(UINT message, LPARAM lParam) {
    POINT point = {(LONG)LOWORD(lParam), (LONG)HIWORD(lParam)};
    if (!PtInRect(&s_linkRect, point)) return;
    if (message == WM_MOUSEMOVE)
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
    else
        OpenHomePage();
}

static void CloseAboutBox(HWND dialog) {
    DeleteObject(s_bandPen);
    DeleteObject(s_titleFont);
    DeleteObject(s_linkFont);
    s_bandPen = nullptr;
    s_titleFont = nullptr;
    s_linkFont = nullptr;
    s_info = nullptr;
    EndDialog(dialog, 0);
}

// Returns FALSE unless a message has a result.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitAboutBox(dialog, reinterpret_cast<const AboutInfo*>(lParam));
        return TRUE;
    case WM_CTLCOLORDLG:
        SetBkColor((HDC)wParam, BOX_BACKGROUND);
        return (INT_PTR)GetStockObject(WHITE_BRUSH);
    case WM_PAINT:
        PaintAboutBox(dialog);
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
        OnAboutMouse(message, lParam);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) CloseAboutBox(dialog);
        break;
    }
    return FALSE;
}
