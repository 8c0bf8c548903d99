// UiPaint: rounded panels, gradients, icons and the JPEG pair split.
#include "UiPaint.h"

#include <algorithm>
#include <cmath>

namespace {

// Signed distance from point (px, py) to the rounded rectangle (negative inside).
float RoundRectDistance(float px, float py, float x, float y, float w, float h, float r)
{
    const float cx = x + w * 0.5f, cy = y + h * 0.5f;
    const float qx = std::fabs(px - cx) - (w * 0.5f - r);
    const float qy = std::fabs(py - cy) - (h * 0.5f - r);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

float Coverage(float distance) { return std::clamp(0.5f - distance, 0.0f, 1.0f); }

} // namespace

void BlendTop(Image& img, int x, int y, const Color& c, float coverage)
{
    img.Blend(x, img.Height() - 1 - y, c, coverage);
}

void FillRoundRect(Image& img, float x, float y, float w, float h, float r, const Color& top, const Color& bottom)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(x))), x1 = std::min(img.Width(), static_cast<int>(std::ceil(x + w)));
    const int y0 = std::max(0, static_cast<int>(std::floor(y))), y1 = std::min(img.Height(), static_cast<int>(std::ceil(y + h)));
    for (int py = y0; py < y1; ++py) {
        const Color c = Mix(top, bottom, h > 1 ? (py + 0.5f - y) / h : 0.0f);
        for (int px = x0; px < x1; ++px) {
            const float cov = Coverage(RoundRectDistance(px + 0.5f, py + 0.5f, x, y, w, h, r));
            if (cov > 0)
                BlendTop(img, px, py, c, cov);
        }
    }
}

void StrokeRoundRect(Image& img, float x, float y, float w, float h, float r, float thickness, const Color& c)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(x))), x1 = std::min(img.Width(), static_cast<int>(std::ceil(x + w)));
    const int y0 = std::max(0, static_cast<int>(std::floor(y))), y1 = std::min(img.Height(), static_cast<int>(std::ceil(y + h)));
    for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px) {
            const float d = RoundRectDistance(px + 0.5f, py + 0.5f, x, y, w, h, r);
            const float cov = std::min(Coverage(d), Coverage(-d - thickness));
            if (cov > 0)
                BlendTop(img, px, py, c, cov);
        }
}

void FillTriangle(Image& img, float x0, float y0, float x1, float y1, float x2, float y2, const Color& c)
{
    const int minX = std::max(0, static_cast<int>(std::floor(std::min({x0, x1, x2}))));
    const int maxX = std::min(img.Width() - 1, static_cast<int>(std::ceil(std::max({x0, x1, x2}))));
    const int minY = std::max(0, static_cast<int>(std::floor(std::min({y0, y1, y2}))));
    const int maxY = std::min(img.Height() - 1, static_cast<int>(std::ceil(std::max({y0, y1, y2}))));
    auto edge = [](float ax, float ay, float bx, float by, float px, float py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    const float area = edge(x0, y0, x1, y1, x2, y2);
    if (std::fabs(area) < 1e-6f)
        return;
    for (int py = minY; py <= maxY; ++py)
        for (int px = minX; px <= maxX; ++px) {
            int inside = 0;
            // 4 x 4 samples for smooth edges.
            for (int s = 0; s < 16; ++s) {
                const float sx = px + (s % 4 + 0.5f) / 4.0f, sy = py + (s / 4 + 0.5f) / 4.0f;
                const float e0 = edge(x0, y0, x1, y1, sx, sy) / area;
                const float e1 = edge(x1, y1, x2, y2, sx, sy) / area;
                const float e2 = edge(x2, y2, x0, y0, sx, sy) / area;
                if (e0 >= 0 && e1 >= 0 && e2 >= 0)
                    ++inside;
            }
            if (inside)
                BlendTop(img, px, py, c, inside / 16.0f);
        }
}

void FillDisc(Image& img, float cx, float cy, float r, const Color& c)
{
    for (int py = static_cast<int>(cy - r - 1); py <= static_cast<int>(cy + r + 1); ++py)
        for (int px = static_cast<int>(cx - r - 1); px <= static_cast<int>(cx + r + 1); ++px) {
            const float d = std::hypot(px + 0.5f - cx, py + 0.5f - cy) - r;
            if (Coverage(d) > 0)
                BlendTop(img, px, py, c, Coverage(d));
        }
}

void StrokeRing(Image& img, float cx, float cy, float r, float thickness, const Color& c)
{
    for (int py = static_cast<int>(cy - r - 1); py <= static_cast<int>(cy + r + 1); ++py)
        for (int px = static_cast<int>(cx - r - 1); px <= static_cast<int>(cx + r + 1); ++px) {
            const float d = std::hypot(px + 0.5f - cx, py + 0.5f - cy) - r;
            const float cov = std::min(Coverage(d), Coverage(-d - thickness));
            if (cov > 0)
                BlendTop(img, px, py, c, cov);
        }
}

void ThickLine(Image& img, float x0, float y0, float x1, float y1, float width, const Color& c)
{
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const int minX = static_cast<int>(std::min(x0, x1) - width - 1), maxX = static_cast<int>(std::max(x0, x1) + width + 1);
    const int minY = static_cast<int>(std::min(y0, y1) - width - 1), maxY = static_cast<int>(std::max(y0, y1) + width + 1);
    for (int py = minY; py <= maxY; ++py)
        for (int px = minX; px <= maxX; ++px) {
            const float fx = px + 0.5f - x0, fy = py + 0.5f - y0;
            const float t = len2 > 0 ? std::clamp((fx * dx + fy * dy) / len2, 0.0f, 1.0f) : 0.0f;
            const float d = std::hypot(fx - t * dx, fy - t * dy) - width * 0.5f;
            if (Coverage(d) > 0)
                BlendTop(img, px, py, c, Coverage(d));
        }
}

void PaintPanel(Image& img, float x, float y, float w, float h)
{
    // Opaque: texts stand on the panel, and nothing of the screen behind may show through them.
    FillRoundRect(img, x, y, w, h, 18, Rgb(30, 46, 78), Rgb(9, 15, 30));
    // A soft highlight over the upper part, like light on glass.
    FillRoundRect(img, x + 4, y + 4, w - 8, std::min(60.0f, h * 0.25f), 14, Rgb(255, 255, 255, 26), Rgb(255, 255, 255, 0));
    StrokeRoundRect(img, x, y, w, h, 18, 3, Rgb(132, 170, 220));
    StrokeRoundRect(img, x + 7, y + 7, w - 14, h - 14, 12, 1, Rgb(230, 184, 80, 150));
}

Image ColourOf(const Image& rgba)
{
    Image out(rgba.Width(), rgba.Height(), 3, Color(0, 0, 0, 1));
    for (int y = 0; y < rgba.Height(); ++y)
        for (int x = 0; x < rgba.Width(); ++x) {
            Color c = rgba.Get(x, y);
            c.a = 1.0f;
            out.Set(x, y, c);
        }
    return out;
}

Image AlphaOf(const Image& rgba)
{
    Image out(rgba.Width(), rgba.Height(), 1, Color(0, 0, 0, 1));
    for (int y = 0; y < rgba.Height(); ++y)
        for (int x = 0; x < rgba.Width(); ++x) {
            const float a = rgba.Get(x, y).a;
            out.Set(x, y, Color(a, a, a, 1));
        }
    return out;
}
