// The main dialog: the colour editor, the sample texts and pick mode.
#ifndef PIKURIO_MAIN_DIALOG_H
#define PIKURIO_MAIN_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
