// A small end-to-end test harness: it starts the real pikurio.exe, finds its
// dialog and drives it from outside the process with messages and real input.
// Each test runs in a fresh process of its own; every wait has a bound.
#ifndef PIKURIO_E2E_HARNESS_H
#define PIKURIO_E2E_HARNESS_H

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

// ---- Registering and checking ------------------------------------------------

using TestFunction = void (*)();

struct TestRegistrar {
    TestRegistrar(const char* name, TestFunction function);
};

// Defines a test. ctest finds these by name in the sources and runs each in
// its own Wine process; a name ending in _16bpp runs on the 16-bit screen.
#define E2E_TEST(name)                                           \
    static void name();                                          \
    static TestRegistrar name##_registrar(#name, name);          \
    static void name()

// Records a failure of the current test, naming the step; the test goes on.
void RecordFailure(const char* file, int line, const std::string& message);
// Thrown by REQUIRE: the test cannot go on.
struct TestAbort {};

std::string Quote(const std::string& text);
std::string Hex(unsigned long value);

#define CHECK(condition, step)                                                       \
    do {                                                                             \
        if (!(condition)) RecordFailure(__FILE__, __LINE__, std::string(step) + ": " #condition); \
    } while (0)

#define CHECK_EQ(step, expected, actual)                                            \
    do {                                                                            \
        auto e2eExpected = (expected);                                              \
        auto e2eActual = (actual);                                                  \
        if (!(e2eExpected == e2eActual))                                            \
            RecordFailure(__FILE__, __LINE__,                                       \
                          std::string(step) + ": expected " + Describe(e2eExpected) + \
                              ", got " + Describe(e2eActual));                      \
    } while (0)

#define REQUIRE(condition, step)                                                     \
    do {                                                                             \
        if (!(condition)) {                                                          \
            RecordFailure(__FILE__, __LINE__, std::string(step) + ": " #condition);   \
            throw TestAbort();                                                       \
        }                                                                            \
    } while (0)

// CHECK_EQ for a state the rest of the test builds on: a mismatch ends the test.
#define REQUIRE_EQ(step, expected, actual)                                          \
    do {                                                                            \
        auto e2eExpected = (expected);                                              \
        auto e2eActual = (actual);                                                  \
        if (!(e2eExpected == e2eActual)) {                                          \
            RecordFailure(__FILE__, __LINE__,                                       \
                          std::string(step) + ": expected " + Describe(e2eExpected) + \
                              ", got " + Describe(e2eActual));                      \
            throw TestAbort();                                                      \
        }                                                                           \
    } while (0)

std::string Describe(const std::string& value);
std::string Describe(const char* value);
std::string Describe(long long value);
inline std::string Describe(int value) { return Describe((long long)value); }
inline std::string Describe(long value) { return Describe((long long)value); }
inline std::string Describe(unsigned value) { return Describe((long long)value); }
inline std::string Describe(unsigned long value) { return Describe((long long)value); }
inline std::string Describe(bool value) { return value ? "true" : "false"; }
inline std::string Describe(const void* value) { return Hex((unsigned long)(uintptr_t)value); }

// Polls condition every few milliseconds until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Lets both processes handle what is queued: a short, bounded pause.
void Settle(DWORD ms = 100);

// ---- The program under test --------------------------------------------------

// One running pikurio.exe. The destructor ends it if the test did not.
class Pikurio {
public:
    Pikurio();  // starts it and waits for its dialog (REQUIREs both)
    ~Pikurio();
    Pikurio(const Pikurio&) = delete;
    Pikurio& operator=(const Pikurio&) = delete;

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const;
    std::string Text(int id) const;
    void SetText(int id, const char* text) const;  // WM_SETTEXT: the edit sends EN_CHANGE
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends WM_COMMAND as a control's notification would arrive.
    void Notify(int id, WORD code) const;
    void SelectCombo(int id, int index) const;  // CB_SETCURSEL, then CBN_SELCHANGE
    int SliderPos(int id) const;
    DWORD ProcessId() const { return process_.dwProcessId; }
    HANDLE Process() const { return process_.hProcess; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    HWND FocusedWindow() const;
    bool Responds() const;  // answers a message within a bound
    bool IsTopmost() const;  // WS_EX_TOPMOST on the dialog
    // Activates the dialog and clicks the middle of one of its controls.
    void ClickItem(int id) const;
    // Clicks the pick button and waits until the dialog is topmost.
    void PressPick() const;
    // Clicks into an edit, selects its whole text and types text as key strokes.
    void TypeInto(int id, const char* text) const;
    // The ten texts and positions of the colour editor, in one line, so a
    // whole state compares at once: see ChannelsShownFor.
    std::string ChannelsShown() const;

    // Brings the dialog to the foreground so that real input reaches it.
    void Activate() const;
    // Waits for the process to end; returns its exit code, or -1 on timeout.
    long WaitForExit(DWORD timeoutMs = 10000) const;
    bool HasExited() const;

private:
    PROCESS_INFORMATION process_;
    HWND dialog_;
};

// Top-level window of the given process with that class and caption, or null.
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption);
// Every such window, in z-order.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* caption);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
std::string ComboItemText(HWND combo, int index);
// What Pikurio::ChannelsShown reads when the editor shows red, green, blue.
std::string ChannelsShownFor(int red, int green, int blue);
// The colour code "#RRGGBB" of a colour.
std::string ColorCode(COLORREF color);

// ---- Real input (SendInput) --------------------------------------------------

void PressKey(WORD virtualKey);
void TypeText(const char* text);  // printable ASCII, as key strokes
void MoveMouseTo(int x, int y);   // screen coordinates
void MouseButton(bool right, bool down);
void ClickAt(int x, int y, bool right = false);
POINT CenterOf(HWND window);      // in screen coordinates

// ---- Reading the screen ------------------------------------------------------

COLORREF ScreenPixel(int x, int y);
// Screen position of a point given in a window's client coordinates.
POINT ClientToScreenPoint(HWND window, int x, int y);

// A copy of a screen rectangle taken at once (one BitBlt), so that a check
// reads one consistent frame; pixels are addressed relative to the rectangle.
class ScreenCapture {
public:
    ScreenCapture(int x, int y, int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;  // CLR_INVALID outside the rectangle

private:
    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};
// The client area of a window, in client coordinates.
ScreenCapture CaptureClient(HWND window);

// A plain top-level window of the test's own, filled with one colour; it is
// placed at the given screen rectangle and destroyed with the object.
class ColorWindow {
public:
    ColorWindow(COLORREF color, int x, int y, int width, int height);
    ~ColorWindow();
    ColorWindow(const ColorWindow&) = delete;
    ColorWindow& operator=(const ColorWindow&) = delete;
    HWND Handle() const { return window_; }
    void SetColor(COLORREF color);
    void PumpMessages() const;

private:
    HWND window_;
    HBRUSH brush_;
};

// ---- Clipboard ---------------------------------------------------------------

bool ReadClipboardText(std::string* text);  // CF_TEXT, false when there is none
void PutClipboardText(const char* text);

#endif
