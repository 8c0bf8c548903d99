// Units: the enemies, static targets and the fuel depot as unit files (".unt") with Wavefront
// meshes and atlas textures, plus the ground shadows of the planes and helicopters.
//
// A unit's first mesh group is its body; every further group becomes a child part that the game
// draws at its own offset: propellers ("propeller1", ...), the helicopter's "rotor", the site's
// turret (always the first child), the depot's tanks and each barrel of a stack, which fly apart.
// Models face +y, z up. The ".unt" scale sets the unit's world size (its largest extent); sizes
// are chosen against the 45-unit valley and the player's aircraft of about 0.6.
#include "ForgeContent.h"
#include "content/ModelKit.h"
#include "content/ModelLibrary.h"
#include "core/Raster.h"
#include "writers/ImageWriters.h"
#include "writers/ModelWriters.h"
#include "writers/ParamText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace {

PaintScheme Scheme(Color base, Color camo1, Color camo2, Color belly, Color accent, uint32_t seed, float camo = 0.5f,
                   bool lines = true)
{
    PaintScheme s;
    s.base = base;
    s.camo1 = camo1;
    s.camo2 = camo2;
    s.belly = belly;
    s.glass = Rgb(60, 90, 120);
    s.metal = Rgb(58, 60, 62);
    s.accent = accent;
    s.detail = Rgb(225, 222, 210);
    s.camoAmount = camo;
    s.camoScale = 5.0f;
    s.panelLines = lines;
    s.seed = seed;
    return s;
}

struct Maps {
    UvMap skin, side, glass, metal, accent, detail;
    Maps(const Vec3& lo, const Vec3& hi)
        : skin(Atlas::Map(Atlas::Top, lo, hi, UvMap::Around)), side(Atlas::Map(Atlas::Side, lo, hi)),
          glass(Atlas::Map(Atlas::Glass, lo, hi)), metal(Atlas::Map(Atlas::Metal, lo, hi)),
          accent(Atlas::Map(Atlas::Accent, lo, hi)), detail(Atlas::Map(Atlas::Detail, lo, hi))
    {
    }
};

void Mirrored(ForgeMesh& m, const std::function<void()>& build)
{
    const size_t v0 = m.verts.size(), t0 = m.tris.size();
    build();
    Prim::MirrorX(m, v0, t0);
}

// An even number of blades in the x-z plane around a hub on the y axis, with a spinner; the
// blades pair up across the hub so that the part's bounding-box centre, about which the game
// turns it, is the hub.
void Propeller(ForgeMesh& m, const Vec3& hub, float radius, int blades, const Maps& mp)
{
    for (int b = 0; b < blades; ++b) {
        const size_t v0 = m.verts.size();
        Prim::Box(m, hub + Vec3(radius / 2, 0, 0), Vec3(radius / 2, 0.04f, 0.1f), mp.metal, MatMetal, 0);
        Prim::Rotate(m, v0, 'y', 360.0f * b / blades, hub);
    }
    Prim::Loft(m, 'y', {{hub.y - 0.15f, hub.x, hub.z, 0.2f, 0.2f}, {hub.y + 0.35f, hub.x, hub.z, 0.0f, 0.0f}}, 8, mp.accent, MatAccent, 2);
}

// An even number of blades in the x-y plane around a vertical mast, symmetric so the group
// turns about its centre.
void Rotor(ForgeMesh& m, const Vec3& hub, float radius, int blades, const Maps& mp)
{
    for (int b = 0; b < blades; ++b) {
        const size_t v0 = m.verts.size();
        Prim::Box(m, hub + Vec3(radius / 2, 0, 0), Vec3(radius / 2, 0.12f, 0.025f), mp.metal, MatMetal, 0);
        Prim::Rotate(m, v0, 'z', 360.0f * b / blades, hub);
    }
    Prim::Cylinder(m, 'z', hub, 0.12f, 0.16f, 0.16f, 8, mp.metal, MatMetal, 4);
}

// Half a cylinder along y standing on z = z0: the arch of a hangar, closed at both ends.
void Arch(ForgeMesh& m, float x0, float z0, float r, float height, float y0, float y1, const UvMap& uv, int mat)
{
    const int seg = 10;
    std::vector<uint32_t> a, b;
    for (int s = 0; s <= seg; ++s) {
        const float th = 3.14159265f * s / seg;
        const Vec3 p0(x0 + r * std::cos(th), y0, z0 + height * std::sin(th)), p1(p0.x, y1, p0.z);
        float u, v;
        uv.Apply(p0, Vec3(std::cos(th), 0, std::sin(th)), u, v);
        a.push_back(m.AddVertex(p0, u, v));
        uv.Apply(p1, Vec3(std::cos(th), 0, std::sin(th)), u, v);
        b.push_back(m.AddVertex(p1, u, v));
    }
    for (int s = 0; s < seg; ++s) {
        m.AddTri(a[s], b[s], b[s + 1], 1, mat);   // outward: checked by the model tests
        m.AddTri(a[s], b[s + 1], a[s + 1], 1, mat);
    }
    // End walls as fans.
    for (int end = 0; end < 2; ++end) {
        const float y = end == 0 ? y0 : y1;
        float u, v;
        uv.Apply(Vec3(x0, y, z0), Vec3(0, end == 0 ? -1.0f : 1.0f, 0), u, v);
        const uint32_t c = m.AddVertex(Vec3(x0, y, z0), u, v);
        std::vector<uint32_t> rim;
        for (int s = 0; s <= seg; ++s) {
            const float th = 3.14159265f * s / seg;
            const Vec3 p(x0 + r * std::cos(th), y, z0 + height * std::sin(th));
            uv.Apply(p, Vec3(0, end == 0 ? -1.0f : 1.0f, 0), u, v);
            rim.push_back(m.AddVertex(p, u, v));
        }
        for (int s = 0; s < seg; ++s) {
            if (end == 0)
                m.AddTri(c, rim[s + 1], rim[s], 2, mat);
            else
                m.AddTri(c, rim[s], rim[s + 1], 2, mat);
        }
    }
}

