// The clipboard as a test reads and fills it: plain text (CF_TEXT), opened
// within a bound, since the program under test may hold it for a moment.
#ifndef PIKURIO_TESTS_SUPPORT_CLIPBOARD_H
#define PIKURIO_TESTS_SUPPORT_CLIPBOARD_H

#include <string>

// The clipboard's text; "(none)" when it holds none, "(clipboard busy)" when
// it could not be opened.
std::string ClipboardText();
// Puts text on the clipboard; a failure fails the test at once.
void PutClipboardText(const char* text);
// The clipboard's CF_UNICODETEXT, and its CF_LOCALE (0 when it has none);
// the same "(none)" and "(clipboard busy)" as ClipboardText, in UTF-16.
std::wstring ClipboardUnicodeText();
unsigned long ClipboardLocale();

#endif
