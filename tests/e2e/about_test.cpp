// The About box, read back from the screen: its place and size, the bands,
// the link in blue, the hand cursor over the link alone, the three ways to
// close it, and that it opens only once. The link is never clicked: that would start a browser, so
// the shell call behind it stays untested here.
#include <windows.h>

#include <string.h>

#include <string>

#include "res/resource.h"
#include "res/strings.h"
#include "tests/e2e/harness.h"

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF BAND = RGB(0xA0, 0xFF, 0xFF);
const COLORREF LINK = RGB(0, 0, 255);

const int BOX_WIDTH = 300;  // the least width, which a short title gets
const int CLIENT_HEIGHT = 139;
const int TEXT_LEFT = 5;
const int VERSION_TOP = 49;
const int COPYRIGHT_TOP = 67;
const int LINK_TOP = 85;
const int LINK_BOTTOM = 99;  // exclusive
const int MAIL_TOP = 103;
const int LINE_HEIGHT = 14;

// Opens the box as the version button would and waits for it; REQUIREs it.
// The press is posted: the box runs a modal loop inside the program, and a
// sent message would not return until the box closed.
HWND OpenAboutBox(const Pikurio& app, bool realClick) {
    if (realClick) {
        app.Activate();
        POINT button = CenterOf(app.Item(IDC_VERSION));
        ClickAt(button.x, button.y);
    } else {
        PostMessageA(app.Item(IDC_VERSION), BM_CLICK, 0, 0);
    }
    HWND box = nullptr;
    bool found = WaitUntil([&] {
        box = FindProcessWindow(app.ProcessId(), "#32770", TEXT_ABOUT_CAPTION);
        return box && IsWindowVisible(box);
    });
    REQUIRE(std::string("the About box \"") + TEXT_ABOUT_CAPTION + "\" appears", found);
    // Painted once the first band is there.
    WaitUntil([&] { return CaptureClient(box).At(10, 2) == BAND; }, 3000);
    return box;
}

// Widths of the link row's parts, measured as the box measures them.
struct LinkExtent {
    int labelWidth;
    int urlWidth;
    int Left() const { return TEXT_LEFT + labelWidth; }
    int Right() const { return TEXT_LEFT + labelWidth + urlWidth; }  // exclusive
};

LinkExtent MeasureLink() {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(ANSI_FIXED_FONT));
    SIZE label = {0, 0};
    GetTextExtentPoint32A(screen, "[Home]", 6, &label);
    HFONT linkFont =
        CreateFontA(14, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "Times New Roman");
    SelectObject(screen, linkFont);
    SIZE url = {0, 0};
    GetTextExtentPoint32A(screen, APP_HOME_URL, (int)strlen(APP_HOME_URL), &url);
    SelectObject(screen, old);
    DeleteObject(linkFont);
    ReleaseDC(nullptr, screen);
    return {(int)label.cx, (int)url.cx};
}

// Pixels of one colour in rows [top, bottom) and columns [left, right).
struct Found {
    int count = 0, left = 1 << 30, right = -1;
};

Found FindColor(const ScreenCapture& shot, COLORREF color, int top, int bottom, int left = 0,
                int right = 1 << 30) {
    Found found;
    for (int y = top; y < bottom && y < shot.Height(); ++y)
        for (int x = left; x < right && x < shot.Width(); ++x)
            if (shot.At(x, y) == color) {
                ++found.count;
                found.left = x < found.left ? x : found.left;
                found.right = x > found.right ? x : found.right;
            }
    return found;
}

// The cursor of the foreground thread, which is the box's while it is open.
HCURSOR CurrentCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

std::string Point(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

int AboutBoxes(const Pikurio& app) {
    return (int)ProcessWindows(app.ProcessId(), "#32770", TEXT_ABOUT_CAPTION).size();
}

}  // namespace