// A gabled roof along y over a building of half width hw from z0, ridge at z0 + rise.
void Gable(ForgeMesh& m, float hw, float y0, float y1, float z0, float rise, const UvMap& uv, int mat)
{
    Prim::Slab(m, {-hw - 0.15f, z0, hw + 0.15f, z0, 0.0f, z0 + rise}, 'y', (y0 + y1) / 2, (y1 - y0) + 0.3f, uv, mat, 3);
}

// A drum standing upright.
void Drum(ForgeMesh& m, const Vec3& c, float r, float h, const Maps& mp, bool band = true)
{
    Prim::Cylinder(m, 'z', c, h, r, r, 10, mp.skin, MatSkin, 1);
    if (band)
        Prim::Cylinder(m, 'z', c + Vec3(0, 0, h * 0.22f), h * 0.12f, r * 1.04f, r * 1.04f, 10, mp.accent, MatAccent, 2, false);
}

// ---- Enemy planes --------------------------------------------------------------------------

ForgeModel PropFighter(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ep1", "e_plane1.tga", s);
    const Maps mp(Vec3(-5, -4, -1), Vec3(5, 4, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-3.8f, 0, 0.3f, 0.12f, 0.15f}, {-1.0f, 0, 0.1f, 0.45f, 0.5f}, {1.5f, 0, 0.0f, 0.55f, 0.55f},
                           {2.6f, 0, 0.0f, 0.5f, 0.5f}, {3.0f, 0, 0.0f, 0.4f, 0.4f}},
               8, mp.skin, MatSkin, 1, true, true);
    Prim::Ellipsoid(body, Vec3(0, 0.6f, 0.5f), Vec3(0.3f, 0.8f, 0.35f), 8, 5, mp.glass, MatGlass, 2);
    Mirrored(body, [&] { Prim::Slab(body, {0.4f, 1.6f, 4.6f, 0.9f, 4.6f, 0.2f, 0.4f, 0.0f}, 'z', -0.15f, 0.14f, mp.skin, MatSkin, 4); });
    Mirrored(body, [&] { Prim::Slab(body, {0.1f, -2.8f, 1.6f, -3.2f, 1.6f, -3.7f, 0.1f, -3.8f}, 'z', 0.3f, 0.08f, mp.skin, MatSkin, 8); });
    Prim::Slab(body, {-2.6f, 0.5f, -3.5f, 1.6f, -3.9f, 1.6f, -3.9f, 0.4f}, 'x', 0.0f, 0.08f, mp.skin, MatSkin, 16);
    ForgeMesh& prop = m.AddMesh("propeller");
    Propeller(prop, Vec3(0, 3.1f, 0), 1.1f, 4, mp);
    return m;
}

ForgeModel TwinBomber(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ep2", "e_plane2.tga", s);
    const Maps mp(Vec3(-6, -5, -1), Vec3(6, 5, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-4.6f, 0, 0.35f, 0.15f, 0.2f}, {-2.0f, 0, 0.15f, 0.55f, 0.65f}, {1.5f, 0, 0.0f, 0.7f, 0.72f},
                           {3.4f, 0, -0.05f, 0.55f, 0.55f}, {4.3f, 0, -0.1f, 0.0f, 0.0f}},
               10, mp.skin, MatSkin, 1);
    Prim::Ellipsoid(body, Vec3(0, 3.2f, 0.1f), Vec3(0.45f, 0.9f, 0.45f), 8, 5, mp.glass, MatGlass, 2);   // glazed nose
    Mirrored(body, [&] { Prim::Slab(body, {0.5f, 1.4f, 6.0f, 0.6f, 6.0f, -0.2f, 0.5f, -0.6f}, 'z', 0.3f, 0.18f, mp.skin, MatSkin, 4); });
    Mirrored(body, [&] { Prim::Slab(body, {0.1f, -3.6f, 2.2f, -3.9f, 2.2f, -4.5f, 0.1f, -4.6f}, 'z', 0.35f, 0.08f, mp.skin, MatSkin, 8); });
    Mirrored(body, [&] { Prim::Slab(body, {-3.7f, 0.4f, -4.2f, 1.5f, -4.6f, 1.5f, -4.6f, 0.4f}, 'x', 2.2f, 0.08f, mp.skin, MatSkin, 16); });
    Mirrored(body, [&] { Prim::Loft(body, 'y', {{-1.2f, 2.2f, 0.25f, 0.2f, 0.2f}, {0.6f, 2.2f, 0.25f, 0.35f, 0.35f}, {1.8f, 2.2f, 0.25f, 0.3f, 0.3f}}, 8, mp.metal, MatMetal, 32); });
    ForgeMesh& p1 = m.AddMesh("propeller1");
    Propeller(p1, Vec3(-2.2f, 1.95f, 0.25f), 1.0f, 4, mp);
    ForgeMesh& p2 = m.AddMesh("propeller2");
    Propeller(p2, Vec3(2.2f, 1.95f, 0.25f), 1.0f, 4, mp);
    return m;
}

ForgeModel DeltaJet(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ep3", "e_plane3.tga", s);
    const Maps mp(Vec3(-4, -5, -1), Vec3(4, 5, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-4.4f, 0, 0.1f, 0.42f, 0.4f}, {-1.0f, 0, 0.1f, 0.5f, 0.5f}, {2.0f, 0, 0.05f, 0.45f, 0.45f},
                           {3.8f, 0, 0.0f, 0.22f, 0.22f}, {4.8f, 0, 0.0f, 0.0f, 0.0f}},
               8, mp.skin, MatSkin, 1);
    Prim::Ellipsoid(body, Vec3(0, 2.0f, 0.42f), Vec3(0.26f, 0.8f, 0.28f), 8, 5, mp.glass, MatGlass, 2);
    Mirrored(body, [&] { Prim::Slab(body, {0.4f, 1.5f, 3.6f, -3.4f, 3.6f, -3.8f, 0.4f, -3.9f}, 'z', 0.0f, 0.12f, mp.skin, MatSkin, 4); });
    Prim::Slab(body, {-1.8f, 0.45f, -3.9f, 2.4f, -4.4f, 2.4f, -4.4f, 0.45f}, 'x', 0.0f, 0.1f, mp.skin, MatSkin, 16);
    Prim::Cylinder(body, 'y', Vec3(0, -4.45f, 0.1f), 0.3f, 0.36f, 0.3f, 8, mp.metal, MatMetal, 32);
    return m;
}

