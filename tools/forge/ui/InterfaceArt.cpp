// InterfaceArt: widget looks, panels and the menu scenes.
#include "InterfaceArt.h"

#include "TextPainter.h"
#include "UiPaint.h"
#include "core/ForgeRandom.h"
#include "game/ScoreTable.h"

#include <algorithm>
#include <cmath>

using namespace UiLayout;

namespace {

// Top-down row where band b (1-based) of n starts in a picture of band height h.
int BandTop(int b, int n, int h) { return (n - b) * h; }

struct ButtonStyle {
    Color top, bottom, border, label;
    int shift;
};

const ButtonStyle kButtonStyles[3] = {
    {Rgb(58, 98, 158), Rgb(22, 42, 82), Rgb(140, 176, 226), Rgb(236, 242, 252), 0},    // normal
    {Rgb(84, 146, 214), Rgb(34, 78, 146), Rgb(255, 214, 96), Rgb(255, 238, 130), 0},   // hover
    {Rgb(214, 132, 40), Rgb(136, 66, 12), Rgb(255, 226, 150), Rgb(255, 255, 255), 1},  // pressed
};

void PaintIcon(Image& img, ButtonIcon icon, float x, float y, float w, float h, const Color& c)
{
    const float cx = x + w / 2, cy = y + h / 2, s = std::min(w, h);
    switch (icon) {
    case ButtonIcon::Minimise:
        ThickLine(img, cx - s * 0.25f, cy + s * 0.18f, cx + s * 0.25f, cy + s * 0.18f, s * 0.12f, c);
        break;
    case ButtonIcon::FullScreen:
        StrokeRoundRect(img, cx - s * 0.27f, cy - s * 0.24f, s * 0.54f, s * 0.48f, 2, s * 0.08f, c);
        ThickLine(img, cx - s * 0.25f, cy - s * 0.18f, cx + s * 0.25f, cy - s * 0.18f, s * 0.1f, c);
        break;
    case ButtonIcon::Up:
        FillTriangle(img, cx, cy - s * 0.24f, cx + s * 0.26f, cy + s * 0.18f, cx - s * 0.26f, cy + s * 0.18f, c);
        break;
    case ButtonIcon::Down:
        FillTriangle(img, cx - s * 0.26f, cy - s * 0.18f, cx + s * 0.26f, cy - s * 0.18f, cx, cy + s * 0.24f, c);
        break;
    case ButtonIcon::None:
        break;
    }
}

} // namespace

Image MakeButtonLook(const TextPainter& painter, Size size, const std::string& label, ButtonIcon icon)
{
    Image img(size.w, size.h * 3, 4, Color(0, 0, 0, 0));
    const float r = std::min(size.h * 0.35f, 12.0f);
    // Label size: as large as fits the band's height and width.
    int px = static_cast<int>(size.h * 0.48f);
    TextPainter& p = const_cast<TextPainter&>(painter);
    if (!label.empty() && painter.IsOpen()) {
        p.SetPixelSize(px);
        while (px > 10 && painter.Measure(label) > size.w - 24) {
            --px;
            p.SetPixelSize(px);
        }
    }
    for (int b = 1; b <= 3; ++b) {
        const ButtonStyle& st = kButtonStyles[b - 1];
        const float y = static_cast<float>(BandTop(b, 3, size.h));
        FillRoundRect(img, 1, y + 1, size.w - 2.0f, size.h - 2.0f, r, st.top, st.bottom);
        // Glassy upper half.
        FillRoundRect(img, 3, y + 3, size.w - 6.0f, size.h * 0.45f, r - 2, Rgb(255, 255, 255, 60), Rgb(255, 255, 255, 8));
        StrokeRoundRect(img, 1, y + 1, size.w - 2.0f, size.h - 2.0f, r, b == 1 ? 2.0f : 2.5f, st.border);
        if (icon != ButtonIcon::None) {
            PaintIcon(img, icon, st.shift + 1.0f, y + st.shift + 1, size.w - 2.0f, size.h - 2.0f, Color(0, 0, 0, 0.5f));
            PaintIcon(img, icon, static_cast<float>(st.shift), y + st.shift, size.w - 2.0f, size.h - 2.0f, st.label);
        }
        if (!label.empty() && painter.IsOpen()) {
            p.SetPixelSize(px);
            const int baseline = static_cast<int>(y) + (size.h + painter.Ascent() - painter.Descent()) / 2;
            painter.DrawCentred(img, size.w / 2 + st.shift, baseline + st.shift, label, st.label);
        }
    }
    return img;
}

