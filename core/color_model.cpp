#include "core/color_model.h"

#include <string.h>

#include "core/control_ops.h"
#include "core/text_format.h"

static const char HEX_DIGITS[] = "0123456789ABCDEF0123456789abcdef";

// Hex form at offset 0, colour code at 3, decimal form at 11, each NUL-terminated.
ChannelTexts FormatChannelTexts(unsigned value, unsigned red, unsigned green, unsigned blue) {
    ChannelTexts texts = {};
    unsigned rgb = (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
    FormatText(texts.buffer, sizeof texts.buffer, "%02X%c#%06X%c%d", value & 0xFF, 0, rgb, 0,
               (int)(value & 0xFF));
    return texts;
}

static int HexDigitValue(char c) {
    // strchr would also find the terminator; a NUL is never a digit.
    const char* found = c != '\0' ? strchr(HEX_DIGITS, c) : nullptr;
    return found ? (int)((found - HEX_DIGITS) % 16) : -1;
}

// Two hex digits, either case, to a byte; false when either is not a digit.
bool ParseHexByte(const char* text, uint8_t* value) {
    int high = HexDigitValue(text[0]);
    int low = high >= 0 ? HexDigitValue(text[1]) : -1;
    if (low < 0) return false;
    *value = (uint8_t)(high * 16 + low);
    return true;
}

int SliderPositionForValue(unsigned value) { return 255 - (int)value; }

// Stores the value, writes its texts back to the controls and the colour into
// the current slot. The texts written here echo back as edit-change
// notifications; updateDepth tells ApplyTypedHex to ignore them.
void UpdateChannel(int channel, unsigned value, bool moveSlider) {
    Channel* channels = g_app.channels;
    ++g_app.updateDepth;
    channels[channel].value = (uint8_t)value;
    ChannelTexts texts =
        FormatChannelTexts(value, channels[CHANNEL_RED].value, channels[CHANNEL_GREEN].value,
                           channels[CHANNEL_BLUE].value);
    SetChannelHexText(channel, texts.Hex());
    SetCodeText(texts.Code());
    SetChannelDecText(channel, texts.Dec());
    if (moveSlider) SetChannelSliderPos(channel, SliderPositionForValue(value));
    g_app.slots[g_app.currentSlot].color =
        MakeColorRef(channels[CHANNEL_RED].value, channels[CHANNEL_GREEN].value,
                     channels[CHANNEL_BLUE].value);
    if (g_app.slots[SLOT_BACKGROUND].window) RepaintPreview();
    --g_app.updateDepth;
}

// Makes a slot current and shows its colour in the channels.
void LoadSlotIntoChannels(int slotIndex) {
    g_app.currentSlot = slotIndex;
    COLORREF c = g_app.slots[slotIndex].color;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        UpdateChannel(channel, c & 0xFF, true);
        c >>= 8;
    }
}

uint32_t ApplyPixelToChannels(uint32_t v) {
    for (int channel = CHANNEL_BLUE; channel >= CHANNEL_RED; --channel) {
        UpdateChannel(channel, v & 0xFF, true);
        v >>= 8;
    }
    return v;
}

// The size combo lists large, medium, small; the fonts go small to large.
void SetSlotSize(int textSlot, int selection) { g_app.slots[textSlot].sizeIndex = 2 - selection; }

// Positions outside the slider's range are refused before the subtraction,
// which would overflow for the most negative ones.
void ApplySliderPosition(int channel, int position) {
    if (position < 0 || position > 255) return;
    UpdateChannel(channel, (unsigned)SliderPositionForValue((unsigned)position), false);
}

// Only a complete two-digit text is taken; anything else stays in the edit as
// typed and leaves the model alone.
int ChannelOfHexEdit(HWND edit) {
    if (!edit) return -1;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        if (g_app.channels[channel].hexEdit == edit) return channel;
    return -1;
}

bool ApplyTypedHex(int channel, const char* text) {
    uint8_t value;
    if (g_app.updateDepth != 0 || strlen(text) != 2 || !ParseHexByte(text, &value)) return false;
    UpdateChannel(channel, value, true);
    return true;
}

void FormatCopyText(char (&text)[COPY_TEXT_SIZE]) {
    FormatText(text, sizeof text, "#%02X%02X%02X", g_app.channels[CHANNEL_RED].value,
               g_app.channels[CHANNEL_GREEN].value, g_app.channels[CHANNEL_BLUE].value);
}
