// The colour model: three channels edit the current one of four colour slots.
// Every change of a channel value flows through UpdateChannel.
#ifndef PIKURIO_COLOR_MODEL_H
#define PIKURIO_COLOR_MODEL_H

#include <stdint.h>

#include "core/app_state.h"

// The three texts of a channel, built by one formatting call into one buffer.
struct ChannelTexts {
    char buffer[32];
    const char* Hex() const { return buffer; }       // "00" .. "FF"
    const char* Code() const { return buffer + 3; }  // "#RRGGBB"
    const char* Dec() const { return buffer + 11; }  // "0" .. "255"
};

enum { COPY_TEXT_SIZE = 8 };  // "#RRGGBB" and its NUL

inline COLORREF MakeColorRef(unsigned red, unsigned green, unsigned blue) {
    return (COLORREF)((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

ChannelTexts FormatChannelTexts(unsigned value, unsigned red, unsigned green, unsigned blue);
bool ParseHexByte(const char* text, uint8_t* value);

void UpdateChannel(int channel, unsigned value, bool moveSlider);
void LoadSlotIntoChannels(int slotIndex);
void SetSlotSize(int textSlot, int selection);

// Loads a picked pixel, 0x00RRGGBB, into the channels, blue first; returns
// what is left of v.
uint32_t ApplyPixelToChannels(uint32_t v);

// Slider position p (0 at the top) stands for the value 255 - p, and the
// other way round: the rule is its own inverse.
int SliderPositionForValue(unsigned value);
void ApplySliderPosition(int channel, int position);

// The channel whose hex edit that window is; -1 for any other window.
int ChannelOfHexEdit(HWND edit);

// Text typed into a channel's hex edit; ignored while UpdateChannel is writing.
// True when the text was taken as the channel's new value.
bool ApplyTypedHex(int channel, const char* text);

void FormatCopyText(char (&text)[COPY_TEXT_SIZE]);

#endif
