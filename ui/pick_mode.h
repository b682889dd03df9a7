// Pick mode: the dialog stays on top and takes the mouse, the swatch follows
// the pixel under the pointer, and a click, Enter or Space takes that pixel
// into the current slot. MainDlgProc hands it the messages below.
#ifndef PIKURIO_PICK_MODE_H
#define PIKURIO_PICK_MODE_H

#include <windows.h>

void StartPickMode(HWND dialog);
void OnPickTimer();
void OnPickButtonDown();
// True for a release that belongs to the pick: buttonsDown, the message's
// MK_ flags, tells whether another button is still held.
bool OnPickButtonUp(HWND dialog, WPARAM buttonsDown);
void OnPickDeactivated(HWND dialog);
void OnPickCaptureChanged(HWND dialog, HWND newCapture);
// A key of the dialog's loop: true when pick mode took it.
bool OnPickKey(const MSG& msg);

#endif
