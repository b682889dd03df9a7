// The preview panel, read back from the screen: the background, the three
// sample texts in their colours, bands and sizes, the cut of long texts,
// repaints after edits, the pick-mode prompt, and the contrast tooltip.
#include <windows.h>

#include <string.h>

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

int BandTop(int k) { return BAND_TOP + BAND_HEIGHT * k; }

// Pixels of the exact colour in sample band k.
Ink ColorInBand(const ScreenCapture& shot, int k, COLORREF color) {
    return FindInk(shot, BandTop(k), BandTop(k) + BAND_HEIGHT, ColorIs(color));
}

// Everything that is not background in sample band k (edges of smoothed glyphs included).
Ink InkInBand(const ScreenCapture& shot, int k, COLORREF background = WHITE) {
    return FindInk(shot, BandTop(k), BandTop(k) + BAND_HEIGHT, ColorIsNot(background));
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

HWND PanelOf(const Pikurio& app) { return app.Item(IDC_PREVIEW); }
ScreenCapture Panel(const Pikurio& app) { return CaptureClient(PanelOf(app)); }
// The background, read where no text reaches: the bottom right corner.
std::string BackgroundOf(const ScreenCapture& s) {
    return Hex(s.At(s.Width() - 2, s.Height() - 2));
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

using Preview = PikurioTest;

TEST_F(Preview, first_paint_shows_three_samples_on_white_in_their_bands_and_sizes) {
    EXPECT_SOON(true, SamplesShown(Panel(app)))
        << "each text in its own colour, in its own band alone";
    ScreenCapture shot = Panel(app);
    ASSERT_TRUE(shot.Width() > 100 && shot.Height() > 3 * BAND_HEIGHT + BAND_TOP)
        << "panel size " << shot.Width() << "x" << shot.Height();
    int heights[3];
    for (int k = 0; k < 3; ++k) {
        Ink ink = InkInBand(shot, k);
        EXPECT_TRUE(ink.left >= TEXT_LEFT && ink.left <= TEXT_LEFT + 4)
            << "text " << k + 1 << " drawn from x 4..8, ink " << DescribeInk(ink);
        heights[k] = ink.Height();
    }
    EXPECT_TRUE(heights[0] > heights[1] && heights[1] > heights[2])
        << "ink heights large > medium > small: " << heights[0] << ", " << heights[1] << ", "
        << heights[2];

    // White wherever no text is: the four corners and everything below the bands.
    int w = shot.Width(), h = shot.Height();
    const POINT corners[4] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    for (const POINT& p : corners)
        EXPECT_EQ(Hex(WHITE), Hex(shot.At(p.x, p.y))) << "background at " << p.x << ", " << p.y;
    Ink below = FindInk(shot, BandTop(3), h, ColorIsNot(WHITE));
    EXPECT_EQ(0, below.count) << "nothing but white below the third band, found "
                              << DescribeInk(below);
}

TEST_F(Preview, empty_sample_text_leaves_its_band_empty_and_the_others_in_place) {
    ASSERT_SOON(true, SamplesShown(Panel(app))) << "the samples before the edit";
    ScreenCapture before = Panel(app);
    Ink red = InkInBand(before, 0), blue = InkInBand(before, 2);

    app.SetText(IDC_TEXT2, "");
    EXPECT_SOON("no ink", DescribeInk(InkInBand(Panel(app), 1)))
        << "band 2 is empty after clearing text 2";
    ScreenCapture after = Panel(app);
    EXPECT_EQ(0, FindInk(after, 0, after.Height(), ColorIs(GREEN)).count) << "no green anywhere";
    EXPECT_EQ(DescribeInk(red), DescribeInk(InkInBand(after, 0))) << "text 1 stays in place";
    EXPECT_EQ(DescribeInk(blue), DescribeInk(InkInBand(after, 2))) << "text 3 stays in place";
    EXPECT_TRUE(ColorInBand(after, 0, RED).count > 0 && ColorInBand(after, 2, BLUE).count > 0)
        << "text 1 still red and text 3 still blue";

    // Text 2 comes back where it was.
    app.SetText(IDC_TEXT2, TEXT_SAMPLE2);
    EXPECT_SOON(DescribeInk(InkInBand(before, 1)), DescribeInk(InkInBand(Panel(app), 1)))
        << "text 2 back in band 2";
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
TEST_F(Preview, long_sample_text_is_cut_at_a_whole_character) {
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

    ASSERT_SOON(true, SamplesShown(Panel(app))) << "the samples before the edits";
    RECT client;
    GetClientRect(PanelOf(app), &client);
    const int width = client.right;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // The longest whole-character head narrower than width - 2, and the one before it.
        std::vector<int> ends = CharacterEnds(row.text);
        size_t n = 0;
        while (n < ends.size() && LargeTextWidth(row.text, ends[n]) < width - 2) ++n;
        ASSERT_TRUE(n >= 2 && n < ends.size()) << "the text is wider than the panel";
        int keptWidth = LargeTextWidth(row.text, ends[n - 1]);
        int shorterWidth = LargeTextWidth(row.text, ends[n - 2]);
        ASSERT_LT(TEXT_LEFT + keptWidth, width - 2) << "the kept part ends short of the edge";

        std::string kept =
            std::to_string(n) + " characters (" + std::to_string(ends[n - 1]) + " bytes)";
        app.SetText(IDC_TEXT1, row.text.c_str());
        EXPECT_SOON(true, InkInBand(Panel(app), 0).right > TEXT_LEFT + shorterWidth)
            << "the last of " << kept << " is drawn; ink " << DescribeInk(InkInBand(Panel(app), 0));
        ScreenCapture shot = Panel(app);
        Ink ink = InkInBand(shot, 0);
        EXPECT_LT(ink.right, TEXT_LEFT + keptWidth)
            << "ink ends within " << kept << "; ink " << DescribeInk(ink);
        EXPECT_GT(ColorInBand(shot, 0, RED).count, 0) << "still red";
        EXPECT_TRUE(SamplesShown(shot)) << "texts 2 and 3 unchanged";
    }
}

// Colour and size edits repaint the panel at once.
TEST_F(Preview, colour_and_size_changes_repaint_the_preview) {
    ASSERT_SOON(true, SamplesShown(Panel(app))) << "the samples before the edits";

    // The background, typed by hand: red 00 makes it cyan.
    const COLORREF cyan = RGB(0, 255, 255);
    app.Activate();
    app.TypeInto(IDC_R_HEX, "00");
    EXPECT_SOON(Hex(cyan), BackgroundOf(Panel(app))) << "background after typing red 00";
    ScreenCapture shot = Panel(app);
    EXPECT_EQ(Hex(cyan), Hex(shot.At(0, 0))) << "top-left corner too";
    EXPECT_GT(ColorInBand(shot, 0, RED).count, 0) << "text 1 still red on cyan";
    EXPECT_EQ(0, FindInk(shot, 0, shot.Height(), ColorIs(WHITE)).count) << "no white left";

    // Text 1's colour: select it as the target, then set green to 80.
    const COLORREF orange = RGB(255, 0x80, 0);
    app.SelectCombo(IDC_TARGET, 1);
    EXPECT_EQ("FF", app.Text(IDC_R_HEX)) << "channels show text 1's red";
    app.SetText(IDC_G_HEX, "80");
    EXPECT_SOON(true, ColorInBand(Panel(app), 0, orange).count >= 10) << "text 1 in #FF8000";
    shot = Panel(app);
    EXPECT_EQ(0, FindInk(shot, 0, shot.Height(), ColorIs(RED)).count) << "no pure red left";
    EXPECT_EQ(Hex(cyan), BackgroundOf(shot)) << "background unchanged";

    // Text 1 made small: as tall as text 3, which is small too.
    int large = InkInBand(shot, 0, cyan).Height();
    int small = InkInBand(shot, 2, cyan).Height();
    app.SelectCombo(IDC_SIZE1, 2);
    EXPECT_SOON(true, InkInBand(Panel(app), 0, cyan).Height() < large)
        << "text 1 shrinks after choosing small, from " << large;
    shot = Panel(app);
    int now = InkInBand(shot, 0, cyan).Height();
    EXPECT_NEAR(small, now, 1) << "small text 1 as tall as text 3";
    EXPECT_GT(ColorInBand(shot, 0, orange).count, 0) << "still #FF8000 after the size change";
}

TEST_F(Preview, pick_mode_shows_a_centred_prompt_until_the_click) {
    ASSERT_SOON(true, SamplesShown(Panel(app))) << "the samples before pick mode";
    app.ClickItem(IDC_PICK);
    // The loupe beside the pointer lies over the preview's right edge after
    // the click: the pointer goes to the screen's far corner first.
    MoveMouseTo(1000, 740);

    auto promptShown = [](const ScreenCapture& s) {
        return !SamplesShown(s) && FindInk(s, 0, s.Height(), ColorIs(RED)).count > 0;
    };
    ASSERT_SOON(true, promptShown(Panel(app))) << "a prompt in red in place of the samples";
    ScreenCapture shot = Panel(app);
    int w = shot.Width(), h = shot.Height();
    Ink prompt = FindInk(shot, 0, h, ColorIsNot(WHITE));
    Ink red = FindInk(shot, 0, h, ColorIs(RED));
    EXPECT_GE(red.count, 10) << "prompt in text 1's red, found " << DescribeInk(red);
    EXPECT_EQ(0, FindInk(shot, 0, h, ColorIs(GREEN)).count) << "no green sample";
    EXPECT_EQ(0, FindInk(shot, 0, h, ColorIs(BLUE)).count) << "no blue sample";
    EXPECT_NEAR(prompt.left, w - 1 - prompt.right, 3)
        << "prompt centred across (left and right margins), ink " << DescribeInk(prompt);
    EXPECT_NEAR(prompt.top, h - 1 - prompt.bottom, 6) << "prompt centred down (top and bottom)";
    // Two lines of 16-pixel text, not one.
    EXPECT_GT(prompt.Height(), 24) << "two lines high, ink " << DescribeInk(prompt);

    // A click on the panel ends the mode.
    POINT corner = ClientToScreenPoint(PanelOf(app), w - 3, h - 3);
    ClickAt(corner.x, corner.y);
    EXPECT_SOON(true, SamplesShown(Panel(app))) << "sample texts back after the click";
    EXPECT_SOON(nullptr, CaptureOf(app)) << "the mouse capture is released after the click";
}

// Resting on the preview shows the texts' contrast ratios; they follow a colour
// typed while the tip shows; no tip shows while pick mode waits for the click.
TEST_F(Preview, tooltip_shows_each_texts_contrast_ratio_and_follows_the_colours) {
    const std::string atStart =
        "背景とのコントラスト比\r\n文字１（大） 3.99:1 AA\r\n"
        "文字２（中） 1.37:1 不足\r\n文字３（小） 8.59:1 AAA";
    const std::string onCyan =
        "背景とのコントラスト比\r\n文字１（大） 3.18:1 AA\r\n"
        "文字２（中） 1.09:1 不足\r\n文字３（小） 6.85:1 AA";
    POINT corner = ClientToScreenPoint(PanelOf(app), 2, 2);  // background under the prompt too
    app.Activate();
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(IDC_R_HEX), TRUE);  // red, selected
    MoveMouseTo(corner.x, corner.y);
    ASSERT_SOON(atStart, ShownTip(app)) << "resting on the preview";
    TypeText("00");
    EXPECT_SOON(onCyan, ShownTip(app)) << "after typing the background's red 00 while it shows";
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(corner.x, corner.y);
    EXPECT_FALSE(WaitUntil([&] { return ShownTip(app) != "(none)"; }, 2000)) << "in pick mode";
    ClickAt(corner.x, corner.y);  // picks the cyan background
    MoveMouseTo(corner.x + 1, corner.y);
    EXPECT_SOON(onCyan, ShownTip(app)) << "back after the pick";
}
