// Reading the screen pixel under the cursor, corrected for display scaling.
#ifndef PIKURIO_SCREEN_SAMPLE_H
#define PIKURIO_SCREEN_SAMPLE_H

#include <windows.h>

// The display scale from the user's per-monitor settings, read afresh each call.
int GetScalePercent();

// The colour under the cursor as a COLORREF, or black when the capture fails.
// With apply set the pixel is loaded into the channels instead.
COLORREF SampleScreenColor(bool apply);

#endif
