#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace s::gui::testing {

// Pixels of a screen rectangle as 0x00BBGGRR words (the framework's colour form).
struct Capture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int32_t x, int32_t y) const {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0xFFFFFFFFu;
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

// What the screen shows of the window now (its outer rectangle).
Capture captureWindow(HWND hwnd);
// Saves the capture as build/screens/NAME.png; false when the file could not be written.
bool savePng(const Capture& capture, const char* name);
// Both: captures the window and saves it under its name.
Capture saveScreenshot(HWND hwnd, const char* name);

}  // namespace s::gui::testing