TEST_CASE(about_box_is_centred_banded_and_shows_the_link_in_blue) {
    Pikurio app;
    HWND box = OpenAboutBox(app, true);

    RECT r;
    GetWindowRect(box, &r);
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    CHECK_EQ("outer width", BOX_WIDTH, (int)(r.right - r.left));
    CHECK_EQ("outer height", captionHeight + CLIENT_HEIGHT, (int)(r.bottom - r.top));
    // Centred across the screen; down, the client height is centred, not the outer one.
    CHECK_EQ("left", (GetSystemMetrics(SM_CXSCREEN) - BOX_WIDTH) / 2, (int)r.left);
    CHECK_EQ("top", (GetSystemMetrics(SM_CYSCREEN) - CLIENT_HEIGHT) / 2, (int)r.top);
    CHECK_EQ("owned by the main dialog", (const void*)app.Dialog(),
             (const void*)GetWindow(box, GW_OWNER));
    CHECK("the main dialog is disabled while the box is open", !IsWindowEnabled(app.Dialog()));

    ScreenCapture shot = CaptureClient(box);
    int clientWidth = BOX_WIDTH - 2 * GetSystemMetrics(SM_CXDLGFRAME);
    CHECK_EQ("client width", clientWidth, shot.Width());

    // Fourteen band lines every third row from y = 2, left and right of the title.
    for (int y = 0; y < 46; ++y) {
        bool band = y >= 2 && y <= 41 && (y - 2) % 3 == 0;
        for (int x : {1, 10, shot.Width() - 10, shot.Width() - 1})
            CHECK_EQ("row " + std::to_string(y) + " at x " + std::to_string(x),
                     Hex(band ? BAND : WHITE), Hex(shot.At(x, y)));
    }
    CHECK("the bold title in black over the bands", FindColor(shot, BLACK, 10, 44).count > 20);

    // Version and copyright lines in black, then the contact rows.
    CHECK("version line", FindColor(shot, BLACK, VERSION_TOP, VERSION_TOP + LINE_HEIGHT).count > 0);
    CHECK("copyright line",
          FindColor(shot, BLACK, COPYRIGHT_TOP, COPYRIGHT_TOP + LINE_HEIGHT).count > 0);
    LinkExtent link = MeasureLink();
    Found label = FindColor(shot, BLACK, LINK_TOP, LINK_BOTTOM, 0, link.Left());
    CHECK("the [Home] label in black from x 5", label.count > 0 && label.left >= TEXT_LEFT);
    Found url = FindColor(shot, LINK, LINK_TOP, LINK_BOTTOM);
    CHECK("the URL in blue, " + std::to_string(url.count) + " px", url.count >= 20);
    CHECK("blue ink " + std::to_string(url.left) + ".." + std::to_string(url.right) +
              " within the URL's extent " + std::to_string(link.Left()) + ".." +
              std::to_string(link.Right()),
          url.left >= link.Left() && url.right < link.Right() + 1);
    CHECK_EQ("no black in the URL", 0,
             FindColor(shot, BLACK, LINK_TOP, LINK_BOTTOM, link.Left(), link.Right()).count);
    CHECK("the mail row in black",
          FindColor(shot, BLACK, MAIL_TOP, MAIL_TOP + LINE_HEIGHT).count > 0);
    CHECK_EQ("no blue in the mail row", 0,
             FindColor(shot, LINK, MAIL_TOP, MAIL_TOP + LINE_HEIGHT).count);
    CHECK_EQ("no blue outside the link row", 0,
             FindColor(shot, LINK, 0, LINK_TOP).count +
                 FindColor(shot, LINK, LINK_BOTTOM, shot.Height()).count);

    // White below the text and at the right end of the rows.
    Found below = FindColor(shot, WHITE, MAIL_TOP + LINE_HEIGHT + 2, shot.Height());
    CHECK_EQ("white below the mail row",
             (shot.Height() - (MAIL_TOP + LINE_HEIGHT + 2)) * shot.Width(), below.count);
    CHECK_EQ("white at the right of the link row", Hex(WHITE), Hex(shot.At(shot.Width() - 3, 92)));
}

// Moves the mouse to a client point of the box and returns the cursor once it
// has settled (the same handle twice, a little apart).
static HCURSOR CursorAt(HWND box, int x, int y) {
    POINT p = ClientToScreenPoint(box, x, y);
    MoveMouseTo(p.x, p.y);
    HCURSOR seen = CurrentCursor();
    WaitUntil(
        [&] {
            Settle(50);
            HCURSOR now = CurrentCursor();
            bool same = now == seen;
            seen = now;
            return same;
        },
        1500);
    return seen;
}

