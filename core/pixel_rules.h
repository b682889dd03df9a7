// The platform-free rules of a screen sample: the display-scale percentage,
// the scaled cursor position, and the conversion of one captured pixel.
#ifndef PIKURIO_PIXEL_RULES_H
#define PIKURIO_PIXEL_RULES_H

#include <stdint.h>

#include "core/platform_types.h"

enum { COLOR_TABLE_ENTRIES = 256 };

// The per-monitor "DpiValue": 0 -> 100 %, 1 -> 125 %, 2 -> 150 %, 3 -> 175 %, repeating.
int ScaleFromDpiValue(uint32_t dpiValue);

// True for the value name "DpiValue" in any ASCII case.
bool IsDpiValueName(const char* name);

// A logical cursor coordinate in physical pixels, truncated toward zero.
int ScaleCoordinate(int coordinate, int scalePercent);

// The pixel word of a 1 x 1 DIB in the screen's format, as 0x00RRGGBB.
uint32_t ConvertDibPixel(uint32_t w, int bitCount, const uint32_t* colorTable);

// 0x00RRGGBB to the platform's 0x00BBGGRR.
COLORREF PixelToColorRef(uint32_t v);

#endif
