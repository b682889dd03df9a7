// The only effects the colour model has on the controls. The Windows build
// binds them to the dialog's controls; the unit tests bind them to a recorder.
#ifndef PIKURIO_CONTROL_OPS_H
#define PIKURIO_CONTROL_OPS_H

void SetChannelHexText(int channel, const char* text);
void SetChannelDecText(int channel, const char* text);
void SetCodeText(const char* text);
void SetChannelSliderPos(int channel, int position);
void RepaintPreview();

#endif
