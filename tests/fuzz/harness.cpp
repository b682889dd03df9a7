// The five control operations of the colour model, bound to the recorder, and
// the checks both fuzz targets share.
#include "tests/fuzz/harness.h"

#include <ctype.h>
#include <string.h>

#include "core/color_model.h"
#include "core/control_ops.h"

ControlRecorder g_recorder;

// The edit holds at most what the read-back buffer can carry.
static void StoreEditText(int channel, const char* text, size_t length) {
    if (length > EDIT_TEXT_LIMIT) length = EDIT_TEXT_LIMIT;
    memcpy(g_recorder.hexText[channel], text, length);
    g_recorder.hexText[channel][length] = '\0';
}

void SetChannelHexText(int channel, const char* text) {
    ++g_recorder.controlWrites;
    // The echo of this write must not come back here again: a nested write
    // means the model parsed its own text and would recurse on a real edit.
    FUZZ_CHECK(g_recorder.hexWriteNesting == 0, "hex text \"%s\" written during another write",
               text);
    ++g_recorder.hexWriteNesting;
    g_recorder.typedTextShown[channel] = false;
    StoreEditText(channel, text, strlen(text));
    ApplyTypedHex(channel, g_recorder.hexText[channel]);
    --g_recorder.hexWriteNesting;
}

void SetChannelDecText(int channel, const char* text) {
    ++g_recorder.controlWrites;
    snprintf(g_recorder.decText[channel], sizeof g_recorder.decText[channel], "%s", text);
}

void SetCodeText(const char* text) {
    ++g_recorder.controlWrites;
    snprintf(g_recorder.codeText, sizeof g_recorder.codeText, "%s", text);
}

void SetChannelSliderPos(int channel, int position) {
    ++g_recorder.controlWrites;
    g_recorder.sliderPos[channel] = position;
}

void RepaintPreview() {
    ++g_recorder.controlWrites;
    ++g_recorder.repaints;
}

void StartModel(bool previewReady) {
    g_app = AppState();
    memset(&g_recorder, 0, sizeof g_recorder);
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        UpdateChannel(channel, g_app.channels[channel].value, true);
    // Any non-null handle will do: the model only tests that it is there.
    if (previewReady) g_app.slots[SLOT_BACKGROUND].window = reinterpret_cast<HWND>(&g_app);
}

void CutWindowText(const uint8_t* bytes, size_t size, char (&text)[EDIT_TEXT_LIMIT + 1]) {
    size_t length = 0;
    while (length < size && length < EDIT_TEXT_LIMIT && bytes[length] != 0) ++length;
    memcpy(text, bytes, length);
    text[length] = '\0';
}

void TypeHexText(int channel, const char* text) {
    g_recorder.typedTextShown[channel] = true;
    StoreEditText(channel, text, strlen(text));
    ApplyTypedHex(channel, g_recorder.hexText[channel]);
}

bool ExpectedHexValue(const char* text, unsigned* value) {
    if (strlen(text) != 2) return false;
    if (!isxdigit((unsigned char)text[0]) || !isxdigit((unsigned char)text[1])) return false;
    *value = (unsigned)strtol(text, nullptr, 16);
    return true;
}

COLORREF ExpectedColor() {
    const Channel* c = g_app.channels;
    return (COLORREF)c[CHANNEL_RED].value | (COLORREF)c[CHANNEL_GREEN].value << 8 |
           (COLORREF)c[CHANNEL_BLUE].value << 16;
}

void CheckModelInvariant(const char* step) {
    const Channel* c = g_app.channels;
    FUZZ_CHECK(g_app.updateDepth == 0, "after %s: updateDepth %d", step, g_app.updateDepth);
    FUZZ_CHECK(g_app.currentSlot >= SLOT_BACKGROUND && g_app.currentSlot < SLOT_COUNT,
               "after %s: currentSlot %d", step, g_app.currentSlot);
    COLORREF color = g_app.slots[g_app.currentSlot].color;
    FUZZ_CHECK(color == ExpectedColor(), "after %s: slot %d holds %06X, channels make %06X", step,
               g_app.currentSlot, (unsigned)color, (unsigned)ExpectedColor());
    char code[16];
    snprintf(code, sizeof code, "#%02X%02X%02X", c[CHANNEL_RED].value, c[CHANNEL_GREEN].value,
             c[CHANNEL_BLUE].value);
    FUZZ_CHECK(strcmp(g_recorder.codeText, code) == 0, "after %s: code text \"%s\", expected \"%s\"",
               step, g_recorder.codeText, code);
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        unsigned value = c[channel].value;
        char expected[16];
        snprintf(expected, sizeof expected, "%u", value);
        FUZZ_CHECK(strcmp(g_recorder.decText[channel], expected) == 0,
                   "after %s: channel %d decimal text \"%s\", value %u", step, channel,
                   g_recorder.decText[channel], value);
        snprintf(expected, sizeof expected, "%02X", value);
        FUZZ_CHECK(g_recorder.typedTextShown[channel] ||
                       strcmp(g_recorder.hexText[channel], expected) == 0,
                   "after %s: channel %d hex text \"%s\", value %u", step, channel,
                   g_recorder.hexText[channel], value);
        FUZZ_CHECK(g_recorder.sliderPos[channel] == 255 - (int)value,
                   "after %s: channel %d slider at %d, value %u", step, channel,
                   g_recorder.sliderPos[channel], value);
    }
}
