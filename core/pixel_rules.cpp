#include "core/pixel_rules.h"

int ScaleFromDpiValue(uint32_t dpiValue) { return (int)((dpiValue & 3) + 4) * 25; }

static char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

bool IsDpiValueName(const char* name) {
    const char* expected = "dpivalue";
    while (*expected && AsciiLower(*name) == *expected) {
        ++name;
        ++expected;
    }
    return *expected == '\0' && *name == '\0';
}

int ScaleCoordinate(int coordinate, int scalePercent) { return scalePercent * coordinate / 100; }

static int LowestSetBit(uint32_t mask) {
    int shift = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// One component of a bit-field pixel, scaled from its mask's range to 0 .. 255.
// A mask wider than 16 bits (no 16-bit screen reports one) is narrowed to its
// top 16 bits first, so that the product stays within 32 bits: a 64-bit
// division would bring the compiler's long-division helpers into the program.
static uint32_t MaskedComponent(uint32_t w, uint32_t mask) {
    int shift = LowestSetBit(mask);
    uint32_t value = (w & mask) >> shift;
    uint32_t top = mask >> shift;
    while (top > 0xFFFF) {
        value >>= 1;
        top >>= 1;
    }
    return value * 255 / top;
}

// A 16-bit pixel. With colour masks reported (the second GetDIBits call puts
// them into the colour table), each component is read with its own mask, so
// 5-5-5 screens give the right colour; without masks the pixel is 5-6-5.
static uint32_t ConvertPixel16(uint32_t w, const uint32_t* colorTable) {
    uint32_t redMask = colorTable[0];
    uint32_t greenMask = colorTable[1];
    uint32_t blueMask = colorTable[2];
    if (redMask && greenMask && blueMask) {
        return MaskedComponent(w, redMask) << 16 | MaskedComponent(w, greenMask) << 8 |
               MaskedComponent(w, blueMask);
    }
    uint32_t red = (w >> 11) & 0x1F;
    uint32_t green = (w >> 5) & 0x3F;
    uint32_t blue = w & 0x1F;
    return (red * 255 / 31) << 16 | (green * 255 / 63) << 8 | (blue * 255 / 31);
}

uint32_t ConvertDibPixel(uint32_t w, int bitCount, const uint32_t* colorTable) {
    switch (bitCount) {
    case 8:
        return colorTable[w & 0xFF] & 0x00FFFFFF;
    case 16:
        return ConvertPixel16(w, colorTable);
    default:
        return w;
    }
}

COLORREF PixelToColorRef(uint32_t v) {
    return (COLORREF)((v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16);
}
