#include "reference.h"

#include <cmath>

namespace reference {
namespace {

// The source pixel under the centre of destination pixel i.
long long nearest(long long i, long long srcLen, long long dstLen) {
    return static_cast<long long>(std::floor((i + 0.5) * double(srcLen) / double(dstLen)));
}

std::uint32_t mix(std::uint32_t s, std::uint32_t d, int a) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double v = (((s >> shift) & 255) * double(a) + ((d >> shift) & 255) * double(255 - a)) / 255.0;
        out |= std::uint32_t(std::floor(v + 0.5)) << shift;
    }
    return out;
}

long long roundEven(double v) { return static_cast<long long>(std::nearbyint(v)); }

}  // namespace

void copyEdgeExtended(const Image& src, long long sx, long long sy, long long w, long long h,
                      Image& dst, long long dx, long long dy) {
    if (src.w == 0 || src.h == 0) return;
    for (long long j = 0; j < h; ++j)
        for (long long i = 0; i < w; ++i) {
            if (dx + i < 0 || dx + i >= dst.w || dy + j < 0 || dy + j >= dst.h) continue;
            long long x = std::min<long long>(std::max<long long>(sx + i, 0), src.w - 1);
            long long y = std::min<long long>(std::max<long long>(sy + j, 0), src.h - 1);
            dst.set(dx + i, dy + j, src.get(x, y));
        }
}

void stretchKeyed(const Image& src, int sx, int sy, long long sw, long long sh, Image& dst,
                  long long dx, long long dy, long long dw, long long dh, std::uint32_t key) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    for (long long j = 0; j < dh; ++j)
        for (long long i = 0; i < dw; ++i) {
            std::uint32_t p = src.get(sx + nearest(i, sw, dw), sy + nearest(j, sh, dh));
            if (p != 0xFFFFFFFFu && p != key) dst.set(dx + i, dy + j, p);
        }
}

void blend(const Image& src, int sx, int sy, long long sw, long long sh, Image& dst, long long dx,
           long long dy, long long dw, long long dh, int alpha) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    alpha = std::min(std::max(alpha, 0), 255);
    for (long long j = 0; j < dh; ++j)
        for (long long i = 0; i < dw; ++i) {
            std::uint32_t p = src.get(sx + nearest(i, sw, dw), sy + nearest(j, sh, dh));
            std::uint32_t q = dst.get(dx + i, dy + j);
            if (p != 0xFFFFFFFFu && q != 0xFFFFFFFFu) dst.set(dx + i, dy + j, mix(p, q, alpha));
        }
}

void stretchBlackOnWhite(Image& img, long long sw, long long sh, long long dw, long long dh) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || (sw == dw && sh == dh)) return;
    const Image src = img;
    auto range = [](long long i, long long s, long long d, long long& lo, long long& hi) {
        if (s <= d) {
            lo = nearest(i, s, d);
            hi = lo + 1;
        } else {
            lo = static_cast<long long>(std::floor(double(i) * s / d));
            hi = static_cast<long long>(std::floor(double(i + 1) * s / d));
        }
    };
    for (long long j = 0; j < std::min<long long>(dh, img.h); ++j)
        for (long long i = 0; i < std::min<long long>(dw, img.w); ++i) {
            long long x0, x1, y0, y1;
            range(i, sw, dw, x0, x1);
            range(j, sh, dh, y0, y1);
            std::uint32_t acc = 0xFFFFFF;
            for (long long y = y0; y < y1; ++y)
                for (long long x = x0; x < x1; ++x) {
                    std::uint32_t p = src.get(x, y);
                    if (p != 0xFFFFFFFFu) acc &= p;
                }
            img.set(i, j, acc);
        }
}

Image resized(const Image& img, int w, int h, std::uint32_t background) {
    Image out(w, h, background);
    for (int y = 0; y < std::min(h, img.h); ++y)
        for (int x = 0; x < std::min(w, img.w); ++x) out.set(x, y, img.get(x, y));
    return out;
}

