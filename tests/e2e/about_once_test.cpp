// The About box opens at most once, even when nothing owns it.
#include <windows.h>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

struct AboutCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountAboutBoxes(HWND window, LPARAM lParam) {
    AboutCount* counter = reinterpret_cast<AboutCount*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == counter->processId && ClassOf(window) == "#32770" &&
        WindowText(window) == TEXT_ABOUT_CAPTION)
        ++counter->count;
    return TRUE;
}

int AboutBoxes(const Pikurio& app) {
    AboutCount counter = {app.ProcessId(), 0};
    EnumWindows(CountAboutBoxes, reinterpret_cast<LPARAM>(&counter));
    return counter.count;
}

}  // namespace

E2E_TEST(version_button_opens_one_about_box_without_an_owner) {
    Pikurio app;
    // With a window of our own active, nothing in the program has the focus,
    // so the box gets no owner and the main dialog stays enabled.
    ColorWindow other(RGB(10, 20, 30), 600, 400, 100, 100);
    SetForegroundWindow(other.Handle());
    WaitUntil([&] { return GetForegroundWindow() == other.Handle(); }, 3000);
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED), (LPARAM)app.Item(IDC_VERSION));
    REQUIRE(WaitUntil([&] { return AboutBoxes(app) == 1; }), "first About box opens");
    CHECK(IsWindowEnabled(app.Dialog()), "main dialog enabled (the box has no owner)");
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED), (LPARAM)app.Item(IDC_VERSION));
    Settle(500);
    CHECK(app.Responds(), "program answers after the second press");
    CHECK_EQ("About boxes after a second press", 1, AboutBoxes(app));
}
