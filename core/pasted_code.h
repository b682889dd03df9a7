// Reading a colour code from pasted text: "#RRGGBB", six hex digits without
// "#", "#RGB", "rgb(R, G, B)" and "rgb(R G B)", in half-width or full-width
// characters or a mix of both.
#ifndef PIKURIO_PASTED_CODE_H
#define PIKURIO_PASTED_CODE_H

#include <stddef.h>
#include <stdint.h>

#include "core/platform_types.h"

// Reads text, length UTF-16 code units that end early at a NUL, as one colour
// code with blanks (space, tab, line ends, the ideographic space) around it
// and one ';' after it. True, with the colour in *color, when all of the text
// is such a code; false for anything else.
bool ReadPastedCode(const uint16_t* text, size_t length, COLORREF* color);

#endif
