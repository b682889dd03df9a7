#include "tests/e2e/harness.h"

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "res/resource.h"
#include "res/strings.h"

// ---- Registering and checking ------------------------------------------------

namespace {

struct RegisteredTest {
    const char* name;
    TestFunction function;
};

std::vector<RegisteredTest>& Registry() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

int g_failures = 0;

}  // namespace

TestRegistrar::TestRegistrar(const char* name, TestFunction function) {
    Registry().push_back({name, function});
}

void RecordFailure(const char* file, int line, const std::string& message) {
    ++g_failures;
    const char* base = strrchr(file, '/');
    printf("  FAILED at %s:%d: %s\n", base ? base + 1 : file, line, message.c_str());
    fflush(stdout);
}

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"') {
            quoted += (char)c;
        } else {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            quoted += escaped;
        }
    }
    return quoted + "\"";
}

std::string Hex(unsigned long value) {
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", value);
    return text;
}

std::string Describe(const std::string& value) { return Quote(value); }
std::string Describe(const char* value) { return value ? Quote(value) : "(null)"; }
std::string Describe(long long value) {
    char text[48];
    snprintf(text, sizeof text, "%lld (0x%llX)", value, value);
    return text;
}

static void PumpOwnMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpOwnMessages();
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

void Settle(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpOwnMessages();
        Sleep(5);
    }
}

// ---- The program under test --------------------------------------------------

static std::string ProgramPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string result(path, length);
    size_t slash = result.find_last_of("\\/");
    return result.substr(0, slash + 1) + "pikurio.exe";
}

struct FindContext {
    DWORD processId;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM lParam) {
    FindContext* context = reinterpret_cast<FindContext*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != context->processId) return TRUE;
    if (ClassOf(window) != context->className) return TRUE;
    if (context->caption && WindowText(window) != context->caption) return TRUE;
    context->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* caption) {
    FindContext context = {processId, className, caption, {}};
    EnumWindows(CollectWindowOfProcess, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption) {
    std::vector<HWND> windows = ProcessWindows(processId, className, caption);
    return windows.empty() ? nullptr : windows.front();
}

std::string WindowText(HWND window) {
    char text[512];
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000,
                             &length))
        return "(no answer)";
    return std::string(text, length);
}

std::string ClassOf(HWND window) {
    char name[128];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

// Read as UTF-16 and converted to code page 932 here: Wine hands the ANSI
// form of CB_GETLBTEXT across processes as UTF-16.
std::string ComboItemText(HWND combo, int index) {
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return "(none)";
    std::vector<wchar_t> wide(length + 1);
    length = SendMessageW(combo, CB_GETLBTEXT, index, (LPARAM)wide.data());
    if (length == CB_ERR) return "(none)";
    char text[256];
    int bytes = WideCharToMultiByte(932, 0, wide.data(), (int)length, text, sizeof text, nullptr,
                                    nullptr);
    return std::string(text, bytes > 0 ? bytes : 0);
}

Pikurio::Pikurio() : process_(), dialog_(nullptr) {
    std::string path = ProgramPath();
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    REQUIRE(CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process_),
            "start pikurio.exe");
    WaitForInputIdle(process_.hProcess, 15000);
    bool found = WaitUntil(
        [&] {
            dialog_ = FindProcessWindow(process_.dwProcessId, "#32770", APP_NAME);
            return dialog_ && IsWindowVisible(dialog_);
        },
        20000);
    REQUIRE(found, "find the visible dialog \"" APP_NAME "\" within 20 s");
    Settle(200);
}

Pikurio::~Pikurio() {
    if (!HasExited()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND Pikurio::Item(int id) const { return GetDlgItem(dialog_, id); }

std::string Pikurio::Text(int id) const { return WindowText(Item(id)); }

void Pikurio::SetText(int id, const char* text) const {
    DWORD_PTR result;
    SendMessageTimeoutA(Item(id), WM_SETTEXT, 0, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &result);
}

LRESULT Pikurio::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Item(id), message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return (LRESULT)result;
}

void Pikurio::Notify(int id, WORD code) const {
    DWORD_PTR result;
    SendMessageTimeoutA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)Item(id),
                        SMTO_ABORTIFHUNG, 5000, &result);
}

void Pikurio::SelectCombo(int id, int index) const {
    Send(id, CB_SETCURSEL, index);
    Notify(id, CBN_SELCHANGE);
}

int Pikurio::SliderPos(int id) const { return (int)Send(id, TBM_GETPOS); }

HWND Pikurio::FocusedWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

bool Pikurio::Responds() const {
    DWORD_PTR result;
    return SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool Pikurio::IsTopmost() const {
    return (GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Pikurio::ClickItem(int id) const {
    Activate();
    POINT center = CenterOf(Item(id));
    ClickAt(center.x, center.y);
}

void Pikurio::PressPick() const {
    ClickItem(IDC_PICK);
    REQUIRE(WaitUntil([&] { return IsTopmost(); }, 3000), "dialog topmost after the pick button");
}

void Pikurio::TypeInto(int id, const char* text) const {
    POINT center = CenterOf(Item(id));
    ClickAt(center.x, center.y);
    Send(id, EM_SETSEL, 0, -1);
    TypeText(text);
}

static const int CHANNEL_BASE_IDS[3] = {IDC_R_HEX, IDC_G_HEX, IDC_B_HEX};

std::string Pikurio::ChannelsShown() const {
    std::string hex, dec, sliders;
    for (int base : CHANNEL_BASE_IDS) {
        hex += " " + Text(base + CHANNEL_HEX_OFFSET);
        dec += " " + Text(base + CHANNEL_DEC_OFFSET);
        sliders += " " + std::to_string(SliderPos(base + CHANNEL_SLIDER_OFFSET));
    }
    return Text(IDC_CODE) + " hex" + hex + " dec" + dec + " sliders" + sliders;
}

void Pikurio::Activate() const {
    SetForegroundWindow(dialog_);
    WaitUntil([&] { return GetForegroundWindow() == dialog_; }, 3000);
    Settle(100);
}

long Pikurio::WaitForExit(DWORD timeoutMs) const {
    if (!WaitUntil([&] { return HasExited(); }, timeoutMs)) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return (long)code;
}

bool Pikurio::HasExited() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }

std::string ChannelsShownFor(int red, int green, int blue) {
    char text[96];
    snprintf(text, sizeof text, "#%02X%02X%02X hex %02X %02X %02X dec %d %d %d sliders %d %d %d",
             red, green, blue, red, green, blue, red, green, blue, 255 - red, 255 - green,
             255 - blue);
    return text;
}

std::string ColorCode(COLORREF color) {
    char text[8];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color),
             GetBValue(color));
    return text;
}

