// The paste: a colour code on the clipboard ("#3a7bd5", "rgb(58, 123, 213)",
// in half or full width) becomes the colour being edited, from Ctrl+V or
// Shift+Insert anywhere in the dialog but the sample texts, and from a hex
// edit's own paste.
#ifndef PIKURIO_PASTE_H
#define PIKURIO_PASTE_H

#include <windows.h>

// Gives the hex edits' WM_PASTE to the paste first; after the channels' controls are made.
void InstallHexEditPaste();
// A key of the dialog's loop: true when the paste took it.
bool OnPasteKey(const MSG& msg);

#endif
