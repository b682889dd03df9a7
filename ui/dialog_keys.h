// Keys the dialog needs whichever control has the focus. In a modal dialog a
// key goes to the focused control; one message filter of the dialog's thread
// sees it first, from the dialog's initialisation to its close. What each key
// means belongs to the room that owns it: pick mode, the preview's menu, the
// paste.
#ifndef PIKURIO_DIALOG_KEYS_H
#define PIKURIO_DIALOG_KEYS_H

#include <windows.h>

void InstallDialogKeys(HWND dialog);
// On the dialog's close path.
void RemoveDialogKeys();

#endif
