// What the fuzz targets share: a recorder standing in for the controls, the
// checks that hold after every model operation, and a reader of input bytes.
// The recorder keeps the last text and slider position each control was
// given and counts repaint requests. Writing a hex edit's text re-enters
// ApplyTypedHex before the write returns, as the edit-change notification
// does in the real dialog.
#ifndef PIKURIO_FUZZ_HARNESS_H
#define PIKURIO_FUZZ_HARNESS_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "core/app_state.h"

// A hex edit read back through the dialog's 15-byte GetWindowTextA buffer.
enum { EDIT_TEXT_LIMIT = 14 };

struct ControlRecorder {
    char hexText[CHANNEL_COUNT][EDIT_TEXT_LIMIT + 1];
    char decText[CHANNEL_COUNT][16];
    char codeText[16];
    int sliderPos[CHANNEL_COUNT];
    bool typedTextShown[CHANNEL_COUNT];  // the edit holds the user's text, not the value
    int controlWrites;  // every text, slider and repaint operation
    int repaints;
    int hexWriteNesting;
};

extern ControlRecorder g_recorder;

// Fails the fuzz run with the failing condition and a note on the values.
#define FUZZ_CHECK(condition, ...)                                                 \
    do {                                                                           \
        if (!(condition)) {                                                        \
            fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__,     \
                    #condition);                                                   \
            fprintf(stderr, __VA_ARGS__);                                          \
            fputc('\n', stderr);                                                   \
            abort();                                                               \
        }                                                                          \
    } while (0)

// Fresh model and controls, then the dialog's start-up: each channel shown
// at 255 while the background is current. With previewReady the preview
// exists afterwards, so later updates ask it to repaint.
void StartModel(bool previewReady);

// Input bytes as the dialog reads a hex edit back: up to the first NUL, at
// most EDIT_TEXT_LIMIT bytes, NUL-terminated.
void CutWindowText(const uint8_t* bytes, size_t size, char (&text)[EDIT_TEXT_LIMIT + 1]);

// Puts text into a channel's hex edit as the user's typing would and delivers
// the edit-change notification.
void TypeHexText(int channel, const char* text);

// The value a typed text should give, judged without the model's parser:
// exactly two hex digits. False when the text should be refused.
bool ExpectedHexValue(const char* text, unsigned* value);

// The channels as a COLORREF, built here rather than by the model's helper.
COLORREF ExpectedColor();

// What must hold after every model operation: the current slot shows the
// channels, every control shows its channel's value (a hex edit may instead
// keep text the user typed), and no update is still running.
void CheckModelInvariant(const char* step);

// Reads input bytes front to back; past the end every read gives 0.
struct ByteReader {
    const uint8_t* data;
    size_t size;
    size_t pos;

    bool AtEnd() const { return pos >= size; }
    uint8_t Byte() { return pos < size ? data[pos++] : 0; }
    uint32_t Word(int bytes) {
        uint32_t w = 0;
        for (int i = 0; i < bytes; ++i) w = w << 8 | Byte();
        return w;
    }
    // Bytes up to the next NUL (consumed, not included) or the end.
    size_t Text(const uint8_t** text) {
        *text = data + pos;
        size_t length = 0;
        while (pos < size && data[pos] != 0) {
            ++pos;
            ++length;
        }
        if (pos < size) ++pos;
        return length;
    }
};

#endif
