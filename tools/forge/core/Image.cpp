// Image painting: pixels, blended shapes, blur, sampling.
#include "core/Image.h"

#include <algorithm>
#include <cmath>

namespace {
uint8_t ToByte(float v)
{
    v = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    return static_cast<uint8_t>(std::lround(v * 255.0f));
}
} // namespace

Color Mix(const Color& a, const Color& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Image::Image(int width, int height, int channels, Color fill)
    : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0), m_channels(channels)
{
    m_pixels.assign(static_cast<size_t>(m_width) * m_height * m_channels, 0);
    Fill(fill);
}

Color Image::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return Color(0, 0, 0, 0);
    const uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * m_channels];
    switch (m_channels) {
    case 1: return {p[0] / 255.0f, p[0] / 255.0f, p[0] / 255.0f, 1.0f};
    case 3: return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1.0f};
    default: return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
    }
}

void Image::Set(int x, int y, const Color& c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * m_channels];
    if (m_channels == 1) {
        p[0] = ToByte(c.r * 0.3f + c.g * 0.59f + c.b * 0.11f);
        return;
    }
    p[0] = ToByte(c.r);
    p[1] = ToByte(c.g);
    p[2] = ToByte(c.b);
    if (m_channels == 4)
        p[3] = ToByte(c.a);
}

void Image::Blend(int x, int y, const Color& c, float coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    const float t = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (t <= 0.0f)
        return;
    Color d = Get(x, y);
    Color out = Mix(d, c, t);
    out.a = d.a + (1.0f - d.a) * t;
    Set(x, y, out);
}

Color Image::Sample(float u, float v) const
{
    if (m_width == 0 || m_height == 0)
        return {};
    const float fx = u * m_width - 0.5f, fy = v * m_height - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0, ty = fy - y0;
    auto at = [this](int x, int y) {
        x %= m_width; if (x < 0) x += m_width;
        y %= m_height; if (y < 0) y += m_height;
        return Get(x, y);
    };
    return Mix(Mix(at(x0, y0), at(x0 + 1, y0), tx), Mix(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
}

void Image::Fill(const Color& c)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, c);
}

void Image::FillRect(int x0, int y0, int x1, int y1, const Color& c)
{
    for (int y = std::max(0, y0); y < std::min(m_height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(m_width, x1); ++x)
            Blend(x, y, c);
}

void Image::FillCircle(float cx, float cy, float r, const Color& c, float soft)
{
    FillEllipse(cx, cy, r, r, c, soft);
}

void Image::FillEllipse(float cx, float cy, float rx, float ry, const Color& c, float soft)
{
    if (rx <= 0.0f || ry <= 0.0f)
        return;
    const int x0 = static_cast<int>(std::floor(cx - rx - 1)), x1 = static_cast<int>(std::ceil(cx + rx + 1));
    const int y0 = static_cast<int>(std::floor(cy - ry - 1)), y1 = static_cast<int>(std::ceil(cy + ry + 1));
    const float r = std::max(rx, ry);
    for (int y = std::max(0, y0); y <= std::min(m_height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(m_width - 1, x1); ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            const float d = (std::sqrt(dx * dx + dy * dy) - 1.0f) * r;   // distance outside, pixels
            const float cov = soft <= 0.0f ? (d <= 0.0f ? 1.0f : 0.0f) : std::clamp(0.5f - d / soft, 0.0f, 1.0f);
            if (cov > 0.0f)
                Blend(x, y, c, cov);
        }
}

void Image::Line(float x0, float y0, float x1, float y1, float width, const Color& c)
{
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - width - 1));
    const int bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + width + 1));
    const int by0 = static_cast<int>(std::floor(std::min(y0, y1) - width - 1));
    const int by1 = static_cast<int>(std::ceil(std::max(y0, y1) + width + 1));
    for (int y = std::max(0, by0); y <= std::min(m_height - 1, by1); ++y)
        for (int x = std::max(0, bx0); x <= std::min(m_width - 1, bx1); ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0.0f ? (px * dx + py * dy) / len2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float ex = px - t * dx, ey = py - t * dy;
            const float d = std::sqrt(ex * ex + ey * ey) - width * 0.5f;
            const float cov = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (cov > 0.0f)
                Blend(x, y, c, cov);
        }
}