ForgeModel HeavyAttacker(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ep4", "e_plane4.tga", s);
    const Maps mp(Vec3(-6, -5, -1), Vec3(6, 5, 3));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-4.5f, 0, 0.3f, 0.2f, 0.25f}, {-2.0f, 0, 0.15f, 0.55f, 0.6f}, {1.8f, 0, 0.05f, 0.6f, 0.65f},
                           {3.6f, 0, 0.0f, 0.4f, 0.4f}, {4.6f, 0, -0.05f, 0.0f, 0.0f}},
               10, mp.skin, MatSkin, 1);
    Prim::Ellipsoid(body, Vec3(0, 2.4f, 0.5f), Vec3(0.34f, 0.9f, 0.34f), 8, 5, mp.glass, MatGlass, 2);
    Mirrored(body, [&] { Prim::Slab(body, {0.5f, 1.2f, 5.6f, -1.6f, 5.6f, -2.4f, 0.5f, -1.2f}, 'z', 0.35f, 0.16f, mp.skin, MatSkin, 4); });
    // T tail: fin and the stabiliser on top of it.
    Prim::Slab(body, {-2.8f, 0.4f, -4.0f, 2.2f, -4.6f, 2.2f, -4.5f, 0.4f}, 'x', 0.0f, 0.1f, mp.skin, MatSkin, 16);
    Mirrored(body, [&] { Prim::Slab(body, {0.0f, -3.8f, 1.9f, -4.3f, 1.9f, -4.7f, 0.0f, -4.7f}, 'z', 2.2f, 0.08f, mp.skin, MatSkin, 8); });
    Mirrored(body, [&] {
        Prim::Loft(body, 'y', {{-1.6f, 2.3f, -0.05f, 0.3f, 0.3f}, {0.0f, 2.3f, -0.05f, 0.42f, 0.42f}, {1.4f, 2.3f, -0.05f, 0.38f, 0.38f}}, 10,
                   mp.metal, MatMetal, 32);
    });
    return m;
}

// ---- Helicopters -----------------------------------------------------------------------------

