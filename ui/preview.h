// The preview panel: the background colour with the three sample texts, or
// the pick-mode prompt.
#ifndef PIKURIO_PREVIEW_H
#define PIKURIO_PREVIEW_H

#include <windows.h>

void InstallPreviewProc(HWND preview);
LRESULT CALLBACK PreviewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