Image MakeCheckLook(Size size, bool round)
{
    Image img(size.w, size.h * 4, 4, Color(0, 0, 0, 0));
    for (int b = 1; b <= 4; ++b) {
        const bool hover = b == 2 || b == 4, ticked = b >= 3;
        const float y = static_cast<float>(BandTop(b, 4, size.h));
        const Color border = hover ? Rgb(255, 214, 96) : Rgb(140, 176, 226);
        const float inset = 4;
        const float w = size.w - 2 * inset, h = size.h - 2 * inset;
        if (round) {
            FillDisc(img, size.w / 2.0f, y + size.h / 2.0f, w / 2, hover ? Rgb(36, 62, 104) : Rgb(16, 28, 52));
            StrokeRing(img, size.w / 2.0f, y + size.h / 2.0f, w / 2, 3, border);
            if (ticked)
                FillDisc(img, size.w / 2.0f, y + size.h / 2.0f, w / 4, Rgb(120, 230, 110));
        } else {
            FillRoundRect(img, inset, y + inset, w, h, 6, hover ? Rgb(44, 74, 120) : Rgb(20, 34, 62),
                          hover ? Rgb(24, 44, 80) : Rgb(10, 18, 36));
            StrokeRoundRect(img, inset, y + inset, w, h, 6, 3, border);
            if (ticked) {
                const float x0 = inset + w * 0.2f, yy = y + inset;
                ThickLine(img, x0, yy + h * 0.52f, inset + w * 0.42f, yy + h * 0.74f, w * 0.16f, Rgb(120, 230, 110));
                ThickLine(img, inset + w * 0.42f, yy + h * 0.74f, inset + w * 0.82f, yy + h * 0.24f, w * 0.16f,
                          Rgb(120, 230, 110));
            }
        }
    }
    return img;
}

Image MakeEditLook(Size size, bool light)
{
    Image img(size.w, size.h * 2, 4, Color(0, 0, 0, 0));
    for (int b = 1; b <= 2; ++b) {
        const float y = static_cast<float>(BandTop(b, 2, size.h));
        const bool focused = b == 2;
        // The focused band is lighter as well as gold-rimmed.
        if (light)
            FillRoundRect(img, 2, y + 2, size.w - 4.0f, size.h - 4.0f, 8, focused ? Rgb(255, 252, 238) : Rgb(232, 226, 206),
                          focused ? Rgb(230, 222, 196) : Rgb(204, 196, 172));
        else
            FillRoundRect(img, 2, y + 2, size.w - 4.0f, size.h - 4.0f, 8, focused ? Rgb(20, 34, 62) : Rgb(8, 14, 28),
                          focused ? Rgb(40, 60, 96) : Rgb(26, 40, 66));
        StrokeRoundRect(img, 2, y + 2, size.w - 4.0f, size.h - 4.0f, 8, focused ? 3.0f : 2.0f,
                        focused ? Rgb(255, 214, 96) : Rgb(120, 150, 196));
    }
    return img;
}

Image MakeKeyReaderLook(Size size)
{
    Image img(size.w, size.h * 2, 4, Color(0, 0, 0, 0));
    for (int b = 1; b <= 2; ++b) {
        const float y = static_cast<float>(BandTop(b, 2, size.h));
        const bool waiting = b == 2;
        FillRoundRect(img, 2, y + 2, size.w - 4.0f, size.h - 4.0f, 10, waiting ? Rgb(150, 70, 20) : Rgb(18, 30, 56),
                      waiting ? Rgb(96, 36, 8) : Rgb(8, 14, 30));
        StrokeRoundRect(img, 2, y + 2, size.w - 4.0f, size.h - 4.0f, 10, 2.5f,
                        waiting ? Rgb(255, 214, 96) : Rgb(120, 150, 196));
        // A small key-cap mark at the left, where the caption does not reach.
        FillRoundRect(img, 9, y + size.h / 2.0f - 7, 14, 14, 3, Rgb(200, 210, 230, waiting ? 255 : 170),
                      Rgb(140, 150, 175, waiting ? 255 : 170));
    }
    return img;
}

Image MakeListLook(Size size)
{
    Image img(size.w, size.h, 4, Color(0, 0, 0, 0));
    FillRoundRect(img, 2, 2, size.w - 4.0f, size.h - 4.0f, 10, Rgb(84, 108, 146, 235), Rgb(58, 78, 112, 235));
    StrokeRoundRect(img, 2, 2, size.w - 4.0f, size.h - 4.0f, 10, 2.5f, Rgb(160, 190, 232));
    return img;
}

