// Fuzzes what the user types into the hex edits. The input is a series of
// records: a byte choosing the channel, then the typed bytes up to a NUL. The
// first byte also chooses the slot being edited and whether the preview
// exists. Only a text of exactly two hex digits may change the channel, and
// then to the value they spell; any other text must leave every control alone.
#include <string>

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
        size_t writesBefore = ControlWrites();
        int repaintsBefore = Shown().repaints;

        TypeHexText(channel, text);

        SCOPED_TRACE(testing::Message() << "typed " << testing::PrintToString(std::string(text))
                                        << " into channel " << channel);
        unsigned expected = before[channel];
        bool taken = ExpectedHexValue(text, &expected);
        for (int c = CHANNEL_RED; c < CHANNEL_COUNT; ++c)
            EXPECT_EQ(g_app.channels[c].value, c == channel ? expected : before[c])
                << "channel " << c;
        if (taken)
            EXPECT_EQ(Shown().repaints - repaintsBefore, previewReady ? 1 : 0);
        else
            EXPECT_EQ(ControlWrites(), writesBefore) << "controls written for a refused text";
        CheckModelInvariant("typing");
    }
    return 0;
}
