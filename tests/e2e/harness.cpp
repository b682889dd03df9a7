#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <stdio.h>

#include <vector>

#include "res/strings.h"

// ---- The program under test --------------------------------------------------

// Read as UTF-16 and converted to code page 932 here: Wine hands the ANSI
// form of CB_GETLBTEXT across processes as UTF-16.
std::string ComboItemText(HWND combo, int index) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, ANSWER_MS,
                             &length))
        return "(no answer)";
    if ((LRESULT)length == CB_ERR) return "(none)";
    std::vector<wchar_t> wide(length + 1);
    if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, index, (LPARAM)wide.data(), SMTO_ABORTIFHUNG,
                             ANSWER_MS, &length))
        return "(no answer)";
    if ((LRESULT)length == CB_ERR) return "(none)";
    char text[256];
    int bytes =
        WideCharToMultiByte(932, 0, wide.data(), (int)length, text, sizeof text, nullptr, nullptr);
    return std::string(text, bytes > 0 ? bytes : 0);
}

::testing::AssertionResult Pikurio::Start(const char* caption) {
    if (!StartProgram(ProgramDirectory() + "pikurio.exe", caption, 20000, &running_)) {
        const char* failure = !running_.process.hProcess ? "could not be started"
                              : !running_.dialog         ? "showed no dialog within 20 s"
                                                 : "showed its dialog but was not idle within 20 s";
        StopProgram(&running_, 0);
        return ::testing::AssertionFailure() << "pikurio.exe " << failure << " (caption \""
                                             << (caption ? caption : "(any)") << "\")";
    }
    Settle(200);
    return ::testing::AssertionSuccess();
}

Pikurio::~Pikurio() { StopProgram(&running_, 0); }

HWND Pikurio::Item(int id) const { return GetDlgItem(running_.dialog, id); }

std::string Pikurio::Text(int id) const { return WindowText(Item(id)); }

void Pikurio::SetText(int id, const char* text) const {
    DWORD_PTR result;
    SendMessageTimeoutA(Item(id), WM_SETTEXT, 0, (LPARAM)text, SMTO_ABORTIFHUNG, ANSWER_MS,
                        &result);
}

LRESULT Pikurio::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Item(id), message, wParam, lParam, SMTO_ABORTIFHUNG, ANSWER_MS, &result);
    return (LRESULT)result;
}

void Pikurio::Notify(int id, WORD code) const {
    DWORD_PTR result;
    SendMessageTimeoutA(running_.dialog, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)Item(id),
                        SMTO_ABORTIFHUNG, ANSWER_MS, &result);
}

void Pikurio::SelectCombo(int id, int index) const {
    Send(id, CB_SETCURSEL, index);
    Notify(id, CBN_SELCHANGE);
}

int Pikurio::SliderPos(int id) const { return (int)Send(id, TBM_GETPOS); }

HWND Pikurio::FocusedWindow() const { return GuiThreadInfo(ThreadId()).hwndFocus; }

HWND CaptureOf(const Pikurio& app) { return GuiThreadInfo(app.ThreadId()).hwndCapture; }

std::string ShownTip(const Pikurio& app) {
    HWND tip = FindProcessWindow(app.ProcessId(), "tooltips_class32", nullptr);
    return tip && IsWindowVisible(tip) ? WindowText(tip) : std::string("(none)");
}

std::string MenuShown(const Pikurio& app) {
    for (HWND menu : ProcessWindows(app.ProcessId(), "#32768", nullptr)) {
        RECT r;
        if (IsWindowVisible(menu) && GetWindowRect(menu, &r)) return PointText(r.left, r.top);
    }
    return "(none)";
}

bool Pikurio::Responds() const {
    DWORD_PTR result;
    return SendMessageTimeoutA(running_.dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ANSWER_MS,
                               &result) != 0;
}

