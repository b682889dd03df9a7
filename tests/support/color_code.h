// What the tests predict of a colour, written here once for host and Windows
// tests alike: the code "#RRGGBB" the user sees, the COLORREF a slot holds,
// and the value a text typed into a hex edit stands for. They are the tests'
// own statements of these rules, so that they check the product's code
// rather than share it.
#ifndef PIKURIO_TESTS_SUPPORT_COLOR_CODE_H
#define PIKURIO_TESTS_SUPPORT_COLOR_CODE_H

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "core/platform_types.h"

inline std::string ColorCode(unsigned red, unsigned green, unsigned blue) {
    char code[16];
    snprintf(code, sizeof code, "#%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
    return code;
}

// The COLORREF layout written out byte by byte: red lowest, blue third.
inline COLORREF ColorRefOf(unsigned red, unsigned green, unsigned blue) {
    return red | green << 8 | blue << 16;
}

// Exactly two hex digits, either case, stand for their value; any other text
// for none (-1).
inline int TwoHexDigitsValue(const std::string& text) {
    if (text.size() != 2 || !isxdigit((unsigned char)text[0]) || !isxdigit((unsigned char)text[1]))
        return -1;
    return (int)strtol(text.c_str(), nullptr, 16);
}

#endif
