// The colour-vision views: the primaries as each view sees them, within one
// step in each channel, and every grey exactly as it is in every view.
#include "core/color_vision.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include "tests/support/color_code.h"

namespace {

// A colour written as its code #RRGGBB reads.
COLORREF FromCode(unsigned rgb) { return ColorRefOf(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF); }

// Each channel of the two colours within one step.
bool WithinOneStep(COLORREF a, COLORREF b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (abs((int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF)) > 1) return false;
    return true;
}

}  // namespace

TEST(ColorVision, primaries_as_each_view_sees_them) {
    // A colour, then what the normal, P, D and T views show of it.
    const unsigned rows[][1 + VIEW_COUNT] = {{0xFF0000, 0xFF0000, 0x6D5F00, 0xA39000, 0xFF0010},
                                             {0x00FF00, 0x00FF00, 0xFFE500, 0xEFD63A, 0x00F7D9},
                                             {0x0000FF, 0x0000FF, 0x0059FF, 0x003DFB, 0x006B96}};
    for (const auto& row : rows)
        for (int view = VIEW_NORMAL; view < VIEW_COUNT; ++view) {
            COLORREF seen = SimulateColorVision(FromCode(row[0]), view);
            EXPECT_TRUE(WithinOneStep(FromCode(row[1 + view]), seen))
                << "view " << view << ": " << std::hex << row[0] << " expected " << row[1 + view]
                << ", got (BGR) " << seen;
        }
}

// Black, white and every grey between: the views change hue, never lightness.
TEST(ColorVision, greys_stay_as_they_are_in_every_view) {
    for (unsigned v = 0; v < 256; ++v)
        for (int view = VIEW_NORMAL; view < VIEW_COUNT; ++view)
            EXPECT_EQ(ColorRefOf(v, v, v), SimulateColorVision(ColorRefOf(v, v, v), view))
                << "grey " << v << ", view " << view;
}
