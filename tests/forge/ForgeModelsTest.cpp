// Forge models: the primitives wind outwards, the writers' files come back through the game's
// 3DS and Wavefront readers with their names, materials and smoothing intact, and the aircraft
// carry the parts the game looks up by name.
#include "content/ModelLibrary.h"
#include "core/Raster.h"
#include "render/FacesDepot.h"
#include "render/L3DS.h"
#include "writers/ModelWriters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Signed volume of the mesh as the reader holds it: positive when every closed part is wound
// counter-clockwise seen from outside (so that the reader's normals point out), negative when
// wound inwards, whatever the number of parts.
float SignedVolume(const NObjects::LMesh& m)
{
    double vol = 0;
    for (const auto& f : m.m_faces) {
        const auto& a = m.m_vertices[f.a];
        const auto& b = m.m_vertices[f.b];
        const auto& c = m.m_vertices[f.c];
        vol += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
    return static_cast<float>(vol);
}

// The reader's face normals agree with the winding: they point along (b - a) x (c - a).
bool NormalsFollowWinding(const NObjects::LMesh& m)
{
    for (const auto& f : m.m_faces) {
        const auto& a = m.m_vertices[f.a];
        const auto& b = m.m_vertices[f.b];
        const auto& c = m.m_vertices[f.c];
        const Vec3 n = Vec3(b.x - a.x, b.y - a.y, b.z - a.z).Cross(Vec3(c.x - a.x, c.y - a.y, c.z - a.z));
        if (n.x * f.normal.x + n.y * f.normal.y + n.z * f.normal.z < 0)
            return false;
    }
    return true;
}

} // namespace

TEST(ForgePrimitives, ClosedShapesWindOutwards)
{
    ForgeModel model;
    model.AddMaterial(ForgeMaterial{"paint", {}, {}, {}, 0.2f, "x.tga"});
    UvMap uv;
    Prim::Box(model.AddMesh("box"), Vec3(1, 2, 3), Vec3(1, 2, 0.5f), uv, 0, 1, 30.0f);
    Prim::Loft(model.AddMesh("loft_x"), 'x', {{-2, 0, 0, 0.5f, 0.4f}, {2, 0, 0, 0.3f, 0.3f}}, 8, uv, 0, 1);
    Prim::Loft(model.AddMesh("loft_z"), 'z', {{-2, 0, 0, 0.5f, 0.4f}, {2, 0, 0, 0.3f, 0.3f}}, 8, uv, 0, 1);
    Prim::Ellipsoid(model.AddMesh("egg"), Vec3(0, 0, 0), Vec3(1, 2, 1), 10, 6, uv, 0, 1);
    Prim::Slab(model.AddMesh("slab"), {0, 0, 3, 0, 3, 2, 0, 2}, 'y', 0.5f, 0.4f, uv, 0, 1);
    ForgeMesh& mirrored = model.AddMesh("mirrored");
    Prim::Slab(mirrored, {1, -1, 3, -1, 3, 1, 1, 1}, 'z', 0, 0.3f, uv, 0, 1);
    Prim::MirrorX(mirrored, 0, 0);

    const std::vector<uint8_t> bytes = Write3ds(model);
    ASSERT_FALSE(bytes.empty());
    NObjects::L3DS reader;
    ASSERT_TRUE(reader.LoadFromMemory(bytes.data(), bytes.size()));
    ASSERT_EQ(reader.GetMeshCount(), model.meshes.size());
    for (size_t i = 0; i < reader.GetMeshCount(); ++i) {
        EXPECT_EQ(reader.GetMesh(i).GetName(), model.meshes[i].name);
        EXPECT_EQ(reader.GetMesh(i).m_faces.size(), model.meshes[i].tris.size());
        EXPECT_GT(SignedVolume(reader.GetMesh(i)), 0.0f) << model.meshes[i].name;
        EXPECT_TRUE(NormalsFollowWinding(reader.GetMesh(i))) << model.meshes[i].name;
    }
}

TEST(ForgeModelWriters, RefuseWhatTheReaderCannotHold)
{
    ForgeModel model;
    model.AddMaterial(ForgeMaterial{"paint", {}, {}, {}, 0.2f, "a_texture_name_too_long.tga"});
    Prim::Box(model.AddMesh("box"), Vec3(0, 0, 0), Vec3(1, 1, 1), UvMap{}, 0);
    EXPECT_TRUE(Write3ds(model).empty()) << "texture names hold at most 19 characters";
    model.materials[0].texture = "ok.tga";
    EXPECT_FALSE(Write3ds(model).empty());
    model.meshes[0].tris[0].material = 3;
    EXPECT_TRUE(Write3ds(model).empty()) << "a face naming a missing material";
    ForgeModel big;
    big.AddMaterial(ForgeMaterial{"paint", {}, {}, {}, 0.2f, ""});
    ForgeMesh& m = big.AddMesh("big");
    for (int i = 0; i < 70000; ++i)
        m.AddVertex(Vec3(static_cast<float>(i), 0, 0), 0, 0);
    EXPECT_TRUE(Write3ds(big).empty()) << "3DS vertex counts are 16-bit";
}