void Image::FillPolygon(const std::vector<float>& xy, const Color& c)
{
    const size_t n = xy.size() / 2;
    if (n < 3)
        return;
    float ymin = xy[1], ymax = xy[1];
    for (size_t i = 0; i < n; ++i) {
        ymin = std::min(ymin, xy[2 * i + 1]);
        ymax = std::max(ymax, xy[2 * i + 1]);
    }
    // Four sub-rows per pixel row for soft edges along y; coverage along x by span overlap.
    const int sub = 4;
    for (int y = std::max(0, static_cast<int>(std::floor(ymin))); y <= std::min(m_height - 1, static_cast<int>(std::ceil(ymax))); ++y) {
        std::vector<float> cover(static_cast<size_t>(m_width), 0.0f);
        for (int s = 0; s < sub; ++s) {
            const float sy = y + (s + 0.5f) / sub;
            std::vector<float> xs;
            for (size_t i = 0; i < n; ++i) {
                const float ax = xy[2 * i], ay = xy[2 * i + 1];
                const float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
                if ((ay <= sy && by > sy) || (by <= sy && ay > sy))
                    xs.push_back(ax + (sy - ay) / (by - ay) * (bx - ax));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2) {
                const float a = std::max(0.0f, xs[k]), b = std::min(static_cast<float>(m_width), xs[k + 1]);
                for (int x = static_cast<int>(std::floor(a)); x < static_cast<int>(std::ceil(b)) && x < m_width; ++x) {
                    const float ov = std::min(b, x + 1.0f) - std::max(a, static_cast<float>(x));
                    if (ov > 0.0f)
                        cover[static_cast<size_t>(x)] += ov / sub;
                }
            }
        }
        for (int x = 0; x < m_width; ++x)
            if (cover[static_cast<size_t>(x)] > 0.0f)
                Blend(x, y, c, std::min(1.0f, cover[static_cast<size_t>(x)]));
    }
}

void Image::Blur(int radius)
{
    if (radius <= 0 || m_width == 0 || m_height == 0)
        return;
    std::vector<uint8_t> tmp(m_pixels.size());
    auto pass = [&](const std::vector<uint8_t>& src, std::vector<uint8_t>& dst, bool horizontal) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                for (int c = 0; c < m_channels; ++c) {
                    int sum = 0, cnt = 0;
                    for (int k = -radius; k <= radius; ++k) {
                        const int sx = horizontal ? x + k : x, sy = horizontal ? y : y + k;
                        if (sx < 0 || sy < 0 || sx >= m_width || sy >= m_height)
                            continue;
                        sum += src[(static_cast<size_t>(sy) * m_width + sx) * m_channels + c];
                        ++cnt;
                    }
                    dst[(static_cast<size_t>(y) * m_width + x) * m_channels + c] = static_cast<uint8_t>(sum / cnt);
                }
    };
    pass(m_pixels, tmp, true);
    pass(tmp, m_pixels, false);
}

void Image::Paste(const Image& src, int x, int y)
{
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx) {
            const Color c = src.Get(sx, sy);
            if (src.Channels() == 4)
                Blend(x + sx, y + sy, c);
            else
                Set(x + sx, y + sy, c);
        }
}

Image Image::Resized(int width, int height) const
{
    Image out(width, height, m_channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Box filter over the source footprint.
            const int sx0 = x * m_width / width, sx1 = std::max(sx0 + 1, (x + 1) * m_width / width);
            const int sy0 = y * m_height / height, sy1 = std::max(sy0 + 1, (y + 1) * m_height / height);
            float r = 0, g = 0, b = 0, a = 0;
            int n = 0;
            for (int yy = sy0; yy < sy1; ++yy)
                for (int xx = sx0; xx < sx1; ++xx) {
                    const Color c = Get(xx, yy);
                    r += c.r; g += c.g; b += c.b; a += c.a;
                    ++n;
                }
            out.Set(x, y, Color(r / n, g / n, b / n, a / n));
        }
    return out;
}
