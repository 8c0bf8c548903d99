// Weapons: the missile, torpedo and flak-shell 3DS models shared by the player and the enemies.
//
// Built nose towards +y like the aircraft; each has its own small atlas beside it.
#include "ForgeContent.h"
#include "content/ModelKit.h"
#include "content/ModelLibrary.h"
#include "writers/ImageWriters.h"
#include "writers/ModelWriters.h"

namespace {

// Four fins in a cross around the y axis at the tail.
void CrossFins(ForgeMesh& m, float yFront, float yBack, float r, float span, const UvMap& uv, int mat)
{
    const std::vector<float> fin = {r * 0.8f, yFront, r + span, yBack + (yFront - yBack) * 0.2f, r + span, yBack, r * 0.8f, yBack};
    const size_t v0 = m.verts.size(), t0 = m.tris.size();
    Prim::Slab(m, fin, 'z', 0.0f, 0.06f, uv, mat, 8);
    Prim::MirrorX(m, v0, t0);
    const size_t v1 = m.verts.size(), t1 = m.tris.size();
    Prim::Slab(m, fin, 'z', 0.0f, 0.06f, uv, mat, 8);
    Prim::MirrorX(m, v1, t1);
    Prim::Rotate(m, v1, 'y', 90.0f, Vec3(0, 0, 0));
}

PaintScheme MissileScheme()
{
    PaintScheme s;
    s.base = Rgb(226, 226, 220);
    s.camo1 = s.camo2 = s.base;
    s.belly = Rgb(210, 210, 204);
    s.glass = Rgb(40, 40, 46);
    s.metal = Rgb(70, 70, 72);
    s.accent = Rgb(200, 40, 30);
    s.detail = Rgb(240, 200, 40);
    s.camoAmount = 0.0f;
    s.panelLines = false;
    s.seed = 3;
    return s;
}

PaintScheme TorpedoScheme()
{
    PaintScheme s = MissileScheme();
    s.base = Rgb(66, 72, 78);
    s.camo1 = s.camo2 = s.base;
    s.belly = Rgb(80, 86, 92);
    s.accent = Rgb(210, 180, 40);
    s.seed = 4;
    return s;
}

PaintScheme FlakScheme()
{
    PaintScheme s = MissileScheme();
    s.base = Rgb(190, 150, 70);   // brass
    s.camo1 = s.camo2 = s.base;
    s.belly = Rgb(170, 130, 60);
    s.accent = Rgb(90, 90, 90);
    s.seed = 5;
    return s;
}

} // namespace

ForgeModel BuildMissile()
{
    ForgeModel model;
    AddAtlasMaterials(model, "miss", "missaa.tga", MissileScheme());
    const Vec3 lo(-1, -4.5f, -1), hi(1, 4.5f, 1);
    const UvMap skin = Atlas::Map(Atlas::Side, lo, hi);
    ForgeMesh& body = model.AddMesh("body");
    Prim::Cylinder(body, 'y', Vec3(0, -0.6f, 0), 6.8f, 0.32f, 0.32f, 10, skin, MatSkin, 1);
    ForgeMesh& nose = model.AddMesh("seeker");
    Prim::Loft(nose, 'y', {{2.8f, 0, 0, 0.32f, 0.32f}, {3.6f, 0, 0, 0.25f, 0.25f}, {4.2f, 0, 0, 0.1f, 0.1f}, {4.4f, 0, 0, 0.0f, 0.0f}}, 10,
               Atlas::Map(Atlas::Glass, lo, hi), MatGlass, 2, false, false);
    ForgeMesh& band = model.AddMesh("band");
    Prim::Cylinder(band, 'y', Vec3(0, 2.2f, 0), 0.4f, 0.33f, 0.33f, 10, Atlas::Map(Atlas::Accent, lo, hi), MatAccent, 4, false);
    ForgeMesh& fins = model.AddMesh("fins");
    CrossFins(fins, -2.8f, -4.0f, 0.32f, 0.6f, Atlas::Map(Atlas::Metal, lo, hi), MatMetal);
    CrossFins(fins, 1.6f, 1.0f, 0.32f, 0.25f, Atlas::Map(Atlas::Metal, lo, hi), MatMetal);
    ForgeMesh& nozzle = model.AddMesh("nozzle");
    Prim::Cylinder(nozzle, 'y', Vec3(0, -4.1f, 0), 0.3f, 0.22f, 0.26f, 10, Atlas::Map(Atlas::Metal, lo, hi), MatMetal, 16);
    return model;
}

