#include "ui/preview_menu.h"

#include <windowsx.h>

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/color_vision.h"
#include "core/contrast.h"
#include "core/control_ops.h"
#include "res/resource.h"
#include "res/strings.h"
#include "ui/clipboard.h"
#include "ui/contrast_tip.h"

// A key message's previous-state bit: set on the auto-repeats of a held key.
static const LPARAM KEY_REPEAT_BIT = (LPARAM)1 << 30;

// Text k's line. Below AAA it opens the colours that bring it up to the
// levels it lacks, AA first; with none to offer it is a plain item whose id,
// 0, is what TrackPopupMenu returns for no choice. Each colour is kept as its
// item shows it, for the choice. The submenu goes with the menu once
// appended; if the append fails, it goes here.
static void AppendVerdict(HMENU menu, int k) {
    char text[CONTRAST_TEXT_SIZE];
    HMENU offers = nullptr;
    for (int level = LEVEL_AA; level >= LEVEL_AAA; --level) {
        const int offer = 2 * k + level;
        g_app.offeredColors[offer] = FormatPassingItem(text, sizeof text, k, level);
        if (g_app.offeredColors[offer] == NO_PASSING_COLOR) continue;
        if (!offers) offers = CreatePopupMenu();
        AppendMenuA(offers, MF_STRING, IDM_PASSING_FIRST + offer, text);
    }
    FormatVerdictLine(text, sizeof text, k, true);
    if (!AppendMenuA(menu, offers ? MF_POPUP : MF_STRING, (UINT_PTR)offers, text) && offers)
        DestroyMenu(offers);
}

static void AppendVerdicts(HMENU menu) {
    for (int k = 0; k < TEXT_SLOT_COUNT; ++k) AppendVerdict(menu, k);
}

static void AppendSeparator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }

static void AppendCopyItem(HMENU menu) {
    AppendMenuA(menu, MF_STRING, IDM_COPY_RESULTS, TEXT_MENU_COPY);
}

// The colour-vision views as radio items, the one the preview shows checked.
static void AppendViews(HMENU menu) {
    for (int view = VIEW_NORMAL; view < VIEW_COUNT; ++view)
        AppendMenuA(menu, MF_STRING, IDM_VIEW_FIRST + view, ColorVisionViewName(view));
    CheckMenuRadioItem(menu, IDM_VIEW_FIRST, IDM_VIEW_FIRST + VIEW_COUNT - 1,
                       IDM_VIEW_FIRST + g_app.colorView, MF_BYCOMMAND);
}

// The menu, top to bottom; each entry appends its items.
static void (*const MENU_PARTS[])(HMENU) = {AppendVerdicts, AppendSeparator, AppendCopyItem,
                                            AppendSeparator, AppendViews};

// The chosen colour, as its item showed it, becomes its text's, as choosing
// the text in the target combo and typing the colour would make it: the combo
// shows the text, and the channels load the colour, which every control, the
// preview and its tooltip then show. The combo does not notify a selection
// set from here.
static void TakePassingColor(HWND dialog, unsigned offer) {
    int slot = SLOT_TEXT1 + (int)(offer / 2);
    g_app.slots[slot].color = g_app.offeredColors[offer];
    SendMessageA(GetDlgItem(dialog, IDC_TARGET), CB_SETCURSEL, slot, 0);
    LoadSlotIntoChannels(slot);
}

// The background's code and each text's line, as the menu shows them.
static void CopyResults() {
    char text[CONTRAST_TEXT_SIZE];
    FormatContrastText(text, true);
    CopyTextOrBeep(text);
}

// The preview paints in the chosen view from now on; everything else keeps
// speaking of the real colours.
static void ShowColorView(int view) {
    g_app.colorView = view;
    RepaintPreview();
}

// Each kind of item has a range of ids; 0 is no choice, or a plain item.
static void OnMenuChoice(HWND dialog, UINT id) {
    if (id - IDM_PASSING_FIRST < IDM_PASSING_COUNT)
        TakePassingColor(dialog, id - IDM_PASSING_FIRST);
    else if (id == IDM_COPY_RESULTS)
        CopyResults();
    else if (id - IDM_VIEW_FIRST < VIEW_COUNT)
        ShowColorView((int)(id - IDM_VIEW_FIRST));
}

// From the mouse, at the pointer and over the preview only; from the keyboard
// (the point -1, -1), with its top-left corner just inside the preview's.
// None while pick mode waits for the click. The tooltip goes first: it is
// topmost and would lie over the menu.
void OpenPreviewMenu(HWND dialog, LPARAM where) {
    if (g_app.pickMode == PICK_ACTIVE) return;
    HWND preview = g_app.slots[SLOT_BACKGROUND].window;
    POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (at.x == -1 && at.y == -1) {
        at.x = at.y = 0;
        MapWindowPoints(preview, nullptr, &at, 1);
    } else {
        RECT r;
        GetWindowRect(preview, &r);
        if (!PtInRect(&r, at)) return;
    }
    PopContrastTip();
    HMENU menu = CreatePopupMenu();
    for (auto append : MENU_PARTS) append(menu);
    UINT id =
        (UINT)TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    OnMenuChoice(dialog, id);
}

// Shift+F10 opens the menu from every control but the edits, which have their
// own, as the menu key does (some controls, the combo boxes, never turn it
// into a context menu). While pick mode waits, F10 does nothing at all. An
// F10 whose press was taken here, or that closed a menu, has its release kept
// from the dialog, whose default handling would enter the window's menu mode
// unseen and keep the keys. True when the key was taken.
bool OnPreviewMenuKey(int code, const MSG& msg) {
    if (msg.wParam != VK_F10) return false;
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
        const bool taken = g_app.f10Taken;
        g_app.f10Taken = false;
        return taken;
    }
    const bool inMenu = code == MSGF_MENU, picking = g_app.pickMode == PICK_ACTIVE;
    const bool opens = !inMenu && !picking && GetKeyState(VK_SHIFT) < 0 &&
                       !(SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL);
    // A repeat of a held key opens nothing more: it would close the menu it opened.
    if (opens && !(msg.lParam & KEY_REPEAT_BIT))
        PostMessageA(g_app.dialog, WM_CONTEXTMENU, (WPARAM)msg.hwnd, (LPARAM)-1);
    g_app.f10Taken = inMenu || picking || opens;
    return picking || opens;
}