// ---- Real input (SendInput) --------------------------------------------------

static void SendKeyEvent(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD virtualKey) {
    SendKeyEvent(virtualKey, false);
    SendKeyEvent(virtualKey, true);
    Settle(30);
}

void TypeText(const char* text) {
    for (const char* c = text; *c; ++c) {
        SHORT scan = VkKeyScanA(*c);
        bool shift = (scan >> 8) & 1;
        if (shift) SendKeyEvent(VK_SHIFT, false);
        PressKey(LOBYTE(scan));
        if (shift) SendKeyEvent(VK_SHIFT, true);
    }
    Settle(50);
}

static bool CursorIsAt(int x, int y) {
    POINT p = {-1, -1};
    return GetCursorPos(&p) && p.x == x && p.y == y;
}

// Under Wine the program under test may still be working through pointer
// motion from an earlier position and put the cursor back there, so the move
// is repeated (for a bounded time) until the cursor stays where it was put.
void MoveMouseTo(int x, int y) {
    WaitUntil(
        [&] {
            SetCursorPos(x, y);
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_MOVE;  // a move of (0, 0) delivers WM_MOUSEMOVE here
            SendInput(1, &input, sizeof input);
            Settle(50);
            if (!CursorIsAt(x, y)) return false;
            Settle(50);
            return CursorIsAt(x, y);
        },
        3000);
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

// ---- Reading the screen ------------------------------------------------------

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

ScreenCapture::ScreenCapture(int x, int y, int width, int height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
      pixels_((size_t)width_ * height_, CLR_INVALID) {
    if (pixels_.empty()) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, x, y, SRCCOPY);
        GdiFlush();
        const uint32_t* row = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i) {
            uint32_t p = row[i];  // 0x00RRGGBB in a 32-bit DIB
            pixels_[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
        SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[(size_t)y * width_ + x];
}

ScreenCapture CaptureClient(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetClientRect(window, &r);
    POINT origin = ClientToScreenPoint(window, 0, 0);
    return ScreenCapture(origin.x, origin.y, r.right, r.bottom);
}

static const char COLOR_WINDOW_CLASS[] = "PikurioTestColor";

static LRESULT CALLBACK ColorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        FillRect((HDC)wParam, &r, (HBRUSH)GetWindowLongPtrA(window, GWLP_USERDATA));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ColorWindow::ColorWindow(COLORREF color, int x, int y, int width, int height)
    : window_(nullptr), brush_(CreateSolidBrush(color)) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ColorWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = COLOR_WINDOW_CLASS;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, COLOR_WINDOW_CLASS, "color", WS_POPUP, x, y, width,
                              height, nullptr, nullptr, windowClass.hInstance, nullptr);
    REQUIRE(window_ != nullptr, "create the colour window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)brush_);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    Settle(100);
}

ColorWindow::~ColorWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
    Settle(50);
}

void ColorWindow::SetColor(COLORREF color) {
    HBRUSH old = brush_;
    brush_ = CreateSolidBrush(color);
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)brush_);
    DeleteObject(old);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    Settle(100);
}

void ColorWindow::PumpMessages() const { PumpOwnMessages(); }

// ---- Clipboard ---------------------------------------------------------------

static bool OpenClipboardBounded() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 3000);
}

bool ReadClipboardText(std::string* text) {
    if (!OpenClipboardBounded()) return false;
    bool found = false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (locked) {
        *text = locked;
        GlobalUnlock(data);
        found = true;
    }
    CloseClipboard();
    return found;
}

void PutClipboardText(const char* text) {
    if (!OpenClipboardBounded()) return;
    EmptyClipboard();
    size_t size = strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory) {
        memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

// ---- Running -----------------------------------------------------------------

static bool RunTest(const RegisteredTest& test) {
    printf("[ RUN  ] %s\n", test.name);
    fflush(stdout);
    int failuresBefore = g_failures;
    try {
        test.function();
    } catch (const TestAbort&) {
    }
    bool passed = g_failures == failuresBefore;
    printf("[ %s ] %s\n", passed ? "PASS" : "FAIL", test.name);
    fflush(stdout);
    return passed;
}

// pikurio_e2e --list | pikurio_e2e [name ...]: runs the named tests, or all.
int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--list") == 0) {
        for (const RegisteredTest& test : Registry()) printf("%s\n", test.name);
        return 0;
    }
    int failed = 0;
    int ran = 0;
    for (const RegisteredTest& test : Registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            if (strcmp(argv[i], test.name) == 0) wanted = true;
        if (!wanted) continue;
        ++ran;
        if (!RunTest(test)) ++failed;
    }
    if (ran == 0) {
        printf("no test matched\n");
        return 2;
    }
    return failed ? 1 : 0;
}
