// The About box: name, version, copyright and contact lines, drawn by hand.
#ifndef PIKURIO_ABOUT_BOX_H
#define PIKURIO_ABOUT_BOX_H

#include <windows.h>

struct AboutInfo {
    const char* title;
    const char* version;
    const char* holder;
};

void ShowAboutBox(HINSTANCE instance, const char* title, const char* version, const char* holder);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
