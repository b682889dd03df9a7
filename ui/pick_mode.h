// Pick mode: the dialog stays on top and takes the mouse, the swatch follows
// the pixel under the pointer, and a click, Enter or Space takes that pixel
// into the current slot. MainDlgProc hands it the messages below.
#ifndef PIKURIO_PICK_MODE_H
#define PIKURIO_PICK_MODE_H

#include <windows.h>

void StartPickMode(HWND dialog);
void OnPickTimer();
// A move of the pointer that reached the dialog.
void OnPickMouseMove();
void OnPickButtonDown();
// True for the release of a button whose press took the colour.
bool OnPickButtonUp(HWND dialog);
void OnPickDeactivated(HWND dialog);
void OnPickCaptureChanged(HWND dialog, HWND newCapture);
// The dialog is closing: its keys go back to the dialog manager.
void RemovePickKeys();

#endif
