#include "tests/gui/win/screenshot.h"

#include <cstdio>
#include <string>

#ifndef TELLAVO_SCREENS_DIR
#define TELLAVO_SCREENS_DIR "build/screens"
#endif

namespace s::gui::testing {
namespace {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void put32(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v >> 24));
    out.push_back(static_cast<char>(v >> 16));
    out.push_back(static_cast<char>(v >> 8));
    out.push_back(static_cast<char>(v));
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

// The Windows path of a Unix directory under Wine's Z: drive.
std::string windowsPath(const std::string& unixPath) {
    std::string p = unixPath;
    for (char& c : p) {
        if (c == '/')
            c = '\\';
    }
    return p.empty() || p[0] != '\\' ? p : "Z:" + p;
}

}  // namespace

Capture captureWindow(HWND hwnd) {
    Capture cap;
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return cap;
    cap.width = r.right - r.left;
    cap.height = r.bottom - r.top;
    if (cap.width <= 0 || cap.height <= 0)
        return cap;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cap.width;
    info.bmiHeader.biHeight = -cap.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, cap.width, cap.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    cap.pixels.resize(static_cast<size_t>(cap.width) * cap.height);
    auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < cap.pixels.size(); ++i) {
        uint32_t bgra = src[i];  // 0x00RRGGBB in memory order B, G, R
        cap.pixels[i] = ((bgra >> 16) & 0xFF) | (bgra & 0xFF00) | ((bgra & 0xFF) << 16);
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return cap;
}

bool savePng(const Capture& cap, const char* name) {
    if (cap.width <= 0 || cap.height <= 0)
        return false;
    std::string dir = windowsPath(TELLAVO_SCREENS_DIR);
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string path = dir + "\\" + name + ".png";

    std::string raw;  // filter byte 0, then RGB per row
    for (int32_t y = 0; y < cap.height; ++y) {
        raw.push_back(0);
        for (int32_t x = 0; x < cap.width; ++x) {
            uint32_t c = cap.at(x, y);
            raw.push_back(static_cast<char>(c & 0xFF));
            raw.push_back(static_cast<char>((c >> 8) & 0xFF));
            raw.push_back(static_cast<char>((c >> 16) & 0xFF));
        }
    }
    // A zlib stream of stored blocks: no compression needed for test pictures.
    std::string z = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0;) {
        size_t n = raw.size() - at > 65535 ? 65535 : raw.size() - at;
        bool last = at + n >= raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<char>(n & 0xFF));
        z.push_back(static_cast<char>(n >> 8));
        z.push_back(static_cast<char>(~n & 0xFF));
        z.push_back(static_cast<char>((~n >> 8) & 0xFF));
        z.append(raw, at, n);
        at += n;
        if (last)
            break;
    }
    put32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32(header, static_cast<uint32_t>(cap.width));
    put32(header, static_cast<uint32_t>(cap.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", "");
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

Capture saveScreenshot(HWND hwnd, const char* name) {
    Capture cap = captureWindow(hwnd);
    savePng(cap, name);
    return cap;
}

}  // namespace s::gui::testing
