// The main dialog: the colour editor, the sample texts and pick mode.
#ifndef PIKURIO_MAIN_DIALOG_H
#define PIKURIO_MAIN_DIALOG_H

#include <windows.h>

enum { PICK_TIMER_ID = 1, PICK_TIMER_PERIOD_MS = 100 };

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Puts text on the clipboard as CF_TEXT; 0 on success, 1 when it could not.
int CopyTextToClipboard(const char* text);

#endif
