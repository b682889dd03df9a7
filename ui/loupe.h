// The loupe: while pick mode waits for the click, a small window beside the
// pointer shows the pixels around the one a click would take, eight times
// as large, and that pixel's code. Made at the first pick, destroyed on the
// dialog's close path.
#ifndef PIKURIO_LOUPE_H
#define PIKURIO_LOUPE_H

#include <windows.h>

#include "core/screen_sample.h"

// Places the loupe beside the pointer for this read and paints it at once;
// shows it, and makes it first, where needed.
void FollowWithLoupe(HWND dialog, const PointerPixel& pixel);
void HideLoupe();
void DestroyLoupe();

#endif
