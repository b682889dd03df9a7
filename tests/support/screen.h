// Reading the screen, and putting plain colour on it: pixels and captures of
// what a program shows, and windows of one colour for a program to pick.
#ifndef PIKURIO_TESTS_SUPPORT_SCREEN_H
#define PIKURIO_TESTS_SUPPORT_SCREEN_H

#include <windows.h>

#include <string>
#include <vector>

// A colour or a mask as six hex digits or more: "0x123456".
std::string Hex(unsigned long value);

// One pixel, the least a reader of the screen does: GetDC, GetPixel, ReleaseDC.
COLORREF ScreenPixel(int x, int y);
// Screen position of a point given in a window's client coordinates.
POINT ClientToScreenPoint(HWND window, int x, int y);

// A copy of a screen rectangle taken at once (one BitBlt), so that a check
// reads one consistent frame; pixels are addressed relative to the rectangle.
class ScreenCapture {
public:
    ScreenCapture(int x, int y, int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;  // CLR_INVALID outside the rectangle
    bool operator==(const ScreenCapture& other) const {
        return width_ == other.width_ && pixels_ == other.pixels_;
    }

private:
    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};
// The client area of a window, in client coordinates.
ScreenCapture CaptureClient(HWND window);

// A plain top-level window of the test's own, filled with one colour; it is
// placed at the given screen rectangle and destroyed with the object.
class ColorWindow {
public:
    ColorWindow(COLORREF color, int x, int y, int width, int height);
    ~ColorWindow();
    ColorWindow(const ColorWindow&) = delete;
    ColorWindow& operator=(const ColorWindow&) = delete;
    HWND Handle() const { return window_; }
    void SetColor(COLORREF color);

private:
    HWND window_;
    HBRUSH brush_;
};

#endif
