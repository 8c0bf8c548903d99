// Raster: a small software renderer that draws forge models into pictures.
//
// Used for the pictures that show a model (begin-level previews, tally icons) and for the ground
// shadows (the silhouette seen from above), and by authors to look at models without the game.
// Orthographic, depth-buffered, flat-shaded by one light, textured by the model's material
// pictures, supersampled for smooth edges. The model is turned by yaw about z, then by pitch
// about x, and seen along +y with z up on the picture; the result is fitted into the picture.
#pragma once

#include "core/Image.h"
#include "geometry/ForgeModel.h"

#include <vector>

struct RasterView {
    float yaw = 0.0f;     // degrees about z
    float pitch = 0.0f;   // degrees about x, after the yaw
    Vec3 light{-0.4f, -0.6f, 0.7f};   // towards the light, in view space (x right, -y to the viewer, z up)
    float ambient = 0.45f;
    float margin = 0.08f;  // share of the picture left free on each side
    int supersample = 3;
};

// textures[i] is the picture of material i (null: the material's diffuse colour).
// Returns an RGBA picture, transparent where no model shows.
Image RenderModel(const ForgeModel& model, const std::vector<const Image*>& textures, int width, int height,
                  const RasterView& view);

// Top-down silhouette as a soft shadow: alpha 1 under the model, blurred at the edges; the
// picture is square with the model's longer side filling it less the margin.
Image ShadowPicture(const ForgeModel& model, int side, int blur);
