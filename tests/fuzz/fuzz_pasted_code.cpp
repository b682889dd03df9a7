// Fuzzes the reading of a pasted colour code with any UTF-16 text (the input's
// bytes, little-endian pairs), read from a buffer of exactly its length. What
// must hold whatever the text: the same reading after a NUL and more text, in
// the other case, in full width; and a code read gives a colour whose own code
// "#RRGGBB" reads back as it.
#include <gtest/gtest.h>

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#include <vector>

#include "core/pasted_code.h"

namespace {

using Units = std::vector<uint16_t>;

// The reading as a number: the colour, or -1 for a refusal.
long long Read(const Units& text) {
    Units exact(text);  // no spare capacity for a read past the end to hide in
    COLORREF color;
    return ReadPastedCode(exact.data(), exact.size(), &color) ? (long long)color : -1;
}

Units Transformed(const Units& text, uint16_t (*change)(uint16_t)) {
    Units out;
    for (uint16_t c : text) out.push_back(change(c));
    return out;
}

uint16_t OtherCase(uint16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? c ^ 0x20 : c;
}

uint16_t FullWidth(uint16_t c) {
    if (c == ' ') return 0x3000;
    return c >= 0x21 && c <= 0x7E ? (uint16_t)(c + 0xFEE0) : c;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A failed check ends the run, so that libFuzzer saves the input.
    GTEST_FLAG_SET(throw_on_failure, true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Units text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back((uint16_t)(data[i] | data[i + 1] << 8));
    const long long read = Read(text);

    Units longer(text);
    longer.insert(longer.end(), {0, '#', 'a', 'b', 'c'});
    EXPECT_EQ(read, Read(longer)) << "with a NUL and \"#abc\" after it";
    EXPECT_EQ(read, Read(Transformed(text, OtherCase))) << "in the other case";
    EXPECT_EQ(read, Read(Transformed(text, FullWidth))) << "in full width";
    if (read >= 0) {
        EXPECT_EQ(0, read >> 24) << "the top byte of the colour";
        char code[8];
        snprintf(code, sizeof code, "#%02X%02X%02X", (unsigned)(read & 0xFF),
                 (unsigned)(read >> 8 & 0xFF), (unsigned)(read >> 16 & 0xFF));
        EXPECT_EQ(read, Read(Units(code, code + 7))) << "its own code " << code;
    }
    return 0;
}
