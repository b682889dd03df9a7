// Colour-vision views: a colour as viewers of P, D and T type colour vision see
// it, for the preview to paint, and the views' names for the preview's menu
// and its corner mark.
#ifndef PIKURIO_COLOR_VISION_H
#define PIKURIO_COLOR_VISION_H

#include "core/platform_types.h"

// In the menu's order; VIEW_NORMAL paints the real colours.
enum ColorVisionView { VIEW_NORMAL, VIEW_PROTAN, VIEW_DEUTAN, VIEW_TRITAN, VIEW_COUNT };

// The colour as a viewer of that type sees it; VIEW_NORMAL gives it back unchanged.
COLORREF SimulateColorVision(COLORREF color, int view);
// "一般の見え方（C型）", "P型（1型）の見え方" and so on.
const char* ColorVisionViewName(int view);

#endif