ForgeModel ScoutHeli(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eh1", "e_helicop1.tga", s);
    const Maps mp(Vec3(-3, -4, -1), Vec3(3, 3, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Ellipsoid(body, Vec3(0, 0.9f, 0.3f), Vec3(0.75f, 1.0f, 0.75f), 10, 6, mp.glass, MatGlass, 1);
    Prim::Loft(body, 'y', {{-0.8f, 0, 0.3f, 0.7f, 0.7f}, {0.3f, 0, 0.3f, 0.72f, 0.72f}}, 10, mp.skin, MatSkin, 2);
    Prim::Loft(body, 'y', {{-3.8f, 0, 0.55f, 0.08f, 0.1f}, {-0.8f, 0, 0.45f, 0.25f, 0.3f}}, 8, mp.skin, MatSkin, 4);
    Prim::Slab(body, {-3.4f, 0.5f, -3.9f, 1.3f, -4.1f, 1.3f, -3.9f, 0.4f}, 'x', 0.0f, 0.08f, mp.skin, MatSkin, 8);
    Prim::Box(body, Vec3(0.12f, -3.8f, 0.65f), Vec3(0.02f, 0.06f, 0.4f), mp.metal, MatMetal, 0);   // tail rotor
    Mirrored(body, [&] {
        Prim::Cylinder(body, 'y', Vec3(0.55f, 0.2f, -0.65f), 2.4f, 0.06f, 0.06f, 6, mp.metal, MatMetal, 16);
        Prim::Box(body, Vec3(0.5f, 0.7f, -0.35f), Vec3(0.03f, 0.04f, 0.3f), mp.metal, MatMetal, 0);
        Prim::Box(body, Vec3(0.5f, -0.4f, -0.35f), Vec3(0.03f, 0.04f, 0.3f), mp.metal, MatMetal, 0);
    });
    Prim::Cylinder(body, 'z', Vec3(0, 0.1f, 1.15f), 0.35f, 0.1f, 0.1f, 6, mp.metal, MatMetal, 32);
    ForgeMesh& rotor = m.AddMesh("rotor");
    Rotor(rotor, Vec3(0, 0.1f, 1.35f), 3.0f, 2, mp);
    return m;
}

ForgeModel Gunship(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eh2", "e_helicop2.tga", s);
    const Maps mp(Vec3(-4, -6, -1), Vec3(4, 4, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-5.6f, 0, 0.7f, 0.12f, 0.14f}, {-2.4f, 0, 0.55f, 0.3f, 0.35f}, {-1.0f, 0, 0.35f, 0.75f, 0.8f},
                           {1.2f, 0, 0.3f, 0.8f, 0.85f}, {2.6f, 0, 0.1f, 0.55f, 0.6f}, {3.4f, 0, 0.0f, 0.25f, 0.3f}},
               10, mp.skin, MatSkin, 1);
    Prim::Ellipsoid(body, Vec3(0, 2.7f, 0.2f), Vec3(0.4f, 0.6f, 0.35f), 8, 5, mp.glass, MatGlass, 2);
    Prim::Ellipsoid(body, Vec3(0, 1.9f, 0.6f), Vec3(0.45f, 0.6f, 0.4f), 8, 5, mp.glass, MatGlass, 2);
    Mirrored(body, [&] {
        Prim::Slab(body, {0.6f, 0.6f, 2.3f, 0.4f, 2.3f, -0.4f, 0.6f, -0.6f}, 'z', 0.0f, 0.1f, mp.skin, MatSkin, 4);
        Prim::Cylinder(body, 'y', Vec3(1.6f, 0.0f, -0.25f), 1.2f, 0.22f, 0.22f, 8, mp.metal, MatMetal, 8);
        Prim::Cylinder(body, 'y', Vec3(2.25f, 0.0f, -0.15f), 1.0f, 0.12f, 0.12f, 8, mp.accent, MatAccent, 8);
    });
    Prim::Slab(body, {-4.9f, 0.6f, -5.5f, 1.8f, -5.9f, 1.8f, -5.8f, 0.5f}, 'x', 0.0f, 0.1f, mp.skin, MatSkin, 16);
    Prim::Box(body, Vec3(0.15f, -5.6f, 1.2f), Vec3(0.02f, 0.08f, 0.7f), mp.metal, MatMetal, 0);
    Prim::Box(body, Vec3(0.0f, 0.2f, 1.15f), Vec3(0.5f, 1.2f, 0.25f), mp.skin, MatSkin, 0, 0.0f);   // engine deck
    Prim::Cylinder(body, 'z', Vec3(0, 0.2f, 1.55f), 0.4f, 0.12f, 0.12f, 6, mp.metal, MatMetal, 32);
    ForgeMesh& rotor = m.AddMesh("rotor");
    Rotor(rotor, Vec3(0, 0.2f, 1.78f), 3.8f, 4, mp);
    return m;
}

// ---- Boats -----------------------------------------------------------------------------------

void Hull(ForgeMesh& m, float length, float beam, float depth, const Maps& mp)
{
    const float h = length / 2;
    Prim::Loft(m, 'y', {{-h, 0, 0.0f, beam * 0.85f, depth}, {-h * 0.3f, 0, 0.0f, beam, depth}, {h * 0.5f, 0, 0.0f, beam * 0.9f, depth},
                        {h * 0.85f, 0, 0.05f, beam * 0.5f, depth * 0.9f}, {h, 0, 0.15f, 0.02f, depth * 0.6f}},
               10, mp.side, MatSkin, 1);
    Prim::Slab(m, {-beam * 0.85f, -h, beam * 0.85f, -h, beam * 0.9f, h * 0.5f, beam * 0.5f, h * 0.85f, 0.0f, h * 0.98f,
                   -beam * 0.5f, h * 0.85f, -beam * 0.9f, h * 0.5f},
              'z', depth * 0.55f, 0.08f, mp.detail, MatDetail, 2);   // deck
}

void Turret(ForgeMesh& m, const Vec3& at, float size, const Maps& mp, float barrelDir = 1.0f)
{
    Prim::Cylinder(m, 'z', at, size * 0.5f, size * 0.55f, size * 0.45f, 8, mp.skin, MatSkin, 4);
    Prim::Cylinder(m, 'y', at + Vec3(0, barrelDir * size * 0.9f, 0.05f), size * 1.2f, size * 0.1f, size * 0.08f, 6, mp.metal, MatMetal, 8);
}

ForgeModel PatrolBoat(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eb1", "e_boat1.tga", s);
    const Maps mp(Vec3(-2, -3.5f, -1), Vec3(2, 3.5f, 2));
    ForgeMesh& body = m.AddMesh("body");
    Hull(body, 6.0f, 0.9f, 0.5f, mp);
    Prim::Box(body, Vec3(0, -0.4f, 0.75f), Vec3(0.55f, 0.9f, 0.32f), mp.skin, MatSkin, 0);
    Prim::Box(body, Vec3(0, 0.1f, 0.9f), Vec3(0.5f, 0.25f, 0.2f), mp.glass, MatGlass, 0);
    Prim::Cylinder(body, 'z', Vec3(0, -0.6f, 1.4f), 0.7f, 0.04f, 0.04f, 6, mp.metal, MatMetal, 8);
    Turret(body, Vec3(0, 1.6f, 0.7f), 0.5f, mp);
    return m;
}

ForgeModel Gunboat(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eb2", "e_boat2.tga", s);
    const Maps mp(Vec3(-2, -4.5f, -1), Vec3(2, 4.5f, 3));
    ForgeMesh& body = m.AddMesh("body");
    Hull(body, 8.0f, 1.1f, 0.6f, mp);
    Prim::Box(body, Vec3(0, -0.6f, 0.95f), Vec3(0.75f, 1.4f, 0.4f), mp.skin, MatSkin, 0);
    Prim::Box(body, Vec3(0, 0.1f, 1.5f), Vec3(0.55f, 0.5f, 0.2f), mp.skin, MatSkin, 0);
    Prim::Box(body, Vec3(0, 0.45f, 1.55f), Vec3(0.5f, 0.12f, 0.12f), mp.glass, MatGlass, 0);
    Prim::Cylinder(body, 'z', Vec3(0, -0.2f, 2.2f), 1.2f, 0.05f, 0.04f, 6, mp.metal, MatMetal, 8);
    Turret(body, Vec3(0, 2.3f, 0.8f), 0.7f, mp);
    Turret(body, Vec3(0, -2.6f, 0.8f), 0.6f, mp, -1.0f);
    return m;
}

ForgeModel Submarine(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eb3", "e_boat3.tga", s);
    const Maps mp(Vec3(-2, -6, -1), Vec3(2, 6, 2));
    ForgeMesh& body = m.AddMesh("body");
    Prim::Loft(body, 'y', {{-5.6f, 0, 0, 0.05f, 0.05f}, {-4.0f, 0, 0, 0.5f, 0.5f}, {3.0f, 0, 0, 0.75f, 0.75f},
                           {4.8f, 0, 0, 0.55f, 0.55f}, {5.6f, 0, 0, 0.0f, 0.0f}},
               12, mp.side, MatSkin, 1);
    Prim::Loft(body, 'y', {{0.6f, 0, 1.05f, 0.22f, 0.45f}, {2.4f, 0, 1.05f, 0.25f, 0.45f}}, 8, mp.skin, MatSkin, 2);   // sail
    Mirrored(body, [&] { Prim::Slab(body, {0.2f, 1.9f, 0.9f, 1.7f, 0.9f, 1.4f, 0.2f, 1.3f}, 'z', 1.1f, 0.06f, mp.skin, MatSkin, 4); });
    Mirrored(body, [&] { Prim::Slab(body, {0.3f, -4.4f, 1.3f, -4.9f, 1.3f, -5.2f, 0.3f, -5.2f}, 'z', 0.0f, 0.06f, mp.skin, MatSkin, 8); });
    Prim::Slab(body, {-4.4f, 0.3f, -5.2f, 1.1f, -5.4f, 1.1f, -5.4f, -1.1f, -5.2f, -1.1f, -4.4f, -0.3f}, 'x', 0.0f, 0.06f, mp.skin, MatSkin, 16);
    Prim::Cylinder(body, 'z', Vec3(0, 1.6f, 1.85f), 0.6f, 0.04f, 0.04f, 6, mp.metal, MatMetal, 32);   // periscope
    return m;
}

ForgeModel Destroyer(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "eb4", "e_boat4.tga", s);
    const Maps mp(Vec3(-2, -6.5f, -1), Vec3(2, 6.5f, 4));
    ForgeMesh& body = m.AddMesh("body");
    Hull(body, 12.0f, 1.2f, 0.7f, mp);
    Prim::Box(body, Vec3(0, 0.2f, 1.1f), Vec3(0.85f, 2.6f, 0.45f), mp.skin, MatSkin, 0);
    Prim::Box(body, Vec3(0, 1.6f, 1.85f), Vec3(0.6f, 0.8f, 0.35f), mp.skin, MatSkin, 0);
    Prim::Box(body, Vec3(0, 2.35f, 1.95f), Vec3(0.55f, 0.1f, 0.12f), mp.glass, MatGlass, 0);
    Prim::Cylinder(body, 'z', Vec3(0, 1.4f, 2.9f), 1.6f, 0.07f, 0.05f, 6, mp.metal, MatMetal, 8);                  // mast
    Prim::Box(body, Vec3(0, 1.4f, 3.3f), Vec3(0.45f, 0.04f, 0.04f), mp.metal, MatMetal, 0);                         // yard
    Prim::Loft(body, 'z', {{1.5f, 0, -0.6f, 0.35f, 0.5f}, {2.7f, 0, -0.6f, 0.3f, 0.45f}}, 8, mp.metal, MatMetal, 16); // funnel
    Prim::Box(body, Vec3(0, -1.8f, 1.75f), Vec3(0.4f, 0.35f, 0.25f), mp.accent, MatAccent, 0);                      // launcher
    Turret(body, Vec3(0, 3.6f, 0.95f), 0.8f, mp);
    Turret(body, Vec3(0, -3.6f, 0.95f), 0.8f, mp, -1.0f);
    return m;
}

