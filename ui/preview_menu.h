// The preview's menu: each text's contrast with the colours that would bring
// it up to the levels it lacks, the copy of the results, and the colour-vision
// views. Built when it opens, from the mouse over the preview or from the
// keyboard, and destroyed when it closes.
#ifndef PIKURIO_PREVIEW_MENU_H
#define PIKURIO_PREVIEW_MENU_H

#include <windows.h>

// The dialog's WM_CONTEXTMENU: where is its lParam, a screen point or -1, -1.
void OpenPreviewMenu(HWND dialog, LPARAM where);
// A key of the dialog's loop (code MSGF_DIALOGBOX) or of a menu's (MSGF_MENU):
// true when the menu's keys took it.
bool OnPreviewMenuKey(int code, const MSG& msg);

#endif
