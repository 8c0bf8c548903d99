// The 3DS reader on hand-built files: chunk walk, materials, smoothing groups, normalisation and bad input.
#include "unit/L3DSBuilder.h"

#include "render/L3DS.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace NObjects;

namespace {

// A unit quad in the z = 0 plane as two triangles.
const std::vector<float> kQuad = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};

struct Loaded {
    L3DS reader;
    std::vector<std::string> messages;
    bool ok = false;
    explicit Loaded(const std::vector<uint8_t>& bytes)
    {
        reader.SetErrorHook([this](const std::string& m) { messages.push_back(m); });
        ok = reader.LoadFromMemory(bytes.data(), bytes.size());
    }
};

float Len(const LVector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

}  // namespace

TEST(L3DSFormat, WrongMagicReportsFormatMessage)
{
    auto bytes = File3DS({});
    bytes[0] = 0x4C;  // 0x4D4C is not a main chunk
    Loaded l(bytes);
    EXPECT_FALSE(l.ok);
    ASSERT_EQ(l.messages.size(), 1u);
    EXPECT_EQ(l.messages[0], "L3DS::Read3DS - wrong file format");
}

TEST(L3DSFormat, MainChunkWithoutEditorFailsSilently)
{
    Chunk3DS main(0x4D4D);
    main.Add(Chunk3DS(0x0002).U32(3));
    Loaded l(main.Bytes());
    EXPECT_FALSE(l.ok);
    EXPECT_TRUE(l.messages.empty());
}

TEST(L3DSFormat, EmptyAndTinyBuffersFail)
{
    L3DS r;
    EXPECT_FALSE(r.LoadFromMemory(nullptr, 0));
    const uint8_t four[4] = {0x4D, 0x4D, 10, 0};
    EXPECT_FALSE(r.LoadFromMemory(four, sizeof four));
}