// ---- Anti-aircraft sites: the body first, the turret as the first child part -----------------

ForgeModel MissileSite(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ea1", "e_aad1.tga", s);
    const Maps mp(Vec3(-2.5f, -2.5f, 0), Vec3(2.5f, 2.5f, 2));
    ForgeMesh& base = m.AddMesh("base");
    Prim::Cylinder(base, 'z', Vec3(0, 0, 0.2f), 0.4f, 2.2f, 2.0f, 8, mp.detail, MatDetail, 1);
    for (int i = 0; i < 8; ++i) {   // sandbags around the pad
        const size_t v0 = base.verts.size();
        Prim::Box(base, Vec3(2.1f, 0, 0.55f), Vec3(0.22f, 0.6f, 0.18f), mp.skin, MatSkin, 0);
        Prim::Rotate(base, v0, 'z', 45.0f * i + 22.5f, Vec3(0, 0, 0));
    }
    ForgeMesh& turret = m.AddMesh("turret");
    Prim::Cylinder(turret, 'z', Vec3(0, 0, 0.65f), 0.5f, 0.5f, 0.45f, 8, mp.metal, MatMetal, 2);
    Prim::Box(turret, Vec3(0, 0, 1.1f), Vec3(0.9f, 0.5f, 0.15f), mp.skin, MatSkin, 0);
    for (float x : {-0.6f, -0.2f, 0.2f, 0.6f}) {
        Prim::Cylinder(turret, 'y', Vec3(x, 0.3f, 1.45f), 2.2f, 0.17f, 0.17f, 8, mp.skin, MatSkin, 4);
        Prim::Loft(turret, 'y', {{1.4f, x, 1.45f, 0.15f, 0.15f}, {1.8f, x, 1.45f, 0.0f, 0.0f}}, 8, mp.accent, MatAccent, 8);
    }
    return m;
}

ForgeModel FlakSite(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "ea2", "e_aad2.tga", s);
    const Maps mp(Vec3(-2.5f, -2.5f, 0), Vec3(2.5f, 2.5f, 2));
    ForgeMesh& base = m.AddMesh("base");
    Prim::Cylinder(base, 'z', Vec3(0, 0, 0.3f), 0.6f, 2.0f, 1.7f, 10, mp.detail, MatDetail, 1);
    Prim::Box(base, Vec3(-1.6f, -1.4f, 0.55f), Vec3(0.4f, 0.3f, 0.25f), mp.metal, MatMetal, 0);   // ammunition boxes
    Prim::Box(base, Vec3(1.5f, -1.5f, 0.55f), Vec3(0.3f, 0.35f, 0.25f), mp.metal, MatMetal, 0);
    ForgeMesh& turret = m.AddMesh("turret");
    Prim::Ellipsoid(turret, Vec3(0, 0, 1.0f), Vec3(0.85f, 0.85f, 0.55f), 10, 6, mp.skin, MatSkin, 2);
    Prim::Box(turret, Vec3(0, 0.5f, 1.1f), Vec3(0.45f, 0.35f, 0.25f), mp.skin, MatSkin, 0);
    for (float x : {-0.22f, 0.22f}) {
        Prim::Cylinder(turret, 'y', Vec3(x, 1.7f, 1.2f), 2.4f, 0.09f, 0.07f, 6, mp.metal, MatMetal, 4);
        Prim::Cylinder(turret, 'y', Vec3(x, 2.9f, 1.2f), 0.25f, 0.12f, 0.12f, 6, mp.metal, MatMetal, 8);   // muzzle brakes
    }
    return m;
}

// ---- Fuel depot and barrel stacks -------------------------------------------------------------

