// Draws a mouse body through the compositor at several angles, the way the program does on
// every move, and writes the views side by side as a 24-bit BMP a person can look at.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "compositor/engine/lumo_control.h"

namespace {

using lumo::Pixel;

constexpr Pixel kGreen = 0x0000FF00u;  // key: pure green
constexpr Pixel kWhite = 0x00FFFFFFu;
constexpr Pixel kBlack = 0x00000000u;
constexpr Pixel kGrey = 0x00C0C0C0u;
constexpr Pixel kRed = 0x00FF0000u;

// A 64 by 61 mouse drawn white with a black outline and its pointer end at the upper left.
lumo::PictureRef bodyArtwork() {
    const int w = 64, h = 61;
    std::vector<Pixel> px(w * h, kGreen);
    const double cx = 34, cy = 33, ax = 27, ay = 19, tilt = 0.7853981633974483;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double dx = x - cx, dy = y - cy;
            double u = (dx * std::cos(tilt) + dy * std::sin(tilt)) / ax;
            double v = (-dx * std::sin(tilt) + dy * std::cos(tilt)) / ay;
            double r = u * u + v * v;
            if (r <= 1.0) px[y * w + x] = r > 0.8 ? kBlack : kWhite;
            if (r <= 0.8 && std::fabs(v) < 0.07 && u < 0) px[y * w + x] = kGrey;
        }
    }
    for (int i = 0; i < 12; ++i) {  // the pointer arrow
        for (int j = 0; j <= i / 2; ++j) {
            px[(2 + i) * w + 2 + j] = kBlack;
            px[(2 + j) * w + 2 + i] = kBlack;
        }
    }
    px[46 * w + 46] = kRed;
    return lumo::makePicture(w, h, std::move(px));
}

void writeBmp(const std::string& path, int w, int h, const std::vector<Pixel>& px) {
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = rowBytes * h, fileSize = 54 + dataSize;
    std::vector<std::uint8_t> out(fileSize, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = std::uint8_t(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    out[26] = 1;
    out[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = out.data() + 54 + (h - 1 - y) * rowBytes;
        for (int x = 0; x < w; ++x) {
            Pixel p = px[y * w + x];
            row[3 * x] = std::uint8_t(p);
            row[3 * x + 1] = std::uint8_t(p >> 8);
            row[3 * x + 2] = std::uint8_t(p >> 16);
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "engine_demo.bmp";
    const int angles[] = {0, 45, 90, 135, 180, 225, 270, 315};
    const int side = 130, count = 8;
    std::vector<Pixel> strip(side * count * side, 0);
    lumo::LumoControl control(side, side);
    const lumo::PictureRef body = bodyArtwork();
    control.setPicViewBgColor(quill::colourFromPixel(kGreen));
    for (int i = 0; i < count; ++i) {
        control.clsPicView();
        control.setPicMaterial(body);
        auto x = lumo::NumericArg::integer(65), y = lumo::NumericArg::integer(65);
        auto alpha = lumo::NumericArg::integer(255), angle = lumo::NumericArg::integer(angles[i]);
        auto zoom = lumo::NumericArg::integer(1), smoothing = lumo::NumericArg::boolean(true);
        if (control.lumoscope({x, y, alpha, angle, zoom, smoothing, nullptr}) != quill::RunError::None) {
            std::fprintf(stderr, "drawing at %d degrees failed\n", angles[i]);
            return 1;
        }
        const lumo::PictureRef img = control.image();
        for (int r = 0; r < side; ++r)
            for (int c = 0; c < side; ++c) strip[r * side * count + i * side + c] = img->pixels[r * side + c];
    }
    writeBmp(path, side * count, side, strip);
    std::printf("wrote %s: the body at 0, 45, 90, 135, 180, 225, 270 and 315 degrees\n", path.c_str());
    return 0;
}