TEST(ForgeModelWriters, WavefrontGroupsBecomeTheReadersGroupsInOrder)
{
    ForgeModel model;
    model.AddMaterial(ForgeMaterial{"paint", {}, {}, {}, 0.2f, ""});
    Prim::Box(model.AddMesh("body"), Vec3(0, 0, 0), Vec3(2, 1, 0.5f), UvMap{}, 0);
    Prim::Box(model.AddMesh("rotor"), Vec3(0, 0, 1), Vec3(3, 0.1f, 0.02f), UvMap{}, 0);
    Prim::Box(model.AddMesh("tail"), Vec3(0, -3, 0.5f), Vec3(0.1f, 0.5f, 0.5f), UvMap{}, 0);
    const std::string text = WriteObj(model);
    CFacesDepot d;
    ASSERT_TRUE(d.ParseAllGroups(text.data(), text.size()));
    ASSERT_EQ(d.m_groups.size(), 3u);
    EXPECT_TRUE(d.m_has_tex_coords);
    EXPECT_TRUE(d.m_has_normals);
    EXPECT_EQ(d.FaceCount(), 36u);
    for (size_t g = 0; g < 3; ++g) {
        std::unique_ptr<CFacesDepot> part = d.ExtractGroup(g);
        ASSERT_TRUE(part);
        EXPECT_EQ(part->Name(), model.meshes[g].name);
        EXPECT_EQ(part->FaceCount(), 12u);
        EXPECT_EQ(part->VertexCount(), 24u);
    }
    float x, y, z;
    d.GroupCenter(1, x, y, z);
    EXPECT_NEAR(z, 1.0f, 1e-4f) << "a rotor turns about its own centre";
}

TEST(ForgeAircraftModels, LoadWithTheirPartsMaterialsAndOutwardNormals)
{
    struct Case {
        ForgeModel model;
        const char* texture;
    } cases[] = {{BuildF22(), "f22.tga"}, {BuildF18(), "f18.tga"}, {BuildAh64(), "ah64.tga"}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = Write3ds(c.model);
        NObjects::L3DS reader;
        ASSERT_TRUE(reader.LoadFromMemory(bytes.data(), bytes.size()));
        ASSERT_GE(reader.GetMeshCount(), 5u);
        ASSERT_EQ(reader.GetMaterialCount(), 5u);
        for (size_t i = 0; i < reader.GetMaterialCount(); ++i)
            EXPECT_STREQ(reader.GetMaterial(i).m_texture_map1.fileName, c.texture);
        for (size_t i = 0; i < reader.GetMeshCount(); ++i) {
            const NObjects::LMesh& m = reader.GetMesh(i);
            EXPECT_FALSE(m.m_material_ids.empty()) << m.GetName();
            EXPECT_GT(SignedVolume(m), 0.0f) << c.texture << " " << m.GetName();
        }
    }
    NObjects::L3DS heli;
    const std::vector<uint8_t> bytes = Write3ds(BuildAh64());
    ASSERT_TRUE(heli.LoadFromMemory(bytes.data(), bytes.size()));
    ASSERT_NE(heli.FindMesh("rotor1"), nullptr);
    ASSERT_NE(heli.FindMesh("rotor2"), nullptr);
    // The main rotor is the widest part: the helicopter's width is its disc.
    Vec3 lo, hi;
    BuildAh64().FindMesh("rotor1")->Bounds(lo, hi);
    EXPECT_NEAR((lo.x + hi.x) / 2, 0.0f, 1e-4f);
    EXPECT_GT(hi.x - lo.x, 7.0f);
}

TEST(ForgeAircraftModels, PicturesShowTheModel)
{
    const ForgeModel f22 = BuildF22();
    const Image atlas = Atlas::Paint(F22Scheme(), 128);
    const Image prev = PreviewPicture(f22, atlas);
    ASSERT_EQ(prev.Width(), 256);
    // The model covers a good part of the panel's middle, in the paint's grey, not the panel's blue.
    int grey = 0;
    for (int y = 64; y < 192; ++y)
        for (int x = 32; x < 224; ++x) {
            const Color c = prev.Get(x, y);
            grey += std::fabs(c.r - c.b) < 0.06f && c.r > 0.25f ? 1 : 0;
        }
    EXPECT_GT(grey, 128 * 192 / 8);
    const Image shadow = ShadowPicture(f22, 64, 2);
    EXPECT_GT(shadow.Get(32, 32).a, 0.9f) << "solid under the fuselage";
    EXPECT_LT(shadow.Get(1, 1).a, 0.05f) << "clear in the corners";
}
