// The platform-free rules of a screen sample: scale percentage, scaled cursor
// position and pixel conversion at every bit depth.
#include "core/pixel_rules.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {

TEST(ScaleFromDpiValue, StepsOf25PercentRepeatingEveryFour) {
    const struct {
        uint32_t dpiValue;
        int percent;
    } rows[] = {{0, 100}, {1, 125}, {2, 150}, {3, 175}, {4, 100}, {0xFFFFFFFF, 175}};
    for (const auto& row : rows)
        EXPECT_EQ(ScaleFromDpiValue(row.dpiValue), row.percent) << "DpiValue " << row.dpiValue;
}

TEST(ScaleCoordinate, TruncatesTowardZero) {
    const struct {
        int coordinate, percent, expected;
    } rows[] = {
        {801, 125, 1001},   {401, 125, 501},   {801, 100, 801}, {0, 175, 0}, {3, 150, 4},  // 4.5
        {-3, 150, -4},  // -4.5: toward zero, not down to -5
        {-1, 125, -1},  // -1.25
        {-801, 125, -1001}, {1919, 175, 3358},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ScaleCoordinate(row.coordinate, row.percent), row.expected)
            << row.coordinate << " at " << row.percent << " %";
}

TEST(IsDpiValueName, WholeNameInAnyAsciiCase) {
    const struct {
        const char* name;
        bool matches;
    } rows[] = {
        {"DpiValue", true},   {"dpivalue", true},   {"DPIVALUE", true}, {"dPiVaLuE", true},
        {"DpiValue2", false}, {"Dpi", false},       {"", false},        {"DpiValu", false},
        {" DpiValue", false}, {"DpiValue ", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsDpiValueName(row.name), row.matches) << '"' << row.name << '"';
}

// ---- Pixel conversion ----

struct PixelRow {
    uint32_t w;
    uint32_t rgb;
};

// What the capture buffer holds after the second read: zeroed, then masks in
// the first three colour-table entries when the format reports them.
std::vector<uint32_t> ColorTableWithMasks(uint32_t red, uint32_t green, uint32_t blue) {
    std::vector<uint32_t> table(COLOR_TABLE_ENTRIES, 0);
    table[0] = red;
    table[1] = green;
    table[2] = blue;
    return table;
}

void ExpectConverted16(const std::vector<PixelRow>& rows, const std::vector<uint32_t>& table) {
    for (const PixelRow& row : rows)
        EXPECT_EQ(ConvertDibPixel(row.w, 16, table.data()), row.rgb)
            << std::hex << "pixel 0x" << row.w;
}

TEST(ConvertDibPixel, EightBitsLooksUpThePaletteWithoutItsReservedByte) {
    // Palette entries as the platform lays them out: blue, green, red, reserved.
    std::vector<uint32_t> table(COLOR_TABLE_ENTRIES);
    for (int i = 0; i < COLOR_TABLE_ENTRIES; ++i) {
        const unsigned char entry[4] = {(unsigned char)(0x50 + i), (unsigned char)i,
                                        (unsigned char)(0xFF - i), 0xA5};
        memcpy(&table[i], entry, sizeof entry);
    }
    EXPECT_EQ(ConvertDibPixel(7, 8, table.data()), 0xF80757u);
    EXPECT_EQ(ConvertDibPixel(0, 8, table.data()), 0xFF0050u);
    EXPECT_EQ(ConvertDibPixel(255, 8, table.data()), 0x00FF4Fu);
    // Only the low byte of the word is the index.
    EXPECT_EQ(ConvertDibPixel(0xABCDEF07, 8, table.data()), 0xF80757u);
}

// 5-6-5 pixels, each component scaled to 0 .. 255 with truncating division.
const std::vector<PixelRow> PIXELS_565 = {
    {0xFFFF, 0xFFFFFF},     {0x8410, 0x838183},  // 16*255/31, 32*255/63, 16*255/31
    {0x0000, 0x000000},     {0xF800, 0xFF0000}, {0x07E0, 0x00FF00},
    {0x001F, 0x0000FF},     {0x0821, 0x080408},  // 1*255/31 = 8, 1*255/63 = 4
    {0xFFFF8410, 0x838183},                      // the scan line's padding is not pixel
};

TEST(ConvertDibPixel, SixteenBitsWithoutMasksIs565) {
    ExpectConverted16(PIXELS_565, ColorTableWithMasks(0, 0, 0));
}

TEST(ConvertDibPixel, SixteenBitsWith565Masks) {
    ExpectConverted16(PIXELS_565, ColorTableWithMasks(0xF800, 0x07E0, 0x001F));
}

TEST(ConvertDibPixel, SixteenBitsWith555Masks) {
    ExpectConverted16(
        {
            {0x7FFF, 0xFFFFFF},
            {0x4210, 0x838383},  // 16*255/31 in each component
            {0x7C00, 0xFF0000},
            {0x03E0, 0x00FF00},
            {0x001F, 0x0000FF},
            {0x8000, 0x000000},  // the unused top bit
            {0x0421, 0x080808},
        },
        ColorTableWithMasks(0x7C00, 0x03E0, 0x001F));
}

// No 16-bit screen reports such masks, but a wide one must not overflow the scaling.
TEST(ConvertDibPixel, SixteenBitsWithMasksWiderThanSixteenBits) {
    ExpectConverted16({{0xFFFFFFF0, 0xFF0000}, {0x80000000, 0x7F0000}},
                      ColorTableWithMasks(0xFFFFFFF0, 0x08, 0x07));
}

TEST(ConvertDibPixel, TwentyFourAndThirtyTwoBitsAreTheWordItself) {
    // The table holds whatever the capture left there; it is not read.
    std::vector<uint32_t> table(COLOR_TABLE_ENTRIES, 0x00F800);
    EXPECT_EQ(ConvertDibPixel(0xFF123456, 32, table.data()), 0xFF123456u);
    EXPECT_EQ(ConvertDibPixel(0x00123456, 32, table.data()), 0x00123456u);
    EXPECT_EQ(ConvertDibPixel(0x00ABCDEF, 24, table.data()), 0x00ABCDEFu);
}

TEST(PixelToColorRef, SwapsRedAndBlueAndDropsTheTopByte) {
    const PixelRow rows[] = {
        {0xFF123456, 0x00563412}, {0x00FF0000, 0x000000FF}, {0x000000FF, 0x00FF0000},
        {0x0000FF00, 0x0000FF00}, {0x00000000, 0x00000000},
    };
    for (const PixelRow& row : rows)
        EXPECT_EQ(PixelToColorRef(row.w), row.rgb) << std::hex << "pixel 0x" << row.w;
}

}  // namespace
