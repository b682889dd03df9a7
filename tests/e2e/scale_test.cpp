// The display-scale correction of a pick: the per-monitor "DpiValue" in the
// user's registry decides which physical pixel a logical cursor point reads.
// The test writes the registry of the same Wine prefix that the program reads.
#include <windows.h>

#include <string.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace {

const char PER_MONITOR_KEY[] = "Control Panel\\Desktop\\PerMonitorSettings";

// Owns the per-monitor settings key for the test: removes it on creation and
// again on destruction, so a failing test leaves the registry as it found it.
class PerMonitorSettings {
public:
    PerMonitorSettings() { Remove(); }
    ~PerMonitorSettings() { Remove(); }
    PerMonitorSettings(const PerMonitorSettings&) = delete;
    PerMonitorSettings& operator=(const PerMonitorSettings&) = delete;

    void Remove() { RegDeleteTreeA(HKEY_CURRENT_USER, PER_MONITOR_KEY); }

    void SetDword(const char* monitor, const char* name, DWORD value) {
        Set(monitor, name, REG_DWORD, &value, sizeof value);
    }
    void SetString(const char* monitor, const char* name, const char* value) {
        Set(monitor, name, REG_SZ, value, (DWORD)strlen(value) + 1);
    }

private:
    void Set(const char* monitor, const char* name, DWORD type, const void* data, DWORD size) {
        std::string path = std::string(PER_MONITOR_KEY) + "\\" + monitor;
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                                 KEY_WRITE, nullptr, &key, nullptr))
            << "create " << path;
        LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, result) << "write " << path << "\\" << name;
    }
};

// The logical cursor point, and where each scale puts it: a small window of
// its own colour at each physical point, all clear of the dialog.
const int CURSOR_X = 520, CURSOR_Y = 400;
const int SCALES[] = {100, 125, 150, 175};
const COLORREF SCALE_COLORS[] = {RGB(0xA0, 0x10, 0x10), RGB(0x10, 0xA0, 0x10),
                                 RGB(0x10, 0x10, 0xA0), RGB(0xA0, 0xA0, 0x10)};
const int MARK_SIZE = 40;

COLORREF ColorForScale(int scale) {
    for (int i = 0; i < 4; ++i)
        if (SCALES[i] == scale) return SCALE_COLORS[i];
    return RGB(0, 0, 0);
}

std::string WindowPlace(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

struct ScaleCase {
    const char* name;
    std::function<void(PerMonitorSettings&)> write;
    int scale;
};

}  // namespace

using Scale = PikurioTest;

TEST_F(Scale, pick_reads_the_pixel_under_the_cursor_scaled_by_the_registry) {
    PerMonitorSettings settings;
    std::vector<std::unique_ptr<ColorWindow>> marks;
    for (int i = 0; i < 4; ++i) {
        int x = SCALES[i] * CURSOR_X / 100, y = SCALES[i] * CURSOR_Y / 100;
        marks.emplace_back(new ColorWindow(SCALE_COLORS[i], x - MARK_SIZE / 2, y - MARK_SIZE / 2,
                                           MARK_SIZE, MARK_SIZE));
    }
    app.SelectCombo(IDC_TARGET, 1);
    const std::string placed = WindowPlace(app.Dialog());

    const ScaleCase cases[] = {
        {"no settings key", [](PerMonitorSettings&) {}, 100},
        // The value's rule is the unit tests'; these show the whole value reaches it.
        {"DpiValue 2", [](PerMonitorSettings& s) { s.SetDword("MON0001", "DpiValue", 2); }, 150},
        {"DpiValue -1",
         [](PerMonitorSettings& s) { s.SetDword("MON0001", "DpiValue", 0xFFFFFFFF); }, 175},
        {"name in lower case", [](PerMonitorSettings& s) { s.SetDword("MON0001", "dpivalue", 2); },
         150},
        {"value in a later subkey",
         [](PerMonitorSettings& s) {
             s.SetDword("MON0001", "DpiValues", 3);
             s.SetDword("MON0001", "Dpi", 3);
             s.SetString("MON0001", "Name", "first");
             s.SetDword("MON0002", "DpiValue", 1);
         },
         125},
        {"only the first subkey with a value counts",
         [](PerMonitorSettings& s) {
             s.SetDword("MON0001", "DpiValue", 3);
             s.SetDword("MON0002", "DpiValue", 1);
         },
         175},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        settings.Remove();
        ASSERT_NO_FATAL_FAILURE(c.write(settings));
        // Text 1 is set to black first, so each case's pick shows afresh.
        for (const ChannelIds& ids : CHANNEL_IDS) app.SetText(ids.hex, "00");
        ASSERT_TRUE(app.PressPick());
        MoveMouseTo(CURSOR_X, CURSOR_Y);
        MouseButton(false, true);
        MouseButton(false, false);
        EXPECT_SOON(ColorCode(ColorForScale(c.scale)), app.Text(IDC_CODE))
            << "picked at " << c.scale << " %";
    }
    EXPECT_EQ(placed, WindowPlace(app.Dialog())) << "the dialog stays where it was";
}

// At 125 % the pointer reads 1.25 times as far from the screen's corner.
// Under Wine the loupe is not scaled with it, so its first place, below
// right, would lie over the read pixels: it lies elsewhere, and the pick
// takes the pattern's pixel, not the loupe's.
TEST_F(Scale, loupe_lies_clear_of_the_scaled_read_point_and_the_pick_takes_its_pixel) {
    PerMonitorSettings settings;
    ASSERT_NO_FATAL_FAILURE(settings.SetDword("MON0001", "DpiValue", 1));
    const int x = 400, y = 440, readX = 500, readY = 550;
    const COLORREF field = RGB(0x30, 0x50, 0x70), pixel = RGB(0xD0, 0x40, 0x10);
    ColorWindow around(field, readX - 50, readY - 50, 100, 100);
    ColorWindow read(pixel, readX, readY, 1, 1);
    app.SelectCombo(IDC_TARGET, 1);
    ASSERT_TRUE(app.PressPick());
    MoveMouseTo(x, y);
    ASSERT_SOON(ColorCode(pixel), LoupeText(app)) << "the loupe's code at 125 %";
    RECT loupe = {0, 0, 0, 0}, shown = {readX - 5, readY - 5, readX + 6, readY + 6}, overlap;
    GetWindowRect(ShownLoupe(app), &loupe);
    EXPECT_FALSE(IntersectRect(&overlap, &loupe, &shown))
        << "the loupe at " << WindowPlace(ShownLoupe(app)) << " over the pixels around "
        << PointText(readX, readY);
    PressKey(VK_RETURN);
    EXPECT_SOON(ColorCode(pixel), app.Text(IDC_CODE)) << "picked at 125 %";
}
