// The end-to-end tests' view of the program: it starts the real pikurio.exe,
// finds its dialog and drives it from outside the process with messages and
// real input. Each test runs in a fresh process of its own; every wait has a
// bound. Waits, the screen and the program's windows come from the test kit.
#ifndef PIKURIO_E2E_HARNESS_H
#define PIKURIO_E2E_HARNESS_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/strings.h"
#include "tests/support/channels.h"
#include "tests/support/clipboard.h"
#include "tests/support/color_code.h"
#include "tests/support/program.h"
#include "tests/support/screen.h"
#include "tests/support/wait.h"

// ---- The program under test --------------------------------------------------

// One pikurio.exe. The destructor ends it if the test did not.
class Pikurio {
public:
    Pikurio() = default;
    ~Pikurio();
    Pikurio(const Pikurio&) = delete;
    Pikurio& operator=(const Pikurio&) = delete;

    // Starts it and waits for its dialog, with that caption (any, when null).
    [[nodiscard]] ::testing::AssertionResult Start(const char* caption = APP_NAME);
    HWND Dialog() const { return running_.dialog; }
    HWND Item(int id) const;
    std::string Text(int id) const;
    void SetText(int id, const char* text) const;  // WM_SETTEXT: the edit sends EN_CHANGE
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends WM_COMMAND as a control's notification would arrive.
    void Notify(int id, WORD code) const;
    void SelectCombo(int id, int index) const;  // CB_SETCURSEL, then CBN_SELCHANGE
    int SliderPos(int id) const;
    DWORD ProcessId() const { return running_.process.dwProcessId; }
    DWORD ThreadId() const { return running_.process.dwThreadId; }
    HWND FocusedWindow() const;
    bool Responds() const;   // answers a message within a bound
    bool IsTopmost() const;  // WS_EX_TOPMOST on the dialog
    // Activates the dialog and clicks the middle of one of its controls.
    void ClickItem(int id) const;
    // Clicks the pick button; succeeds once the dialog is topmost.
    [[nodiscard]] ::testing::AssertionResult PressPick() const;
    // Clicks into an edit, selects its whole text and types text as key strokes.
    void TypeInto(int id, const char* text) const;
    // The ten texts and positions of the colour editor, in one line, so a
    // whole state compares at once: see ChannelsShownFor.
    std::string ChannelsShown() const;

    // Brings the dialog to the foreground so that real input reaches it; fails
    // the test when it does not come there.
    void Activate() const;
    // Waits for the process to end; returns its exit code, or -1 on timeout.
    long WaitForExit(DWORD timeoutMs = 10000) const;
    bool HasExited() const;

private:
    RunningProgram running_ = {};
};

// A test of a fresh pikurio.exe, started before the test's body (which does
// not run when the start fails) and ended after it. Each file names its suite:
// using Pick = PikurioTest; TEST_F(Pick, ...).
class PikurioTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Start()); }
    Pikurio app;
};

std::string ComboItemText(HWND combo, int index);
// The program's window that has the mouse capture; null when none has.
HWND CaptureOf(const Pikurio& app);
// The text of the program's tooltip while it shows; "(none)" when none does.
std::string ShownTip(const Pikurio& app);
// Where the program's popup menu shows, its top-left corner written "x,y";
// with a submenu open, the submenu's. "(none)" when none shows.
std::string MenuShown(const Pikurio& app);
// What Pikurio::ChannelsShown reads when the editor shows red, green, blue.
std::string ChannelsShownFor(int red, int green, int blue);
inline std::string ChannelsShownFor(COLORREF c) {
    return ChannelsShownFor(GetRValue(c), GetGValue(c), GetBValue(c));
}
inline std::string ColorCode(COLORREF c) {
    return ColorCode(GetRValue(c), GetGValue(c), GetBValue(c));
}

// ---- Real input (SendInput) --------------------------------------------------

void PressKey(WORD virtualKey, WORD modifier = 0);  // modifier: held around the key, or 0
// The same as four key events, each its own SendInput with a pause after it,
// as a person types them.
void PressKeySlowly(WORD virtualKey, WORD modifier);
void HoldKey(WORD virtualKey, int repeats);  // a press, repeated key-downs, a release
void TypeText(const char* text);             // printable ASCII, as key strokes
// Moves the mouse to a point of the screen; fails the test unless it stays there.
void MoveMouseTo(int x, int y);
void MouseButton(bool right, bool down);
void ClickAt(int x, int y, bool right = false);
POINT CenterOf(HWND window);  // in screen coordinates
// A screen point written "x,y", and the cursor's place written so.
std::string PointText(int x, int y);
std::string CursorAt();

#endif
