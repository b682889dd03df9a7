// The handle and colour types the model stores. On Windows they are the
// platform's own; the host build, which only runs the model, sees them as
// opaque handles of the same shape.
#ifndef PIKURIO_PLATFORM_TYPES_H
#define PIKURIO_PLATFORM_TYPES_H

#ifdef _WIN32
#include <windows.h>
#else
#include <stdint.h>
// Distinct incomplete types, as windows.h makes them, but without its
// double-underscore tags: such names are reserved to the implementation.
typedef struct HWND_* HWND;
typedef struct HFONT_* HFONT;
typedef struct HICON_* HICON;
typedef struct HHOOK_* HHOOK;
typedef struct HINSTANCE_* HINSTANCE;
typedef uint32_t COLORREF;
typedef intptr_t LONG_PTR;
typedef uintptr_t WPARAM;
struct RECT {
    long left;
    long top;
    long right;
    long bottom;
};
struct POINT {
    long x;
    long y;
};
#endif

#endif
