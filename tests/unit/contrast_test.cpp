// The contrast rule: linear values against the formula, and the ratio as shown
// and the levels on published pairs and on either side of each threshold.
#include "core/contrast.h"

#include <gtest/gtest.h>

#include <cmath>

#include "res/strings.h"

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
