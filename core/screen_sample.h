// Reading the screen pixel under the cursor, corrected for display scaling.
#ifndef PIKURIO_SCREEN_SAMPLE_H
#define PIKURIO_SCREEN_SAMPLE_H

#include <windows.h>

#include <stdint.h>

// The display scale from the user's per-monitor settings, read afresh each call.
int GetScalePercent();

// The pixel that a click would take now.
struct PointerPixel {
    POINT pointer;  // the cursor, in the program's own coordinates
    POINT at;       // where the pixel is read: the cursor corrected for display scaling
    uint32_t rgb;   // its colour, 0x00RRGGBB; black when nothing was read
};

// Reads the pixel under the cursor; false when nothing was read.
bool ReadPointerPixel(PointerPixel* pixel);

// The colour under the cursor as a COLORREF, or black when the capture fails.
// With apply set the pixel is loaded into the channels instead.
COLORREF SampleScreenColor(bool apply);

#endif
