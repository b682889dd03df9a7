#include "core/text_format.h"

#include <stdarg.h>
#include <stdio.h>

#ifdef _WIN32
#define VFORMAT _vsnprintf
#else
#define VFORMAT vsnprintf
#endif

// Both formatters give a negative count or one of size or more when the text
// does not fit; what was written is then the buffer less its last byte.
int FormatText(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    // clang-tidy 14 reports args as uninitialised here when a caller of
    // FormatText came before this file in the same run; alone it does not.
    int length =
        VFORMAT(buffer, size, format, args);  // NOLINT(clang-analyzer-valist.Uninitialized)
    va_end(args);
    if (length < 0 || (size_t)length >= size) length = (int)size - 1;
    buffer[length] = '\0';
    return length;
}
