// The colour code "#RRGGBB" as the user sees it, written here once for every
// test that predicts it (host and Windows alike).
#ifndef PIKURIO_TESTS_SUPPORT_COLOR_CODE_H
#define PIKURIO_TESTS_SUPPORT_COLOR_CODE_H

#include <stdio.h>

#include <string>

inline std::string ColorCode(unsigned red, unsigned green, unsigned blue) {
    char code[16];
    snprintf(code, sizeof code, "#%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
    return code;
}

#endif
