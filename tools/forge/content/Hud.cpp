// Hud: the fuel and hull bars with their background panel, and the four tally icons of the
// level-complete screen.
//
// The HUD draws the panel centred at (400, 560) of the 800 × 600 layout at its own size and the
// bars with their left edges at 443 − width / 2, centred on rows 556 (fuel) and 571 (hull); the
// panel's slots and symbols are painted where those bars land. Picture rows are bottom-up, so a
// layout row y inside the panel is picture row (height − 1 − (y − top)).
#include "ForgeContent.h"
#include "content/ModelLibrary.h"
#include "core/ForgeRandom.h"
#include "core/Raster.h"
#include "writers/ImageWriters.h"

#include <cmath>

namespace {

constexpr int kBarW = 128, kBarH = 8;
constexpr int kPanelW = 256, kPanelH = 64;

Image Bar(const Color& left, const Color& right)
{
    Image img(kBarW, kBarH, 4, Color(0, 0, 0, 0));
    for (int y = 0; y < kBarH; ++y)
        for (int x = 0; x < kBarW; ++x) {
            const float t = x / static_cast<float>(kBarW - 1);
            Color c = Mix(left, right, t);
            const float gloss = 1.0f - std::fabs((y + 0.5f) / kBarH - 0.65f) * 1.2f;   // rounded look
            c = c * (0.7f + 0.45f * gloss);
            c.a = (x % 16 == 15) ? 0.45f : 1.0f;   // segment gaps
            img.Set(x, y, c);
        }
    return img;
}

Image Panel()
{
    Image img(kPanelW, kPanelH, 4, Color(0, 0, 0, 0));
    // The panel as the layout sees it: left 272, top 528.
    const int left = 400 - kPanelW / 2, top = 560 - kPanelH / 2;
    auto row = [&](float layoutY) { return kPanelH - 1 - (layoutY - top); };
    auto col = [&](float layoutX) { return layoutX - left; };
    // Rounded translucent plate.
    for (int y = 0; y < kPanelH; ++y)
        for (int x = 0; x < kPanelW; ++x) {
            const float dx = std::max(0.0f, std::fabs(x + 0.5f - kPanelW / 2.0f) - (kPanelW / 2.0f - 14)),
                        dy = std::max(0.0f, std::fabs(y + 0.5f - kPanelH / 2.0f) - (kPanelH / 2.0f - 14));
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 12.0f)
                continue;
            Color c = Mix(Rgb(20, 28, 36), Rgb(44, 56, 66), y / static_cast<float>(kPanelH));
            c = Mix(c, Rgb(150, 170, 180), SmoothStep(9.0f, 11.0f, d));
            c.a = 0.7f * (1.0f - SmoothStep(11.0f, 12.0f, d));
            img.Set(x, y, c);
        }
    // Recessed slots under the two bars.
    const float barLeft = 443 - kBarW / 2.0f;
    for (float centre : {556.0f, 571.0f}) {
        const int y0 = static_cast<int>(row(centre + kBarH / 2.0f + 1)), y1 = static_cast<int>(row(centre - kBarH / 2.0f - 1));
        img.FillRect(static_cast<int>(col(barLeft - 2)), y0, static_cast<int>(col(barLeft + kBarW + 2)), y1 + 1, Rgb(6, 8, 10, 230));
    }
    // Fuel symbol: a jerrycan beside the fuel slot; hull symbol: a shield beside the hull slot.
    const float sx = col(barLeft - 14);
    const float fy = row(556);
    img.FillRect(static_cast<int>(sx - 5), static_cast<int>(fy - 6), static_cast<int>(sx + 5), static_cast<int>(fy + 5), Rgb(240, 190, 40));
    img.FillRect(static_cast<int>(sx - 2), static_cast<int>(fy + 5), static_cast<int>(sx + 3), static_cast<int>(fy + 7), Rgb(240, 190, 40));
    img.Line(sx - 4, fy - 5, sx + 4, fy + 4, 1.2f, Rgb(120, 80, 10));
    const float hy = row(571);
    img.FillPolygon({sx - 6, hy + 6, sx + 6, hy + 6, sx + 6, hy - 1, sx, hy - 7, sx - 6, hy - 1}, Rgb(90, 210, 120));
    img.Line(sx, hy + 5, sx, hy - 5, 1.5f, Rgb(30, 90, 50));
    return img;
}

// The model seen from above and a little in front, on a soft dark disc, filling 64 × 64.
Image TallyIcon(const ForgeModel& model, const PaintScheme& paint, float yaw, float pitch)
{
    const int S = 64;
    Image icon(S, S, 4, Color(0, 0, 0, 0));
    icon.FillCircle(S / 2.0f, S / 2.0f, S / 2.0f - 2, Rgb(0, 0, 0, 110), 6.0f);
    const Image atlas = Atlas::Paint(paint, 128);
    std::vector<const Image*> tex(model.materials.size(), &atlas);
    RasterView v;
    v.yaw = yaw;
    v.pitch = pitch;
    v.margin = 0.06f;
    v.ambient = 0.55f;
    icon.Paste(RenderModel(model, tex, S, S, v), 0, 0);
    return icon;
}

} // namespace

void ForgeHud(ForgeFiles& files)
{
    const auto M = ForgeFiles::Pack::Main;
    files.Add(M, "dat/fuel_indicator.tga", WriteTga(Bar(Rgb(230, 90, 30), Rgb(250, 220, 60)), 32));
    files.Add(M, "dat/hull_indicator.tga", WriteTga(Bar(Rgb(60, 170, 90), Rgb(120, 230, 170)), 32));
    files.Add(M, "dat/fuel_indicator_bg.tga", WriteTga(Panel(), 32));

    const std::vector<UnitModel> units = AllUnitModels();
    auto unit = [&](const std::string& path) -> const UnitModel& {
        for (const UnitModel& u : units)
            if (u.path == path)
                return u;
        return units.front();
    };
    const UnitModel& plane = unit("dat/e_plane3");
    const UnitModel& boat = unit("dat/e_boat2");
    const UnitModel& heli = unit("dat/e_helicop2");
    const UnitModel& ground = unit("dat/e_aad2");
    files.Add(M, "dat/cl_plane.tga", WriteTga(TallyIcon(plane.model, plane.paint, 200.0f, 55.0f), 32));
    files.Add(M, "dat/cl_boat.tga", WriteTga(TallyIcon(boat.model, boat.paint, 235.0f, 35.0f), 32));
    files.Add(M, "dat/cl_helic.tga", WriteTga(TallyIcon(heli.model, heli.paint, 235.0f, 30.0f), 32));
    files.Add(M, "dat/cl_ground.tga", WriteTga(TallyIcon(ground.model, ground.paint, 215.0f, 35.0f), 32));
}