ForgeModel BuildTorpedo()
{
    ForgeModel model;
    AddAtlasMaterials(model, "torp", "torpedo.tga", TorpedoScheme());
    const Vec3 lo(-1, -4.5f, -1), hi(1, 4.5f, 1);
    const UvMap skin = Atlas::Map(Atlas::Side, lo, hi);
    ForgeMesh& body = model.AddMesh("body");
    Prim::Loft(body, 'y', {{-3.6f, 0, 0, 0.12f, 0.12f}, {-2.8f, 0, 0, 0.42f, 0.42f}, {2.6f, 0, 0, 0.45f, 0.45f},
                           {3.4f, 0, 0, 0.36f, 0.36f}, {3.9f, 0, 0, 0.18f, 0.18f}, {4.05f, 0, 0, 0.0f, 0.0f}},
               12, skin, MatSkin, 1, true, false);
    ForgeMesh& band = model.AddMesh("band");
    Prim::Cylinder(band, 'y', Vec3(0, 2.9f, 0), 0.35f, 0.44f, 0.42f, 12, Atlas::Map(Atlas::Accent, lo, hi), MatAccent, 4, false);
    ForgeMesh& fins = model.AddMesh("fins");
    CrossFins(fins, -2.6f, -3.5f, 0.3f, 0.35f, Atlas::Map(Atlas::Metal, lo, hi), MatMetal);
    ForgeMesh& prop = model.AddMesh("screw");
    Prim::Box(prop, Vec3(0, -3.8f, 0), Vec3(0.55f, 0.05f, 0.09f), Atlas::Map(Atlas::Detail, lo, hi), MatDetail, 0);
    Prim::Box(prop, Vec3(0, -3.8f, 0), Vec3(0.09f, 0.05f, 0.55f), Atlas::Map(Atlas::Detail, lo, hi), MatDetail, 0);
    return model;
}

ForgeModel BuildFlakShell()
{
    ForgeModel model;
    AddAtlasMaterials(model, "flak", "flak.tga", FlakScheme());
    const Vec3 lo(-1, -1.5f, -1), hi(1, 1.5f, 1);
    ForgeMesh& shell = model.AddMesh("shell");
    Prim::Loft(shell, 'y', {{-1.2f, 0, 0, 0.42f, 0.42f}, {0.4f, 0, 0, 0.42f, 0.42f}, {0.9f, 0, 0, 0.3f, 0.3f},
                            {1.3f, 0, 0, 0.1f, 0.1f}, {1.4f, 0, 0, 0.0f, 0.0f}},
               10, Atlas::Map(Atlas::Side, lo, hi), MatSkin, 1, true, false);
    ForgeMesh& band = model.AddMesh("band");
    Prim::Cylinder(band, 'y', Vec3(0, -0.9f, 0), 0.25f, 0.45f, 0.45f, 10, Atlas::Map(Atlas::Accent, lo, hi), MatAccent, 2, false);
    return model;
}

void ForgeWeapons(ForgeFiles& files)
{
    const auto M = ForgeFiles::Pack::Main;
    files.Add(M, "dat/missAA/missAA.3DS", Write3ds(BuildMissile()));
    files.Add(M, "dat/missAA/missaa.tga", WriteTga(Atlas::Paint(MissileScheme(), 128), 24));
    files.Add(M, "dat/torpedo/torpedo.3DS", Write3ds(BuildTorpedo()));
    files.Add(M, "dat/torpedo/torpedo.tga", WriteTga(Atlas::Paint(TorpedoScheme(), 128), 24));
    files.Add(M, "dat/flak/flak.3DS", Write3ds(BuildFlakShell()));
    files.Add(M, "dat/flak/flak.tga", WriteTga(Atlas::Paint(FlakScheme(), 64), 24));
    AddModelPicture(files, "missile", BuildMissile(), Atlas::Paint(MissileScheme(), 128));
    AddModelPicture(files, "torpedo", BuildTorpedo(), Atlas::Paint(TorpedoScheme(), 128));
    AddModelPicture(files, "flak", BuildFlakShell(), Atlas::Paint(FlakScheme(), 64));
}
