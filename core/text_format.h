// Formatting into a fixed buffer, in the printf manner.
#ifndef PIKURIO_TEXT_FORMAT_H
#define PIKURIO_TEXT_FORMAT_H

#include <stddef.h>

// Writes at most size - 1 bytes and always ends the text with a NUL; returns
// the number of bytes written before it. On Windows it calls the system C
// library's formatter straight, without the C99 wrapper that would add the
// allocating length count and the 64-bit division helpers to the program.
int FormatText(char* buffer, size_t size, const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 3, 4)))
#endif
    ;

#endif
