#include "tests/support/screen.h"

#include <stdint.h>
#include <stdio.h>

#include <stdexcept>

#include "tests/support/wait.h"

std::string Hex(unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", value);
    return text;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

ScreenCapture::ScreenCapture(int x, int y, int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_((size_t)width_ * height_, CLR_INVALID) {
    if (pixels_.empty()) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, x, y, SRCCOPY);
        GdiFlush();
        const uint32_t* row = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i) {
            uint32_t p = row[i];  // 0x00RRGGBB in a 32-bit DIB
            pixels_[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[(size_t)y * width_ + x];
}

ScreenCapture CaptureClient(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetClientRect(window, &r);
    POINT origin = ClientToScreenPoint(window, 0, 0);
    return ScreenCapture(origin.x, origin.y, r.right, r.bottom);
}

Ink FindInk(const ScreenCapture& shot, int top, int bottom, const InkTest& isInk, int left,
            int right) {
    Ink ink;
    for (int y = top; y < bottom && y < shot.Height(); ++y)
        for (int x = left; x < right && x < shot.Width(); ++x) {
            if (!isInk(shot.At(x, y))) continue;
            if (ink.count == 0) {
                ink.left = ink.right = x;
                ink.top = ink.bottom = y;
            }
            ink.left = x < ink.left ? x : ink.left;
            ink.right = x > ink.right ? x : ink.right;
            ink.top = y < ink.top ? y : ink.top;
            ink.bottom = y > ink.bottom ? y : ink.bottom;
            ++ink.count;
        }
    return ink;
}

InkTest ColorIs(COLORREF color) {
    return [color](COLORREF c) { return c == color; };
}

InkTest ColorIsNot(COLORREF color) {
    return [color](COLORREF c) { return c != color && c != CLR_INVALID; };
}

static const char COLOR_WINDOW_CLASS[] = "PikurioTestColor";

static LRESULT CALLBACK ColorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        FillRect((HDC)wParam, &r, (HBRUSH)GetWindowLongPtrA(window, GWLP_USERDATA));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ColorWindow::ColorWindow(COLORREF color, int x, int y, int width, int height)
    : window_(nullptr), brush_(CreateSolidBrush(color)) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ColorWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = COLOR_WINDOW_CLASS;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, COLOR_WINDOW_CLASS, "color", WS_POPUP, x, y, width,
                              height, nullptr, nullptr, windowClass.hInstance, nullptr);
    // Nothing the test does can go on without it; GoogleTest reports the throw.
    if (!window_) {
        DeleteObject(brush_);
        throw std::runtime_error("could not create the colour window");
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)brush_);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    Settle(100);
}

ColorWindow::~ColorWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
    Settle(50);
}

void ColorWindow::SetColor(COLORREF color) {
    HBRUSH old = brush_;
    brush_ = CreateSolidBrush(color);
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)brush_);
    DeleteObject(old);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    Settle(100);
}
