#ifndef VIRTUALCAMERA_SCENE_H
#define VIRTUALCAMERA_SCENE_H

// The virtual camera's picture: eight colour bars over the top three quarters and a
// white square moving along a dark band below them. Shared with the tests, which
// check what they see against it.

#include <algorithm>
#include <cstdint>

namespace VirtualScene {

constexpr int kPhases = 16; // positions of the square before it starts over
constexpr int kBars = 8;
constexpr uint8_t kBand = 32; // grey level of the band under the bars

// White, yellow, cyan, green, magenta, red, blue, black as 0xRRGGBB.
constexpr uint32_t kBarColours[kBars] = {0xffffff, 0xffff00, 0x00ffff, 0x00ff00,
                                         0xff00ff, 0xff0000, 0x0000ff, 0x000000};

inline int barsHeight(int height) { return height * 3 / 4; }
// Centre of bar i, in pixels from the left.
inline int barCentre(int width, int i) { return width * (2 * i + 1) / (2 * kBars); }
inline int squareSide(int height) { return std::max(2, (height - barsHeight(height)) / 2); }
inline int squareLeft(int width, int height, int phase)
{
    return (width - squareSide(height)) * (phase % kPhases) / (kPhases - 1);
}

// rgb: width x height x 3 bytes.
inline void draw(uint8_t* rgb, int width, int height, int phase)
{
    const int bars = barsHeight(height);
    const int side = squareSide(height);
    const int top = bars + (height - bars - side) / 2;
    const int left = squareLeft(width, height, phase);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = rgb + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            uint32_t c;
            if (y < bars)
                c = kBarColours[std::min(kBars - 1, x * kBars / width)];
            else if (y >= top && y < top + side && x >= left && x < left + side)
                c = 0xffffff;
            else
                c = kBand * 0x010101u;
            row[3 * x] = uint8_t(c >> 16);
            row[3 * x + 1] = uint8_t(c >> 8);
            row[3 * x + 2] = uint8_t(c);
        }
    }
}

inline uint8_t clampByte(int v) { return uint8_t(std::min(255, std::max(0, v))); }

// Packed YUYV (BT.601, limited range) from the RGB picture; width must be even.
inline void toYuyv(const uint8_t* rgb, int width, int height, uint8_t* yuyv)
{
    auto y = [](const uint8_t* p) { return clampByte(((66 * p[0] + 129 * p[1] + 25 * p[2] + 128) >> 8) + 16); };
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = rgb + size_t(row) * width * 3;
        uint8_t* out = yuyv + size_t(row) * width * 2;
        for (int x = 0; x < width; x += 2) {
            const uint8_t* a = in + 3 * x;
            const uint8_t* b = a + 3;
            const int r = (a[0] + b[0]) / 2, g = (a[1] + b[1]) / 2, bl = (a[2] + b[2]) / 2;
            out[2 * x] = y(a);
            out[2 * x + 1] = clampByte(((-38 * r - 74 * g + 112 * bl + 128) >> 8) + 128);
            out[2 * x + 2] = y(b);
            out[2 * x + 3] = clampByte(((112 * r - 94 * g - 18 * bl + 128) >> 8) + 128);
        }
    }
}

} // namespace VirtualScene

#endif
