// The preview panel, read back from the screen: the background, the three
// sample texts in their colours, bands and sizes, the cut of long texts,
// repaints after edits, and the pick-mode prompt.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF SAMPLE_COLORS[3] = {RED, GREEN, BLUE};

// Each sample text owns a band of 40 rows starting at y = 4 + 40 k.
const int BAND_TOP = 4;
const int BAND_HEIGHT = 40;
const int TEXT_LEFT = 4;
const int LARGE_FONT_HEIGHT = 28;

// The bounding box of the pixels that a predicate calls ink.
struct Ink {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
    int count = 0;
    int Height() const { return count ? bottom - top + 1 : 0; }
};

Ink FindInk(const ScreenCapture& shot, int top, int bottom,
            const std::function<bool(COLORREF)>& isInk) {
    Ink ink;
    for (int y = top; y < bottom && y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
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

std::function<bool(COLORREF)> Is(COLORREF color) {
    return [color](COLORREF c) { return c == color; };
}

std::function<bool(COLORREF)> IsNot(COLORREF color) {
    return [color](COLORREF c) { return c != color && c != CLR_INVALID; };
}

int BandTop(int k) { return BAND_TOP + BAND_HEIGHT * k; }

// Pixels of the exact colour in sample band k.
Ink ColorInBand(const ScreenCapture& shot, int k, COLORREF color) {
    return FindInk(shot, BandTop(k), BandTop(k) + BAND_HEIGHT, Is(color));
}

// Everything that is not background in sample band k (edges of smoothed glyphs included).
Ink InkInBand(const ScreenCapture& shot, int k, COLORREF background = WHITE) {
    return FindInk(shot, BandTop(k), BandTop(k) + BAND_HEIGHT, IsNot(background));
}

std::string DescribeInk(const Ink& ink) {
    if (!ink.count) return "no ink";
    return "x " + std::to_string(ink.left) + ".." + std::to_string(ink.right) + ", y " +
           std::to_string(ink.top) + ".." + std::to_string(ink.bottom) + " (" +
           std::to_string(ink.count) + " px)";
}

// Each sample in its own colour inside its own band, and nothing of it elsewhere.
bool SamplesShown(const ScreenCapture& shot) {
    for (int k = 0; k < 3; ++k)
        for (int other = 0; other < 3; ++other) {
            Ink ink = ColorInBand(shot, k, SAMPLE_COLORS[other]);
            if ((other == k) != (ink.count > 0)) return false;
        }
    return true;
}

HWND Preview(const Pikurio& app) { return app.Item(IDC_PREVIEW); }

// Polls the panel until the check holds; returns the last capture either way.
ScreenCapture WaitForPanel(const Pikurio& app,
                           const std::function<bool(const ScreenCapture&)>& check,
                           DWORD timeoutMs = 3000) {
    ScreenCapture shot = CaptureClient(Preview(app));
    WaitUntil(
        [&] {
            shot = CaptureClient(Preview(app));
            return check(shot);
        },
        timeoutMs);
    return shot;
}

// The width of a text's first bytes in the large sample font, as the program makes it.
int LargeTextWidth(const std::string& text, int length) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-LARGE_FONT_HEIGHT, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             "ＭＳ ゴシック");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen, text.c_str(), length, &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

}  // namespace

TEST_CASE(first_paint_shows_three_samples_on_white_in_their_bands_and_sizes) {
    Pikurio app;
    ScreenCapture shot = WaitForPanel(app, SamplesShown);
    REQUIRE("panel size", shot.Width() > 100 && shot.Height() > 3 * BAND_HEIGHT + BAND_TOP);

    CHECK("each text in its own colour, in its own band alone", SamplesShown(shot));
    int heights[3];
    for (int k = 0; k < 3; ++k) {
        Ink ink = InkInBand(shot, k);
        CHECK("text " + std::to_string(k + 1) + " drawn from x 4..8, ink " + DescribeInk(ink),
              ink.left >= TEXT_LEFT && ink.left <= TEXT_LEFT + 4);
        heights[k] = ink.Height();
    }
    CHECK("ink heights large > medium > small: " + std::to_string(heights[0]) + ", " +
              std::to_string(heights[1]) + ", " + std::to_string(heights[2]),
          heights[0] > heights[1] && heights[1] > heights[2]);

    // White wherever no text is: the four corners and everything below the bands.
    int w = shot.Width(), h = shot.Height();
    const POINT corners[4] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    for (const POINT& p : corners)
        CHECK_EQ("background at (" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")",
                 Hex(WHITE), Hex(shot.At(p.x, p.y)));
    Ink below = FindInk(shot, BandTop(3), h, IsNot(WHITE));
    CHECK_EQ("nothing but white below the third band, found " + DescribeInk(below), 0, below.count);
}

