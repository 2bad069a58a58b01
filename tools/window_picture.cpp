#include "tools/window_picture.h"

#include "tools/screen_capture.h"
#include "tools/png_writer.h"

namespace {

bool SaveArea(const RECT& area, const std::string& path) {
    const std::vector<std::uint32_t> pixels = CaptureScreen(area);
    if (pixels.empty()) return false;
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const std::uint32_t p : pixels)
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                               static_cast<std::uint8_t>(p)});
    return WritePng(path, area.right - area.left, area.bottom - area.top, rgb);
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT area;
    return GetWindowRect(window, &area) && SaveArea(area, path);
}

bool SaveScreenPicture(const std::string& path) {
    return SaveArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, path);
}
