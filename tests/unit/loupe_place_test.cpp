// Where the loupe lies: the four places around the pointer in their order,
// the monitor's edges, the pixels it shows, and the display's scale.
#include "core/loupe_place.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

const int W = 90, H = 110;

TEST(PlaceLoupe, first_place_that_is_on_the_monitor_and_off_the_pixels_it_shows) {
    const RECT screen = {0, 0, 1024, 768}, left = {-1280, -200, 0, 824};
    const struct {
        const char* name;
        POINT pointer, read;
        RECT monitor;
        int scale;
        const char* placed;
    } rows[] = {
        {"plain: below right", {500, 400}, {500, 400}, screen, 100, "520,420 610,530"},
        {"touching the right edge", {914, 400}, {914, 400}, screen, 100, "934,420 1024,530"},
        {"past the right edge: below left", {915, 400}, {915, 400}, screen, 100, "805,420 895,530"},
        {"past the bottom edge: above right",
         {500, 639},
         {500, 639},
         screen,
         100,
         "520,509 610,619"},
        {"bottom-right corner: above left",
         {1000, 760},
         {1000, 760},
         screen,
         100,
         "890,630 980,740"},
        {"top-left corner", {0, 0}, {0, 0}, screen, 100, "20,20 110,130"},
        {"nowhere on a small monitor: the first",
         {50, 50},
         {50, 50},
         {0, 0, 150, 150},
         100,
         "70,70 160,180"},
        // The 11 x 11 pixels reach 5 from the read point; the window's far
        // edges are exclusive.
        {"read point just clear of the near edge",
         {500, 400},
         {514, 500},
         screen,
         100,
         "520,420 610,530"},
        {"read point reaching the near edge",
         {500, 400},
         {515, 500},
         screen,
         100,
         "390,420 480,530"},
        {"read point reaching the far edge",
         {500, 400},
         {614, 534},
         screen,
         100,
         "390,420 480,530"},
        {"read point just clear of the far edge",
         {500, 400},
         {615, 534},
         screen,
         100,
         "520,420 610,530"},
        {"off the monitor on the right, over the pixels below left",
         {500, 400},
         {440, 440},
         {0, 0, 590, 768},
         100,
         "390,270 480,380"},
        // The pointer read at 125 %: where the system scales the window too,
        // it lies at 525,575 and clears the pixels; where it does not, it
        // covers them and moves on.
        {"125 %, window scaled", {400, 440}, {500, 550}, screen, 125, "420,460 510,570"},
        {"125 %, window not scaled", {400, 440}, {500, 550}, screen, 100, "290,460 380,570"},
        {"125 %, scaled near edge reached", {400, 440}, {520, 600}, screen, 125, "290,460 380,570"},
        {"125 %, scaled near edge just clear",
         {400, 440},
         {519, 600},
         screen,
         125,
         "420,460 510,570"},
        // The far edge, 510, lies at 637.5: pixel 637 is partly covered.
        {"125 %, scaled far edge rounded up",
         {400, 440},
         {642, 600},
         screen,
         125,
         "290,460 380,570"},
        {"125 %, scaled far edge just clear",
         {400, 440},
         {643, 600},
         screen,
         125,
         "420,460 510,570"},
        {"monitor left of the primary", {-100, 300}, {-100, 300}, left, 100, "-210,320 -120,430"},
        {"monitor left of the primary, its bottom-left corner",
         {-1270, 700},
         {-1270, 700},
         left,
         100,
         "-1250,570 -1160,680"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.placed, Text(PlaceLoupe(row.pointer, row.read, W, H, row.monitor, row.scale)))
            << row.name;
}

}  // namespace
