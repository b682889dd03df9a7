#include "core/screen_sample.h"

#include <string.h>

#include "core/app_state.h"
#include "core/color_model.h"
#include "core/pixel_rules.h"

static const char PER_MONITOR_KEY[] = "Control Panel\\Desktop\\PerMonitorSettings";
enum { MAX_SCANNED_ENTRIES = 100, SUBKEY_NAME_SIZE = 511, VALUE_BUFFER_SIZE = 127 };

// The "DpiValue" of a monitor's subkey into *dpiValue; false when it has none.
static bool ReadDpiValue(HKEY monitorKey, uint32_t* dpiValue) {
    for (DWORD index = 0; index < MAX_SCANNED_ENTRIES; ++index) {
        char name[VALUE_BUFFER_SIZE];
        BYTE data[VALUE_BUFFER_SIZE];
        DWORD nameLength = VALUE_BUFFER_SIZE;
        DWORD dataLength = VALUE_BUFFER_SIZE;
        // Zeroed, so data shorter than four bytes reads its missing bytes as 0.
        memset(data, 0, sizeof data);
        if (RegEnumValueA(monitorKey, index, name, &nameLength, nullptr, nullptr, data,
                          &dataLength) != ERROR_SUCCESS)
            return false;
        if (IsDpiValueName(name)) {
            *dpiValue = (uint32_t)data[0] | (uint32_t)data[1] << 8 | (uint32_t)data[2] << 16 |
                        (uint32_t)data[3] << 24;
            return true;
        }
    }
    return false;
}

int GetScalePercent() {
    HKEY settings;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PER_MONITOR_KEY, 0, KEY_READ, &settings) != ERROR_SUCCESS)
        return 100;
    uint32_t dpiValue = 0;
    for (DWORD index = 0; index < MAX_SCANNED_ENTRIES; ++index) {
        char name[SUBKEY_NAME_SIZE];
        DWORD nameLength = SUBKEY_NAME_SIZE;
        if (RegEnumKeyExA(settings, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY monitorKey;
        if (RegOpenKeyExA(settings, name, 0, KEY_READ, &monitorKey) != ERROR_SUCCESS) continue;
        bool found = ReadDpiValue(monitorKey, &dpiValue);
        RegCloseKey(monitorKey);
        if (found) break;
    }
    RegCloseKey(settings);
    return ScaleFromDpiValue(dpiValue);
}

// A 1 x 1 DIB in the screen's own format: header, colour table (or masks), pixel.
struct CaptureBuffer {
    BITMAPINFOHEADER header;
    uint32_t colorTable[COLOR_TABLE_ENTRIES];
    uint32_t pixel;
};

// Copies the screen pixel at (x, y) into the buffer; false when nothing was read.
// Every DC and bitmap made here is given back before returning.
static bool CapturePixel(int x, int y, CaptureBuffer* capture) {
    HDC screen = GetDC(g_app.desktop);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    int linesRead = 0;
    if (bitmap) {
        HGDIOBJ replaced = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
        capture->header.biSize = sizeof(BITMAPINFOHEADER);
        BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(capture);
        // With a bit count of 0 the first call fills in the bitmap's own format.
        if (GetDIBits(memory, bitmap, 0, 0, nullptr, info, DIB_RGB_COLORS))
            linesRead = GetDIBits(memory, bitmap, 0, 1, &capture->pixel, info, DIB_RGB_COLORS);
        SelectObject(memory, replaced);
        DeleteObject(bitmap);
    }
    ReleaseDC(g_app.desktop, screen);
    DeleteDC(memory);
    return linesRead > 0;
}

bool ReadPointerPixel(PointerPixel* pixel) {
    memset(pixel, 0, sizeof *pixel);
    int scale = GetScalePercent();
    GetCursorPos(&pixel->pointer);
    pixel->at.x = ScaleCoordinate(pixel->pointer.x, scale);
    pixel->at.y = ScaleCoordinate(pixel->pointer.y, scale);
    CaptureBuffer capture;
    memset(&capture, 0, sizeof capture);
    if (!CapturePixel(pixel->at.x, pixel->at.y, &capture)) return false;
    pixel->rgb = ConvertDibPixel(capture.pixel, capture.header.biBitCount, capture.colorTable);
    return true;
}

COLORREF SampleScreenColor(bool apply) {
    PointerPixel pixel;
    if (!ReadPointerPixel(&pixel)) return 0;
    if (apply) return ApplyPixelToChannels(pixel.rgb);
    return PixelToColorRef(pixel.rgb);
}
