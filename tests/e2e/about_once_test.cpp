// The About box opens at most once, even when nothing owns it.
#include <windows.h>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

int AboutBoxes(const Pikurio& app) {
    return (int)ProcessWindows(app.ProcessId(), "#32770", TEXT_ABOUT_CAPTION).size();
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
