// ModelKit: the model atlas and its paint.
#include "content/ModelKit.h"

#include "core/ForgeRandom.h"

#include <cmath>

namespace Atlas {

void Rect(Region r, float& u0, float& v0, float& u1, float& v1)
{
    switch (r) {
    case Top: u0 = 0.0f; v0 = 0.0f; u1 = 0.5f; v1 = 1.0f; return;
    case Side: u0 = 0.5f; v0 = 0.0f; u1 = 0.75f; v1 = 1.0f; return;
    case Glass: u0 = 0.75f; v0 = 0.75f; u1 = 1.0f; v1 = 1.0f; return;
    case Metal: u0 = 0.75f; v0 = 0.5f; u1 = 1.0f; v1 = 0.75f; return;
    case Accent: u0 = 0.75f; v0 = 0.25f; u1 = 1.0f; v1 = 0.5f; return;
    default: u0 = 0.75f; v0 = 0.0f; u1 = 1.0f; v1 = 0.25f; return;
    }
}

UvMap Map(Region r, const Vec3& lo, const Vec3& hi, UvMap::Mode mode)
{
    UvMap m;
    Rect(r, m.u0, m.v0, m.u1, m.v1);
    m.lo = lo;
    m.hi = hi;
    m.mode = mode;
    if (r == Side)
        m.mode = mode == UvMap::Top ? UvMap::Side : mode;
    if (r != Top && r != Side) {
        // Keep inside the swatch, away from its edges, so mipmaps do not bleed.
        const float du = (m.u1 - m.u0) * 0.3f, dv = (m.v1 - m.v0) * 0.3f;
        m.u0 += du; m.u1 -= du; m.v0 += dv; m.v1 -= dv;
    }
    return m;
}

Image Paint(const PaintScheme& s, int side)
{
    Image img(side, side, 3, s.base);
    const float S = static_cast<float>(side);
    // Top paint: blotches of two camouflage tones over the base.
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side / 2; ++x) {
            const float u = x / S, v = y / S;
            const float n1 = FractalNoise(s.seed, u * s.camoScale * 2, v * s.camoScale, 3);
            const float n2 = FractalNoise(s.seed + 9u, u * s.camoScale * 2, v * s.camoScale, 3);
            Color c = s.base;
            if (n1 > 1.0f - s.camoAmount * 0.55f)
                c = s.camo1;
            if (n2 > 1.0f - s.camoAmount * 0.4f)
                c = s.camo2;
            const float grain = HashNoise(s.seed + 2u, x, y);
            img.Set(x, y, Mix(c, c * 0.9f, grain * 0.5f));
        }
    // Side and belly: lighter, with a soft darkening towards the top edge.
    for (int y = 0; y < side; ++y)
        for (int x = side / 2; x < side * 3 / 4; ++x) {
            const float grain = HashNoise(s.seed + 5u, x, y);
            const Color c = Mix(s.belly, s.base, SmoothStep(0.55f, 0.95f, y / S));
            img.Set(x, y, Mix(c, c * 0.9f, grain * 0.4f));
        }
    if (s.panelLines) {
        const Color line = s.base * 0.7f;
        for (int k = 1; k < 8; ++k) {
            const float y = S * k / 8.0f;
            img.Line(0, y, S * 0.75f, y, 1.0f, line);
        }
        for (int k = 1; k < 6; ++k) {
            const float x = S * 0.5f * k / 6.0f;
            img.Line(x, 0, x, S, 1.0f, Color(line.r, line.g, line.b, 0.6f));
        }
    }
    if (s.roundels) {
        for (float cx : {S * 0.08f, S * 0.42f}) {
            img.FillCircle(cx, S * 0.36f, S * 0.045f, s.detail);
            img.FillCircle(cx, S * 0.36f, S * 0.028f, s.accent);
        }
    }
    // Swatches.
    auto swatch = [&](Region r, const Color& a, const Color& b) {
        float u0, v0, u1, v1;
        Rect(r, u0, v0, u1, v1);
        for (int y = static_cast<int>(v0 * S); y < static_cast<int>(v1 * S); ++y)
            for (int x = static_cast<int>(u0 * S); x < static_cast<int>(u1 * S); ++x)
                img.Set(x, y, Mix(a, b, (y - v0 * S) / ((v1 - v0) * S)));
    };
    swatch(Glass, s.glass * 0.7f, Mix(s.glass, Color(1, 1, 1), 0.35f));
    swatch(Metal, s.metal * 0.8f, s.metal);
    swatch(Accent, s.accent * 0.85f, s.accent);
    swatch(Detail, s.detail * 0.9f, s.detail);
    return img;
}

} // namespace Atlas