TEST_CASE(empty_sample_text_leaves_its_band_empty_and_the_others_in_place) {
    Pikurio app;
    ScreenCapture before = WaitForPanel(app, SamplesShown);
    Ink red = InkInBand(before, 0), blue = InkInBand(before, 2);

    app.SetText(IDC_TEXT2, "");
    ScreenCapture after =
        WaitForPanel(app, [](const ScreenCapture& s) { return InkInBand(s, 1).count == 0; });
    Ink middle = InkInBand(after, 1);
    CHECK_EQ("band 2 is empty after clearing text 2, found " + DescribeInk(middle), 0,
             middle.count);
    CHECK_EQ("no green anywhere", 0, FindInk(after, 0, after.Height(), Is(GREEN)).count);
    Ink red2 = InkInBand(after, 0), blue2 = InkInBand(after, 2);
    CHECK_EQ("text 1 stays in place", DescribeInk(red), DescribeInk(red2));
    CHECK_EQ("text 3 stays in place", DescribeInk(blue), DescribeInk(blue2));
    CHECK("text 1 still red and text 3 still blue",
          ColorInBand(after, 0, RED).count > 0 && ColorInBand(after, 2, BLUE).count > 0);

    // Text 2 comes back where it was.
    app.SetText(IDC_TEXT2, TEXT_SAMPLE2);
    ScreenCapture back = WaitForPanel(app, SamplesShown);
    CHECK_EQ("text 2 back in band 2", DescribeInk(InkInBand(before, 1)),
             DescribeInk(InkInBand(back, 1)));
}

// Byte offsets where the characters of a Shift-JIS text end.
std::vector<int> CharacterEnds(const std::string& text) {
    std::vector<int> ends;
    for (size_t i = 0; i < text.size();) {
        i += IsDBCSLeadByteEx(932, (BYTE)text[i]) && i + 1 < text.size() ? 2 : 1;
        ends.push_back((int)i);
    }
    return ends;
}

// A text too wide for the panel is cut at the right, a whole character at a
// time, until it is narrower than the panel width minus 2. Each text here
// ends its kept part well short of the panel's edge, so a cut shows apart
// from the panel's own clipping.
TEST_CASE(long_sample_text_is_cut_at_a_whole_character) {
    std::string kana;  // 62 bytes, all that is read
    for (int i = 0; i < 31; ++i) kana += "あ";
    const struct {
        const char* name;
        std::string text;
    } rows[] = {
        // Half-width W cut one byte at a time, then one double-byte character whole.
        {"W, one double-byte, more W", std::string(17, 'W') + "あ" + std::string(20, 'W')},
        // Double-byte characters after one odd byte: a cut by bytes would split one.
        // (Double-byte characters alone can end right at the panel's edge, where
        // clipping would look like a cut.)
        {"W then double-byte", "W" + kana.substr(0, 60)},
    };

    Pikurio app;
    WaitForPanel(app, SamplesShown);
    RECT client;
    GetClientRect(Preview(app), &client);
    const int width = client.right;
    for (const auto& row : rows) {
        std::string step = row.name;
        // The longest whole-character head narrower than width - 2, and the one before it.
        std::vector<int> ends = CharacterEnds(row.text);
        size_t n = 0;
        while (n < ends.size() && LargeTextWidth(row.text, ends[n]) < width - 2) ++n;
        REQUIRE(step + ": the text is wider than the panel", n >= 2 && n < ends.size());
        int keptWidth = LargeTextWidth(row.text, ends[n - 1]);
        int shorterWidth = LargeTextWidth(row.text, ends[n - 2]);
        REQUIRE(step + ": kept width " + std::to_string(keptWidth) + " ends short of the edge " +
                    std::to_string(width),
                TEXT_LEFT + keptWidth < width - 2);

        app.SetText(IDC_TEXT1, row.text.c_str());
        ScreenCapture shot = WaitForPanel(app, [&](const ScreenCapture& s) {
            Ink ink = InkInBand(s, 0);
            return ink.count && ink.right > TEXT_LEFT + shorterWidth;
        });
        Ink ink = InkInBand(shot, 0);
        std::string kept =
            std::to_string(n) + " characters (" + std::to_string(ends[n - 1]) + " bytes)";
        CHECK(step + ": ink ends within " + kept + ", before x " +
                  std::to_string(TEXT_LEFT + keptWidth) + "; ink " + DescribeInk(ink),
              ink.right < TEXT_LEFT + keptWidth);
        CHECK(step + ": the last of " + kept + " is drawn, ink beyond x " +
                  std::to_string(TEXT_LEFT + shorterWidth) + "; ink " + DescribeInk(ink),
              ink.right > TEXT_LEFT + shorterWidth);
        CHECK(step + ": still red", ColorInBand(shot, 0, RED).count > 0);
        CHECK(step + ": texts 2 and 3 unchanged", SamplesShown(shot));
    }
}