// The hand shows over the URL's own extent and nowhere else; each step moves
// between inside and outside, so every expectation is a change.
// Wine keeps system cursors per process, so the program's hand is not the
// handle LoadCursor(IDC_HAND) gives the test: the program's own arrow is taken
// over the box's empty corner, and the hand is the other cursor that the URL
// shows, the same at every point of it.
TEST_CASE(about_box_shows_the_hand_only_over_the_url) {
    Pikurio app;
    HWND box = OpenAboutBox(app, false);
    SetForegroundWindow(box);
    LinkExtent link = MeasureLink();
    RECT client;
    GetClientRect(box, &client);
    const HCURSOR arrow = CursorAt(box, client.right - 10, client.bottom - 10);
    int middle = (link.Left() + link.Right()) / 2;
    const HCURSOR hand = CursorAt(box, middle, 92);
    CHECK("a cursor over the box's empty corner", arrow != nullptr);
    CHECK("over the URL the cursor changes from the arrow " + Describe((const void*)arrow),
          hand != nullptr && hand != arrow);
    const struct {
        const char* where;
        int x, y;
        bool hand;
    } steps[] = {
        {"the [Home] label", TEXT_LEFT + link.labelWidth / 2, 92, false},
        {"the URL's first column", link.Left(), 92, true},
        {"just left of the URL", link.Left() - 1, 92, false},
        {"the URL's last column", link.Right() - 1, 92, true},
        {"just right of the URL", link.Right(), 92, false},
        {"the URL's top row", middle, LINK_TOP, true},
        {"just above the URL", middle, LINK_TOP - 1, false},
        {"the URL's bottom row", middle, LINK_BOTTOM - 1, true},
        {"the mail address", middle, MAIL_TOP + 7, false},
        {"the URL again", middle, 90, true},
        {"just below the URL", middle, LINK_BOTTOM, false},
    };
    for (const auto& step : steps) {
        HCURSOR want = step.hand ? hand : arrow;
        CHECK_EQ(std::string(step.hand ? "hand" : "arrow") + " over " + step.where + " at " +
                     Point(step.x, step.y),
                 (const void*)want, (const void*)CursorAt(box, step.x, step.y));
    }
    PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK("the box closes", WaitUntil([&] { return !IsWindow(box); }));
}

// Enter (IDOK: the box has no controls), Esc and the caption's close button
// each close the box; the main dialog goes on, and the box opens again.
TEST_CASE(about_box_closes_by_enter_escape_and_close_button) {
    const struct {
        const char* how;
        void (*close)(HWND box);
    } ways[] = {
        {"Enter",
         [](HWND box) {
             SetForegroundWindow(box);
             Settle(100);
             PressKey(VK_RETURN);
         }},
        {"Esc",
         [](HWND box) {
             SetForegroundWindow(box);
             Settle(100);
             PressKey(VK_ESCAPE);
         }},
        {"the close button", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    Pikurio app;
    for (const auto& way : ways) {
        std::string step = std::string("after ") + way.how;
        HWND box = OpenAboutBox(app, false);
        way.close(box);
        REQUIRE(step + ": the box is gone",
                WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
        CHECK(step + ": the program still runs", !app.HasExited());
        CHECK(step + ": the main dialog answers", app.Responds());
        CHECK(step + ": the main dialog is visible", IsWindowVisible(app.Dialog()));
        CHECK(step + ": the main dialog is enabled again",
              WaitUntil([&] { return IsWindowEnabled(app.Dialog()) != 0; }));
        REQUIRE(step + ": go on with the program running", !app.HasExited());
    }
    app.Activate();
    PressKey(VK_ESCAPE);
    CHECK_EQ("exit code after Esc on the main dialog", 0L, app.WaitForExit());
}

// The box opens at most once, even when nothing owns it.
TEST_CASE(version_button_opens_one_about_box_without_an_owner) {
    Pikurio app;
    // With a window of our own active, nothing in the program has the focus,
    // so the box gets no owner and the main dialog stays enabled.
    ColorWindow other(RGB(10, 20, 30), 600, 400, 100, 100);
    SetForegroundWindow(other.Handle());
    WaitUntil([&] { return GetForegroundWindow() == other.Handle(); }, 3000);
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED),
                 (LPARAM)app.Item(IDC_VERSION));
    REQUIRE("first About box opens", WaitUntil([&] { return AboutBoxes(app) == 1; }));
    CHECK("main dialog enabled (the box has no owner)", IsWindowEnabled(app.Dialog()));
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED),
                 (LPARAM)app.Item(IDC_VERSION));
    Settle(500);
    CHECK("program answers after the second press", app.Responds());
    CHECK_EQ("About boxes after a second press", 1, AboutBoxes(app));
}