bool Pikurio::IsTopmost() const {
    return (GetWindowLongA(running_.dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Pikurio::ClickItem(int id) const {
    Activate();
    POINT center = CenterOf(Item(id));
    ClickAt(center.x, center.y);
}

::testing::AssertionResult Pikurio::PressPick() const {
    ClickItem(IDC_PICK);
    return Becomes(true, MakeReading("topmost after the pick button's click",
                                     [&] { return IsTopmost(); }));
}

void Pikurio::TypeInto(int id, const char* text) const {
    POINT center = CenterOf(Item(id));
    ClickAt(center.x, center.y);
    Send(id, EM_SETSEL, 0, -1);
    TypeText(text);
}

std::string Pikurio::ChannelsShown() const {
    std::string hex, dec, sliders;
    for (const ChannelIds& ids : CHANNEL_IDS) {
        hex += " " + Text(ids.hex);
        dec += " " + Text(ids.dec);
        sliders += " " + std::to_string(SliderPos(ids.slider));
    }
    return Text(IDC_CODE) + " hex" + hex + " dec" + dec + " sliders" + sliders;
}

void Pikurio::Activate() const {
    SetForegroundWindow(running_.dialog);
    EXPECT_SOON(running_.dialog, GetForegroundWindow()) << "the dialog activated";
    Settle(100);
}

long Pikurio::WaitForExit(DWORD timeoutMs) const {
    if (!WaitUntil([&] { return HasExited(); }, timeoutMs)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(running_.process.hProcess, &code);
    return (long)code;
}

bool Pikurio::HasExited() const {
    return WaitForSingleObject(running_.process.hProcess, 0) == WAIT_OBJECT_0;
}

std::string ChannelsShownFor(int red, int green, int blue) {
    char text[96];
    snprintf(text, sizeof text, " hex %02X %02X %02X dec %d %d %d sliders %d %d %d", red, green,
             blue, red, green, blue, 255 - red, 255 - green, 255 - blue);
    return ColorCode(red, green, blue) + text;
}

// ---- Real input (SendInput) --------------------------------------------------

static void SendKeyEvent(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD virtualKey, WORD modifier) {
    if (modifier) SendKeyEvent(modifier, false);
    SendKeyEvent(virtualKey, false);
    SendKeyEvent(virtualKey, true);
    if (modifier) SendKeyEvent(modifier, true);
    Settle(30);
}

void PressKeySlowly(WORD virtualKey, WORD modifier) {
    for (bool up : {false, true}) {
        SendKeyEvent(up ? virtualKey : modifier, up);
        Settle(50);
        SendKeyEvent(up ? modifier : virtualKey, up);
        Settle(50);
    }
}

void HoldKey(WORD virtualKey, int repeats) {
    for (int i = 0; i <= repeats; ++i) SendKeyEvent(virtualKey, false);
    SendKeyEvent(virtualKey, true);
    Settle(30);
}

void TypeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        SHORT scan = VkKeyScanA(*c);
        bool shift = (scan >> 8) & 1;
        PressKey(LOBYTE(scan), shift ? VK_SHIFT : 0);
    }
    Settle(50);
}

std::string PointText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string CursorAt() {
    POINT p = {-1, -1};
    GetCursorPos(&p);
    return PointText(p.x, p.y);
}

// Where the cursor is after a move to (x, y): read at once when it did not
// get there, else read again a little later, to see that it stays.
static std::string CursorAfterMoveTo(int x, int y) {
    SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move of (0, 0) delivers WM_MOUSEMOVE here
    SendInput(1, &input, sizeof input);
    Settle(50);
    std::string at = CursorAt();
    if (at != PointText(x, y)) return at;
    Settle(50);
    return CursorAt();
}

// Under Wine the program under test may still be working through pointer
// motion from an earlier position and put the cursor back there, so the move
// is repeated (for a bounded time) until the cursor stays where it was put.
void MoveMouseTo(int x, int y) {
    EXPECT_SOON(PointText(x, y), CursorAfterMoveTo(x, y))
        << "the cursor stays where the mouse was moved";
}

void MouseButton(bool right, bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    if (right)
        input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    else
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    Settle(50);
}

void ClickAt(int x, int y, bool right) {
    MoveMouseTo(x, y);
    MouseButton(right, true);
    MouseButton(right, false);
}

POINT CenterOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    POINT center = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return center;
}
