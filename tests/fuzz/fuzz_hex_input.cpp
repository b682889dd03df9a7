// Fuzzes what the user types into the hex edits. The input is a series of
// records: a byte choosing the channel, then the typed bytes up to a NUL. The
// first byte also chooses the slot being edited and whether the preview
// exists. Only a text of exactly two hex digits may change the channel, and
// then to the value they spell; any other text must leave every control alone.
#include "core/app_state.h"
#include "core/color_model.h"
#include "tests/fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader input = {data, size, 0};
    uint8_t first = input.Byte();
    bool previewReady = (first & 0x80) != 0;
    StartModel(previewReady);
    LoadSlotIntoChannels(first >> 5 & 3);
    CheckModelInvariant("start-up");
    input.pos = 0;
    while (!input.AtEnd()) {
        int channel = input.Byte() % CHANNEL_COUNT;
        const uint8_t* bytes;
        size_t length = input.Text(&bytes);
        char text[EDIT_TEXT_LIMIT + 1];
        CutWindowText(bytes, length, text);

        uint8_t before[CHANNEL_COUNT];
        for (int c = CHANNEL_RED; c < CHANNEL_COUNT; ++c) before[c] = g_app.channels[c].value;
        int writesBefore = g_recorder.controlWrites;
        int repaintsBefore = g_recorder.repaints;

        TypeHexText(channel, text);

        unsigned expected = before[channel];
        bool taken = ExpectedHexValue(text, &expected);
        for (int c = CHANNEL_RED; c < CHANNEL_COUNT; ++c) {
            unsigned want = c == channel ? expected : before[c];
            FUZZ_CHECK(g_app.channels[c].value == want,
                       "typed \"%s\" into channel %d: channel %d is %u, expected %u", text,
                       channel, c, g_app.channels[c].value, want);
        }
        if (taken) {
            FUZZ_CHECK(g_recorder.repaints - repaintsBefore == (previewReady ? 1 : 0),
                       "typed \"%s\": %d repaints requested", text,
                       g_recorder.repaints - repaintsBefore);
        } else {
            FUZZ_CHECK(g_recorder.controlWrites == writesBefore,
                       "typed \"%s\" was refused but %d controls were written", text,
                       g_recorder.controlWrites - writesBefore);
        }
        CheckModelInvariant("typing");
    }
    return 0;
}
