// The About box, read back from the screen: its place and size, the bands,
// the link in blue, the hand cursor over the link alone, what a click on the
// link hands to the shell, the three ways to close it, that it opens only
// once, and never under the preview's tooltip.
#include <windows.h>

#include <stdio.h>
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

// Opens the box as the version button would and waits for it to show.
// The press is posted: the box runs a modal loop inside the program, and a
// sent message would not return until the box closed.
[[nodiscard]] ::testing::AssertionResult OpenAboutBox(const Pikurio& app, bool realClick,
                                                      HWND* box) {
    if (realClick) {
        app.Activate();
        POINT button = CenterOf(app.Item(IDC_VERSION));
        ClickAt(button.x, button.y);
    } else {
        PostMessageA(app.Item(IDC_VERSION), BM_CLICK, 0, 0);
    }
    bool found = WaitUntil([&] {
        *box = FindProcessWindow(app.ProcessId(), "#32770", TEXT_ABOUT_CAPTION);
        return *box && IsWindowVisible(*box);
    });
    if (!found)
        return ::testing::AssertionFailure()
               << "no About box \"" << TEXT_ABOUT_CAPTION << "\" within 5 s";
    // Painted once the first band is there.
    return Becomes(Hex(BAND), MakeReading("the About box's first band at (10, 2)",
                                          [&] { return Hex(CaptureClient(*box).At(10, 2)); }));
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
Ink FindColor(const ScreenCapture& shot, COLORREF color, int top, int bottom, int left = 0,
              int right = INT_MAX) {
    return FindInk(shot, top, bottom, ColorIs(color), left, right);
}

// The cursor of the foreground thread, which is the box's while it is open.
HCURSOR CurrentCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

// Once installed, the prefix opens the home page's scheme with cmd, which
// writes the URL it is given to a file, so a click on the link shows what
// reached the shell's "open" and starts no browser. The handler is put back
// when the recorder goes.
class UrlRecorder {
public:
    UrlRecorder() = default;
    void Install() {
        char directory[MAX_PATH];
        GetTempPathA(sizeof directory, directory);
        file_ = std::string(directory) + "pikurio-url.txt";
        DeleteFileA(file_.c_str());
        std::string home = APP_HOME_URL;
        std::string key = home.substr(0, home.find(':')) + "\\shell\\open\\command";
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr))
            << "open the URL handler's key " << key;
        DWORD size = sizeof saved_;
        hadSaved_ = RegQueryValueExA(key_, nullptr, nullptr, &savedType_, (BYTE*)saved_, &size) ==
                    ERROR_SUCCESS;
        savedSize_ = size;
        std::string command = "cmd.exe /c echo %1>\"" + file_ + "\"";
        RegSetValueExA(key_, nullptr, 0, REG_SZ, (const BYTE*)command.c_str(),
                       (DWORD)command.size() + 1);
    }
    ~UrlRecorder() {
        if (!key_) return;
        if (hadSaved_)
            RegSetValueExA(key_, nullptr, 0, savedType_, (const BYTE*)saved_, savedSize_);
        else
            RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
        DeleteFileA(file_.c_str());
    }
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    // The URL written so far, without its line end; empty until cmd has run.
    std::string Recorded() const {
        std::string text;
        FILE* file = fopen(file_.c_str(), "rb");
        if (!file) return text;
        char buffer[512];
        size_t length = fread(buffer, 1, sizeof buffer, file);
        fclose(file);
        text.assign(buffer, length);
        if (text.find('\n') == std::string::npos) return std::string();
        return text.substr(0, text.find_last_not_of(" \r\n") + 1);
    }

private:
    std::string file_;
    HKEY key_ = nullptr;
    bool hadSaved_ = false;
    DWORD savedType_ = REG_SZ;
    DWORD savedSize_ = 0;
    char saved_[1024] = {};
};

int AboutBoxes(const Pikurio& app) {
    return (int)ProcessWindows(app.ProcessId(), "#32770", TEXT_ABOUT_CAPTION).size();
}

}  // namespace

using About = PikurioTest;

