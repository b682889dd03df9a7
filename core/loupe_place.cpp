#include "core/loupe_place.h"

// A window coordinate times scalePercent / 100, rounded down: the pixel
// that holds it. Shifted to positive for the division, which truncates;
// screens reach nowhere near the shift.
static long ScaledDown(long coordinate, int scalePercent) {
    const long SHIFT = 1000000;
    return (coordinate * scalePercent + 100 * SHIFT) / 100 - SHIFT;
}

RECT PlaceLoupe(POINT pointer, POINT readPoint, int width, int height, const RECT& monitor,
                int scalePercent) {
    // Both axes alike: x, then y.
    const long at[2] = {pointer.x, pointer.y}, read[2] = {readPoint.x, readPoint.y};
    const long size[2] = {width, height};
    const long low[2] = {monitor.left, monitor.top}, high[2] = {monitor.right, monitor.bottom};
    long first[2] = {0, 0};
    for (int place = 0; place < 4; ++place) {
        long from[2];
        bool onMonitor = true, covers = true;
        for (int axis = 0; axis < 2; ++axis) {
            // Bit 0 of the place puts the loupe left of the pointer, bit 1 above it.
            long start =
                place >> axis & 1 ? at[axis] - LOUPE_GAP - size[axis] : at[axis] + LOUPE_GAP;
            long end = start + size[axis];
            from[axis] = start;
            if (place == 0) first[axis] = start;
            onMonitor = onMonitor && start >= low[axis] && end <= high[axis];
            // Where the system shows the window: its far edge is exclusive, so
            // the last pixel it covers is the one before that edge rounded up.
            covers = covers && ScaledDown(start, scalePercent) <= read[axis] + LOUPE_REACH &&
                     read[axis] - LOUPE_REACH < -ScaledDown(-end, scalePercent);
        }
        if (onMonitor && !covers) {
            first[0] = from[0];
            first[1] = from[1];
            break;
        }
    }
    RECT r = {first[0], first[1], first[0] + width, first[1] + height};
    return r;
}