Image MakeThumbLook(Size size)
{
    Image img(size.w, size.h, 4, Color(0, 0, 0, 0));
    FillRoundRect(img, 1, 1, size.w - 2.0f, size.h - 2.0f, 5, Rgb(255, 226, 120), Rgb(200, 140, 30));
    StrokeRoundRect(img, 1, 1, size.w - 2.0f, size.h - 2.0f, 5, 2, Rgb(90, 50, 10));
    for (int i = 0; i < 3; ++i)
        ThickLine(img, size.w * 0.3f, size.h * (0.38f + 0.12f * i), size.w * 0.7f, size.h * (0.38f + 0.12f * i), 1.5f,
                  Rgb(120, 70, 10, 200));
    return img;
}

Image MakeTrackBackground(Size size)
{
    Image img(size.w, size.h, 4, Color(0, 0, 0, 0));
    FillRoundRect(img, 4, size.h / 2.0f - 5, size.w - 8.0f, 10, 5, Rgb(6, 10, 20), Rgb(40, 56, 84));
    StrokeRoundRect(img, 4, size.h / 2.0f - 5, size.w - 8.0f, 10, 5, 1.5f, Rgb(120, 150, 196));
    for (int i = 0; i <= 10; ++i) {
        const float x = 10 + (size.w - 20) * i / 10.0f;
        ThickLine(img, x, size.h / 2.0f + 8, x, size.h / 2.0f + (i % 5 == 0 ? 14 : 11), 1.5f, Rgb(160, 190, 232));
    }
    return img;
}

Image MakePanel(int width, int height)
{
    Image img(width, height, 4, Color(0, 0, 0, 0));
    PaintPanel(img, 0, 0, static_cast<float>(width), static_cast<float>(height));
    return img;
}

Image MakeOptionsPanel(const TextPainter& painter)
{
    Image img = MakePanel(kOptionsDlg.w, kOptionsDlg.h);
    TextPainter& p = const_cast<TextPainter&>(painter);
    const Color heading = Rgb(150, 200, 255);
    // Column headings and separators.
    p.SetPixelSize(17);
    painter.DrawShadowed(img, 382, 80, "Keyboard", heading);
    painter.DrawShadowed(img, 30, 312, "Joystick buttons", heading);
    ThickLine(img, 370, 92, 370, 540, 1.5f, Rgb(132, 170, 220, 120));
    ThickLine(img, 30, 290, 350, 290, 1.5f, Rgb(132, 170, 220, 120));
    ThickLine(img, 30, 490, 350, 490, 1.5f, Rgb(132, 170, 220, 120));
    // Joystick labels, beside their readers as the key labels stand beside theirs.
    const char* joy[3] = {"Fire 1", "Fire 2", "Maneuver"};
    p.SetPixelSize(15);
    for (int i = 0; i < 3; ++i)
        painter.DrawShadowed(img, 30, kOptJoyY[i] + 30, joy[i], Rgb(255, 255, 0));
    return img;
}

Image MakeTop7Panel(const TextPainter& painter)
{
    Image img(800, 600, 4, Color(0, 0, 0, 0));
    // The panel holds the title (from x 50, rising from y 70), the ten-digit scores that reach
    // past x 700 and the button row at the bottom.
    PaintPanel(img, static_cast<float>(kTop7Panel.x), static_cast<float>(kTop7Panel.y),
               static_cast<float>(kTop7Panel.w), static_cast<float>(kTop7Panel.h));
    // Column headings over the rows, and a rule under them.
    if (painter.IsOpen()) {
        TextPainter& p = const_cast<TextPainter&>(painter);
        p.SetPixelSize(16);
        const Color heading = Rgb(150, 200, 255);
        const int y = static_cast<int>(CScoreTable::kFirstRowY) - 36;
        painter.DrawShadowed(img, static_cast<int>(CScoreTable::kNameX), y, "Pilot", heading);
        painter.DrawShadowed(img, static_cast<int>(CScoreTable::kLevelX), y, "Level", heading);
        painter.DrawShadowed(img, static_cast<int>(CScoreTable::kScoreX), y, "Score", heading);
    }
    ThickLine(img, CScoreTable::kNameX - 10, CScoreTable::kFirstRowY - 30, kTop7Panel.x + kTop7Panel.w - 40.0f,
              CScoreTable::kFirstRowY - 30, 1.5f, Rgb(132, 170, 220, 120));
    return img;
}

