// Copying text to the clipboard.
#ifndef PIKURIO_CLIPBOARD_H
#define PIKURIO_CLIPBOARD_H

// Puts text on the clipboard as CF_TEXT; 0 on success, 1 when it could not.
int CopyTextToClipboard(const char* text);

#endif
