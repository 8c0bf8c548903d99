// Raster: orthographic triangle rasteriser with a depth buffer and flat shading.
#include "core/Raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
Vec3 ToView(const Vec3& p, float yaw, float pitch)
{
    Vec3 v = p;
    v.RotateZ(yaw);
    v.RotateX(pitch);
    return v;
}
} // namespace

Image RenderModel(const ForgeModel& model, const std::vector<const Image*>& textures, int width, int height,
                  const RasterView& view)
{
    const int ss = std::max(1, view.supersample);
    const int W = width * ss, H = height * ss;
    // View-space vertices and their bounds.
    std::vector<std::vector<Vec3>> vv(model.meshes.size());
    float minX = 1e30f, maxX = -1e30f, minZ = 1e30f, maxZ = -1e30f;
    for (size_t m = 0; m < model.meshes.size(); ++m)
        for (const Vec3& p : model.meshes[m].verts) {
            const Vec3 v = ToView(p, view.yaw, view.pitch);
            vv[m].push_back(v);
            minX = std::min(minX, v.x); maxX = std::max(maxX, v.x);
            minZ = std::min(minZ, v.z); maxZ = std::max(maxZ, v.z);
        }
    Image big(W, H, 4, Color(0, 0, 0, 0));
    if (minX > maxX)
        return big.Resized(width, height);
    const float usable = 1.0f - 2.0f * view.margin;
    const float scale = std::min(W * usable / std::max(1e-6f, maxX - minX), H * usable / std::max(1e-6f, maxZ - minZ));
    const float cx = (minX + maxX) / 2, cz = (minZ + maxZ) / 2;
    std::vector<float> depth(static_cast<size_t>(W) * H, std::numeric_limits<float>::max());
    Vec3 light = view.light;
    light.Normalize();

    for (size_t m = 0; m < model.meshes.size(); ++m) {
        const ForgeMesh& mesh = model.meshes[m];
        for (const ForgeTri& t : mesh.tris) {
            const Vec3 a = vv[m][t.a], b = vv[m][t.b], c = vv[m][t.c];
            Vec3 n = (b - a).Cross(c - a);
            if (n.LengthSq() == 0.0f)
                continue;
            n.Normalize();
            // Two-sided: the side facing the viewer (towards -y) is lit.
            const Vec3 facing = n.y > 0 ? -n : n;
            const float shade = view.ambient + (1.0f - view.ambient) * std::max(0.0f, facing.Dot(light));
            const float sx[3] = {W / 2 + (a.x - cx) * scale, W / 2 + (b.x - cx) * scale, W / 2 + (c.x - cx) * scale};
            const float sy[3] = {H / 2 + (a.z - cz) * scale, H / 2 + (b.z - cz) * scale, H / 2 + (c.z - cz) * scale};
            const float dz[3] = {a.y, b.y, c.y};
            const float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
            if (std::fabs(area) < 1e-9f)
                continue;
            const int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
            const int x1 = std::min(W - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
            const int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
            const int y1 = std::min(H - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
            const int mat = t.material;
            const Image* tex = mat >= 0 && static_cast<size_t>(mat) < textures.size() ? textures[static_cast<size_t>(mat)] : nullptr;
            const Color flat = mat >= 0 && static_cast<size_t>(mat) < model.materials.size()
                                   ? model.materials[static_cast<size_t>(mat)].diffuse : Color(0.8f, 0.8f, 0.8f);
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const float px = x + 0.5f, py = y + 0.5f;
                    const float w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
                    const float w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
                    const float w2 = 1.0f - w0 - w1;
                    if (w0 < 0 || w1 < 0 || w2 < 0)
                        continue;
                    const float d = w0 * dz[0] + w1 * dz[1] + w2 * dz[2];
                    float& zb = depth[static_cast<size_t>(y) * W + x];
                    if (d >= zb)
                        continue;
                    zb = d;
                    Color col = flat;
                    if (tex) {
                        const float u = w0 * mesh.uv[2 * t.a] + w1 * mesh.uv[2 * t.b] + w2 * mesh.uv[2 * t.c];
                        const float v = w0 * mesh.uv[2 * t.a + 1] + w1 * mesh.uv[2 * t.b + 1] + w2 * mesh.uv[2 * t.c + 1];
                        col = tex->Sample(u, v);
                    }
                    big.Set(x, y, Color(col.r * shade, col.g * shade, col.b * shade, 1.0f));
                }
        }
    }
    return big.Resized(width, height);
}

Image ShadowPicture(const ForgeModel& model, int side, int blur)
{
    RasterView top;
    top.pitch = 90.0f;   // z towards the viewer, +y up the picture
    top.margin = 0.12f;
    top.supersample = 2;
    const Image sil = RenderModel(model, {}, side, side, top);
    Image out(side, side, 4, Color(0, 0, 0, 0));
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            out.Set(x, y, Color(0, 0, 0, sil.Get(x, y).a));
    out.Blur(blur);
    return out;
}
