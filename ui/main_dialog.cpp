// The main dialog procedure: initialisation, commands, sliders and up-downs;
// pick mode's messages go on to ui/pick_mode.cpp.
#include "ui/main_dialog.h"

#include <commctrl.h>

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/control_ops.h"
#include "res/resource.h"
#include "res/strings.h"
#include "ui/about_box.h"
#include "ui/clipboard.h"
#include "ui/contrast_tip.h"
#include "ui/dialog_keys.h"
#include "ui/loupe.h"
#include "ui/paste.h"
#include "ui/pick_mode.h"
#include "ui/preview.h"
#include "ui/preview_menu.h"

static const char* const TARGET_ENTRIES[SLOT_COUNT] = {TEXT_BACKGROUND, TEXT_SAMPLE1, TEXT_SAMPLE2,
                                                       TEXT_SAMPLE3};
static const char* const SAMPLE_TEXTS[TEXT_SLOT_COUNT] = {TEXT_SAMPLE1, TEXT_SAMPLE2, TEXT_SAMPLE3};
static const char* const SIZE_ENTRIES[SAMPLE_FONT_COUNT] = {TEXT_SIZE_LARGE, TEXT_SIZE_MEDIUM,
                                                            TEXT_SIZE_SMALL};
static const int SAMPLE_FONT_HEIGHTS[SAMPLE_FONT_COUNT] = {12, 20, 28};
static const int PROMPT_FONT_HEIGHT = 16;
// A little more than the hex edits' 2-character limit: a longer text set from
// outside the dialog then reads as too long rather than as its first digits.
enum { HEX_EDIT_BUFFER = 15 };
static const char FONT_FACE[] = "ＭＳ ゴシック";

// A Shift-JIS font of the given character height; the caller owns it.
static HFONT CreateDialogFont(int height, int weight) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                       FONT_FACE);
}

// Fonts are owned by the dialog: made here, deleted by CloseMainDialog.
static void CreateFonts() {
    for (int i = 0; i < SAMPLE_FONT_COUNT; ++i)
        g_app.sampleFonts[i] = CreateDialogFont(SAMPLE_FONT_HEIGHTS[i], FW_DONTCARE);
    g_app.promptFont = CreateDialogFont(PROMPT_FONT_HEIGHT, FW_BOLD);
}

// Wires one channel's four controls to the model and shows its initial value.
static void InitChannel(HWND dialog, int channel) {
    Channel* c = &g_app.channels[channel];
    c->hexEdit = GetDlgItem(dialog, c->baseId + CHANNEL_HEX_OFFSET);
    c->decLabel = GetDlgItem(dialog, c->baseId + CHANNEL_DEC_OFFSET);
    c->spin = GetDlgItem(dialog, c->baseId + CHANNEL_SPIN_OFFSET);
    c->slider = GetDlgItem(dialog, c->baseId + CHANNEL_SLIDER_OFFSET);
    SendMessageA(c->spin, UDM_SETBUDDY, (WPARAM)c->decLabel, 0);
    SendMessageA(c->spin, UDM_SETRANGE, 0, MAKELPARAM(255, 0));
    SendMessageA(c->slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
    SendMessageA(c->slider, TBM_SETTICFREQ, 16, 0);
    UpdateChannel(channel, c->value, true);
    SendMessageA(c->hexEdit, EM_LIMITTEXT, 2, 0);
}

static void FillCombo(HWND combo, const char* const* entries, int count, int selection) {
    for (int i = 0; i < count; ++i) SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)entries[i]);
    SendMessageA(combo, CB_SETCURSEL, selection, 0);
}

static void InitMainDialog(HWND dialog) {
    SetWindowTextA(dialog, APP_NAME);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)g_app.icon);
    CreateFonts();
    g_app.codeEdit = GetDlgItem(dialog, IDC_CODE);
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel)
        InitChannel(dialog, channel);
    FillCombo(GetDlgItem(dialog, IDC_TARGET), TARGET_ENTRIES, SLOT_COUNT, SLOT_BACKGROUND);
    g_app.slots[SLOT_BACKGROUND].window = GetDlgItem(dialog, IDC_PREVIEW);
    for (int i = 0; i < TEXT_SLOT_COUNT; ++i) {
        HWND edit = GetDlgItem(dialog, IDC_TEXT1 + i);
        g_app.slots[SLOT_TEXT1 + i].window = edit;
        SetWindowTextA(edit, SAMPLE_TEXTS[i]);
        FillCombo(GetDlgItem(dialog, IDC_SIZE1 + i), SIZE_ENTRIES, SAMPLE_FONT_COUNT, i);
    }
    g_app.swatch = GetDlgItem(dialog, IDC_SWATCH);
    GetClientRect(g_app.swatch, &g_app.swatchRect);
    InstallPreviewProc(g_app.slots[SLOT_BACKGROUND].window);
    InstallDialogKeys(dialog);
    InstallHexEditPaste();
}

