// The game's icon: a jet seen from behind over a river winding up a green valley under a blue sky,
// on a rounded square with a dark rim. Drawn large in code, then box-filtered to each size.
#include "ForgeContent.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDrawSide = 768;

// Inside the rounded square of side s with corner radius r (coordinates from 0 to s).
bool InRoundedSquare(float x, float y, float s, float r)
{
    const float cx = std::clamp(x, r, s - r), cy = std::clamp(y, r, s - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

Image DrawIcon()
{
    const int n = kDrawSide;
    const float s = static_cast<float>(n);
    const Color rim = Rgb(18, 32, 58);
    // Transparent outside, but of the rim's colour, so that the filtered edge does not darken.
    Image img(n, n, 4, Color(rim.r, rim.g, rim.b, 0.0f));
    const float horizon = s * 0.56f;  // rows are bottom-up: y grows upwards
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (!InRoundedSquare(x + 0.5f, y + 0.5f, s, s * 0.18f))
                continue;
            Color c;
            if (y >= horizon) {
                const float t = (y - horizon) / (s - horizon);
                c = Mix(Rgb(186, 222, 246), Rgb(58, 128, 214), t);  // pale at the horizon
            } else {
                const float t = y / horizon;
                c = Mix(Rgb(44, 104, 40), Rgb(120, 160, 84), t);  // far hills paler
            }
            img.Set(x, y, c);
        }
    // Valley walls: two ridges meeting the horizon.
    img.FillPolygon({0, horizon, s * 0.30f, horizon + s * 0.10f, s * 0.46f, horizon, 0, s * 0.30f}, Rgb(88, 122, 70));
    img.FillPolygon({s, horizon, s * 0.70f, horizon + s * 0.12f, s * 0.52f, horizon, s, s * 0.34f}, Rgb(80, 112, 64));
    // The river, wide near the viewer and bending as it narrows towards the horizon.
    std::vector<float> left, right;
    const int steps = 40;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        const float y = horizon * t;
        const float mid = s * (0.5f + 0.13f * std::sin(t * 5.0f) * (1.0f - t));
        const float half = s * (0.20f * (1.0f - t) + 0.012f);
        left.push_back(mid - half);
        left.push_back(y);
        right.push_back(mid + half);
        right.push_back(y);
    }
    std::vector<float> river = left;
    for (int i = steps; i >= 0; --i) {
        river.push_back(right[2 * i]);
        river.push_back(right[2 * i + 1]);
    }
    img.FillPolygon(river, Rgb(64, 150, 222));
    // Glints on the water.
    img.Line(s * 0.43f, s * 0.12f, s * 0.55f, s * 0.14f, s * 0.012f, Rgb(220, 240, 255, 200));
    img.Line(s * 0.50f, s * 0.30f, s * 0.58f, s * 0.31f, s * 0.008f, Rgb(220, 240, 255, 170));

    // The jet from behind: swept wings, twin fins, a canopy and the afterburner.
    const float cx = s * 0.5f, cy = s * 0.47f, w = s * 0.40f;
    const Color body = Rgb(52, 58, 70), light = Rgb(112, 122, 138);
    img.FillPolygon({cx - w, cy - w * 0.10f, cx - w * 0.12f, cy + w * 0.10f, cx + w * 0.12f, cy + w * 0.10f,
                     cx + w, cy - w * 0.10f, cx + w * 0.95f, cy - w * 0.20f, cx, cy - w * 0.08f,
                     cx - w * 0.95f, cy - w * 0.20f},
                    body);
    img.FillPolygon({cx - w * 0.26f, cy + w * 0.02f, cx - w * 0.38f, cy + w * 0.52f, cx - w * 0.30f, cy + w * 0.54f,
                     cx - w * 0.12f, cy + w * 0.08f},
                    body);
    img.FillPolygon({cx + w * 0.26f, cy + w * 0.02f, cx + w * 0.38f, cy + w * 0.52f, cx + w * 0.30f, cy + w * 0.54f,
                     cx + w * 0.12f, cy + w * 0.08f},
                    body);
    img.FillEllipse(cx, cy + w * 0.02f, w * 0.17f, w * 0.17f, body);
    img.FillEllipse(cx, cy + w * 0.12f, w * 0.10f, w * 0.08f, light);
    img.Line(cx - w * 0.9f, cy - w * 0.14f, cx - w * 0.2f, cy + w * 0.02f, s * 0.006f, light);
    img.Line(cx + w * 0.9f, cy - w * 0.14f, cx + w * 0.2f, cy + w * 0.02f, s * 0.006f, light);
    img.FillCircle(cx, cy - w * 0.02f, w * 0.10f, Rgb(255, 150, 40));
    img.FillCircle(cx, cy - w * 0.02f, w * 0.05f, Rgb(255, 236, 170));

    // The rim.
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            if (InRoundedSquare(px, py, s, s * 0.18f) &&
                !InRoundedSquare(px - s * 0.025f, py - s * 0.025f, s * 0.95f, s * 0.16f))
                img.Set(x, y, rim);
        }
    return img;
}

}  // namespace

Image ForgeIcon(int size)
{
    static const Image big = DrawIcon();
    return size == kDrawSide ? big : big.Resized(size, size);
}