TEST_F(About, box_is_centred_banded_and_shows_the_link_in_blue) {
    HWND box = nullptr;
    ASSERT_TRUE(OpenAboutBox(app, true, &box));

    RECT r;
    GetWindowRect(box, &r);
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(BOX_WIDTH, r.right - r.left) << "outer width";
    EXPECT_EQ(captionHeight + CLIENT_HEIGHT, r.bottom - r.top) << "outer height";
    // Centred across the screen; down, the client height is centred, not the outer one.
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - BOX_WIDTH) / 2, r.left) << "left";
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - CLIENT_HEIGHT) / 2, r.top) << "top";
    EXPECT_EQ(app.Dialog(), GetWindow(box, GW_OWNER)) << "owned by the main dialog";
    EXPECT_FALSE(IsWindowEnabled(app.Dialog()))
        << "the main dialog is disabled while the box is open";

    ScreenCapture shot = CaptureClient(box);
    int clientWidth = BOX_WIDTH - 2 * GetSystemMetrics(SM_CXDLGFRAME);
    EXPECT_EQ(clientWidth, shot.Width()) << "client width";

    // Fourteen band lines every third row from y = 2, left and right of the title.
    for (int y = 0; y < 46; ++y) {
        bool band = y >= 2 && y <= 41 && (y - 2) % 3 == 0;
        for (int x : {1, 10, shot.Width() - 10, shot.Width() - 1})
            EXPECT_EQ(Hex(band ? BAND : WHITE), Hex(shot.At(x, y))) << "row " << y << " at x " << x;
    }
    EXPECT_GT(FindColor(shot, BLACK, 10, 44).count, 20) << "the bold title in black over the bands";

    // Version and copyright lines in black, then the contact rows.
    EXPECT_GT(FindColor(shot, BLACK, VERSION_TOP, VERSION_TOP + LINE_HEIGHT).count, 0)
        << "version line";
    EXPECT_GT(FindColor(shot, BLACK, COPYRIGHT_TOP, COPYRIGHT_TOP + LINE_HEIGHT).count, 0)
        << "copyright line";
    LinkExtent link = MeasureLink();
    Ink label = FindColor(shot, BLACK, LINK_TOP, LINK_BOTTOM, 0, link.Left());
    EXPECT_TRUE(label.count > 0 && label.left >= TEXT_LEFT)
        << "the [Home] label in black from x 5: " << label.count << " px from x " << label.left;
    Ink url = FindColor(shot, LINK, LINK_TOP, LINK_BOTTOM);
    EXPECT_GE(url.count, 20) << "the URL in blue";
    EXPECT_TRUE(url.left >= link.Left() && url.right < link.Right() + 1)
        << "blue ink " << url.left << ".." << url.right << " within the URL's extent "
        << link.Left() << ".." << link.Right();
    EXPECT_EQ(0, FindColor(shot, BLACK, LINK_TOP, LINK_BOTTOM, link.Left(), link.Right()).count)
        << "no black in the URL";
    EXPECT_GT(FindColor(shot, BLACK, MAIL_TOP, MAIL_TOP + LINE_HEIGHT).count, 0)
        << "the mail row in black";
    EXPECT_EQ(0, FindColor(shot, LINK, MAIL_TOP, MAIL_TOP + LINE_HEIGHT).count)
        << "no blue in the mail row";
    EXPECT_EQ(0, FindColor(shot, LINK, 0, LINK_TOP).count +
                     FindColor(shot, LINK, LINK_BOTTOM, shot.Height()).count)
        << "no blue outside the link row";

    // White below the text and at the right end of the rows.
    Ink below = FindColor(shot, WHITE, MAIL_TOP + LINE_HEIGHT + 2, shot.Height());
    EXPECT_EQ((shot.Height() - (MAIL_TOP + LINE_HEIGHT + 2)) * shot.Width(), below.count)
        << "white below the mail row";
    EXPECT_EQ(Hex(WHITE), Hex(shot.At(shot.Width() - 3, 92)))
        << "white at the right of the link row";
}

// Moves the mouse to a client point of the box and returns the cursor once it
// has settled (the same handle twice, a little apart).
static HCURSOR SettledCursorAt(HWND box, int x, int y) {
    POINT p = ClientToScreenPoint(box, x, y);
    MoveMouseTo(p.x, p.y);
    HCURSOR seen = CurrentCursor();
    bool settled = WaitUntil(
        [&] {
            Settle(50);
            HCURSOR now = CurrentCursor();
            bool same = now == seen;
            seen = now;
            return same;
        },
        1500);
    EXPECT_TRUE(settled) << "the cursor at " << PointText(x, y)
                         << " still changing after 1500 ms; last " << seen;
    return seen;
}