void AddAtlasMaterials(ForgeModel& model, const std::string& prefix, const std::string& atlasFile, const PaintScheme& s)
{
    const std::pair<const char*, Color> parts[] = {
        {"_skin", s.base}, {"_glass", s.glass}, {"_metal", s.metal}, {"_accent", s.accent}, {"_detail", s.detail}};
    for (const auto& [suffix, colour] : parts) {
        ForgeMaterial m;
        m.name = prefix + suffix;
        m.diffuse = colour;
        m.ambient = colour * 0.4f;
        m.specular = std::string(suffix) == "_glass" ? Color(0.9f, 0.9f, 0.9f) : Color(0.25f, 0.25f, 0.25f);
        m.shininess = std::string(suffix) == "_glass" ? 0.8f : 0.25f;
        m.texture = atlasFile;
        model.AddMaterial(m);
    }
}

#include "content/ModelLibrary.h"
#include "core/Raster.h"

Image PreviewPicture(const ForgeModel& model, const Image& atlas)
{
    const int S = 256;
    Image panel(S, S, 4, Color(0, 0, 0, 0));
    // Rounded dark panel with a light rim, brighter towards the top.
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            // Inset so that previews standing side by side keep a gap between them.
            const float dx = std::max(0.0f, std::fabs(x + 0.5f - S / 2.0f) - (S / 2.0f - 30)),
                        dy = std::max(0.0f, std::fabs(y + 0.5f - S / 2.0f) - (S / 2.0f - 30));
            const float d = std::sqrt(dx * dx + dy * dy);   // 0 inside, grows in the corners
            if (d > 16.0f)
                continue;
            const float rim = SmoothStep(11.0f, 14.0f, d);
            const Color body = Mix(Rgb(22, 30, 44), Rgb(52, 68, 92), y / static_cast<float>(S));
            Color c = Mix(body, Rgb(170, 190, 210), rim);
            c.a = 1.0f - SmoothStep(15.0f, 16.0f, d);
            panel.Set(x, y, c);
        }
    RasterView view;
    view.yaw = 215.0f;
    view.pitch = 24.0f;
    view.margin = 0.14f;
    std::vector<const Image*> tex(model.materials.size(), &atlas);
    panel.Paste(RenderModel(model, tex, S, S, view), 0, 0);
    return panel;
}

#include "ForgeFiles.h"
#include "writers/ImageWriters.h"

void AddModelPicture(ForgeFiles& files, const std::string& name, const ForgeModel& model, const Image& atlas)
{
    if (!files.WantPictures())
        return;
    const int S = 256;
    Image sheet(S * 3, S, 3, Rgb(120, 130, 140));
    std::vector<const Image*> tex(model.materials.size(), &atlas);
    const float views[3][2] = {{215.0f, 24.0f}, {90.0f, 0.0f}, {0.0f, 90.0f}};   // 3/4, side, top
    for (int i = 0; i < 3; ++i) {
        RasterView v;
        v.yaw = views[i][0];
        v.pitch = views[i][1];
        sheet.Paste(RenderModel(model, tex, S, S, v), i * S, 0);
    }
    files.AddPicture(name + ".tga", WriteTga(sheet, 24));
}
