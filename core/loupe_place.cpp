#include "core/loupe_place.h"

RECT PlaceLoupe(POINT pointer, POINT readPoint, int width, int height, const RECT& monitor,
                int scalePercent) {
    // Both axes alike: x, then y.
    const long at[2] = {pointer.x, pointer.y}, read[2] = {readPoint.x, readPoint.y};
    const long size[2] = {width, height};
    const long low[2] = {monitor.left, monitor.top}, high[2] = {monitor.right, monitor.bottom};
    long first[2] = {0, 0};
    for (int place = 0; place < 4; ++place) {
        long from[2];
        bool fits = true, covers = true;
        for (int axis = 0; axis < 2; ++axis) {
            // Bit 0 of the place puts the loupe left of the pointer, bit 1 above it.
            long start =
                place >> axis & 1 ? at[axis] - LOUPE_GAP - size[axis] : at[axis] + LOUPE_GAP;
            long end = start + size[axis];
            from[axis] = start;
            if (place == 0) first[axis] = start;
            fits = fits && start >= low[axis] && end <= high[axis];
            // Where the system shows the window its edges are scaled, and a
            // pixel that they cut counts as covered: compared in hundredths,
            // nothing is rounded.
            covers = covers && start * scalePercent < (read[axis] + LOUPE_REACH + 1) * 100 &&
                     end * scalePercent > (read[axis] - LOUPE_REACH) * 100;
        }
        if (fits && !covers) {
            first[0] = from[0];
            first[1] = from[1];
            break;
        }
    }
    RECT r = {first[0], first[1], first[0] + width, first[1] + height};
    return r;
}
