#include "core/contrast.h"

#include "core/text_format.h"
#include "res/strings.h"

static const char* const SAMPLE_NAMES[TEXT_SLOT_COUNT] = {TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
// By size index: the fonts go small to large.
static const char* const SIZE_WORDS[SAMPLE_FONT_COUNT] = {TEXT_SIZE_SMALL, TEXT_SIZE_MEDIUM,
                                                          TEXT_SIZE_LARGE};
// The AAA and AA thresholds of normal text are the first two, of large text the last two.
static const double LEVEL_THRESHOLDS[] = {7, 4.5, 3};

// c / 12.92 at the dark end, ((c + 0.055) / 1.055) ^ 2.4 above it. The power
// is x^2 times the fifth root of x^2, the root by Newton's method: a general
// pow from the C library would cost the program about 2 KB. Started at 1,
// above the root, the steps fall steadily towards it; the first one that does
// not fall ends the search, at the root to the last bit or two.
double LinearComponent(double value) {
    double c = value / 255.0;
    if (c <= 0.04045) return c / 12.92;
    double x = (c + 0.055) / 1.055;
    double square = x * x;
    double root = 1;
    for (;;) {
        double fourth = root * root * root * root;
        double next = (4 * root + square / fourth) / 5;
        if (next >= root) break;
        root = next;
    }
    return square * root;
}

double RelativeLuminance(COLORREF color) {
    static const double WEIGHTS[CHANNEL_COUNT] = {0.2126, 0.7152, 0.0722};
    double luminance = 0;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        luminance += WEIGHTS[channel] * LinearComponent(color & 0xFF);
        color >>= 8;
    }
    return luminance;
}

double ContrastRatio(COLORREF a, COLORREF b) {
    double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

// Counted in hundredths, cut towards zero. The allowance of 1e-9 hundredths
// is far above the rounding error of the ratio (about 1e-12 hundredths), so
// that a 21 that comes out as 20.999...96 still shows 21.00; it raises only a
// ratio within 1e-11 below a hundredth, closer than the arithmetic can tell.
unsigned ShownHundredths(double ratio) { return (unsigned)(ratio * 100 + 1e-9); }

const char* ContrastLevel(double ratio, int sizeIndex) {
    const double* thresholds = LEVEL_THRESHOLDS + (sizeIndex == LARGE_TEXT_SIZE);
    if (ratio >= thresholds[0]) return TEXT_LEVEL_AAA;
    return ratio >= thresholds[1] ? TEXT_LEVEL_AA : TEXT_LEVEL_LOW;
}

void FormatContrastText(char (&text)[CONTRAST_TEXT_SIZE]) {
    int length = FormatText(text, sizeof text, "%s", TEXT_CONTRAST_TITLE);
    COLORREF background = g_app.slots[SLOT_BACKGROUND].color;
    for (int k = 0; k < TEXT_SLOT_COUNT; ++k) {
        const ColorSlot& slot = g_app.slots[SLOT_TEXT1 + k];
        double ratio = ContrastRatio(slot.color, background);
        unsigned shown = ShownHundredths(ratio);
        // The longest line is 27 bytes; the title and three of them fit with room to spare.
        length += FormatText(text + length, sizeof text - length, TEXT_CONTRAST_LINE,
                             SAMPLE_NAMES[k], SIZE_WORDS[slot.sizeIndex], shown / 100, shown % 100,
                             ContrastLevel(ratio, slot.sizeIndex));
    }
}
