// Where the loupe lies: beside the pointer, on the pointer's monitor, and off
// the pixels it shows. No windows here: the rule alone.
#ifndef PIKURIO_LOUPE_PLACE_H
#define PIKURIO_LOUPE_PLACE_H

#include "core/platform_types.h"

// The loupe shows the pixels within this reach of the read point, both ways:
// 11 x 11 in all.
enum { LOUPE_REACH = 5, LOUPE_GAP = 20 };

// The loupe's window rectangle for a loupe of that size: a corner LOUPE_GAP
// pixels from the pointer along a diagonal, trying below right, below left,
// above right, above left, the first that lies wholly on the monitor and
// covers none of the pixels around the read point; where none does, the
// first. The pointer, the size and the monitor are in window coordinates;
// the read point in the coordinates pixels are read in, which are the window
// coordinates times scalePercent / 100.
RECT PlaceLoupe(POINT pointer, POINT readPoint, int width, int height, const RECT& monitor,
                int scalePercent);

#endif
