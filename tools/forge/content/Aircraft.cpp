// Aircraft: the player's three aircraft as 3DS models, with their atlases, ground shadows and
// the begin-level previews.
//
// Models are built nose towards +y, wings along x, z up, about ten units long; the game scales
// every model to a largest extent of 1 and then by the aircraft file's "m_scale". Parts are
// separate named meshes (fuselage, wings, fins, canopy, engines) with their own smoothing
// groups; the helicopter's main and tail rotors are the meshes "rotor1" and "rotor2", each
// symmetric about its hub so that it turns about its own centre.
#include "ForgeContent.h"
#include "content/ModelKit.h"
#include "content/ModelLibrary.h"
#include "core/Raster.h"
#include "writers/ImageWriters.h"
#include "writers/ModelWriters.h"

#include <cmath>

namespace {

const Vec3 kJetLo(-5.0f, -5.2f, -1.0f), kJetHi(5.0f, 5.2f, 2.4f);

UvMap TopMap(const Vec3& lo, const Vec3& hi) { return Atlas::Map(Atlas::Top, lo, hi, UvMap::Around); }

// A wing or stabiliser from its right-hand planform, mirrored to the left.
void MirroredSlab(ForgeMesh& m, const std::vector<float>& planform, float z, float thick, const UvMap& uv, int mat, uint32_t smooth)
{
    const size_t v0 = m.verts.size(), t0 = m.tris.size();
    Prim::Slab(m, planform, 'z', z, thick, uv, mat, smooth);
    Prim::MirrorX(m, v0, t0);
}

// A fin in the y-z plane at x, canted outwards by cant degrees, and its mirror image.
void CantedFins(ForgeMesh& m, const std::vector<float>& yz, float x, float cant, const UvMap& uv, int mat, uint32_t smooth)
{
    const size_t v0 = m.verts.size(), t0 = m.tris.size();
    Prim::Slab(m, yz, 'x', x, 0.1f, uv, mat, smooth);
    Prim::Rotate(m, v0, 'y', cant, Vec3(x, 0, yz[1]));
    Prim::MirrorX(m, v0, t0);
}

} // namespace

ForgeModel BuildF22()
{
    ForgeModel model;
    AddAtlasMaterials(model, "f22", "f22.tga", F22Scheme());
    const UvMap skin = TopMap(kJetLo, kJetHi);
    const UvMap glass = Atlas::Map(Atlas::Glass, kJetLo, kJetHi), metal = Atlas::Map(Atlas::Metal, kJetLo, kJetHi);

    // Six-sided loft: the faceted body of a stealth fighter.
    ForgeMesh& body = model.AddMesh("fuselage");
    Prim::Loft(body, 'y', {{-4.7f, 0, 0.05f, 0.62f, 0.28f}, {-3.0f, 0, 0.1f, 0.85f, 0.36f}, {-1.0f, 0, 0.12f, 0.9f, 0.42f},
                           {1.0f, 0, 0.1f, 0.78f, 0.44f}, {2.6f, 0, 0.05f, 0.52f, 0.36f}, {4.0f, 0, 0.0f, 0.26f, 0.18f},
                           {5.1f, 0, -0.02f, 0.0f, 0.0f}},
               6, skin, MatSkin, 1);
    ForgeMesh& canopy = model.AddMesh("canopy");
    Prim::Ellipsoid(canopy, Vec3(0, 2.3f, 0.42f), Vec3(0.3f, 1.1f, 0.3f), 10, 6, glass, MatGlass, 2);
    ForgeMesh& wings = model.AddMesh("wings");
    MirroredSlab(wings, {0.7f, 1.4f, 4.4f, -2.3f, 4.4f, -3.0f, 0.7f, -3.3f}, 0.0f, 0.12f, skin, MatSkin, 4);
    ForgeMesh& tail = model.AddMesh("stabilizers");
    MirroredSlab(tail, {0.7f, -3.5f, 2.5f, -4.5f, 2.5f, -5.1f, 0.7f, -5.0f}, 0.0f, 0.08f, skin, MatSkin, 8);
    ForgeMesh& fins = model.AddMesh("fins");
    CantedFins(fins, {-2.6f, 0.3f, -4.0f, 2.1f, -4.7f, 2.1f, -4.7f, 0.3f}, 0.95f, 28.0f, skin, MatSkin, 16);
    ForgeMesh& engines = model.AddMesh("nozzles");
    for (float x : {-0.42f, 0.42f})
        Prim::Cylinder(engines, 'y', Vec3(x, -4.75f, 0.05f), 0.5f, 0.3f, 0.24f, 8, metal, MatMetal, 32);
    ForgeMesh& intakes = model.AddMesh("intakes");
    for (float x : {-0.86f, 0.86f})
        Prim::Box(intakes, Vec3(x, 0.9f, 0.02f), Vec3(0.16f, 0.8f, 0.16f), skin, MatSkin, 0, x > 0 ? -8.0f : 8.0f);
    return model;
}