Result draw(Control& c, double x, double y, double alpha, double r360, double zoom,
            bool smoothing, double qt) {
    Result res;
    const std::uint32_t white = 0xFFFFFF;
    const std::uint32_t key = c.master.get(0, 0);
    if (alpha > 255) alpha = 255;
    if (alpha < 0) alpha = 0;
    res.alphaOut = alpha;
    res.angleOut = static_cast<long long>(r360);
    if (r360 != 0) {
        const long long angle = roundEven(r360) % 360;
        res.angleOut = angle;
        const float wv = float(c.master.w), hv = float(c.master.h);
        c.masterPicture = c.master;
        stretchBlackOnWhite(c.master, roundEven(wv), roundEven(hv), roundEven(wv * qt), roundEven(hv * qt));
        long long hw, hh;
        if (qt == 1.0) {
            hw = static_cast<long long>(std::floor(c.master.w / 2.0));
            hh = static_cast<long long>(std::floor(c.master.h / 2.0));
        } else {
            hw = static_cast<long long>(std::floor(wv * qt / 2));
            hh = static_cast<long long>(std::floor(hv * qt / 2));
        }
        if (hw < 0 || hh < 0) {
            res.error = quill::RunError::SubscriptOutOfRange;
            return res;
        }
        // rotationSamples(X, Y), X outer, Y inner.
        std::vector<std::vector<std::uint32_t>> samples(2 * hw + 1, std::vector<std::uint32_t>(2 * hh + 1));
        for (long long X = -hw; X <= hw; ++X)
            for (long long Y = -hh; Y <= hh; ++Y) samples[X + hw][Y + hh] = c.master.get(X + hw, Y + hh);
        c.material = resized(Image(), c.material.w, c.material.h, white);
        if (c.materialHasPicture)
            for (int yy = 0; yy < c.materialPicture.h; ++yy)
                for (int xx = 0; xx < c.materialPicture.w; ++xx) c.material.set(xx, yy, c.materialPicture.get(xx, yy));
        const double theta = -angle * 3.14159265358979 / 180;
        for (long long X = -hw; X <= hw; ++X)
            for (long long Y = -hh; Y <= hh; ++Y) {
                long long sx = static_cast<long long>(std::floor(X * std::cos(theta) - Y * std::sin(theta)));
                long long sy = static_cast<long long>(std::floor(Y * std::cos(theta) + X * std::sin(theta)));
                bool outside = false;
                if (sx < -hw) { sx = -hw; outside = true; }
                if (sy < -hh) { sy = -hh; outside = true; }
                if (sx > hw) { sx = hw; outside = true; }
                if (sy > hh) { sy = hh; outside = true; }
                std::uint32_t colour = outside ? key : samples[sx + hw][sy + hh];
                if (colour == 0xFFFFFFFFu) colour = key;
                c.material.set(X + hw, Y + hh, colour);
            }
        stretchBlackOnWhite(c.material, roundEven(wv * qt), roundEven(hv * qt), roundEven(wv), roundEven(hv));
    } else {
        c.material = c.masterPicture;
        c.materialPicture = c.masterPicture;
        c.materialHasPicture = true;
    }
    const long long W = c.material.w, H = c.material.h;
    const long long ZW = roundEven(zoom * W), ZH = roundEven(zoom * H);
    c.work = Image(int(ZW + 2), int(ZH + 2), white);
    const int a = int(roundEven(alpha));
    const long long ox = roundEven(x - ZW / 2.0), oy = roundEven(y - ZH / 2.0);
    copyEdgeExtended(c.view, ox - 1, oy - 1, ZW + 2, ZH + 2, c.work, 0, 0);
    if (smoothing) {
        stretchKeyed(c.material, 0, 0, W, H, c.work, 0, 0, ZW + 2, ZH + 2, key);
        blend(c.work, 0, 0, ZW + 2, ZH + 2, c.view, ox - 1, oy - 1, ZW + 1, ZH + 1, a / 3);
    }
    stretchKeyed(c.material, 0, 0, W, H, c.work, 1, 1, ZW + 1, ZH + 1, key);
    blend(c.work, 0, 0, ZW + 2, ZH + 2, c.view, ox - 1, oy - 1, ZW + 1, ZH + 1, a);
    return res;
}

}  // namespace reference
