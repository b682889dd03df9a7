// Fuzzes sequences of model operations as the dialog issues them: typed hex
// texts, slider positions (out-of-range ones too), up-down values, slot
// switches, size choices and picked pixels. After each one the whole model is
// compared with what that operation alone may change: a shadow copy of the
// slots catches any write to a slot that is not being edited.
#include <string.h>

#include <string>

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/pixel_rules.h"
#include "tests/fuzz/harness.h"
#include "tests/support/color_code.h"

enum Operation { OP_TYPE, OP_SLIDER, OP_SPIN, OP_SLOT, OP_SIZE, OP_PIXEL, OP_COUNT };

static const char* const OPERATION_NAMES[OP_COUNT] = {"typing",      "slider",      "up-down",
                                                      "slot switch", "size choice", "pixel"};

// What the model should hold after one operation.
struct Expectation {
    unsigned values[CHANNEL_COUNT];
    int currentSlot;
    ColorSlot slots[SLOT_COUNT];  // the current slot's colour is checked by the invariant
    int updates;                  // channel updates the operation should make
};

// Runs one operation read from the input and fills in what it should leave.
static Operation RunOperation(ByteReader* input, Expectation* expect) {
    Operation op = (Operation)(input->Byte() % OP_COUNT);
    int channel = input->Byte() % CHANNEL_COUNT;
    switch (op) {
    case OP_TYPE: {
        const uint8_t* bytes;
        size_t length = input->Text(&bytes);
        char text[EDIT_TEXT_LIMIT + 1];
        CutWindowText(bytes, length, text);
        int typed = TwoHexDigitsValue(text);
        if (typed >= 0) {
            expect->values[channel] = (unsigned)typed;
            expect->updates = 1;
        }
        TypeHexText(channel, text);
        break;
    }
    case OP_SLIDER: {
        // Mostly positions the trackbar can report; otherwise any int at all.
        uint8_t mode = input->Byte();
        int position = mode & 1 ? (int)input->Byte() : (int)input->Word(4);
        if (position >= 0 && position <= 255) {
            DragThumb(channel, position);
            expect->values[channel] = 255u - (unsigned)position;
            expect->updates = 1;
        }
        ApplySliderPosition(channel, position);
        break;
    }
    case OP_SPIN: {
        // The up-down reports a 16-bit position; the dialog keeps its low byte.
        unsigned position = input->Word(2);
        expect->values[channel] = position & 0xFF;
        expect->updates = 1;
        UpdateChannel(channel, position & 0xFF, true);
        break;
    }
    case OP_SLOT: {
        int slot = input->Byte() % SLOT_COUNT;
        COLORREF color = expect->slots[slot].color;
        expect->values[CHANNEL_RED] = color & 0xFF;
        expect->values[CHANNEL_GREEN] = color >> 8 & 0xFF;
        expect->values[CHANNEL_BLUE] = color >> 16 & 0xFF;
        expect->currentSlot = slot;
        expect->updates = CHANNEL_COUNT;
        LoadSlotIntoChannels(slot);
        break;
    }
    case OP_SIZE: {
        // The size combo lists large, medium, small.
        static const int SIZE_OF_SELECTION[3] = {2, 1, 0};
        int slot = SLOT_TEXT1 + channel;
        int selection = input->Byte() % 3;
        expect->slots[slot].sizeIndex = SIZE_OF_SELECTION[selection];
        SetSlotSize(slot, selection);
        break;
    }
    case OP_PIXEL: {
        uint32_t pixel = input->Word(4);
        expect->values[CHANNEL_RED] = pixel >> 16 & 0xFF;
        expect->values[CHANNEL_GREEN] = pixel >> 8 & 0xFF;
        expect->values[CHANNEL_BLUE] = pixel & 0xFF;
        expect->updates = CHANNEL_COUNT;
        uint32_t rest = ApplyPixelToChannels(pixel);
        EXPECT_EQ(rest, pixel >> 24) << "pixel " << pixel;
        break;
    }
    case OP_COUNT:
        break;
    }
    return op;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteReader input = {data, size, 0};
    bool previewReady = (input.Byte() & 1) != 0;
    StartModel(previewReady);
    CheckModelInvariant("start-up");
    while (!input.AtEnd()) {
        Expectation expect;
        for (int c = CHANNEL_RED; c < CHANNEL_COUNT; ++c)
            expect.values[c] = g_app.channels[c].value;
        expect.currentSlot = g_app.currentSlot;
        memcpy(expect.slots, g_app.slots, sizeof expect.slots);
        expect.updates = 0;
        int editedSlot = g_app.currentSlot;
        size_t writesBefore = ControlWrites();
        int repaintsBefore = Shown().repaints;

        Operation op = RunOperation(&input, &expect);
        const char* name = OPERATION_NAMES[op];

        SCOPED_TRACE(std::string("after ") + name + ", slot " + std::to_string(editedSlot) +
                     " current before");
        for (int c = CHANNEL_RED; c < CHANNEL_COUNT; ++c)
            EXPECT_EQ(g_app.channels[c].value, expect.values[c]) << "channel " << c;
        EXPECT_EQ(g_app.currentSlot, expect.currentSlot);
        for (int s = SLOT_BACKGROUND; s < SLOT_COUNT; ++s) {
            const ColorSlot& slot = g_app.slots[s];
            // Only the slot being edited may take a new colour, and a slot
            // switch loads a colour without changing any.
            if (s != editedSlot || op == OP_SLOT)
                EXPECT_EQ(slot.color, expect.slots[s].color) << "slot " << s;
            EXPECT_EQ(slot.sizeIndex, expect.slots[s].sizeIndex) << "slot " << s;
            EXPECT_EQ(slot.window, expect.slots[s].window) << "slot " << s;
        }
        EXPECT_EQ(Shown().repaints - repaintsBefore, previewReady ? expect.updates : 0);
        if (expect.updates == 0)
            EXPECT_EQ(ControlWrites(), writesBefore) << "controls written though nothing changed";
        CheckModelInvariant(name);
    }
    return 0;
}
