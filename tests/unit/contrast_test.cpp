// The contrast rule: linear values against the formula, the ratio as shown
// and the levels on published pairs and on either side of each threshold, the
// colours that pass, and the menu's texts.
#include "core/contrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "res/strings.h"
#include "tests/support/color_code.h"

TEST(Contrast, linear_components_agree_with_pow_in_double_precision) {
    for (unsigned v = 0; v < 256; ++v) {
        double c = v / 255.0, power = std::pow((c + 0.055) / 1.055, 2.4);
        EXPECT_DOUBLE_EQ(c <= 0.04045 ? c / 12.92 : power, LinearComponent(v)) << v;
    }
}

// Text on background (0x00BBGGRR), the ratio shown in hundredths, and the
// levels of normal text (size indices 0 and 1) and of large text (2).
TEST(Contrast, published_pairs_and_the_pairs_either_side_of_a_threshold) {
    const char *AAA = TEXT_LEVEL_AAA, *AA = TEXT_LEVEL_AA, *LOW = TEXT_LEVEL_LOW;
    const struct {
        COLORREF text, background;
        unsigned shown;
        const char *normal, *large;
    } rows[] = {{0x000000, 0xFFFFFF, 2100, AAA, AAA}, {0xFFFFFF, 0x000000, 2100, AAA, AAA},
                {0x808080, 0x808080, 100, LOW, LOW},  {0x0000FF, 0xFFFFFF, 399, LOW, AA},
                {0x595959, 0xFFFFFF, 700, AAA, AAA},  {0x5A5A5A, 0xFFFFFF, 689, AA, AAA},
                {0x767676, 0xFFFFFF, 454, AA, AAA},   {0x777777, 0xFFFFFF, 447, LOW, AA},
                {0x949494, 0xFFFFFF, 303, LOW, AA},   {0x959595, 0xFFFFFF, 299, LOW, LOW}};
    for (const auto& row : rows) {
        double ratio = ContrastRatio(row.text, row.background);
        EXPECT_EQ(row.shown, ShownHundredths(ratio)) << std::hex << row.text;
        for (int size = 0; size < SAMPLE_FONT_COUNT; ++size)
            EXPECT_STREQ(size == LARGE_TEXT_SIZE ? row.large : row.normal,
                         ContrastLevel(ratio, size))
                << std::hex << row.text << ", size " << size;
    }
}

// 0xRRGGBB, as the codes read, to the slots' 0x00BBGGRR.
static COLORREF Ref(unsigned rgb) { return ColorRefOf(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF); }

// Text on background at a size index (0 small, 1 medium, 2 large) and a
// level: the colour offered and its ratio as shown, and the colour one step
// before it on its path, which falls short of the target.
TEST(Contrast, passing_colour_is_the_first_on_the_texts_side_then_on_the_other) {
    const unsigned NONE = 0x1000000;
    const struct {
        unsigned text, background;
        int size, level;
        double target;
        unsigned offered, shown, earlier;
    } rows[] = {
        {0x00FF00, 0xFFFFFF, 1, LEVEL_AA, 4.5, 0x008A00, 453, 0x008B00},
        {0x00FF00, 0xFFFFFF, 1, LEVEL_AAA, 7, 0x006800, 704, 0x006900},
        {0xFF0000, 0xFFFFFF, 2, LEVEL_AAA, 4.5, 0xEE0000, 453, 0xEF0000},
        {0x777777, 0xFFFFFF, 0, LEVEL_AA, 4.5, 0x767676, 454, 0x777777},
        {0x777777, 0xFFFFFF, 0, LEVEL_AAA, 7, 0x595959, 700, 0x5A5A5A},
        // Lighter, then less saturated.
        {0x0000FF, 0x000000, 0, LEVEL_AA, 4.5, 0x5E5EFF, 452, 0x5D5DFF},
        {0x0000FF, 0x000000, 0, LEVEL_AAA, 7, 0x8888FF, 701, 0x8787FF},
        {0x808080, 0x808080, 0, LEVEL_AA, 4.5, 0x171717, 453, 0x181818},
        {0x808080, 0x808080, 0, LEVEL_AAA, 7, NONE, 0, NONE},
        // Both sides reach 3: the darker one when the text is no lighter
        // (#D4D4D4 would be the lighter one's), the lighter one when it is.
        {0x777777, 0x777777, 2, LEVEL_AA, 3, 0x2E2E2E, 303, 0x2F2F2F},
        {0x787878, 0x777777, 2, LEVEL_AA, 3, 0xD4D4D4, 302, 0xD3D3D3},
        // Black's darker side is black alone; its lighter one the greys.
        {0x000000, 0x000000, 0, LEVEL_AA, 4.5, 0x757575, 455, 0x747474},
    };
    for (const auto& row : rows) {
        COLORREF background = Ref(row.background);
        COLORREF offered = PassingColor(Ref(row.text), background, row.size, row.level);
        SCOPED_TRACE(ColorCode(row.text >> 16, row.text >> 8, row.text) + " on " +
                     ColorCode(row.background >> 16, row.background >> 8, row.background) +
                     " for " + std::to_string(row.target));
        if (row.offered == NONE) {
            EXPECT_EQ(NO_PASSING_COLOR, offered);
            continue;
        }
        EXPECT_EQ(Ref(row.offered), offered) << std::hex << offered;
        EXPECT_EQ(row.shown, ShownHundredths(ContrastRatio(offered, background)));
        EXPECT_LT(ContrastRatio(Ref(row.earlier), background), row.target);
    }
}

// The menu's texts at start-up: text 2 lacks AA and AAA; text 1 has AA
// already; text 3 has AAA and nothing to offer.
TEST(Contrast, menu_lines_and_passing_items_from_the_slots) {
    g_app.slots[SLOT_BACKGROUND].color = Ref(0xFFFFFF);
    char text[64];
    FormatVerdictLine(text, sizeof text, 1, true);
    EXPECT_STREQ("文字２（中） #00FF00 1.37:1 不足", text);
    ASSERT_EQ(Ref(0x008A00), FormatPassingItem(text, sizeof text, 1, LEVEL_AA));
    EXPECT_STREQ("AA にする  #008A00（4.53:1）", text);
    EXPECT_EQ(NO_PASSING_COLOR, FormatPassingItem(text, sizeof text, 0, LEVEL_AA))
        << "text 1 reaches AA";
    EXPECT_NE(NO_PASSING_COLOR, FormatPassingItem(text, sizeof text, 0, LEVEL_AAA))
        << "text 1 lacks AAA";
    EXPECT_EQ(NO_PASSING_COLOR, FormatPassingItem(text, sizeof text, 2, LEVEL_AAA))
        << "text 3 reaches AAA";
}
