#include "core/color_vision.h"

#include <stdint.h>

#include "core/app_state.h"
#include "core/contrast.h"
#include "res/strings.h"

static const char* const VIEW_NAMES[VIEW_COUNT] = {TEXT_VIEW_NORMAL, TEXT_VIEW_PROTAN,
                                                   TEXT_VIEW_DEUTAN, TEXT_VIEW_TRITAN};

// Full-severity deficiency matrices of Machado, Oliveira and Fernandes (2009),
// in thousandths, one per view after the normal one; rows give the linear red,
// green and blue from the linear red, green and blue. Aligned as its entries
// are: the compiler would otherwise pad the table to 32 bytes.
alignas(2) static const int16_t VIEW_MATRICES[VIEW_COUNT - 1][CHANNEL_COUNT * CHANNEL_COUNT] = {
    {152, 1053, -205, 115, 786, 99, -4, -48, 1052},
    {367, 861, -228, 280, 673, 47, -12, 43, 969},
    {1256, -77, -179, -78, 931, 148, 5, 691, 304}};

// The 8-bit component whose value on the curve is nearest to linear, as the
// curve's inverse rounded to a whole step would give it: the number of half
// steps the curve passes below linear. Below 0 it is 0 and above 1 it is 255,
// so the search clamps as well.
static unsigned EncodeComponent(double linear) {
    unsigned low = 0, high = 255;
    while (low < high) {
        unsigned middle = (low + high) / 2;
        if (linear < LinearComponent(middle + 0.5))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

COLORREF SimulateColorVision(COLORREF color, int view) {
    if (view == VIEW_NORMAL) return color;
    double linear[CHANNEL_COUNT];
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        linear[channel] = LinearComponent((color >> 8 * channel) & 0xFF);
    const int16_t* weight = VIEW_MATRICES[view - 1];
    COLORREF seen = 0;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        double sum = 0;
        for (int k = CHANNEL_RED; k < CHANNEL_COUNT; ++k) sum += *weight++ * linear[k];
        seen |= EncodeComponent(sum / 1000) << 8 * channel;
    }
    return seen;
}

const char* ColorVisionViewName(int view) { return VIEW_NAMES[view]; }
