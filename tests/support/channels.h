// The control ids of the three colour channels, red, green, blue, derived
// once from the resource ids.
#ifndef PIKURIO_TESTS_SUPPORT_CHANNELS_H
#define PIKURIO_TESTS_SUPPORT_CHANNELS_H

#include "res/resource.h"

struct ChannelIds {
    int hex, dec, spin, slider;
};

constexpr ChannelIds ChannelIdsFrom(int base) {
    return {base + CHANNEL_HEX_OFFSET, base + CHANNEL_DEC_OFFSET, base + CHANNEL_SPIN_OFFSET,
            base + CHANNEL_SLIDER_OFFSET};
}

inline constexpr ChannelIds CHANNEL_IDS[3] = {ChannelIdsFrom(IDC_R_HEX), ChannelIdsFrom(IDC_G_HEX),
                                              ChannelIdsFrom(IDC_B_HEX)};

#endif