// The hand shows over the URL's own extent and nowhere else; each step moves
// between inside and outside, so every expectation is a change. A click on the
// URL then opens it through the shell.
// Wine keeps system cursors per process, so the program's hand is not the
// handle LoadCursor(IDC_HAND) gives the test: the program's own arrow is taken
// over the box's empty corner, and the hand is the other cursor that the URL
// shows, the same at every point of it.
TEST_F(About, box_shows_the_hand_only_over_the_url_and_opens_it) {
    UrlRecorder browser;
    ASSERT_NO_FATAL_FAILURE(browser.Install());
    HWND box = nullptr;
    ASSERT_TRUE(OpenAboutBox(app, false, &box));
    SetForegroundWindow(box);
    LinkExtent link = MeasureLink();
    RECT client;
    GetClientRect(box, &client);
    const HCURSOR arrow = SettledCursorAt(box, client.right - 10, client.bottom - 10);
    int middle = (link.Left() + link.Right()) / 2;
    const HCURSOR hand = SettledCursorAt(box, middle, 92);
    EXPECT_NE(nullptr, arrow) << "a cursor over the box's empty corner";
    EXPECT_TRUE(hand != nullptr && hand != arrow)
        << "over the URL the cursor changes from the arrow " << arrow << " to " << hand;
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
        EXPECT_EQ(step.hand ? hand : arrow, SettledCursorAt(box, step.x, step.y))
            << (step.hand ? "hand" : "arrow") << " over " << step.where << " at "
            << PointText(step.x, step.y);
    }
    POINT url = ClientToScreenPoint(box, middle, 92);
    ClickAt(url.x, url.y);
    // cmd, started by the shell, takes a while under Wine.
    EXPECT_SOON_WITHIN(10000, APP_HOME_URL, browser.Recorded()) << "the URL the click opens";
    PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_SOON(FALSE, IsWindow(box)) << "the box closes";
}

// Enter (IDOK: the box has no controls), Esc and the caption's close button
// each close the box; the main dialog goes on, and the box opens again.
TEST_F(About, box_closes_by_enter_escape_and_close_button) {
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
    for (const auto& way : ways) {
        SCOPED_TRACE(std::string("after ") + way.how);
        HWND box = nullptr;
        ASSERT_TRUE(OpenAboutBox(app, false, &box));
        way.close(box);
        ASSERT_SOON(false, IsWindow(box) && IsWindowVisible(box)) << "the box is gone";
        ASSERT_FALSE(app.HasExited()) << "the program still runs";
        EXPECT_TRUE(app.Responds()) << "the main dialog answers";
        EXPECT_TRUE(IsWindowVisible(app.Dialog())) << "the main dialog is visible";
        EXPECT_SOON(true, IsWindowEnabled(app.Dialog()) != 0) << "the main dialog is enabled again";
    }
    app.Activate();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(0, app.WaitForExit()) << "exit code after Esc on the main dialog";
}

// The box opens at most once, even when nothing owns it.
TEST_F(About, version_button_opens_one_box_without_an_owner) {
    // With a window of our own active, nothing in the program has the focus,
    // so the box gets no owner and the main dialog stays enabled.
    ColorWindow other(RGB(10, 20, 30), 600, 400, 100, 100);
    SetForegroundWindow(other.Handle());
    ASSERT_SOON(other.Handle(), GetForegroundWindow()) << "our own window in the foreground";
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED),
                 (LPARAM)app.Item(IDC_VERSION));
    ASSERT_SOON(1, AboutBoxes(app)) << "first About box opens";
    EXPECT_TRUE(IsWindowEnabled(app.Dialog())) << "main dialog enabled (the box has no owner)";
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, BN_CLICKED),
                 (LPARAM)app.Item(IDC_VERSION));
    Settle(500);
    EXPECT_TRUE(app.Responds()) << "program answers after the second press";
    EXPECT_EQ(1, AboutBoxes(app)) << "About boxes after a second press";
}

// The preview's tooltip is topmost: opened from the keyboard while the tip
// shows, the box would open under it.
TEST_F(About, box_opens_with_the_tooltip_gone) {
    POINT corner = ClientToScreenPoint(app.Item(IDC_PREVIEW), 2, 2);
    app.Activate();
    SendMessageA(app.Dialog(), WM_NEXTDLGCTL, (WPARAM)app.Item(IDC_VERSION), TRUE);
    MoveMouseTo(corner.x, corner.y);
    ASSERT_SOON(true, ShownTip(app) != "(none)") << "the tip, resting on the preview";
    PressKey(VK_SPACE);
    ASSERT_SOON(1, AboutBoxes(app)) << "the box, after Space on the version button";
    EXPECT_EQ("(none)", ShownTip(app)) << "the tip, with the box open";
}