ForgeModel FuelDepot(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "fuel", "fuel.tga", s);
    const Maps mp(Vec3(-2, -2, -1), Vec3(2, 2, 2));
    // A hovering pallet carrying a big tank ringed by four drums; the pieces fly apart when shot.
    ForgeMesh& pallet = m.AddMesh("pallet");
    Prim::Box(pallet, Vec3(0, 0, -0.6f), Vec3(1.7f, 1.7f, 0.1f), mp.metal, MatMetal, 0);
    for (float x : {-1.6f, 1.6f})
        Prim::Box(pallet, Vec3(x, 0, -0.35f), Vec3(0.06f, 1.7f, 0.18f), mp.accent, MatAccent, 0);
    ForgeMesh& tank = m.AddMesh("tank");
    Prim::Cylinder(tank, 'z', Vec3(0, 0, 0.5f), 2.0f, 0.75f, 0.75f, 12, mp.skin, MatSkin, 1);
    Prim::Ellipsoid(tank, Vec3(0, 0, 1.5f), Vec3(0.75f, 0.75f, 0.3f), 12, 4, mp.skin, MatSkin, 1);
    for (float z : {0.0f, 1.0f})
        Prim::Cylinder(tank, 'z', Vec3(0, 0, z), 0.2f, 0.78f, 0.78f, 12, mp.accent, MatAccent, 2, false);
    const Vec3 drums[4] = {{1.15f, 1.15f, -0.05f}, {-1.15f, 1.15f, -0.05f}, {-1.15f, -1.15f, -0.05f}, {1.15f, -1.15f, -0.05f}};
    for (int i = 0; i < 4; ++i) {
        ForgeMesh& d = m.AddMesh("drum" + std::to_string(i + 1));
        Drum(d, drums[i], 0.38f, 0.95f, mp);
    }
    return m;
}

ForgeModel BarrelStack(const PaintScheme& s, int kind)
{
    ForgeModel m;
    AddAtlasMaterials(m, "brl" + std::to_string(kind + 1), "barrel" + std::to_string(kind + 1) + ".tga", s);
    const Maps mp(Vec3(-2, -2, -1), Vec3(2, 2, 2));
    ForgeMesh& pallet = m.AddMesh("pallet");
    const float r = 0.42f, h = 1.1f;
    std::vector<Vec3> at;
    if (kind == 0) {   // three in a row
        at = {{-0.9f, 0, 0}, {0, 0, 0}, {0.9f, 0, 0}};
    } else if (kind == 1) {   // three below, two on top
        at = {{-0.9f, 0, 0}, {0, 0, 0}, {0.9f, 0, 0}, {-0.45f, 0, h + 0.05f}, {0.45f, 0, h + 0.05f}};
    } else {   // a block of six
        at = {{-0.45f, -0.45f, 0}, {0.45f, -0.45f, 0}, {-0.45f, 0.45f, 0}, {0.45f, 0.45f, 0}, {0, -0.45f, h + 0.05f}, {0, 0.45f, h + 0.05f}};
    }
    float lo = 1e9f, hi = -1e9f;
    for (const Vec3& p : at) {
        lo = std::min(lo, p.x);
        hi = std::max(hi, p.x);
    }
    Prim::Box(pallet, Vec3((lo + hi) / 2, 0, -h / 2 - 0.08f), Vec3((hi - lo) / 2 + r + 0.1f, kind == 2 ? 0.98f : 0.55f, 0.08f), mp.detail,
              MatDetail, 0);
    for (size_t i = 0; i < at.size(); ++i) {
        ForgeMesh& d = m.AddMesh("barrel" + std::to_string(i + 1));
        Drum(d, at[i], r, h, mp);
    }
    return m;
}

// ---- Buildings --------------------------------------------------------------------------------

ForgeModel Garage(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "gar", "garage.tga", s);
    const Maps mp(Vec3(-3, -2, 0), Vec3(3, 2, 2));
    ForgeMesh& b = m.AddMesh("garage");
    Prim::Box(b, Vec3(0, 0, 0.6f), Vec3(2.4f, 1.6f, 0.6f), mp.side, MatSkin, 0);
    Gable(b, 2.4f, -1.6f, 1.6f, 1.2f, 0.7f, mp.accent, MatAccent);
    for (float x : {-1.2f, 0.0f, 1.2f})
        Prim::Box(b, Vec3(x, 1.62f, 0.45f), Vec3(0.45f, 0.04f, 0.45f), mp.metal, MatMetal, 0);   // doors
    return m;
}

ForgeModel Armoury(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "arm", "armry.tga", s);
    const Maps mp(Vec3(-3, -3, 0), Vec3(3, 3, 2));
    ForgeMesh& b = m.AddMesh("armoury");
    // A low concrete bunker with sloped walls, a blast door and a red warning band: a square
    // frustum turned to face y, then stretched along x.
    Prim::Loft(b, 'z', {{0.0f, 0, 0, 2.8f, 2.8f}, {0.9f, 0, 0, 2.3f, 2.3f}}, 4, mp.detail, MatDetail, 1);
    Prim::Cylinder(b, 'z', Vec3(0, 0, 0.55f), 0.18f, 2.53f, 2.5f, 4, mp.accent, MatAccent, 2, false);
    Prim::Rotate(b, 0, 'z', 45.0f, Vec3(0, 0, 0));
    for (Vec3& v : b.verts)
        v.x *= 1.3f;
    Prim::Box(b, Vec3(0, 1.8f, 0.38f), Vec3(0.55f, 0.16f, 0.38f), mp.metal, MatMetal, 0);
    Prim::Box(b, Vec3(0.9f, -0.5f, 1.0f), Vec3(0.3f, 0.3f, 0.15f), mp.metal, MatMetal, 0);   // vent
    Prim::Cylinder(b, 'z', Vec3(-1.0f, -0.4f, 1.5f), 1.2f, 0.03f, 0.03f, 4, mp.metal, MatMetal, 4);   // antenna
    return m;
}

ForgeModel CargoStack(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "crg1", "cargo1.tga", s);
    const Maps mp(Vec3(-3, -3, 0), Vec3(3, 3, 2));
    ForgeMesh& b = m.AddMesh("containers");
    const UvMap* paints[4] = {&mp.side, &mp.accent, &mp.metal, &mp.detail};
    const int mats[4] = {MatSkin, MatAccent, MatMetal, MatDetail};
    const Vec3 boxes[5] = {{-1.3f, -0.7f, 0.45f}, {-1.3f, 0.7f, 0.45f}, {1.3f, -0.7f, 0.45f}, {1.3f, 0.7f, 0.45f}, {0.0f, 0.0f, 1.35f}};
    for (int i = 0; i < 5; ++i)
        Prim::Box(b, boxes[i], Vec3(1.2f, 0.62f, 0.45f), *paints[i % 4], mats[i % 4], 0, i == 4 ? 90.0f : 0.0f);
    return m;
}

