// Plain reference implementations of the pixel rules (see ReferenceProcessors.h).
#include "ReferenceProcessors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace reference {

namespace {

int Trunc(double value)
{
    return static_cast<int>(value);
}

int Channel(const RGBX& p, int channel)
{
    return channel == 0 ? p.b : (channel == 1 ? p.g : p.r);
}

void SetChannel(RGBX& p, int channel, int value)
{
    BYTE& target = channel == 0 ? p.b : (channel == 1 ? p.g : p.r);
    target = static_cast<BYTE>(value);
}

} // namespace

RGBX WeightedColor(const TestImage& src, double u, double v)
{
    if (u < 0 || v < 0) {
        int cu = Trunc(u);
        int cv = Trunc(v);
        if (cu < 0)
            cu = 0;
        if (cv < 0)
            cv = 0;
        return src.At(cu, cv);
    }
    const int cu = Trunc(u);
    const int cv = Trunc(v);
    const double du = u - cu;
    const double dv = v - cv;
    const RGBX p00 = src.At(cu, cv);
    const RGBX p10 = src.At(std::min(cu + 1, src.width - 1), cv);
    const RGBX p01 = src.At(cu, std::min(cv + 1, src.height - 1));
    RGBX result;
    for (int channel = 0; channel < 3; ++channel) {
        double value = du * Channel(p10, channel);
        value = value + (1 - du) * Channel(p00, channel);
        value = value + (1 - dv) * Channel(p00, channel);
        value = value + dv * Channel(p01, channel);
        SetChannel(result, channel, Trunc(0.5 * value));
    }
    return result;
}

CSize RotatedSize(int width, int height, double angle)
{
    if (angle == 0 || width == 0 || height == 0)
        return CSize(width, height);
    const double C = std::cos(angle);
    const double S = std::sin(angle);
    int maxX = 0;
    int maxY = 0;
    for (int sxSign = -1; sxSign <= 1; sxSign += 2)
        for (int sySign = -1; sySign <= 1; sySign += 2) {
            // Corner (sxSign * w/2, sySign * h/2).
            const double xC = sxSign * ((width * C) * 0.5);
            const double yS = sySign * ((height * S) * 0.5);
            const double xS = sxSign * ((width * S) * 0.5);
            const double yC = sySign * ((height * C) * 0.5);
            const int x = Trunc(xC + yS);
            const int y = Trunc(-xS + yC);
            maxX = std::max(maxX, std::abs(x));
            maxY = std::max(maxY, std::abs(y));
        }
    return CSize(2 * maxX + 2, 2 * maxY + 2);
}

TestImage Rotate(const TestImage& src, double angle, bool smooth)
{
    if (angle == 0)
        return src;
    const CSize size = RotatedSize(src.width, src.height, angle);
    TestImage dst(size.cx, size.cy, BackgroundPixel());
    const int W = src.width, H = src.height, DW = size.cx, DH = size.cy;
    const int hw = DW / 2 + DW % 2, hh = DH / 2 + DH % 2;
    const int hsw = W / 2 + W % 2, hsh = H / 2 + H % 2;
    const int left = -hsw, top = -hsh, right = W - 1 - hsw, bottom = H - 1 - hsh;
    const double C = std::cos(angle);
    const double S = std::sin(angle);
    for (int i = 0; i < DH; ++i) {
        const int yy = i - hh;
        double sx = yy * S - hw * C;
        double sy = yy * C + hw * S;
        for (int j = 0; j < DW; ++j) {
            sx = sx + C;
            sy = sy - S;
            const int px = Trunc(sx);
            const int py = Trunc(sy);
            const bool inside = left <= px && px < right && top <= py && py < bottom;
            if (!inside)
                continue;
            if (smooth)
                dst.At(j, i) = WeightedColor(src, hsw + sx, hsh + sy);
            else
                dst.At(j, i) = src.At(px + hsw, py + hsh);
        }
    }
    return dst;
}

TestImage Shear(const TestImage& src, int shearX, int shearY, bool smooth)
{
    if (shearX == 0 && shearY == 0)
        return src;
    const int W = src.width, H = src.height;
    const int DW = W + std::abs(shearX), DH = H + std::abs(shearY);
    TestImage dst(DW, DH, BackgroundPixel());
    for (int i = 0; i < DW; ++i) {
        double vertical = 0;
        if (shearY > 0)
            vertical = static_cast<double>(shearY * i) / DW;
        else if (shearY < 0)
            vertical = static_cast<double>((DW - i) * (-shearY)) / DW;
        for (int j = 0; j < DH; ++j) {
            double horizontal = 0;
            if (shearX < 0)
                horizontal = static_cast<double>((-shearX) * j) / DH;
            else if (shearX > 0)
                horizontal = static_cast<double>((DH - j) * shearX) / DH;
            const double sx = i - horizontal;
            const double sy = j - vertical;
            const int px = Trunc(sx);
            const int py = Trunc(sy);
            if (0 <= px && px < W && 0 <= py && py < H)
                dst.At(i, j) = smooth ? WeightedColor(src, sx, sy) : src.At(px, py);
        }
    }
    return dst;
}

