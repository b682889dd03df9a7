// The recorder read as the controls' current state, and the checks the fuzz
// target makes after every model operation.
#include "tests/fuzz/harness.h"

#include <stdio.h>
#include <string.h>

#include "core/color_model.h"
#include "tests/support/color_code.h"
#include "tests/unit/recorder.h"

namespace {

ControlsShown g_shown;
size_t g_applied;  // recorded operations already in g_shown

}  // namespace

const ControlsShown& Shown() {
    const std::vector<ControlOp>& ops = RecordedOps();
    for (; g_applied < ops.size(); ++g_applied) {
        const ControlOp& op = ops[g_applied];
        switch (op.kind) {
        case OpKind::HexText:
            g_shown.hex[op.channel] = op.text;
            g_shown.typed[op.channel] = false;
            break;
        case OpKind::DecText:
            g_shown.dec[op.channel] = op.text;
            break;
        case OpKind::CodeText:
            g_shown.code = op.text;
            break;
        case OpKind::SliderPos:
            g_shown.slider[op.channel] = op.position;
            break;
        case OpKind::Repaint:
            ++g_shown.repaints;
            break;
        case OpKind::EchoTooDeep:
            g_shown.echoTooDeep = true;
            break;
        }
    }
    return g_shown;
}

size_t ControlWrites() { return RecordedOps().size(); }

void StartModel(bool previewReady) {
    // A failed check ends the run, so that libFuzzer saves the input. (Set
    // here: a static initializer could run before GoogleTest's own.)
    GTEST_FLAG_SET(throw_on_failure, true);
    g_app = AppState();
    ClearRecording();
    g_shown = ControlsShown();
    g_applied = 0;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        UpdateChannel(channel, g_app.channels[channel].value, true);
    if (previewReady) g_app.slots[SLOT_BACKGROUND].window = FakeWindow();
}

void CutWindowText(const uint8_t* bytes, size_t size, char (&text)[EDIT_TEXT_LIMIT + 1]) {
    size_t length = 0;
    while (length < size && length < EDIT_TEXT_LIMIT && bytes[length] != 0) ++length;
    memcpy(text, bytes, length);
    text[length] = '\0';
}

void TypeHexText(int channel, const char* text) {
    Shown();
    g_shown.hex[channel] = text;
    g_shown.typed[channel] = true;
    ApplyTypedHex(channel, text);
}

void DragThumb(int channel, int position) {
    Shown();
    g_shown.slider[channel] = position;
}

void CheckModelInvariant(const char* step) {
    SCOPED_TRACE(std::string("after ") + step);
    const Channel* c = g_app.channels;
    const ControlsShown& shown = Shown();
    EXPECT_FALSE(shown.echoTooDeep);
    EXPECT_EQ(g_app.updateDepth, 0);
    ASSERT_TRUE(g_app.currentSlot >= SLOT_BACKGROUND && g_app.currentSlot < SLOT_COUNT)
        << "current slot " << g_app.currentSlot;
    EXPECT_EQ(g_app.slots[g_app.currentSlot].color,
              ColorRefOf(c[CHANNEL_RED].value, c[CHANNEL_GREEN].value, c[CHANNEL_BLUE].value))
        << "slot " << g_app.currentSlot;
    EXPECT_EQ(shown.code,
              ColorCode(c[CHANNEL_RED].value, c[CHANNEL_GREEN].value, c[CHANNEL_BLUE].value));
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        unsigned value = c[channel].value;
        EXPECT_EQ(shown.dec[channel], std::to_string(value)) << "channel " << channel;
        char hex[3];
        snprintf(hex, sizeof hex, "%02X", value);
        if (!shown.typed[channel]) EXPECT_EQ(shown.hex[channel], hex) << "channel " << channel;
        EXPECT_EQ(shown.slider[channel], 255 - (int)value) << "channel " << channel;
    }
}
