// The fuzz target's view of the model: the unit tests' recorder stands in for
// the controls, and what the controls show is read from its sequence; the
// checks that hold after every model operation (GoogleTest's, made fatal); and
// a reader of input bytes.
#ifndef PIKURIO_FUZZ_HARNESS_H
#define PIKURIO_FUZZ_HARNESS_H

#include <gtest/gtest.h>

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "core/app_state.h"

// A hex edit read back through the dialog's 15-byte GetWindowTextA buffer.
enum { EDIT_TEXT_LIMIT = 14 };

// What the controls show: the last text or position the model gave each one,
// unless the user has changed it since.
struct ControlsShown {
    std::string hex[CHANNEL_COUNT];
    std::string dec[CHANNEL_COUNT];
    std::string code;
    int slider[CHANNEL_COUNT];
    bool typed[CHANNEL_COUNT];  // the hex edit holds the user's text, not the value
    int repaints;
    bool echoTooDeep;  // the model parsed its own hex text back in
};

// Brought up to date with the recorded operations on each call.
const ControlsShown& Shown();
// Every control operation recorded since the model started.
size_t ControlWrites();

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
// Moves a slider's thumb as the user's drag would, before the model hears of it.
void DragThumb(int channel, int position);

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