namespace {

struct Palette {
    Color skyTop, skyHorizon, sun, ridgeFar, ridgeNear, fog, water, waterLight;
};

float RidgeHeight(float x, float seed, float scale)
{
    return std::sin(x * 0.011f * scale + seed) * 0.5f + std::sin(x * 0.027f * scale + seed * 2.3f) * 0.28f +
           std::sin(x * 0.063f * scale + seed * 4.1f) * 0.12f + std::sin(x * 0.141f * scale + seed * 7.7f) * 0.05f;
}

// The valley: sky, sun, three ridges fading into the haze, the river winding to the horizon.
void PaintValley(Image& img, const Palette& pal, float seed, int horizon)
{
    const int w = img.Width(), h = img.Height();
    for (int y = 0; y < h; ++y) {
        const Color c = y < horizon ? Mix(pal.skyTop, pal.skyHorizon, std::pow(y / float(horizon), 1.4f)) : pal.ridgeNear;
        for (int x = 0; x < w; ++x)
            BlendTop(img, x, y, c);
    }
    // Sun glow.
    const float sx = w * 0.68f, sy = horizon - h * 0.09f;
    for (int y = 0; y < horizon + 40; ++y)
        for (int x = 0; x < w; ++x) {
            const float d = std::hypot(x - sx, (y - sy) * 1.3f);
            const float glow = std::exp(-d / (w * 0.14f)) * 0.75f;
            BlendTop(img, x, y, pal.sun, glow);
        }
    FillDisc(img, sx, sy, h * 0.035f, Mix(pal.sun, Color(1, 1, 1), 0.6f));
    // Ridges, far to near.
    for (int layer = 0; layer < 3; ++layer) {
        const float t = layer / 2.0f;
        const Color col = Mix(Mix(pal.ridgeFar, pal.fog, 0.35f), pal.ridgeNear, t);
        const float base = horizon + h * (0.02f + 0.09f * layer);
        const float amp = h * (0.10f + 0.08f * layer);
        for (int x = 0; x < w; ++x) {
            // A notch in the middle where the valley opens.
            const float open = std::exp(-std::pow((x - w * 0.5f) / (w * (0.12f + 0.05f * layer)), 2.0f));
            const float top = base - amp * (0.6f + RidgeHeight(float(x), seed + layer * 3.1f, 1.0f + layer * 0.4f)) * (1 - 0.55f * open);
            for (int y = static_cast<int>(top); y < h; ++y)
                BlendTop(img, x, y, Mix(col, pal.ridgeNear, std::clamp((y - top) / (h * 0.5f), 0.0f, 1.0f) * 0.4f));
        }
    }
    // Haze over the horizon.
    for (int y = horizon - 30; y < horizon + 60; ++y)
        for (int x = 0; x < w; ++x)
            BlendTop(img, x, y, pal.fog, 0.35f * std::exp(-std::pow((y - horizon - 10) / 35.0f, 2.0f)));
    // The river: a band that widens toward the viewer and winds.
    const int riverTop = horizon + static_cast<int>(h * 0.08f);
    for (int y = riverTop; y < h; ++y) {
        const float t = (y - riverTop) / float(h - riverTop);
        const float cx = w * 0.5f + std::sin(t * 5.0f + seed) * w * 0.12f * t + std::sin(t * 11.0f) * 6.0f * t;
        const float half = 3.0f + t * t * w * 0.22f + t * 18.0f;
        for (int x = static_cast<int>(cx - half - 2); x <= static_cast<int>(cx + half + 2); ++x) {
            const float edge = std::clamp(half - std::fabs(x + 0.5f - cx), 0.0f, 1.0f);
            const float shimmer = 0.5f + 0.5f * std::sin(x * 0.09f + y * 0.7f + seed);
            BlendTop(img, x, y, Mix(pal.water, pal.waterLight, (1 - t) * 0.7f + shimmer * 0.15f), edge);
        }
    }
}

void PaintJet(Image& img, float cx, float cy, float s, const Color& c)
{
    // Fuselage, wings, tail planes: a delta fighter seen from behind and above.
    FillTriangle(img, cx, cy - s * 0.55f, cx + s * 0.09f, cy + s * 0.35f, cx - s * 0.09f, cy + s * 0.35f, c);
    FillTriangle(img, cx, cy - s * 0.1f, cx + s * 0.75f, cy + s * 0.28f, cx - s * 0.75f, cy + s * 0.28f, c);
    FillTriangle(img, cx, cy + s * 0.1f, cx + s * 0.3f, cy + s * 0.42f, cx - s * 0.3f, cy + s * 0.42f, c);
    FillTriangle(img, cx, cy - s * 0.05f, cx + s * 0.03f, cy + s * 0.35f, cx, cy - s * 0.38f, c);
}

void PaintTitle(TextPainter& painter, Image& img, int y, int px)
{
    if (!painter.IsOpen())
        return;
    painter.SetPixelSize(px);
    const std::string title = "Gorgewing II";
    const int x = img.Width() / 2 - painter.Measure(title) / 2;
    // Dark soft outline, then gold.
    for (int dy = -3; dy <= 5; dy += 2)
        for (int dx = -3; dx <= 5; dx += 2)
            painter.Draw(img, x + dx, y + dy, title, Color(0, 0, 0, 0.16f));
    painter.Draw(img, x, y, title, Rgb(255, 208, 84));
    painter.Draw(img, x, y - 2, title, Rgb(255, 240, 170, 110));
}

const Palette kDusk{Rgb(24, 34, 78), Rgb(236, 142, 84), Rgb(255, 196, 120), Rgb(84, 70, 110), Rgb(24, 30, 44),
                    Rgb(220, 140, 120), Rgb(70, 90, 140), Rgb(255, 190, 130)};
const Palette kMorning{Rgb(52, 110, 190), Rgb(196, 220, 236), Rgb(255, 244, 200), Rgb(96, 126, 150), Rgb(34, 62, 40),
                       Rgb(200, 220, 230), Rgb(50, 100, 150), Rgb(220, 240, 255)};
const Palette kNight{Rgb(6, 10, 30), Rgb(60, 60, 110), Rgb(170, 180, 255), Rgb(40, 44, 80), Rgb(10, 14, 24),
                     Rgb(70, 70, 120), Rgb(30, 40, 80), Rgb(140, 150, 220)};

} // namespace

