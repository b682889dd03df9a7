// The colour model's control operations, bound to nothing. The benchmark only
// samples with apply clear, which never reaches them; the core needs them to link.
#include "core/control_ops.h"

void SetChannelHexText(int, const char*) {}
void SetChannelDecText(int, const char*) {}
void SetCodeText(const char*) {}
void SetChannelSliderPos(int, int) {}
void RepaintPreview() {}
