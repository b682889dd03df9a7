// Pick mode's loupe from outside: the pixels around the one a pick takes,
// eight times as large, the centre's frame and code, where the loupe lies,
// how it follows the arrow keys, and when it goes.
#include <windows.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

// A grey field, away from the dialog at the top left corner, with single
// pixels of their own colours at its middle, right of it, and five up and
// left of it: the loupe's centre, its neighbour and its top-left corner.
const int FIELD_X = 600, FIELD_Y = 400, MID_X = FIELD_X + 100, MID_Y = FIELD_Y + 100;
const COLORREF FIELD = RGB(0x40, 0x40, 0x40), DARK = RGB(0x20, 0x10, 0x60),
               LIGHT = RGB(0xF0, 0xE0, 0x80), CORNER = RGB(0xC0, 0x80, 0x00);
const COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0);
// Each pixel is a square of 8 by 8; the centre's is the sixth of eleven.
const int SQUARE = 8, SQUARES = 11 * SQUARE, CENTER = 5 * SQUARE;

COLORREF Square(const ScreenCapture& shot, int column, int row) {
    return shot.At(column * SQUARE + SQUARE / 2, row * SQUARE + SQUARE / 2);
}

// The middle row around the centre, read at once: the squares left and right
// of it, and in brackets the centre's frame and inside.
std::string MiddleRow(HWND loupe) {
    ScreenCapture shot = CaptureClient(loupe);
    return Hex(Square(shot, 4, 5)) + " [" + Hex(shot.At(CENTER, CENTER)) + " " +
           Hex(Square(shot, 5, 5)) + "] " + Hex(Square(shot, 6, 5));
}

std::string Row(COLORREF left, COLORREF frame, COLORREF center, COLORREF right) {
    return Hex(left) + " [" + Hex(frame) + " " + Hex(center) + "] " + Hex(right);
}

std::string Corner(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    return PointText(r.left, r.top);
}

}  // namespace

using Loupe = PikurioTest;

TEST_F(Loupe, shows_the_pixels_around_the_one_a_pick_takes_and_follows_an_arrow_key) {
    ColorWindow field(FIELD, FIELD_X, FIELD_Y, 200, 200);
    ColorWindow middle(DARK, MID_X, MID_Y, 1, 1);
    ColorWindow right(LIGHT, MID_X + 1, MID_Y, 1, 1);
    ColorWindow corner(CORNER, MID_X - 5, MID_Y - 5, 1, 1);
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(MID_X, MID_Y);
    ASSERT_SOON(ColorCode(DARK), LoupeText(app)) << "the loupe's text: the code under the pointer";
    HWND loupe = ShownLoupe(app);
    // On the dark centre the frame is white; its inside keeps the colour.
    ASSERT_SOON(Row(FIELD, WHITE, DARK, LIGHT), MiddleRow(loupe)) << "the squares at the pointer";
    ScreenCapture shot = CaptureClient(loupe);
    EXPECT_EQ(Hex(CORNER), Hex(Square(shot, 0, 0))) << "top-left square: 5 up and left";
    Ink code = FindInk(shot, SQUARES, shot.Height(), ColorIsNot(WHITE));
    EXPECT_GT(code.count, 20) << "the code's ink below the squares";
    EXPECT_EQ(PointText(MID_X + 20, MID_Y + 20), Corner(loupe)) << "20 right of and below";
    EXPECT_EQ(app.Dialog(), CaptureOf(app)) << "pick mode still waits with the loupe shown";

    // One pixel right: the loupe and its centre move with the pointer; on the
    // light centre the frame is black.
    PressKey(VK_RIGHT);
    EXPECT_SOON(ColorCode(LIGHT), LoupeText(app)) << "the code after Right";
    EXPECT_SOON(Row(DARK, BLACK, LIGHT, FIELD), MiddleRow(loupe)) << "the squares after Right";
    EXPECT_EQ(PointText(MID_X + 21, MID_Y + 20), Corner(loupe)) << "the loupe after Right";

    // Where below right would pass the screen's right edge, it lies below
    // left: its width (the squares and a border pixel each side) and the gap
    // left of the pointer.
    MoveMouseTo(1000, 300);
    EXPECT_SOON(PointText(1000 - 20 - (SQUARES + 2), 320), Corner(loupe)) << "at the right edge";
    MoveMouseTo(MID_X + 1, MID_Y);
    ASSERT_SOON(ColorCode(LIGHT), LoupeText(app)) << "back on the light pixel";
    PressKey(VK_RETURN);
    EXPECT_SOON(ColorCode(LIGHT), app.Text(IDC_CODE)) << "Enter takes the loupe's code";
    EXPECT_SOON(nullptr, ShownLoupe(app)) << "gone after Enter";
}

TEST_F(Loupe, goes_at_a_deactivation_and_comes_back_with_the_next_pick_mode) {
    ColorWindow other(RGB(0x80, 0x80, 0x80), 700, 100, 100, 100);
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(600, 500);
    ASSERT_SOON(true, ShownLoupe(app) != nullptr) << "shown in pick mode";
    SetForegroundWindow(other.Handle());
    EXPECT_SOON(nullptr, ShownLoupe(app)) << "gone after a deactivation";
    ASSERT_TRUE(app.PressPick());
    ASSERT_SOON(true, ShownLoupe(app) != nullptr) << "back with the next pick mode";
    MouseButton(false, true);
    EXPECT_SOON(nullptr, ShownLoupe(app)) << "gone at the press that picks, before the release";
    MouseButton(false, false);
}
