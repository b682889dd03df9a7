// The contrast rule: how well a text colour reads on a background, as WCAG 2
// measures it, and the preview tooltip's text that tells it for each sample.
#ifndef PIKURIO_CONTRAST_H
#define PIKURIO_CONTRAST_H

#include "core/app_state.h"

// The 28-pixel font is large text (18 pt); the 12- and 20-pixel ones are normal text.
enum { LARGE_TEXT_SIZE = 2 };
enum { CONTRAST_TEXT_SIZE = 128 };

// An 8-bit sRGB component's linear value, 0 .. 1. Between two components (a
// half step) it gives the curve there: where rounding to 8 bits changes.
double LinearComponent(double value);
double RelativeLuminance(COLORREF color);
// The lighter colour's luminance against the darker's, 1 .. 21.
double ContrastRatio(COLORREF a, COLORREF b);
// The ratio as shown, in hundredths: two decimals, cut rather than rounded,
// so that 3.998 shows 3.99 (399).
unsigned ShownHundredths(double ratio);
// "AAA", "AA" or "不足" for a text of that size index.
const char* ContrastLevel(double ratio, int sizeIndex);
// The tooltip's four lines: a title, then each text's ratio against the
// background and its level, from the slots' colours and sizes.
void FormatContrastText(char (&text)[CONTRAST_TEXT_SIZE]);

#endif