PaintScheme F22Scheme()
{
    PaintScheme s;
    s.base = Rgb(124, 130, 138);
    s.camo1 = Rgb(108, 114, 122);
    s.camo2 = Rgb(140, 146, 152);
    s.belly = Rgb(150, 154, 160);
    s.glass = Rgb(150, 120, 40);   // gold-tinted canopy
    s.metal = Rgb(60, 60, 64);
    s.accent = Rgb(40, 40, 44);
    s.detail = Rgb(200, 200, 204);
    s.camoScale = 4.0f;
    s.camoAmount = 0.6f;
    s.seed = 22;
    return s;
}

ForgeModel BuildF18()
{
    ForgeModel model;
    const PaintScheme s = F18Scheme();
    AddAtlasMaterials(model, "f18", "f18.tga", s);
    const UvMap skin = TopMap(kJetLo, kJetHi);
    const UvMap glass = Atlas::Map(Atlas::Glass, kJetLo, kJetHi), metal = Atlas::Map(Atlas::Metal, kJetLo, kJetHi);
    const UvMap accent = Atlas::Map(Atlas::Accent, kJetLo, kJetHi), detail = Atlas::Map(Atlas::Detail, kJetLo, kJetHi);

    ForgeMesh& body = model.AddMesh("fuselage");
    Prim::Loft(body, 'y', {{-4.2f, 0, 0.1f, 0.5f, 0.32f}, {-2.5f, 0, 0.12f, 0.62f, 0.42f}, {0.0f, 0, 0.12f, 0.62f, 0.5f},
                           {2.0f, 0, 0.1f, 0.48f, 0.46f}, {3.6f, 0, 0.02f, 0.3f, 0.3f}, {5.2f, 0, -0.05f, 0.0f, 0.0f}},
               10, skin, MatSkin, 1);
    ForgeMesh& canopy = model.AddMesh("canopy");
    Prim::Ellipsoid(canopy, Vec3(0, 2.4f, 0.52f), Vec3(0.28f, 0.95f, 0.32f), 10, 6, glass, MatGlass, 2);
    ForgeMesh& wings = model.AddMesh("wings");
    MirroredSlab(wings, {0.55f, 0.6f, 4.0f, -1.1f, 4.0f, -1.8f, 0.55f, -2.6f}, 0.05f, 0.14f, skin, MatSkin, 4);
    MirroredSlab(wings, {0.5f, 2.6f, 1.05f, 0.6f, 0.5f, 0.6f}, 0.12f, 0.08f, skin, MatSkin, 4);   // leading-edge extensions
    ForgeMesh& tail = model.AddMesh("stabilizers");
    MirroredSlab(tail, {0.55f, -3.0f, 2.6f, -4.0f, 2.6f, -4.6f, 0.55f, -4.5f}, 0.05f, 0.08f, skin, MatSkin, 8);
    ForgeMesh& fins = model.AddMesh("fins");
    CantedFins(fins, {-1.6f, 0.4f, -3.1f, 2.3f, -3.7f, 2.3f, -3.5f, 0.4f}, 0.6f, 18.0f, skin, MatSkin, 16);
    ForgeMesh& engines = model.AddMesh("engines");
    for (float x : {-0.36f, 0.36f}) {
        Prim::Cylinder(engines, 'y', Vec3(x, -2.6f, -0.05f), 3.6f, 0.32f, 0.32f, 10, skin, MatSkin, 32);
        Prim::Cylinder(engines, 'y', Vec3(x, -4.6f, -0.05f), 0.5f, 0.3f, 0.26f, 10, metal, MatMetal, 64);
    }
    ForgeMesh& intakes = model.AddMesh("intakes");
    for (float x : {-0.72f, 0.72f})
        Prim::Box(intakes, Vec3(x, 0.3f, -0.25f), Vec3(0.2f, 0.7f, 0.2f), metal, MatMetal, 0);
    ForgeMesh& rails = model.AddMesh("tip_missiles");
    for (float x : {-4.05f, 4.05f}) {
        Prim::Cylinder(rails, 'y', Vec3(x, -1.2f, 0.05f), 2.2f, 0.08f, 0.08f, 6, detail, MatDetail, 128);
        Prim::Cylinder(rails, 'y', Vec3(x, 0.05f, 0.05f), 0.3f, 0.08f, 0.0f, 6, accent, MatAccent, 128, false);
    }
    return model;
}

