// The clipboard: the copies put text on it, the paste reads it.
#ifndef PIKURIO_CLIPBOARD_H
#define PIKURIO_CLIPBOARD_H

// Opens the clipboard, trying again for about 100 ms while another program
// holds it (clipboard managers open it for a moment after every change);
// false when it stays busy. The caller closes it.
bool OpenClipboardPatiently();

// Puts Shift-JIS text on the clipboard as CF_TEXT, as CF_UNICODETEXT and with
// CF_LOCALE Japanese, so that every program reads the same characters in any
// locale; 0 on success, 1 when it could not.
int CopyTextToClipboard(const char* text);

// The copies the user asks for: a beep says when the text did not get there.
void CopyTextOrBeep(const char* text);

#endif
