// Where the loupe lies: the four places around the pointer in their order,
// the monitor's edges, the pixels it shows, and the display's scale.
#include "core/loupe_place.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 90 x 110 loupe on a 1024 x 768 screen, a small monitor, one left of the
// primary, and one reaching across the origin.
const RECT MONITORS[] = {{0, 0, 1024, 768},
                         {0, 0, 150, 150},
                         {-1280, -200, 0, 824},
                         {-1280, -200, 1024, 824}};

TEST(PlaceLoupe, first_place_on_the_monitor_and_off_the_pixels_it_shows) {
    const struct {
        const char* name;
        POINT pointer, read;
        int scale, monitor;
        const char* placed;
    } rows[] = {
        {"plain: below right", {500, 400}, {500, 400}, 100, 0, "520,420 610,530"},
        {"touching the right edge", {914, 400}, {914, 400}, 100, 0, "934,420 1024,530"},
        {"right edge: below left", {915, 400}, {915, 400}, 100, 0, "805,420 895,530"},
        {"bottom edge: above right", {500, 639}, {500, 639}, 100, 0, "520,509 610,619"},
        {"corner: above left", {1000, 760}, {1000, 760}, 100, 0, "890,630 980,740"},
        {"none fits: the first", {50, 50}, {50, 50}, 100, 1, "70,70 160,180"},
        // The 11 x 11 pixels reach 5 from the read point; far edges are exclusive.
        {"over the read point", {500, 400}, {515, 500}, 100, 0, "390,420 480,530"},
        {"clear of the far edge", {500, 400}, {615, 534}, 100, 0, "520,420 610,530"},
        // Scaled, the window lies at 525,575 .. 637.5,712.5; pixel 637 is partly covered.
        {"125 %, scaled: no move", {400, 440}, {500, 550}, 125, 0, "420,460 510,570"},
        {"125 %, far edge rounded up", {400, 440}, {642, 600}, 125, 0, "290,460 380,570"},
        {"monitor left of the primary", {-100, 300}, {-100, 300}, 100, 2, "-210,320 -120,430"},
        // Left of the origin an edge still rounds down: -81 lies at -101.25.
        {"125 %, left of the origin", {-101, 300}, {-107, 420}, 125, 3, "-211,320 -121,430"},
    };
    for (const auto& row : rows) {
        RECT r = PlaceLoupe(row.pointer, row.read, 90, 110, MONITORS[row.monitor], row.scale);
        EXPECT_EQ(row.placed, std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                                  std::to_string(r.right) + "," + std::to_string(r.bottom))
            << row.name;
    }
}

}  // namespace