PaintScheme F18Scheme()
{
    PaintScheme s;
    s.base = Rgb(150, 158, 168);
    s.camo1 = Rgb(136, 144, 156);
    s.camo2 = Rgb(160, 168, 176);
    s.belly = Rgb(196, 200, 206);
    s.glass = Rgb(40, 70, 110);
    s.metal = Rgb(70, 70, 74);
    s.accent = Rgb(190, 40, 30);
    s.detail = Rgb(230, 230, 230);
    s.camoScale = 3.0f;
    s.camoAmount = 0.4f;
    s.roundels = true;
    s.seed = 18;
    return s;
}

ForgeModel BuildAh64()
{
    ForgeModel model;
    const PaintScheme s = Ah64Scheme();
    AddAtlasMaterials(model, "ah64", "ah64.tga", s);
    const Vec3 lo(-4.0f, -6.0f, -1.0f), hi(4.0f, 4.0f, 2.0f);
    const UvMap skin = TopMap(lo, hi);
    const UvMap glass = Atlas::Map(Atlas::Glass, lo, hi), metal = Atlas::Map(Atlas::Metal, lo, hi);
    const UvMap detail = Atlas::Map(Atlas::Detail, lo, hi);

    ForgeMesh& body = model.AddMesh("fuselage");
    Prim::Loft(body, 'y', {{-5.7f, 0, 0.55f, 0.1f, 0.12f}, {-3.0f, 0, 0.45f, 0.2f, 0.22f}, {-1.3f, 0, 0.3f, 0.5f, 0.6f},
                           {0.5f, 0, 0.2f, 0.58f, 0.72f}, {2.2f, 0, 0.1f, 0.42f, 0.62f}, {3.3f, 0, -0.05f, 0.3f, 0.4f},
                           {3.8f, 0, -0.1f, 0.12f, 0.18f}},
               8, skin, MatSkin, 1);
    ForgeMesh& canopy = model.AddMesh("canopy");
    Prim::Ellipsoid(canopy, Vec3(0, 2.55f, 0.45f), Vec3(0.36f, 0.75f, 0.42f), 10, 6, glass, MatGlass, 2);
    Prim::Ellipsoid(canopy, Vec3(0, 1.35f, 0.75f), Vec3(0.38f, 0.75f, 0.45f), 10, 6, glass, MatGlass, 2);
    ForgeMesh& nacelles = model.AddMesh("engines");
    for (float x : {-0.6f, 0.6f})
        Prim::Loft(nacelles, 'y', {{-1.6f, x, 0.75f, 0.2f, 0.22f}, {-0.2f, x, 0.75f, 0.28f, 0.3f}, {0.6f, x, 0.75f, 0.24f, 0.26f}}, 8,
                   skin, MatSkin, 4);
    ForgeMesh& wings = model.AddMesh("stub_wings");
    MirroredSlab(wings, {0.5f, 0.4f, 1.9f, 0.2f, 1.9f, -0.5f, 0.5f, -0.6f}, 0.05f, 0.1f, skin, MatSkin, 8);
    for (float x : {-1.65f, -1.0f, 1.0f, 1.65f})
        Prim::Cylinder(wings, 'y', Vec3(x, 0.0f, -0.25f), 1.3f, 0.2f, 0.2f, 8, metal, MatMetal, 16);
    ForgeMesh& tail = model.AddMesh("tail");
    Prim::Slab(tail, {-4.9f, 0.4f, -5.5f, 1.6f, -5.9f, 1.6f, -5.8f, 0.4f}, 'x', 0.0f, 0.1f, skin, MatSkin, 32);
    MirroredSlab(tail, {0.05f, -5.0f, 1.0f, -5.2f, 1.0f, -5.6f, 0.05f, -5.6f}, 0.5f, 0.06f, skin, MatSkin, 32);
    ForgeMesh& gear = model.AddMesh("gear");
    for (float x : {-0.7f, 0.7f})
        Prim::Cylinder(gear, 'x', Vec3(x, 1.6f, -0.72f), 0.16f, 0.22f, 0.22f, 8, metal, MatMetal, 64);
    Prim::Box(gear, Vec3(0, 3.1f, -0.45f), Vec3(0.1f, 0.45f, 0.08f), metal, MatMetal, 0);   // chin gun
    Prim::Cylinder(gear, 'z', Vec3(0, -0.4f, 1.2f), 0.5f, 0.12f, 0.12f, 8, metal, MatMetal, 64);   // mast

    // Main rotor: four blades crossing at the hub on the mast.
    ForgeMesh& rotor = model.AddMesh("rotor1");
    Prim::Box(rotor, Vec3(0, -0.4f, 1.5f), Vec3(3.7f, 0.14f, 0.03f), detail, MatDetail, 0);
    Prim::Box(rotor, Vec3(0, -0.4f, 1.5f), Vec3(0.14f, 3.7f, 0.03f), detail, MatDetail, 0);
    Prim::Cylinder(rotor, 'z', Vec3(0, -0.4f, 1.5f), 0.14f, 0.2f, 0.2f, 8, metal, MatMetal, 64);
    // Tail rotor: two blades crossing in the y-z plane beside the fin.
    ForgeMesh& tailRotor = model.AddMesh("rotor2");
    Prim::Box(tailRotor, Vec3(0.15f, -5.55f, 1.1f), Vec3(0.02f, 0.08f, 0.75f), detail, MatDetail, 0);
    Prim::Box(tailRotor, Vec3(0.15f, -5.55f, 1.1f), Vec3(0.02f, 0.75f, 0.08f), detail, MatDetail, 0);
    return model;
}

