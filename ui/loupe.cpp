#include "ui/loupe.h"

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/contrast.h"
#include "core/loupe_place.h"
#include "core/pixel_rules.h"

static const char LOUPE_CLASS[] = "PikurioLoupe";
// Each screen pixel shows as a square LOUPE_ZOOM wide; the squares fill the
// client area's top, and the code a band below them: a line of the dialog's
// 9-point font, which is 12 pixels for a program the system scales as a whole,
// with a margin above and below. WS_BORDER adds a pixel on every side.
enum {
    LOUPE_ZOOM = 8,
    LOUPE_SPAN = 2 * LOUPE_REACH + 1,
    LOUPE_SQUARES = LOUPE_SPAN * LOUPE_ZOOM,
    CENTER_SQUARE = LOUPE_REACH * LOUPE_ZOOM,
    CODE_BAND = 12 + 4,
    BORDERS = 2,
    LOUPE_WIDTH = LOUPE_SQUARES + BORDERS,
    LOUPE_HEIGHT = LOUPE_SQUARES + CODE_BAND + BORDERS
};
// Never activated: the activation going elsewhere would end pick mode.
static const DWORD LOUPE_EX_STYLE = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
static const DWORD LOUPE_STYLE = WS_POPUP | WS_BORDER;
// SetWindowDisplayAffinity's "exclude from capture", newer than the headers.
static const DWORD EXCLUDE_FROM_CAPTURE = 0x11;

typedef BOOL(WINAPI* SetAffinityFunction)(HWND, DWORD);
typedef BOOL(WINAPI* MapPointFunction)(HWND, POINT*);

// A function of user32 that older systems lack; null there. Returned as a
// function of no arguments, which converts to any other function type.
typedef void (*AnyFunction)();
static AnyFunction User32Function(const char* name) {
    return (AnyFunction)GetProcAddress(GetModuleHandleA("user32"), name);
}

// The screen's pixels around the read point as GDI copies them, then the
// centre square's frame on its own outer pixels, black or white, and the
// code, the window's own text, centred below them in the dialog's font. The
// font stays selected: the DC's owner gives it back with it.
static void DrawLoupe(HWND loupe, HDC dc) {
    HDC screen = GetDC(g_app.desktop);
    StretchBlt(dc, 0, 0, LOUPE_SQUARES, LOUPE_SQUARES, screen, g_app.loupeRead.x - LOUPE_REACH,
               g_app.loupeRead.y - LOUPE_REACH, LOUPE_SPAN, LOUPE_SPAN, SRCCOPY);
    ReleaseDC(g_app.desktop, screen);
    RECT r = {CENTER_SQUARE, CENTER_SQUARE, CENTER_SQUARE + LOUPE_ZOOM, CENTER_SQUARE + LOUPE_ZOOM};
    bool white = BlackOrWhiteOn(g_app.loupeColor) != 0;
    FrameRect(dc, &r, (HBRUSH)GetStockObject(white ? WHITE_BRUSH : BLACK_BRUSH));
    GetClientRect(loupe, &r);
    r.top = LOUPE_SQUARES;
    FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    char code[COPY_TEXT_SIZE];
    int length = GetWindowTextA(loupe, code, sizeof code);
    SelectObject(dc, (HFONT)SendMessageA(GetParent(loupe), WM_GETFONT, 0, 0));
    DrawTextA(dc, code, length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

static LRESULT CALLBACK LoupeProc(HWND loupe, UINT message, WPARAM wParam, LPARAM lParam) {
    PAINTSTRUCT paint;
    switch (message) {
    case WM_PAINT:
        DrawLoupe(loupe, BeginPaint(loupe, &paint));
        EndPaint(loupe, &paint);
        return 0;
    case WM_NCHITTEST:
        // Only to look at: a click goes to whatever lies below.
        return HTTRANSPARENT;
    }
    return DefWindowProcA(loupe, message, wParam, lParam);
}

// How the system scales the program's windows for the display, in per cent,
// as it maps the dialog's bottom-right corner: 100 where it does not map
// (before Windows 8.1) or does not scale.
static int WindowScale(HWND dialog) {
    MapPointFunction map =
        (MapPointFunction)User32Function("LogicalToPhysicalPointForPerMonitorDPI");
    RECT r;
    GetWindowRect(dialog, &r);
    POINT corner = {r.right, r.bottom};
    if (!map || r.right <= 0 || !map(dialog, &corner)) return 100;
    return (int)(corner.x * 100 / r.right);
}

// Made hidden, owned by the dialog so that it lies above the dialog, which
// is topmost in pick mode; its client area holds the squares and a line of
// the dialog's font. Where the system can, no screen read ever sees it.
static void CreateLoupe(HWND dialog) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = LoupeProc;
    windowClass.hInstance = g_app.instance;
    windowClass.lpszClassName = LOUPE_CLASS;
    RegisterClassA(&windowClass);
    g_app.loupe =
        CreateWindowExA(LOUPE_EX_STYLE, LOUPE_CLASS, nullptr, LOUPE_STYLE, 0, 0, LOUPE_WIDTH,
                        LOUPE_HEIGHT, dialog, nullptr, g_app.instance, nullptr);
    g_app.loupeScale = WindowScale(dialog);
    SetAffinityFunction setAffinity =
        (SetAffinityFunction)User32Function("SetWindowDisplayAffinity");
    if (setAffinity) setAffinity(g_app.loupe, EXCLUDE_FROM_CAPTURE);
}

void FollowWithLoupe(HWND dialog, const PointerPixel& pixel) {
    if (!g_app.loupe) CreateLoupe(dialog);
    HWND loupe = g_app.loupe;
    g_app.loupeRead = pixel.at;
    g_app.loupeColor = PixelToColorRef(pixel.rgb);
    SetWindowTextA(loupe, FormatChannelTexts(0, pixel.rgb >> 16, pixel.rgb >> 8, pixel.rgb).Code());
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(pixel.pointer, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT place = PlaceLoupe(pixel.pointer, pixel.at, LOUPE_WIDTH, LOUPE_HEIGHT, monitor.rcMonitor,
                            g_app.loupeScale);
    SetWindowPos(loupe, HWND_TOPMOST, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Painted now rather than at the next WM_PAINT, which the thread would
    // take only when idle: the squares follow the pointer. What the move
    // left to paint is painted with it, so nothing is left invalid.
    HDC dc = GetDC(loupe);
    DrawLoupe(loupe, dc);
    ReleaseDC(loupe, dc);
    ValidateRect(loupe, nullptr);
}

void HideLoupe() {
    if (g_app.loupe)
        SetWindowPos(g_app.loupe, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

// On the dialog's close path.
void DestroyLoupe() {
    if (g_app.loupe) DestroyWindow(g_app.loupe);
    g_app.loupe = nullptr;
}
