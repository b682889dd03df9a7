#include "core/pasted_code.h"

namespace {

// Where the reading has got to in the pasted text.
struct Scanner {
    const uint16_t* text;
    size_t length;
    size_t pos;
};

}  // namespace

// The character at the scanner, a full-width one as its half-width twin, the
// ideographic space as a space and an ASCII letter in lower case (only those:
// or-ing 0x20 into any character would turn control characters into digits);
// 0 at the end of the text.
static unsigned Peek(const Scanner& s) {
    unsigned c = s.pos < s.length ? s.text[s.pos] : 0;
    if (c == 0x3000) return ' ';
    if (c - 0xFF01u <= 0xFF5Eu - 0xFF01u) c -= 0xFEE0u;
    return c - 'A' < 26u ? c + 32 : c;
}

// Skips spaces, tabs and line ends.
static void SkipBlanks(Scanner* s) {
    for (unsigned c = Peek(*s); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = Peek(*s))
        ++s->pos;
}

// Takes c (an ASCII letter in lower case, or a sign) when it comes next.
static bool Take(Scanner* s, unsigned c) {
    if (Peek(*s) != c) return false;
    ++s->pos;
    return true;
}

// The value of the hex digit at the scanner, or -1.
static int HexDigit(const Scanner& s) {
    unsigned c = Peek(s);
    if (c - '0' < 10u) return (int)(c - '0');
    return c - 'a' < 6u ? (int)(c - 'a' + 10) : -1;
}

// "#RRGGBB", "RRGGBB" or "#RGB".
static bool ReadHexCode(Scanner* s, COLORREF* color) {
    bool hash = Take(s, '#');
    uint32_t v = 0;
    int digits = 0;
    // One digit more than a code has is enough to refuse the text.
    for (int d; digits < 7 && (d = HexDigit(*s)) >= 0; ++digits, ++s->pos) v = v << 4 | (uint32_t)d;
    if (digits == 3 && hash)
        v = (v & 0xF00) * 0x1100 | (v & 0xF0) * 0x110 | (v & 0xF) * 0x11;
    else if (digits != 6)
        return false;
    // 0x00RRGGBB, byte-swapped and shifted: 0x00BBGGRR.
    *color = __builtin_bswap32(v) >> 8;
    return true;
}

// "rgb(R, G, B)" or "rgb(R G B)": commas between all three numbers or none.
static bool ReadRgbFunction(Scanner* s, COLORREF* color) {
    for (const char* name = "rgb"; *name; ++name)
        if (!Take(s, (unsigned char)*name)) return false;
    SkipBlanks(s);
    if (!Take(s, '(')) return false;
    int commas = 0;
    *color = 0;
    for (int i = 0; i < 3; ++i) {
        // Two numbers with neither a comma nor a blank between are one number.
        SkipBlanks(s);
        if (i > 0 && Take(s, ',')) {
            ++commas;
            SkipBlanks(s);
        }
        unsigned value = 0;
        int digits = 0;
        for (unsigned c; (c = Peek(*s) - '0') < 10u && value <= 255; ++digits, ++s->pos)
            value = value * 10 + c;
        if (digits == 0 || value > 255) return false;
        *color |= value << 8 * i;
    }
    SkipBlanks(s);
    return Take(s, ')') && commas != 1;
}

bool ReadPastedCode(const uint16_t* text, size_t length, COLORREF* color) {
    Scanner s = {text, length, 0};
    COLORREF read;
    SkipBlanks(&s);
    if (!(Peek(s) == 'r' ? ReadRgbFunction(&s, &read) : ReadHexCode(&s, &read))) return false;
    SkipBlanks(&s);
    if (Take(&s, ';')) SkipBlanks(&s);
    if (Peek(s) != 0) return false;
    *color = read;
    return true;
}
