#include "core/contrast.h"

#include "core/text_format.h"
#include "res/strings.h"

static const char* const SAMPLE_NAMES[TEXT_SLOT_COUNT] = {TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
// By size index: the fonts go small to large.
static const char* const SIZE_WORDS[SAMPLE_FONT_COUNT] = {TEXT_SIZE_SMALL, TEXT_SIZE_MEDIUM,
                                                          TEXT_SIZE_LARGE};
// The AAA and AA thresholds of normal text are the first two, of large text the last two.
static const double LEVEL_THRESHOLDS[] = {7, 4.5, 3};
static const char* const LEVEL_NAMES[] = {TEXT_LEVEL_AAA, TEXT_LEVEL_AA, TEXT_LEVEL_LOW};
// " #RRGGBB" and its NUL.
enum { CODE_SIZE = 9 };

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

// The AAA threshold, then the AA one, for a text of that size index.
static const double* Thresholds(int sizeIndex) {
    return LEVEL_THRESHOLDS + (sizeIndex == LARGE_TEXT_SIZE);
}

const char* ContrastLevel(double ratio, int sizeIndex) {
    const double* thresholds = Thresholds(sizeIndex);
    int level = LEVEL_AAA;
    while (level <= LEVEL_AA && ratio < thresholds[level]) ++level;
    return LEVEL_NAMES[level];
}

// n / d to the nearest integer, halves up.
static unsigned RoundedQuotient(unsigned n, unsigned d) { return (2 * n + d) / (2 * d); }

// Step v of a colour's paths, whose largest component is largest: up to 255
// the colour scaled so that its largest component is v (hue and saturation
// kept; black stays black); from 256 to 510 the colour at 255 drawn towards
// white, reached at 510. Blue is worked out first, so that it ends on top.
static COLORREF PathColor(COLORREF color, unsigned largest, int v) {
    COLORREF result = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        unsigned c = color >> shift & 0xFF;
        unsigned s = largest ? RoundedQuotient(c * (unsigned)(v < 255 ? v : 255), largest) : 0;
        if (v > 255) s = RoundedQuotient(255 * 255 - (255 - s) * (unsigned)(510 - v), 255);
        result = result << 8 | s;
    }
    return result;
}

// The first colour of one path, from the text's own colour on, whose ratio
// reaches target: the darker path steps down to 0, the lighter one up to 510.
static COLORREF WalkPath(COLORREF text, COLORREF background, double target, bool lighter) {
    unsigned largest = 0;
    for (COLORREF c = text; c; c >>= 8)
        if ((c & 0xFF) > largest) largest = c & 0xFF;
    for (int v = (int)largest; v >= 0 && v <= 510; v += lighter ? 1 : -1) {
        COLORREF candidate = PathColor(text, largest, v);
        if (ContrastRatio(candidate, background) >= target) return candidate;
    }
    return NO_PASSING_COLOR;
}

COLORREF PassingColor(COLORREF text, COLORREF background, int sizeIndex, int level) {
    double target = Thresholds(sizeIndex)[level];
    bool lighter = RelativeLuminance(text) > RelativeLuminance(background);
    COLORREF found = WalkPath(text, background, target, lighter);
    return found != NO_PASSING_COLOR ? found : WalkPath(text, background, target, !lighter);
}

// " #RRGGBB": a colour's code, with the space that sets it off.
static const char* FormatCode(char (&code)[CODE_SIZE], COLORREF color) {
    FormatText(code, sizeof code, " #%02X%02X%02X", (unsigned)(color & 0xFF),
               (unsigned)(color >> 8 & 0xFF), (unsigned)(color >> 16 & 0xFF));
    return code;
}

// A colour's line: two words, the colour's code, its ratio as shown, and a
// last word, in the order the format puts them.
static int FormatRatioLine(char* text, size_t size, const char* format, const char* first,
                           const char* second, const char* code, double ratio, const char* last) {
    unsigned shown = ShownHundredths(ratio);
    return FormatText(text, size, format, first, second, code, shown / 100, shown % 100, last);
}

int FormatVerdictLine(char* text, size_t size, int k, bool withCode) {
    const ColorSlot& slot = g_app.slots[SLOT_TEXT1 + k];
    double ratio = ContrastRatio(slot.color, g_app.slots[SLOT_BACKGROUND].color);
    char code[CODE_SIZE];
    return FormatRatioLine(text, size, TEXT_VERDICT_LINE, SAMPLE_NAMES[k],
                           SIZE_WORDS[slot.sizeIndex], withCode ? FormatCode(code, slot.color) : "",
                           ratio, ContrastLevel(ratio, slot.sizeIndex));
}

COLORREF FormatPassingItem(char* text, size_t size, int k, int level) {
    const ColorSlot& slot = g_app.slots[SLOT_TEXT1 + k];
    COLORREF background = g_app.slots[SLOT_BACKGROUND].color;
    COLORREF color = PassingColor(slot.color, background, slot.sizeIndex, level);
    if (color == NO_PASSING_COLOR || color == slot.color) return NO_PASSING_COLOR;
    char code[CODE_SIZE];
    FormatRatioLine(text, size, TEXT_PASSING_ITEM, LEVEL_NAMES[level], TEXT_PASSING_WORD,
                    FormatCode(code, color), ContrastRatio(color, background), "");
    return color;
}

// The longest text line is 32 bytes: a first line and three of them fit with room to spare.
void FormatContrastText(char (&text)[CONTRAST_TEXT_SIZE], bool withCodes) {
    char code[CODE_SIZE];
    const char* first = TEXT_CONTRAST_TITLE;
    code[0] = '\0';
    if (withCodes) {
        first = TEXT_BACKGROUND;
        FormatCode(code, g_app.slots[SLOT_BACKGROUND].color);
    }
    int length = FormatText(text, sizeof text, "%s%s", first, code);
    for (int k = 0; k < TEXT_SLOT_COUNT; ++k) {
        length += FormatText(text + length, sizeof text - length, "\r\n");
        length += FormatVerdictLine(text + length, sizeof text - length, k, withCodes);
    }
}
