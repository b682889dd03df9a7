// Reading the screen, and putting plain colour on it: pixels and captures of
// what a program shows, and windows of one colour for a program to pick.
#ifndef PIKURIO_TESTS_SUPPORT_SCREEN_H
#define PIKURIO_TESTS_SUPPORT_SCREEN_H

#include <windows.h>

#include <limits.h>

#include <functional>
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

// The pixels of a capture that a test counts as ink, in rows [top, bottom)
// and columns [left, right): how many, and the box that bounds them.
struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
    int count = 0;
    int Height() const { return count ? bottom - top + 1 : 0; }
};
using InkTest = std::function<bool(COLORREF)>;
Ink FindInk(const ScreenCapture& shot, int top, int bottom, const InkTest& isInk, int left = 0,
            int right = INT_MAX);
InkTest ColorIs(COLORREF color);
InkTest ColorIsNot(COLORREF color);  // nor outside the capture

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