TEST(L3DSMesh, CountsAndNamesOfAPlainMesh)
{
    Loaded l(File3DS({Material3DS("red", 255, 0, 0), MeshObject3DS("quad", kQuad, {{0, 1, 2, 1}, {0, 2, 3, 1}}, "red")}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.reader.GetMeshCount(), 1u);
    const LMesh& m = l.reader.GetMesh(0);
    EXPECT_EQ(m.GetName(), "quad");
    EXPECT_EQ(m.m_vertices.size(), 4u);  // one smoothing group: nothing split
    EXPECT_EQ(m.m_triangles.size(), 2u);
    ASSERT_EQ(m.m_material_ids.size(), 1u);
    EXPECT_EQ(m.m_material_ids[0], 0u);
    EXPECT_NE(l.reader.FindMesh("quad"), nullptr);
    EXPECT_EQ(l.reader.FindMesh("Quad"), nullptr);  // names compare case-sensitively
    // The quad lies in z = 0; every normal is the unit z axis (up to sign).
    for (const auto& n : m.m_normals) {
        EXPECT_NEAR(std::fabs(n.z), 1.0f, 1e-5f);
        EXPECT_NEAR(Len(n), 1.0f, 1e-5f);
    }
    const LMaterial* red = l.reader.FindMaterial("red");
    ASSERT_NE(red, nullptr);
    EXPECT_FLOAT_EQ(red->m_diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(red->m_diffuse.g, 0.0f);
}

TEST(L3DSMesh, VertexSharedByTwoSmoothingGroupsIsSplit)
{
    // Two faces folded along the edge 0-1 at a right angle, in groups 1 and 2.
    const std::vector<float> xyz = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    Loaded l(File3DS({MeshObject3DS("fold", xyz, {{0, 1, 2, 1}, {0, 3, 1, 2}})}));
    ASSERT_TRUE(l.ok);
    const LMesh& m = l.reader.GetMesh(0);
    // Vertices 0 and 1 are each copied once for the second group.
    ASSERT_EQ(m.m_vertices.size(), 6u);
    const LFace& f0 = m.m_faces[0];
    const LFace& f1 = m.m_faces[1];
    EXPECT_EQ(f0.a, 0);
    EXPECT_NE(f1.a, 0);  // redirected to the copy of vertex 0
    EXPECT_EQ(m.m_vertices[f1.a].x, m.m_vertices[0].x);
    EXPECT_EQ(m.m_vertices[f1.a].y, m.m_vertices[0].y);
    // The copies carry the second face's normal, the originals the first's.
    const LVector3& n0 = m.m_normals[f0.a];
    const LVector3& n1 = m.m_normals[f1.a];
    EXPECT_NEAR(std::fabs(n0.z), 1.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(n1.y), 1.0f, 1e-5f);
    EXPECT_NEAR(n0.x * n1.x + n0.y * n1.y + n0.z * n1.z, 0.0f, 1e-5f);
    // Drawing triangles follow the face records.
    EXPECT_EQ(m.m_triangles[1].a, f1.a);
}

TEST(L3DSMesh, SmoothingWordZeroFacesFormOneGroup)
{
    const std::vector<float> xyz = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    Loaded l(File3DS({MeshObject3DS("fold", xyz, {{0, 1, 2, 0}, {0, 3, 1, 0}})}));
    ASSERT_TRUE(l.ok);
    const LMesh& m = l.reader.GetMesh(0);
    EXPECT_EQ(m.m_vertices.size(), 4u);
    // The shared vertex 0 averages both face normals.
    const LVector3& n = m.m_normals[0];
    EXPECT_NEAR(Len(n), 1.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(n.y), std::sqrt(0.5f), 1e-5f);
    EXPECT_NEAR(std::fabs(n.z), std::sqrt(0.5f), 1e-5f);
}

TEST(L3DSMesh, LevelOneIgnoresSmoothingAndLevelZeroAppliesTheMatrix)
{
    const std::vector<float> xyz = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    auto obj = MeshObject3DS("fold", xyz, {{0, 1, 2, 1}, {0, 3, 1, 2}});
    // A local matrix that moves the mesh by (10, 20, 30).
    Chunk3DS matrix(0x4160);
    for (float f : {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 10.f, 20.f, 30.f})
        matrix.F32(f);
    Chunk3DS tri(0x4100);
    Chunk3DS vl(0x4110);
    vl.U16(4);
    for (float f : xyz)
        vl.F32(f);
    Chunk3DS fl(0x4120);
    fl.U16(2).U16(0).U16(1).U16(2).U16(0).U16(0).U16(3).U16(1).U16(0);
    fl.Add(Chunk3DS(0x4150).U32(1).U32(2));
    tri.Add(vl).Add(fl).Add(matrix);
    const auto bytes = File3DS({Chunk3DS(0x4000).Str("fold").Add(tri)}, false);

    L3DS one;
    one.SetOptimizationLevel(1);
    ASSERT_TRUE(one.LoadFromMemory(bytes.data(), bytes.size()));
    EXPECT_EQ(one.GetMesh(0).m_vertices.size(), 4u);
    EXPECT_FLOAT_EQ(one.GetMesh(0).m_vertices[1].x, 1.0f);

    L3DS zero;
    zero.SetOptimizationLevel(0);
    ASSERT_TRUE(zero.LoadFromMemory(bytes.data(), bytes.size()));
    const LMesh& m = zero.GetMesh(0);
    ASSERT_EQ(m.m_vertices.size(), 4u);
    EXPECT_FLOAT_EQ(m.m_vertices[1].x, 11.0f);
    EXPECT_FLOAT_EQ(m.m_vertices[1].y, 20.0f);
    EXPECT_FLOAT_EQ(m.m_vertices[3].z, 31.0f);
    EXPECT_EQ(m.m_triangles.size(), 2u);
    EXPECT_EQ(zero.GetOptimizationLevel(), 0);
    zero.Clear();
    EXPECT_EQ(zero.GetOptimizationLevel(), 2);
}

TEST(L3DSMesh, NormaliseToLargestExtentOneAndCentreEachMesh)
{
    // Mesh a spans x 0..4, mesh b spans x 6..8 and y 0..2; the model spans 8 x 2 x 0.
    const std::vector<float> a = {0, 0, 0, 4, 0, 0, 4, 1, 0};
    const std::vector<float> b = {6, 0, 0, 8, 0, 0, 8, 2, 0};
    Loaded l(File3DS({MeshObject3DS("a", a, {{0, 1, 2, 0}}), MeshObject3DS("b", b, {{0, 1, 2, 0}})}));
    ASSERT_TRUE(l.ok);
    float w, h, d;
    l.reader.NormalizeModel(w, h, d);
    EXPECT_FLOAT_EQ(w, 1.0f);
    EXPECT_FLOAT_EQ(h, 0.25f);
    EXPECT_FLOAT_EQ(d, 0.0f);
    // Model centre (4, 1, 0); mesh a's normalised box is x -0.5..0, y -0.125..0 → centre (-0.25, -0.0625).
    const LMesh& ma = l.reader.GetMesh(0);
    EXPECT_FLOAT_EQ(ma.m_center.x, -0.25f);
    EXPECT_FLOAT_EQ(ma.m_center.y, -0.0625f);
    EXPECT_FLOAT_EQ(ma.m_size.x, 0.5f);
    const LMesh& mb = l.reader.GetMesh(1);
    EXPECT_FLOAT_EQ(mb.m_center.x, 0.375f);
    EXPECT_FLOAT_EQ(mb.m_size.y, 0.25f);
    // Each mesh now sits around the origin.
    float mn = 1e9f, mx = -1e9f;
    for (const auto& v : mb.m_vertices) {
        mn = std::min(mn, v.x);
        mx = std::max(mx, v.x);
    }
    EXPECT_FLOAT_EQ(mn, -mx);
}

TEST(L3DSMesh, NormalisingAnEmptyModelIsHarmless)
{
    Loaded l(File3DS({}));
    ASSERT_TRUE(l.ok);
    float w = -1, h = -1, d = -1;
    l.reader.NormalizeModel(w, h, d);
    EXPECT_EQ(w, 0.0f);
    EXPECT_EQ(h, 0.0f);
    EXPECT_EQ(d, 0.0f);
    l.reader.CenterMesh(5);  // out of range: nothing
}

TEST(L3DSMaterial, DroppedMaterialShiftsLaterIds)
{
    Chunk3DS broken(0xAFFF);
    broken.Add(Chunk3DS(0xA000).Str("chrome"));
    // A reflection map whose strength is not followed by its file-name chunk.
    broken.Add(Chunk3DS(0xA220).Add(Chunk3DS(0x0030).U16(50)).Add(Chunk3DS(0xA354).F32(1)));
    Loaded l(File3DS({Material3DS("first", 1, 2, 3), broken, Material3DS("last", 4, 5, 6),
                      MeshObject3DS("m", kQuad, {{0, 1, 2, 0}}, "last")}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.reader.GetMaterialCount(), 2u);
    EXPECT_EQ(l.reader.GetMaterial(1).GetName(), "last");
    EXPECT_EQ(l.reader.GetMaterial(1).m_id, 1u);
    EXPECT_EQ(l.reader.GetMesh(0).m_material_ids[0], 1u);
    EXPECT_EQ(l.reader.GetMesh(0).m_faces[0].materialId, 1u);
    ASSERT_EQ(l.messages.size(), 1u);
    EXPECT_EQ(l.messages[0], "L3DS::ReadMaterial - error, expected chunk not found");
}

TEST(L3DSMaterial, PercentagesColoursMapsAndShading)
{
    Chunk3DS m(0xAFFF);
    m.Add(Chunk3DS(0xA000).Str("metal"));
    m.Add(Chunk3DS(0xA010).Add(Chunk3DS(0x0010).F32(0.25f).F32(0.5f).F32(0.75f)));
    m.Add(Chunk3DS(0xA030).Add(Chunk3DS(0x0012).U8(51).U8(102).U8(255)));
    m.Add(Chunk3DS(0xA040).Add(Chunk3DS(0x0030).U16(5000)));   // 50, clamped to 1 by the setter
    m.Add(Chunk3DS(0xA050).Add(Chunk3DS(0x0031).F32(0.3f)));
    m.Add(Chunk3DS(0xA100).U16(3));
    m.Add(Chunk3DS(0xA200)
              .Add(Chunk3DS(0x0030).U16(5000))
              .Add(Chunk3DS(0xA300).Str("skin.jpg"))
              .Add(Chunk3DS(0xA354).F32(2.0f))
              .Add(Chunk3DS(0xA35C).F32(45.0f)));
    m.Add(Chunk3DS(0xA220).Add(Chunk3DS(0x0030).U16(20)).Add(Chunk3DS(0xA300).Str("")));
    m.Add(Chunk3DS(0xA020).Add(Chunk3DS(0x4110).U16(0)));  // not a colour chunk: black
    Loaded l(File3DS({m}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.reader.GetMaterialCount(), 1u);
    const LMaterial& mat = l.reader.GetMaterial(0);
    EXPECT_FLOAT_EQ(mat.m_ambient.g, 0.5f);
    EXPECT_FLOAT_EQ(mat.m_specular.r, 0.2f);
    EXPECT_FLOAT_EQ(mat.m_specular.b, 1.0f);
    EXPECT_FLOAT_EQ(mat.m_shininess, 1.0f);
    EXPECT_FLOAT_EQ(mat.m_transparency, 0.3f);
    EXPECT_EQ(mat.m_shading, 3u);
    EXPECT_FLOAT_EQ(mat.m_texture_map1.strength, 50.0f);  // 0x0030 of 5000 reads 50
    EXPECT_STREQ(mat.m_texture_map1.fileName, "skin.jpg");
    EXPECT_FLOAT_EQ(mat.m_texture_map1.uScale, 2.0f);
    EXPECT_FLOAT_EQ(mat.m_texture_map1.angle, 45.0f);
    EXPECT_STREQ(mat.m_reflection_map.fileName, "auto");
    EXPECT_FLOAT_EQ(mat.m_reflection_map.strength, 0.2f);
    EXPECT_FLOAT_EQ(mat.m_diffuse.r, 0.0f);
    ASSERT_EQ(l.messages.size(), 1u);
    EXPECT_EQ(l.messages[0], "L3DS::ReadColor - error this is not a color chunk");
}

TEST(L3DSMaterial, LongNamesAreCutToTheirCapacity)
{
    const std::string longName(40, 'n');
    Loaded l(File3DS({Material3DS(longName, 0, 0, 0, std::string(30, 't') + ".tga"),
                      MeshObject3DS(std::string(120, 'o'), kQuad, {{0, 1, 2, 0}})}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.reader.GetMaterial(0).GetName().size(), 29u);
    EXPECT_EQ(std::string(l.reader.GetMaterial(0).m_texture_map1.fileName).size(), 19u);
    EXPECT_EQ(l.reader.GetMesh(0).GetName().size(), 98u);
    EXPECT_EQ(l.reader.GetMesh(0).m_faces.size(), 1u);
}

TEST(L3DSObjects, LightsAndCameras)
{
    Chunk3DS light(0x4600);
    light.F32(1).F32(2).F32(3);
    light.Add(Chunk3DS(0x0010).F32(1).F32(0.5f).F32(0));
    light.Add(Chunk3DS(0x4610).F32(4).F32(5).F32(6).F32(30).F32(40));
    light.Add(Chunk3DS(0x4659).F32(7));
    light.Add(Chunk3DS(0x465A).F32(8));
    Chunk3DS camera(0x4700);
    camera.F32(0).F32(-10).F32(0).F32(0).F32(0).F32(0).F32(5).F32(48);
    camera.Add(Chunk3DS(0x4720).F32(0.5f).F32(900));
    Loaded l(File3DS({Chunk3DS(0x4000).Str("sun").Add(light), Chunk3DS(0x4000).Str("eye").Add(camera)}));
    ASSERT_TRUE(l.ok);
    ASSERT_EQ(l.reader.GetLightCount(), 1u);
    const LLight* sun = l.reader.FindLight("sun");
    ASSERT_NE(sun, nullptr);
    EXPECT_FLOAT_EQ(sun->m_position.z, 3.0f);
    EXPECT_FLOAT_EQ(sun->m_color.g, 0.5f);
    EXPECT_TRUE(sun->m_spotlight);
    EXPECT_FLOAT_EQ(sun->m_falloff, 40.0f);
    EXPECT_FLOAT_EQ(sun->m_attenuation_end, 8.0f);
    ASSERT_EQ(l.reader.GetCameraCount(), 1u);
    const LCamera& eye = l.reader.GetCamera(0);
    EXPECT_EQ(eye.GetName(), "eye");
    EXPECT_FLOAT_EQ(eye.m_fov, 50.0f);
    EXPECT_FLOAT_EQ(eye.m_far, 900.0f);
    EXPECT_EQ(l.reader.GetMeshCount(), 0u);
}

TEST(L3DSBadInput, FaceIndicesBeyondTheVerticesAreDropped)
{
    Loaded l(File3DS({MeshObject3DS("m", kQuad, {{0, 1, 2, 0}, {0, 2, 9, 0}, {400, 1, 2, 0}})}));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.reader.GetMesh(0).m_faces.size(), 1u);
    EXPECT_EQ(l.reader.GetMesh(0).m_triangles.size(), 1u);
}

TEST(L3DSBadInput, CountsLargerThanTheirChunksAreCut)
{
    Chunk3DS vl(0x4110);
    vl.U16(60000).F32(1).F32(2).F32(3);  // claims 60000 vertices, holds one
    Chunk3DS fl(0x4120);
    fl.U16(50000).U16(0).U16(0).U16(0).U16(0);
    fl.Add(Chunk3DS(0x4130).Str("nothing").U16(1000).U16(0));  // unknown material: skipped
    Chunk3DS tri(0x4100);
    tri.Add(vl).Add(fl).Add(Chunk3DS(0x4140).U16(30000).F32(0.5f).F32(0.5f));
    Loaded l(File3DS({Chunk3DS(0x4000).Str("m").Add(tri)}));
    ASSERT_TRUE(l.ok);
    const LMesh& m = l.reader.GetMesh(0);
    EXPECT_EQ(m.m_vertices.size(), 1u);
    EXPECT_EQ(m.m_faces.size(), 1u);
    EXPECT_TRUE(m.m_material_ids.empty());
    ASSERT_EQ(m.m_uv.size(), 1u);
    EXPECT_FLOAT_EQ(m.m_uv[0].u, 0.5f);
}

TEST(L3DSBadInput, ChunkLengthsPastTheEndAndTruncationNeverCrash)
{
    const auto good = File3DS({Material3DS("a", 1, 2, 3, "t.tga"),
                               MeshObject3DS("m", kQuad, {{0, 1, 2, 1}, {0, 2, 3, 2}}, "a", {0, 0, 1, 0, 1, 1, 0, 1})});
    // Every truncation of a valid file loads or fails, and never reads outside the buffer.
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + n);
        L3DS r;
        r.LoadFromMemory(cut.data(), cut.size());
        for (size_t i = 0; i < r.GetMeshCount(); ++i)
            for (const auto& t : r.GetMesh(i).m_triangles)
                EXPECT_LT(std::max({t.a, t.b, t.c}), r.GetMesh(i).m_vertices.size());
    }
    // Every length field set to a huge value, and to values below the header size.
    for (size_t at = 2; at + 4 <= good.size(); ++at) {
        for (uint32_t len : {0u, 3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            auto bad = good;
            std::memcpy(&bad[at], &len, 4);
            L3DS r;
            r.LoadFromMemory(bad.data(), bad.size());
        }
    }
}

TEST(L3DSBadInput, TheLastBytesOfAFileAreRead)
{
    // Without a keyframer the mesh's chunks run to the very last byte of the file.
    Loaded l(File3DS({MeshObject3DS("m", kQuad, {{0, 1, 2, 5}})}, false));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.reader.GetMesh(0).m_faces[0].smoothing, 5u);
}

TEST(L3DSLoad, MissingFileReportsAndKeepsTheModel)
{
    Loaded l(File3DS({MeshObject3DS("m", kQuad, {{0, 1, 2, 0}})}));
    ASSERT_TRUE(l.ok);
    EXPECT_FALSE(l.reader.LoadFile("/nonexistent/model.3ds"));
    EXPECT_EQ(l.messages.back(), "L3DS::LoadFile - cannot open file");
    EXPECT_EQ(l.reader.GetMeshCount(), 1u);
}
