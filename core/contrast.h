// The contrast rule: how well a text colour reads on a background, as WCAG 2
// measures it; the colours that would bring a text up to a level; and the
// lines that tell it for each sample, in the tooltip, the menu and the copy.
#ifndef PIKURIO_CONTRAST_H
#define PIKURIO_CONTRAST_H

#include <stddef.h>

#include "core/app_state.h"

// The 28-pixel font is large text (18 pt); the 12- and 20-pixel ones are normal text.
enum { LARGE_TEXT_SIZE = 2 };
enum { CONTRAST_TEXT_SIZE = 128 };
// The levels a text can lack, as indices of its thresholds.
enum { LEVEL_AAA = 0, LEVEL_AA = 1 };
// PassingColor's answer when no colour on either path reaches the level.
const COLORREF NO_PASSING_COLOR = 0xFFFFFFFF;

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

// The first colour whose ratio against the background reaches the level for
// a text of that size, along the text's paths: darker with the same hue and
// saturation down to black, or lighter up to full value and then less
// saturated up to white; the text's own side (the darker path when it is not
// lighter than the background) first. The text's own colour starts both paths,
// so a text that reaches the level already gets its own colour back.
COLORREF PassingColor(COLORREF text, COLORREF background, int sizeIndex, int level);

// Text k's line: "文字２（中） #00FF00 1.37:1 不足", without the colour's code
// for the tooltip. Returns the bytes written.
int FormatVerdictLine(char* text, size_t size, int k, bool withCode);
// Text k's passing colour for a level it lacks, and its item: "AA にする
// #008A00（4.53:1）"; NO_PASSING_COLOR, and no item, when it reaches the level
// already or no colour on its paths does.
COLORREF FormatPassingItem(char* text, size_t size, int k, int level);
// A first line, then each text's line, joined by "\r\n": for the tooltip the
// title and the lines without codes, for the copy the background's name and
// code and the lines with theirs.
void FormatContrastText(char (&text)[CONTRAST_TEXT_SIZE], bool withCodes);

#endif