Image MakeMenuBackground(TextPainter& painter)
{
    Image img(800, 600, 3, Color(0, 0, 0, 1));
    PaintValley(img, kDusk, 1.7f, 330);
    PaintJet(img, 150, 260, 70, Rgb(20, 20, 34));
    PaintJet(img, 650, 190, 36, Rgb(30, 28, 50));
    // A dark glass column behind the buttons so they always read.
    FillRoundRect(img, 256, 180, 288, 356, 20, Rgb(8, 14, 30, 150), Rgb(8, 14, 30, 190));
    StrokeRoundRect(img, 256, 180, 288, 356, 20, 2, Rgb(230, 184, 80, 140));
    // The strip that holds the window buttons.
    FillRoundRect(img, 704, 4, 92, 46, 10, Rgb(8, 14, 30, 150), Rgb(8, 14, 30, 150));
    PaintTitle(painter, img, 130, 92);
    if (painter.IsOpen()) {
        painter.SetPixelSize(18);
        painter.DrawCentred(img, 400, 162, "strike along the river valley", Rgb(255, 230, 200));
        painter.SetPixelSize(12);
        painter.DrawShadowed(img, 10, 590, "Esc: exit    Enter: minimise", Rgb(220, 220, 230), 1, 1);
    }
    return img;
}

Image MakeIntroPicture(TextPainter& painter, int variant)
{
    Image img(800, 600, 3, Color(0, 0, 0, 1));
    if (variant == 0) {
        PaintValley(img, kMorning, 0.4f, 300);
        PaintJet(img, 400, 400, 160, Rgb(24, 30, 40));
        PaintJet(img, 250, 250, 50, Rgb(40, 50, 64));
    } else {
        PaintValley(img, kNight, 3.3f, 340);
        // Tracer streaks across the night.
        ForgeRandom rng(77);
        for (int i = 0; i < 14; ++i) {
            const float x = rng.Range(100, 700), y = rng.Range(120, 320);
            ThickLine(img, x, y, x + 40, y - 24, 2.0f, Rgb(255, 200, 90, 200));
        }
        PaintJet(img, 420, 420, 140, Rgb(4, 6, 12));
    }
    PaintTitle(painter, img, 120, 96);
    if (painter.IsOpen()) {
        painter.SetPixelSize(20);
        painter.DrawCentred(img, 400, 570, "loading...", Rgb(255, 255, 255));
    }
    return img;
}

Image MakeLevelBackground(TextPainter& painter, int variant)
{
    Image img(800, 600, 3, Color(0, 0, 0, 1));
    PaintValley(img, variant == 0 ? kMorning : kDusk, 2.2f + variant, 320);
    // Darken so the level screens' texts and aircraft read over it.
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            BlendTop(img, x, y, Color(0, 0, 0.05f, 0.55f));
    // The tally's red rows need a dark, even ground: a panel under the title, the icons and the
    // totals, clear of the continue button at the bottom right.
    if (variant == 1)
        PaintPanel(img, static_cast<float>(kTallyPanel.x), static_cast<float>(kTallyPanel.y),
                   static_cast<float>(kTallyPanel.w), static_cast<float>(kTallyPanel.h));
    (void)painter;
    return img;
}