CSize ResizedSize(int width, int height, double factor)
{
    return CSize(Trunc(width * factor), Trunc(height * factor));
}

TestImage Resize(const TestImage& src, double factor)
{
    if (factor == 1)
        return src;
    const CSize size = ResizedSize(src.width, src.height, factor);
    const int W = src.width, H = src.height, DW = size.cx, DH = size.cy;
    TestImage dst(DW, DH, BackgroundPixel());
    const double r = 1 / factor;
    if (factor > 1) {
        double sx = 0;
        for (int x = 0; x < DW; ++x) {
            if (x > 0)
                sx = sx + r;
            double sy = 0;
            for (int y = 0; y < DH; ++y) {
                if (y > 0)
                    sy = sy + r;
                const int cu = Trunc(sx), cv = Trunc(sy);
                const double du = sx - cu, dv = sy - cv;
                const RGBX p00 = src.At(cu, cv);
                const RGBX p10 = src.At(std::min(cu + 1, W - 1), cv);
                const RGBX p01 = src.At(cu, std::min(cv + 1, H - 1));
                RGBX out;
                for (int channel = 0; channel < 3; ++channel)
                    SetChannel(out, channel,
                               Trunc(0.5
                                     * (du * Channel(p10, channel) + (1 - du) * Channel(p00, channel)
                                        + (1 - dv) * Channel(p00, channel) + dv * Channel(p01, channel))));
                out.x = 0;
                dst.At(x, y) = out;
            }
        }
        return dst;
    }
    double cb = -0.5 * r;
    int pe = -1;
    for (int x = 0; x < DW; ++x) {
        cb = cb + r;
        const int xl = std::min(Trunc(cb) + 1, W - 1);
        const int xf = pe + 1;
        pe = xl;
        if (xf > xl)
            continue;
        double rb = -0.5 * r;
        int qe = -1;
        for (int y = 0; y < DH; ++y) {
            rb = rb + r;
            const int yl = std::min(Trunc(rb) + 1, H - 1);
            const int yf = qe + 1;
            qe = yl;
            if (yf > yl)
                continue;
            long long sums[3] = { 0, 0, 0 };
            long long count = 0;
            for (int c = xf; c <= xl; ++c)
                for (int row = yf; row <= yl; ++row) {
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += Channel(src.At(c, row), channel);
                    ++count;
                }
            for (int channel = 0; channel < 3; ++channel)
                SetChannel(dst.At(x, y), channel, static_cast<int>(sums[channel] / count));
        }
    }
    return dst;
}

TestImage Blur(const TestImage& src, int strength)
{
    strength = std::max(0, std::min(10, strength));
    if (strength == 0)
        return src;
    TestImage dst(src.width, src.height, BackgroundPixel());
    const int centre = 55 - 5 * strength;
    for (int y = 0; y < src.height; ++y)
        for (int c = 0; c < src.width; ++c) {
            int sums[3] = { 0, 0, 0 };
            int weights = 0;
            for (int dc = -1; dc <= 1; ++dc)
                for (int dy = -1; dy <= 1; ++dy) {
                    const int col = c + dc, row = y + dy;
                    if (col < 0 || col >= src.width || row < 0 || row >= src.height)
                        continue;
                    const int weight = (dc == 0 && dy == 0) ? centre : 1;
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += weight * Channel(src.At(col, row), channel);
                    weights += weight;
                }
            for (int channel = 0; channel < 3; ++channel)
                SetChannel(dst.At(c, y), channel, std::min(sums[channel] / weights, 255));
        }
    return dst;
}

TestImage Sharpen(const TestImage& src, int strength)
{
    strength = std::max(0, std::min(10, strength));
    if (strength == 0)
        return src;
    TestImage dst(src.width, src.height, BackgroundPixel());
    const double e = 51 - 5 * strength;
    const double q = 1 / e;
    const double g = 1 / ((q + 1) * 4);
    // kernel[column step + 1][row step + 1]
    const double kernel[3][3] = { { -(q * g), -g, -(q * g) }, { -g, 2.0, -g }, { -(q * g), -g, -(q * g) } };
    for (int y = 0; y < src.height; ++y)
        for (int c = 0; c < src.width; ++c) {
            if (c == 0 || y == 0 || c == src.width - 1 || y == src.height - 1) {
                dst.At(c, y) = src.At(c, y);
                continue;
            }
            for (int channel = 0; channel < 3; ++channel) {
                double sum = 0;
                for (int dc = -1; dc <= 1; ++dc)
                    for (int dy = -1; dy <= 1; ++dy)
                        sum = sum + kernel[dc + 1][dy + 1] * Channel(src.At(c + dc, y + dy), channel);
                sum = std::max(0.0, std::min(255.0, sum));
                SetChannel(dst.At(c, y), channel, Trunc(sum));
            }
        }
    return dst;
}

TestImage Flip(const TestImage& src, bool horz, bool vert)
{
    TestImage dst(src.width, src.height, BackgroundPixel());
    for (int y = 0; y < src.height; ++y)
        for (int c = 0; c < src.width; ++c)
            dst.At(horz ? src.width - 1 - c : c, vert ? src.height - 1 - y : y) = src.At(c, y);
    return dst;
}

} // namespace reference