ForgeModel Warehouse(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "crg2", "cargo2.tga", s);
    const Maps mp(Vec3(-3, -3, 0), Vec3(3, 3, 2));
    ForgeMesh& b = m.AddMesh("warehouse");
    Prim::Box(b, Vec3(0, -0.5f, 0.7f), Vec3(2.0f, 1.5f, 0.7f), mp.side, MatSkin, 0);
    Prim::Slab(b, {-2.2f, 1.35f, 2.2f, 1.35f, 2.2f, 1.75f, -2.2f, 1.55f}, 'y', -0.5f, 3.4f, mp.metal, MatMetal, 3);   // pent roof
    Prim::Box(b, Vec3(0, 1.02f, 0.5f), Vec3(0.8f, 0.04f, 0.5f), mp.metal, MatMetal, 0);
    for (int i = 0; i < 5; ++i)   // crates in the yard
        Prim::Box(b, Vec3(-1.6f + i * 0.75f, 1.8f + (i % 2) * 0.2f, 0.25f), Vec3(0.3f, 0.3f, 0.25f), mp.accent, MatAccent, 0, i * 17.0f);
    return m;
}

ForgeModel ArchHangar(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "hng1", "hangar1.tga", s);
    const Maps mp(Vec3(-3, -4, 0), Vec3(3, 4, 2));
    ForgeMesh& b = m.AddMesh("hangar");
    Arch(b, 0.0f, 0.0f, 2.2f, 1.5f, -3.2f, 3.2f, mp.side, MatSkin);
    Prim::Box(b, Vec3(0, 3.22f, 0.55f), Vec3(1.3f, 0.04f, 0.55f), mp.metal, MatMetal, 0);   // doors
    Prim::Box(b, Vec3(0, 3.25f, 1.15f), Vec3(0.5f, 0.03f, 0.1f), mp.accent, MatAccent, 0);
    return m;
}

ForgeModel BoxHangar(const PaintScheme& s)
{
    ForgeModel m;
    AddAtlasMaterials(m, "hng2", "hangar2.tga", s);
    const Maps mp(Vec3(-4, -4, 0), Vec3(4, 4, 3));
    ForgeMesh& b = m.AddMesh("hangar");
    Prim::Box(b, Vec3(0, 0, 0.75f), Vec3(2.4f, 3.0f, 0.75f), mp.side, MatSkin, 0);
    Gable(b, 2.4f, -3.0f, 3.0f, 1.5f, 0.45f, mp.metal, MatMetal);
    Prim::Box(b, Vec3(0, 3.02f, 0.6f), Vec3(1.8f, 0.04f, 0.6f), mp.metal, MatMetal, 0);
    // Control tower beside it.
    Prim::Box(b, Vec3(3.2f, 1.8f, 0.9f), Vec3(0.5f, 0.5f, 0.9f), mp.detail, MatDetail, 0);
    Prim::Box(b, Vec3(3.2f, 1.8f, 1.95f), Vec3(0.65f, 0.65f, 0.18f), mp.glass, MatGlass, 0);
    Prim::Box(b, Vec3(3.2f, 1.8f, 2.2f), Vec3(0.7f, 0.7f, 0.06f), mp.accent, MatAccent, 0);
    return m;
}

struct UnitSpec {
    std::string path;        // "dat/e_plane1" without extension
    std::string name;        // picture name
    ForgeModel model;
    PaintScheme paint;
    float scale;
    bool shadow;
    std::string shadowPath;
};

void WriteUnit(ForgeFiles& files, const UnitSpec& u)
{
    const auto M = ForgeFiles::Pack::Main;
    const std::string dir = u.path.substr(0, u.path.find_last_of('/') + 1);
    const std::string tex = dir + u.model.materials[0].texture;
    const Image atlas = Atlas::Paint(u.paint, 128);
    files.AddText(M, u.path + ".obj", WriteObj(u.model));
    files.Add(M, tex, WriteTga(atlas, 24));
    ParamText p;
    p.Comment(u.name);
    p.Set("faces_file_name", u.path + ".obj");
    p.Set("tex_file_name", tex);
    p.SetInt("tex_wrap", 0);
    p.SetInt("tex_dynamic", 1);
    p.SetFloat("scale", u.scale);
    p.SetInt("show_normales", 1);
    files.Add(M, u.path + ".unt", p.Bytes(), true);
    if (u.shadow)
        files.Add(M, u.shadowPath, WriteTga(ShadowPicture(u.model, 128, 3), 32));
    AddModelPicture(files, u.path.substr(u.path.find_last_of('/') + 1), u.model, atlas);
}

} // namespace

