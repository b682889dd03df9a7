// The one process-wide record of the main window: the colour model and the
// handles and drawing objects the dialog keeps.
#ifndef PIKURIO_APP_STATE_H
#define PIKURIO_APP_STATE_H

#include <stdint.h>

#include "core/color_vision.h"
#include "core/platform_types.h"
#include "res/resource.h"

enum ChannelIndex { CHANNEL_RED, CHANNEL_GREEN, CHANNEL_BLUE, CHANNEL_COUNT };

enum SlotIndex { SLOT_BACKGROUND, SLOT_TEXT1, SLOT_TEXT2, SLOT_TEXT3, SLOT_COUNT };

enum { TEXT_SLOT_COUNT = SLOT_COUNT - SLOT_TEXT1 };

enum PickMode {
    // Editing as usual: the mouse and the keys are the controls'.
    PICK_IDLE = 0,
    // Waiting for the click: the dialog is on top and holds the mouse, the
    // preview shows the prompt, the swatch follows the pointer, and the arrows,
    // Enter and Space are pick mode's own.
    PICK_ACTIVE = 1,
    // Picked: the dialog stays on top until it is deactivated, and a button
    // released over its own surface gives the focus back to the red hex edit.
    PICK_DONE = 2
};
// While picking, the swatch shows the colour under the cursor this often.
enum { PICK_TIMER_ID = 1, PICK_TIMER_PERIOD_MS = 100 };

enum { SAMPLE_FONT_COUNT = 3 };

// One colour component and the four controls that edit it.
struct Channel {
    uint8_t value;
    int baseId;  // id of the hex edit; the others follow at +1 .. +3
    HWND hexEdit;
    HWND decLabel;
    HWND spin;
    HWND slider;
};

// One of the four colours: the background or a sample text.
struct ColorSlot {
    COLORREF color;  // 0x00BBGGRR
    int sizeIndex;   // text slots: index into sampleFonts; -1 for the background
    HWND window;     // the preview for the background, the sample edit for a text
};

struct AppState {
    HINSTANCE instance = nullptr;
    HWND desktop = nullptr;
    HICON icon = nullptr;

    Channel channels[CHANNEL_COUNT] = {
        {255, IDC_R_HEX, nullptr, nullptr, nullptr, nullptr},
        {255, IDC_G_HEX, nullptr, nullptr, nullptr, nullptr},
        {255, IDC_B_HEX, nullptr, nullptr, nullptr, nullptr},
    };
    ColorSlot slots[SLOT_COUNT] = {
        {0x000000, -1, nullptr},
        {0x0000FF, 2, nullptr},
        {0x00FF00, 1, nullptr},
        {0xFF0000, 0, nullptr},
    };
    int currentSlot = SLOT_BACKGROUND;
    int updateDepth = 0;
    PickMode pickMode = PICK_IDLE;
    HWND dialog = nullptr;
    // Sees the keys of the dialog's loop first, whichever control has the focus.
    HHOOK keyHook = nullptr;
    WPARAM pickHeldKey = 0;  // Enter or Space after it took a colour, until released
    // An F10 whose press was kept from the dialog, or ended a menu: its release
    // is kept too, or the dialog would enter the window's menu mode unseen.
    bool f10Taken = false;

    HFONT sampleFonts[SAMPLE_FONT_COUNT] = {nullptr, nullptr, nullptr};
    HFONT promptFont = nullptr;
    HWND codeEdit = nullptr;
    HWND swatch = nullptr;
    RECT swatchRect = {0, 0, 0, 0};
    // The preview's own window procedure; non-zero once the preview is ready.
    LONG_PTR previousPreviewProc = 0;
    // The hex edits' own window procedure, which the paste hands on to.
    LONG_PTR previousHexEditProc = 0;
    // The preview's contrast tooltip, from the first mouse move over the dialog.
    HWND contrastTip = nullptr;
    // The loupe beside the pointer while pick mode waits, made at the first
    // pick: the point its pixels are read around, the colour of that pixel,
    // and how the system scales the program's windows for the display, in
    // per cent, as found when it was made.
    HWND loupe = nullptr;
    POINT loupeRead = {0, 0};
    COLORREF loupeColor = 0;
    int loupeScale = 100;
    // The colour-vision view the preview paints (a ColorVisionView): the real
    // colours at start.
    int colorView = VIEW_NORMAL;
    // The colours the preview's menu offers, by command, as its items show them.
    COLORREF offeredColors[IDM_PASSING_COUNT] = {};
};

extern AppState g_app;

#endif
