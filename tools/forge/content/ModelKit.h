// ModelKit: what the model modules share — the texture atlas every model is painted on, its
// paint schemes, and the regions parts map their texture coordinates into.
//
// Each model carries one square atlas picture. The left half holds the top paint (camouflage or
// livery, seen from above), the next quarter the side and belly paint, the right quarter four
// small swatches: glass, dark metal, accent colour and light detail. Every material of a model
// names the same atlas file, so one texture serves the whole model while the materials keep
// their own names and diffuse colours for readers that draw untextured.
#pragma once

#include "core/Image.h"
#include "geometry/ForgeModel.h"

#include <cstdint>
#include <string>
#include <vector>

struct PaintScheme {
    Color base, camo1, camo2, belly, glass, metal, accent, detail;
    float camoScale = 6.0f;    // size of camouflage blotches
    float camoAmount = 0.5f;   // 0 plain .. 1 busy
    bool panelLines = true;
    bool roundels = false;     // markings on the top paint
    uint32_t seed = 1;
};

namespace Atlas {
enum Region { Top, Side, Glass, Metal, Accent, Detail };
// The region's rectangle in texture coordinates.
void Rect(Region r, float& u0, float& v0, float& u1, float& v1);
// A map that projects the box lo..hi into the region (Top and Side project; swatches pin every
// vertex into the swatch's middle so that a part takes its one colour).
UvMap Map(Region r, const Vec3& lo, const Vec3& hi, UvMap::Mode mode = UvMap::Top);
Image Paint(const PaintScheme& s, int side);
} // namespace Atlas

// Materials "<prefix>_skin", "_glass", "_metal", "_accent", "_detail" (in that order, indices
// 0..4), all textured by atlasFile, diffuse colours from the scheme.
void AddAtlasMaterials(ForgeModel& model, const std::string& prefix, const std::string& atlasFile, const PaintScheme& s);

enum AtlasMaterial { MatSkin = 0, MatGlass = 1, MatMetal = 2, MatAccent = 3, MatDetail = 4 };