// A menu that is open closes first: it would stay on the screen alone.
static void CloseMainDialog(HWND dialog) {
    EndMenu();
    RemoveDialogKeys();
    DestroyContrastTip();
    DestroyLoupe();
    for (int i = 0; i < SAMPLE_FONT_COUNT; ++i) {
        if (g_app.sampleFonts[i]) DeleteObject(g_app.sampleFonts[i]);
        g_app.sampleFonts[i] = nullptr;
    }
    if (g_app.promptFont) DeleteObject(g_app.promptFont);
    g_app.promptFont = nullptr;
    EndDialog(dialog, 0);
}

static void OnSelectionChanged(int id, HWND combo) {
    unsigned selection = (unsigned)SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (id == IDC_TARGET && selection < SLOT_COUNT) {
        LoadSlotIntoChannels((int)selection);
    } else if (id >= IDC_SIZE1 && id <= IDC_SIZE3 && selection < SAMPLE_FONT_COUNT) {
        SetSlotSize(SLOT_TEXT1 + (id - IDC_SIZE1), (int)selection);
        RepaintPreview();
    }
}

static void OnEditChanged(int id, HWND edit) {
    if (id >= IDC_TEXT1 && id <= IDC_TEXT3) {
        // Sample texts set during initialisation arrive before the preview is ready.
        if (g_app.previousPreviewProc) RepaintPreview();
        return;
    }
    // Texts written by UpdateChannel echo back here; ApplyTypedHex ignores them.
    int channel = ChannelOfHexEdit(edit);
    if (channel < 0) return;
    char text[HEX_EDIT_BUFFER];
    GetWindowTextA(edit, text, sizeof text);
    // A taken value is written back, which puts the caret at the start: put it
    // back at the end, where the typing left it, so Backspace edits the value.
    if (ApplyTypedHex(channel, text)) SendMessageA(edit, EM_SETSEL, 2, 2);
}

static void CopyColorCode() {
    char text[COPY_TEXT_SIZE];
    FormatCopyText(text);
    CopyTextOrBeep(text);
}

// Enter arrives as IDOK when the focused push button is not the default one,
// which happens where the focus came by a click or at start-up rather than
// through the dialog manager. Send what the dialog manager sends for Enter on
// the default button; with the focus anywhere else Enter does nothing.
static void PressFocusedButton(HWND dialog) {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != dialog) return;
    LRESULT code = SendMessageA(focus, WM_GETDLGCODE, 0, 0);
    int id = GetDlgCtrlID(focus);
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && id != IDOK)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)focus);
}

static void OnCommand(HWND dialog, int id, int code, HWND sender) {
    if (id == IDC_PICK) {
        StartPickMode(dialog);
    } else if (code == CBN_SELCHANGE) {
        OnSelectionChanged(id, sender);
    } else if (code == EN_CHANGE) {
        OnEditChanged(id, sender);
    } else if (id == IDC_COPY) {
        CopyColorCode();
    } else if (id == IDC_VERSION) {
        PopContrastTip();
        ShowAboutBox(g_app.instance, APP_NAME, APP_VERSION, APP_HOLDER);
    } else if (id == IDCANCEL) {
        CloseMainDialog(dialog);
    } else if (id == IDOK) {
        PressFocusedButton(dialog);
    }
}

// Up-downs report their new position; sliders are read back, and only the
// moving codes count, so Home, End and the end of a drag change nothing.
static void OnVScroll(int code, int position, HWND sender) {
    if (!sender) return;
    for (int channel = CHANNEL_RED; channel < CHANNEL_COUNT; ++channel) {
        const Channel& c = g_app.channels[channel];
        if (sender == c.spin) {
            if (code == SB_THUMBPOSITION) UpdateChannel(channel, position & 0xFF, true);
            return;
        }
        if (sender == c.slider) {
            if (code >= TB_LINEUP && code <= TB_THUMBTRACK)
                ApplySliderPosition(channel, (int)SendMessageA(c.slider, TBM_GETPOS, 0, 0));
            return;
        }
    }
}

// Returns FALSE unless a message has a result, so the platform's default
// dialog handling always follows.
INT_PTR CALLBACK MainDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitMainDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), (HWND)lParam);
        break;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), (HWND)lParam);
        break;
    case WM_TIMER:
        OnPickTimer();
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnPickButtonDown();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        // The release of a press that picked goes no further: the default
        // handling would make a right one a context menu at the picked point.
        return OnPickButtonUp(dialog, wParam);
    case WM_CONTEXTMENU:
        OpenPreviewMenu(dialog, lParam);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) OnPickDeactivated(dialog);
        break;
    case WM_MOUSEMOVE:
        OnPickMouseMove();
        CreateContrastTip(dialog, lParam);
        break;
    case WM_NOTIFY:
        OnContrastTipNotify((NMHDR*)lParam);
        break;
    case WM_CAPTURECHANGED:
        OnPickCaptureChanged(dialog, (HWND)lParam);
        break;
    }
    return FALSE;
}
