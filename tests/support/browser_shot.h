#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

// A page as a person's browser shows it: headless Chromium (Debian package chromium) draws the
// file into a PNG, and netpbm's pngtopnm turns that into pixels to look at.
namespace velttest {

struct Rgb {
    int r, g, b;
};

inline bool IsRed(Rgb c) { return c.r > 170 && c.g < 110 && c.b < 110; }
inline bool IsBlue(Rgb c) { return c.b > 170 && c.r < 110 && c.g < 110; }
inline bool IsDark(Rgb c) { return c.r < 90 && c.g < 90 && c.b < 90; }

// A binary PPM (P6, maxval 255), as pngtopnm writes it.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;

    bool Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::string magic;
        int maxval = 0;
        in >> magic >> width >> height >> maxval;
        in.get();
        if (magic != "P6" || maxval != 255 || width <= 0 || height <= 0) return false;
        bytes.resize(static_cast<std::size_t>(width) * height * 3);
        return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
    }
    Rgb At(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {bytes[i], bytes[i + 1], bytes[i + 2]};
    }
    // Whether a pixel within `radius` of (x, y) passes `test`.
    template <class Test>
    bool Near(double x, double y, int radius, Test test) const {
        int cx = static_cast<int>(x + 0.5), cy = static_cast<int>(y + 0.5);
        for (int py = cy - radius; py <= cy + radius; ++py)
            for (int px = cx - radius; px <= cx + radius; ++px)
                if (px >= 0 && py >= 0 && px < width && py < height && test(At(px, py))) return true;
        return false;
    }
    // How many pixels of the rectangle pass `test`.
    template <class Test>
    int Count(int left, int top, int right, int bottom, Test test) const {
        int count = 0;
        for (int y = top; y < bottom && y < height; ++y)
            for (int x = left; x < right && x < width; ++x) count += test(At(x, y)) ? 1 : 0;
        return count;
    }
};

inline bool HaveTool(const char* tool) {
    return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0;
}

// Why no shot can be taken on this machine, or "" when one can.
inline std::string ShotUnavailable() {
    if (!HaveTool("chromium")) return "chromium (Debian package chromium) is not installed";
    if (!HaveTool("pngtopnm")) return "pngtopnm (Debian package netpbm) is not installed";
    return "";
}

// Draws the page file `page` in a window of width × height, one pixel per CSS pixel, into
// `dir`/shot.png and reads its pixels. False, with what the browser said in `log`, when either
// step fails. The flags keep Chromium off the network and the GPU, and let it run as root.
inline bool TakeShot(const std::string& page, int width, int height, const TempDir& dir, Image& image,
                     std::string& log) {
    const std::string shot = dir / "shot.png", pixels = dir / "shot.ppm", output = dir / "chromium.log";
    std::ostringstream command;
    command << "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
            << " --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars"
            << " --force-device-scale-factor=1 --user-data-dir='" << (dir / "profile") << "'"
            << " --window-size=" << width << "," << height << " --screenshot='" << shot << "'"
            << " 'file://" << page << "' >'" << output << "' 2>&1"
            << " && pngtopnm '" << shot << "' >'" << pixels << "'";
    const bool drawn = std::system(command.str().c_str()) == 0;
    log = ReadFile(output);
    return drawn && image.Read(pixels);
}

}  // namespace velttest