// Colour and size edits repaint the panel at once.
TEST_CASE(colour_and_size_changes_repaint_the_preview) {
    Pikurio app;
    WaitForPanel(app, SamplesShown);

    // The background, typed by hand: red 00 makes it cyan.
    const COLORREF cyan = RGB(0, 255, 255);
    app.Activate();
    app.TypeInto(IDC_R_HEX, "00");
    ScreenCapture shot = WaitForPanel(app, [&](const ScreenCapture& s) {
        return s.At(s.Width() - 2, s.Height() - 2) == cyan;
    });
    CHECK_EQ("background after typing red 00", Hex(cyan),
             Hex(shot.At(shot.Width() - 2, shot.Height() - 2)));
    CHECK_EQ("top-left corner too", Hex(cyan), Hex(shot.At(0, 0)));
    CHECK("text 1 still red on cyan", ColorInBand(shot, 0, RED).count > 0);
    CHECK_EQ("no white left", 0, FindInk(shot, 0, shot.Height(), Is(WHITE)).count);

    // Text 1's colour: select it as the target, then set green to 80.
    const COLORREF orange = RGB(255, 0x80, 0);
    app.SelectCombo(IDC_TARGET, 1);
    CHECK_EQ("channels show text 1's red", std::string("FF"), app.Text(IDC_R_HEX));
    app.SetText(IDC_G_HEX, "80");
    shot = WaitForPanel(app, [&](const ScreenCapture& s) {
        return ColorInBand(s, 0, orange).count > 0;
    });
    CHECK("text 1 in #FF8000, found " + DescribeInk(ColorInBand(shot, 0, orange)),
          ColorInBand(shot, 0, orange).count >= 10);
    CHECK_EQ("no pure red left", 0, FindInk(shot, 0, shot.Height(), Is(RED)).count);
    CHECK_EQ("background unchanged", Hex(cyan), Hex(shot.At(shot.Width() - 2, shot.Height() - 2)));

    // Text 1 made small: as tall as text 3, which is small too.
    int large = InkInBand(shot, 0, cyan).Height();
    int small = InkInBand(shot, 2, cyan).Height();
    app.SelectCombo(IDC_SIZE1, 2);
    shot = WaitForPanel(app, [&](const ScreenCapture& s) {
        return InkInBand(s, 0, cyan).Height() < large;
    });
    int now = InkInBand(shot, 0, cyan).Height();
    CHECK("text 1 shrinks after choosing small: " + std::to_string(large) + " -> " +
              std::to_string(now),
          now < large);
    CHECK("small text 1 as tall as text 3: " + std::to_string(now) + " vs " + std::to_string(small),
          now >= small - 1 && now <= small + 1);
    CHECK("still #FF8000 after the size change", ColorInBand(shot, 0, orange).count > 0);
}

TEST_CASE(pick_mode_shows_a_centred_prompt_until_the_click) {
    Pikurio app;
    WaitForPanel(app, SamplesShown);
    app.ClickItem(IDC_PICK);

    auto promptShown = [](const ScreenCapture& s) {
        return !SamplesShown(s) && FindInk(s, 0, s.Height(), Is(RED)).count > 0;
    };
    ScreenCapture shot = WaitForPanel(app, promptShown);
    int w = shot.Width(), h = shot.Height();
    Ink prompt = FindInk(shot, 0, h, IsNot(WHITE));
    Ink red = FindInk(shot, 0, h, Is(RED));
    CHECK("prompt in text 1's red, found " + DescribeInk(red), red.count >= 10);
    CHECK_EQ("no green sample", 0, FindInk(shot, 0, h, Is(GREEN)).count);
    CHECK_EQ("no blue sample", 0, FindInk(shot, 0, h, Is(BLUE)).count);
    int leftMargin = prompt.left, rightMargin = w - 1 - prompt.right;
    CHECK("prompt centred across: margins " + std::to_string(leftMargin) + " and " +
              std::to_string(rightMargin) + ", ink " + DescribeInk(prompt),
          abs(leftMargin - rightMargin) <= 3);
    int topMargin = prompt.top, bottomMargin = h - 1 - prompt.bottom;
    CHECK("prompt centred down: margins " + std::to_string(topMargin) + " and " +
              std::to_string(bottomMargin),
          abs(topMargin - bottomMargin) <= 6);
    // Two lines of 16-pixel text, not one.
    CHECK("two lines high, ink " + DescribeInk(prompt), prompt.Height() > 24);

    // A click on the panel's white corner takes white for the background and ends the mode.
    POINT corner = ClientToScreenPoint(Preview(app), w - 3, h - 3);
    ClickAt(corner.x, corner.y);
    shot = WaitForPanel(app, SamplesShown);
    CHECK("sample texts back after the click", SamplesShown(shot));
    CHECK_EQ("background still white", Hex(WHITE), Hex(shot.At(w - 2, h - 2)));
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    bool released = WaitUntil(
        [&] { return GetGUIThreadInfo(app.ThreadId(), &info) && info.hwndCapture == nullptr; },
        3000);
    CHECK("the mouse capture is released after the click", released);
}