std::vector<UnitModel> AllUnitModels()
{
    const PaintScheme green = Scheme(Rgb(92, 104, 66), Rgb(70, 82, 52), Rgb(120, 112, 80), Rgb(150, 160, 150), Rgb(190, 40, 30), 101);
    const PaintScheme olive = Scheme(Rgb(70, 80, 56), Rgb(56, 64, 44), Rgb(92, 92, 64), Rgb(110, 120, 100), Rgb(200, 60, 30), 102);
    const PaintScheme steel = Scheme(Rgb(118, 128, 140), Rgb(100, 110, 124), Rgb(136, 144, 150), Rgb(170, 176, 182), Rgb(200, 30, 30), 103);
    const PaintScheme desert = Scheme(Rgb(176, 152, 104), Rgb(150, 120, 80), Rgb(196, 176, 130), Rgb(200, 190, 160), Rgb(120, 40, 30), 104);
    const PaintScheme navy = Scheme(Rgb(112, 118, 126), Rgb(112, 118, 126), Rgb(112, 118, 126), Rgb(70, 74, 80), Rgb(150, 40, 40), 105, 0.0f);
    const PaintScheme sub = Scheme(Rgb(64, 70, 76), Rgb(60, 66, 72), Rgb(70, 76, 82), Rgb(40, 42, 46), Rgb(140, 30, 30), 106, 0.0f, false);
    PaintScheme patrol = Scheme(Rgb(222, 222, 214), Rgb(222, 222, 214), Rgb(222, 222, 214), Rgb(176, 64, 40), Rgb(60, 60, 64), 117, 0.0f, false);
    patrol.detail = Rgb(150, 110, 70);
    const PaintScheme camoGround = Scheme(Rgb(104, 106, 80), Rgb(84, 90, 62), Rgb(128, 118, 88), Rgb(120, 118, 96), Rgb(170, 150, 60), 107);
    const PaintScheme fuel = Scheme(Rgb(228, 190, 40), Rgb(228, 190, 40), Rgb(228, 190, 40), Rgb(220, 180, 40), Rgb(200, 40, 30), 108, 0.0f, false);
    const PaintScheme barrels[3] = {
        Scheme(Rgb(196, 60, 40), Rgb(196, 60, 40), Rgb(196, 60, 40), Rgb(180, 56, 38), Rgb(236, 220, 80), 109, 0.0f, false),
        Scheme(Rgb(60, 96, 150), Rgb(60, 96, 150), Rgb(60, 96, 150), Rgb(56, 88, 140), Rgb(230, 230, 230), 110, 0.0f, false),
        Scheme(Rgb(70, 110, 60), Rgb(70, 110, 60), Rgb(70, 110, 60), Rgb(64, 100, 56), Rgb(230, 200, 60), 111, 0.0f, false)};
    const PaintScheme brick = Scheme(Rgb(156, 96, 74), Rgb(140, 86, 66), Rgb(170, 110, 84), Rgb(170, 120, 96), Rgb(110, 60, 50), 112, 0.3f);
    const PaintScheme concrete = Scheme(Rgb(150, 150, 142), Rgb(136, 136, 128), Rgb(164, 162, 152), Rgb(160, 158, 150), Rgb(190, 40, 30), 113, 0.3f);
    const PaintScheme containers = Scheme(Rgb(40, 100, 150), Rgb(40, 100, 150), Rgb(40, 100, 150), Rgb(40, 100, 150), Rgb(200, 90, 30), 114, 0.0f);
    const PaintScheme shed = Scheme(Rgb(150, 140, 120), Rgb(140, 128, 110), Rgb(160, 150, 130), Rgb(176, 168, 150), Rgb(150, 110, 60), 115, 0.2f);
    const PaintScheme hangar = Scheme(Rgb(120, 128, 110), Rgb(100, 110, 90), Rgb(140, 140, 120), Rgb(134, 140, 124), Rgb(220, 200, 60), 116, 0.5f);

    std::vector<UnitModel> u;
    u.push_back({"dat/e_plane1", "enemy plane 1: propeller fighter", PropFighter(green), green, 0.75f, "dat/e_plane1_shad.tga"});
    u.push_back({"dat/e_plane2", "enemy plane 2: twin-propeller bomber", TwinBomber(olive), olive, 1.0f, "dat/e_plane2_shad.tga"});
    u.push_back({"dat/e_plane3", "enemy plane 3: delta-wing jet", DeltaJet(steel), steel, 0.75f, "dat/e_plane3_shad.tga"});
    u.push_back({"dat/e_plane4", "enemy plane 4: heavy twin-jet attacker", HeavyAttacker(desert), desert, 0.95f, "dat/e_plane4_shad.tga"});
    u.push_back({"dat/e_helicop1", "enemy helicopter 1: scout", ScoutHeli(green), green, 0.8f, "dat/e_helicop1_shad.tga"});
    u.push_back({"dat/e_helicop2", "enemy helicopter 2: gunship", Gunship(olive), olive, 1.1f, "dat/e_helicop2_shad.tga"});
    u.push_back({"dat/e_boat1", "boat 1: patrol boat", PatrolBoat(patrol), patrol, 0.8f, ""});
    u.push_back({"dat/e_boat2", "boat 2: gunboat", Gunboat(navy), navy, 1.2f, ""});
    u.push_back({"dat/e_boat3", "boat 3: submarine, may surface", Submarine(sub), sub, 1.6f, ""});
    u.push_back({"dat/e_boat4", "boat 4: destroyer", Destroyer(navy), navy, 2.4f, ""});
    u.push_back({"dat/e_aad1", "anti-aircraft site 1: missile launcher", MissileSite(camoGround), camoGround, 0.9f, ""});
    u.push_back({"dat/e_aad2", "anti-aircraft site 2: flak gun", FlakSite(camoGround), camoGround, 0.9f, ""});
    u.push_back({"dat/fuel", "fuel depot", FuelDepot(fuel), fuel, 0.95f, ""});
    for (int k = 0; k < 3; ++k)
        u.push_back({"dat/misc/barrel" + std::to_string(k + 1), "barrel stack " + std::to_string(k + 1), BarrelStack(barrels[k], k),
                     barrels[k], 0.6f + 0.05f * k, ""});
    u.push_back({"dat/misc/garage", "building: garage", Garage(brick), brick, 2.0f, ""});
    u.push_back({"dat/misc/armry", "building: armoury", Armoury(concrete), concrete, 1.8f, ""});
    u.push_back({"dat/misc/cargo1", "building: container stack", CargoStack(containers), containers, 1.9f, ""});
    u.push_back({"dat/misc/cargo2", "building: warehouse", Warehouse(shed), shed, 1.9f, ""});
    u.push_back({"dat/misc/hangar1", "building: arched hangar", ArchHangar(hangar), hangar, 2.6f, ""});
    u.push_back({"dat/misc/hangar2", "building: hangar with tower", BoxHangar(hangar), hangar, 2.2f, ""});
    return u;
}

float SiteTurretHeight(int kind)
{
    // The site models are built once; the game normalises a unit by its largest extent.
    static const std::array<float, 2> heights = [] {
        std::array<float, 2> h{0.0f, 0.0f};
        for (const UnitModel& u : AllUnitModels())
            for (int k = 0; k < 2; ++k)
                if (u.path == "dat/e_aad" + std::to_string(k + 1) && u.model.meshes.size() > 1) {
                    Vec3 lo, hi, tlo, thi;
                    u.model.Bounds(lo, hi);
                    u.model.meshes[1].Bounds(tlo, thi);
                    const float extent = std::max(hi.x - lo.x, std::max(hi.y - lo.y, hi.z - lo.z));
                    h[static_cast<size_t>(k)] = ((tlo.z + thi.z) / 2 - lo.z) / extent * u.scale;
                }
        return h;
    }();
    return heights[static_cast<size_t>(std::clamp(kind, 0, 1))];
}

void ForgeUnits(ForgeFiles& files)
{
    for (const UnitModel& u : AllUnitModels())
        WriteUnit(files, UnitSpec{u.path, u.name, u.model, u.paint, u.scale, !u.shadowPath.empty(), u.shadowPath});
}