PaintScheme Ah64Scheme()
{
    PaintScheme s;
    s.base = Rgb(84, 92, 58);
    s.camo1 = Rgb(70, 76, 48);
    s.camo2 = Rgb(98, 98, 66);
    s.belly = Rgb(96, 102, 70);
    s.glass = Rgb(50, 80, 90);
    s.metal = Rgb(50, 52, 50);
    s.accent = Rgb(30, 30, 30);
    s.detail = Rgb(40, 42, 40);
    s.camoScale = 5.0f;
    s.camoAmount = 0.5f;
    s.panelLines = false;
    s.seed = 64;
    return s;
}

namespace {

void AircraftFiles(ForgeFiles& files, const ForgeModel& model, const PaintScheme& scheme, const std::string& dir,
                   const std::string& modelFile, const std::string& atlas, const std::string& shadow, int index)
{
    const auto M = ForgeFiles::Pack::Main;
    const Image paint = Atlas::Paint(scheme, 256);
    files.Add(M, dir + modelFile, Write3ds(model));
    files.Add(M, dir + atlas, WriteTga(paint, 24));
    files.Add(M, dir + shadow, WriteTga(ShadowPicture(model, 128, 3), 32));
    files.Add(M, "dat/air_plane" + std::to_string(index) + "_prev.tga", WriteTga(PreviewPicture(model, paint), 32));
    AddModelPicture(files, "aircraft" + std::to_string(index), model, paint);
}

} // namespace

void ForgeAircraft(ForgeFiles& files)
{
    AircraftFiles(files, BuildF22(), F22Scheme(), "dat/f22/", "f22_1.3DS", "f22.tga", "air_plane1_shad.tga", 1);
    AircraftFiles(files, BuildF18(), F18Scheme(), "dat/f18/", "f18.3DS", "f18.tga", "air_plane2_shad.tga", 2);
    AircraftFiles(files, BuildAh64(), Ah64Scheme(), "dat/ah64/", "ah64.3DS", "ah64.tga", "air_plane3_shad.tga", 3);
}
