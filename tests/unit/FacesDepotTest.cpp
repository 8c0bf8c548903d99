// The Wavefront subset: face forms, groups, extraction, materials, normalisation and bad lines.
#include "render/FacesDepot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Parse(CFacesDepot& d, const std::string& text) { return d.ParseAllGroups(text.data(), text.size()); }

// Three groups: a 2-unit quad around x = -3, a small triangle at x = 3, and a triangle at y = 4.
const char* kThreeGroups =
    "# three groups\n"
    "g body\n"
    "v -4 -1 0\nv -2 -1 0\nv -2 1 0\nv -4 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "usemtl hull\n"
    "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n"
    "g rotor\n"
    "v 2 0 0\nv 4 0 0\nv 3 1 0\n"
    "vt 0 0\nvt 1 0\nvt 0.5 1\n"
    "f 5/5 6/6 7/7\n"
    "g tail\n"
    "v 0 4 -1\nv 0 4 1\nv 0 3 0\n"
    "vt 0 0\nvt 1 0\nvt 0.5 1\n"
    "usemtl fin\n"
    "f 8/8 9/9 10/10\n";

}  // namespace

TEST(FacesDepotParse, GroupsRangesAndMaterials)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, kThreeGroups));
    ASSERT_EQ(d.m_groups.size(), 3u);
    EXPECT_EQ(d.m_groups[1].name, "rotor");
    EXPECT_EQ(d.m_groups[1].firstFace, 2);
    EXPECT_EQ(d.m_groups[1].lastFace, 2);
    EXPECT_EQ(d.m_groups[1].firstVertex, 4);
    EXPECT_EQ(d.m_groups[1].lastVertex, 6);
    EXPECT_EQ(d.m_groups[2].lastVertex, 9);
    EXPECT_EQ(d.VertexCount(), 10u);
    EXPECT_EQ(d.FaceCount(), 4u);
    EXPECT_TRUE(d.m_has_tex_coords);
    EXPECT_FALSE(d.m_has_normals);
    EXPECT_EQ(d.m_face_materials[0], 0);
    EXPECT_EQ(d.m_face_materials[2], 0);
    EXPECT_EQ(d.m_face_materials[3], 1);
    EXPECT_EQ(d.m_faces[3].v[2], 9);
    EXPECT_EQ(d.m_faces[3].t[0], 7);
    EXPECT_EQ(d.m_faces[3].n[0], -1);
    EXPECT_FLOAT_EQ(d.Width(), 8.0f);
    EXPECT_FLOAT_EQ(d.Height(), 5.0f);
}

TEST(FacesDepotParse, FaceFormsFollowWhatTheFileHasHad)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d,
                      "g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"
                      "vn 0 0 1\nf 1//1 2//1 3//1\n"
                      "vt 0 0\nf 1/1/1 2/1/1 3/1/1\n"));
    ASSERT_EQ(d.FaceCount(), 3u);
    EXPECT_EQ(d.m_faces[0].v[1], 1);
    EXPECT_EQ(d.m_faces[0].n[0], -1);
    EXPECT_EQ(d.m_faces[1].n[2], 0);
    EXPECT_EQ(d.m_faces[1].t[2], -1);
    EXPECT_EQ(d.m_faces[2].t[0], 0);
    EXPECT_EQ(d.m_faces[2].n[0], 0);
}

TEST(FacesDepotParse, FacesBeforeTheFirstUsemtlGetMinusOne)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, "g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nusemtl a\nf 1 2 3\nusemtl b\nusemtl c\nf 3 2 1\n"));
    ASSERT_EQ(d.m_face_materials.size(), 3u);
    EXPECT_EQ(d.m_face_materials[0], -1);
    EXPECT_EQ(d.m_face_materials[1], 0);
    EXPECT_EQ(d.m_face_materials[2], 2);
}

TEST(FacesDepotParse, FileWithoutGroupLinesIsOneGroup)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, "v 0 0 0\r\nv 2 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n"));
    ASSERT_EQ(d.m_groups.size(), 1u);
    EXPECT_EQ(d.m_groups[0].name, "default");
    EXPECT_EQ(d.FaceCount(), 1u);
    CFacesDepot empty;
    EXPECT_FALSE(Parse(empty, "# nothing\n"));
    EXPECT_FALSE(empty.m_groups.size());
}

TEST(FacesDepotBadInput, OutOfRangeAndMalformedFacesAreDropped)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d,
                      "g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                      "f 1 2 4\nf 0 1 2\nf -1 2 3\nf 1 2\nf 2147483647 1 2\nf 1 2 3\n"
                      "vt 0 0\nf 1/1 2/2 3/1\nf 1/1 2/1 3/1\n"));
    ASSERT_EQ(d.FaceCount(), 2u);
    EXPECT_EQ(d.m_faces[0].v[2], 2);
    EXPECT_EQ(d.m_faces[1].t[1], 0);
}

TEST(FacesDepotBadInput, LinesOverTheLimitAreCut)
{
    // A 300-character comment whose tail looks like a face line; and a long group name.
    std::string text = "g " + std::string(400, 'n') + "\nv 0 0 0\nv 1 0 0\nv 0 1 0\n";
    text += "#" + std::string(254, ' ') + "f 1 2 3\n";
    text += "f 1 2 3" + std::string(300, ' ') + "\n";
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, text));
    EXPECT_EQ(d.FaceCount(), 1u);
    EXPECT_EQ(d.m_groups[0].name.size(), 253u);  // what fits on a cut line after "g "
    // A buffer without a final line feed, and one with embedded NULs.
    const std::string raw("g a\nv 0 0 0\nv 1 \0 0\nv 0 1 0\nf 1 2 3", 36);
    CFacesDepot e;
    EXPECT_TRUE(e.ParseAllGroups(raw.data(), raw.size()));
}

TEST(FacesDepotGroups, ExtractionMakesIndicesLocal)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, kThreeGroups));
    auto rotor = d.ExtractGroup(1);
    ASSERT_NE(rotor, nullptr);
    EXPECT_EQ(rotor->Name(), "rotor");
    EXPECT_EQ(rotor->VertexCount(), 3u);
    ASSERT_EQ(rotor->FaceCount(), 1u);
    EXPECT_EQ(rotor->m_faces[0].v[0], 0);
    EXPECT_EQ(rotor->m_faces[0].v[2], 2);
    EXPECT_EQ(rotor->m_faces[0].t[2], 2);
    EXPECT_FLOAT_EQ(rotor->Width(), 2.0f);
    EXPECT_EQ(d.ExtractGroup(3), nullptr);
    float x, y, z;
    d.GroupCenter(1, x, y, z);
    EXPECT_FLOAT_EQ(x, 3.0f);
    EXPECT_FLOAT_EQ(y, 0.5f);
    EXPECT_FLOAT_EQ(z, 0.0f);
}

TEST(FacesDepotGroups, GroupsHoldingTheirOwnVerticesExtractTheirRangesAsTheyAre)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, kThreeGroups));
    for (size_t n = 0; n < d.m_groups.size(); ++n) {
        const CFacesDepot::Group& g = d.m_groups[n];
        auto part = d.ExtractGroup(n);
        ASSERT_NE(part, nullptr);
        const std::vector<float> vertices(d.m_vertices.begin() + g.firstVertex * 3,
                                          d.m_vertices.begin() + (g.lastVertex + 1) * 3);
        const std::vector<float> coords(d.m_tex_coords.begin() + g.firstTexCoord * 2,
                                        d.m_tex_coords.begin() + (g.lastTexCoord + 1) * 2);
        EXPECT_EQ(part->m_vertices, vertices) << n;
        EXPECT_EQ(part->m_tex_coords, coords) << n;
        ASSERT_EQ(part->FaceCount(), static_cast<size_t>(g.lastFace - g.firstFace + 1)) << n;
        for (size_t i = 0; i < part->FaceCount(); ++i)
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(part->m_faces[i].v[k], d.m_faces[g.firstFace + i].v[k] - g.firstVertex);
                EXPECT_EQ(part->m_faces[i].t[k], d.m_faces[g.firstFace + i].t[k] - g.firstTexCoord);
            }
    }
}

TEST(FacesDepotGroups, VerticesListedBeforeTheGroupsKeepEveryFace)
{
    // As many exporters write it: every v, vt and vn first, then the groups with their faces;
    // the rotor's face shares the body's corner 2 and the normal.
    const char* text =
        "v -4 -1 0\nv -2 -1 0\nv -2 1 0\nv -4 1 0\nv 2 0 1\nv 4 0 1\nv 3 1 1\n"
        "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
        "vn 0 0 1\n"
        "g body\nusemtl hull\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n"
        "g rotor\nf 5/1/1 6/2/1 7/3/1\nf 2/4/1 6/2/1 5/1/1\n";
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, text));
    ASSERT_EQ(d.m_groups.size(), 2u);
    EXPECT_EQ(d.m_groups[1].lastVertex, d.m_groups[1].firstVertex - 1);  // no vertex of its own

    auto body = d.ExtractGroup(0);
    ASSERT_EQ(body->FaceCount(), 2u);
    EXPECT_EQ(body->VertexCount(), 4u);
    EXPECT_EQ(body->m_face_materials[1], 0);
    auto rotor = d.ExtractGroup(1);
    ASSERT_EQ(rotor->FaceCount(), 2u);
    // Vertices 2, 5, 6, 7 in the file's order; the normal and three coordinates it uses.
    ASSERT_EQ(rotor->VertexCount(), 4u);
    EXPECT_EQ(rotor->m_normals.size(), 3u);
    EXPECT_EQ(rotor->m_tex_coords.size(), 8u);
    // Every corner still names the point, coordinate and normal the file gave it.
    for (size_t i = 0; i < 2; ++i)
        for (int k = 0; k < 3; ++k) {
            const CFacesDepot::Face& global = d.m_faces[2 + i];
            const CFacesDepot::Face& local = rotor->m_faces[i];
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(rotor->m_vertices[local.v[k] * 3 + c], d.m_vertices[global.v[k] * 3 + c]);
            for (int c = 0; c < 2; ++c)
                EXPECT_EQ(rotor->m_tex_coords[local.t[k] * 2 + c], d.m_tex_coords[global.t[k] * 2 + c]);
            EXPECT_EQ(local.n[k], 0);
        }
    EXPECT_FLOAT_EQ(rotor->Width(), 6.0f);
    // The centre is that of the vertices the faces use.
    float x, y, z;
    d.GroupCenter(1, x, y, z);
    EXPECT_FLOAT_EQ(x, 1.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    EXPECT_FLOAT_EQ(z, 0.5f);
    d.GroupCenter(0, x, y, z);
    EXPECT_FLOAT_EQ(x, -3.0f);
    EXPECT_FLOAT_EQ(z, 0.0f);
}

TEST(FacesDepotGroups, FacesReachingIntoAnotherGroupTakeTheVerticesTheyUse)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, "g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\ng b\nv 5 5 5\nf 1 2 4\n"));
    auto b = d.ExtractGroup(1);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->FaceCount(), 1u);
    ASSERT_EQ(b->VertexCount(), 3u);
    EXPECT_EQ(b->m_faces[0].v[0], 0);
    EXPECT_EQ(b->m_faces[0].v[2], 2);
    EXPECT_FLOAT_EQ(b->m_vertices[6], 5.0f);
    // Group a is untouched by b's use of its vertices.
    auto a = d.ExtractGroup(0);
    EXPECT_EQ(a->VertexCount(), 3u);
    EXPECT_EQ(a->FaceCount(), 1u);
    float x, y, z;
    d.GroupCenter(1, x, y, z);
    EXPECT_FLOAT_EQ(x, 2.5f);
}

TEST(FacesDepotNormalise, LargestExtentOneCentredOnTheBox)
{
    CFacesDepot d;
    ASSERT_TRUE(Parse(d, kThreeGroups));
    d.Normalize();
    EXPECT_FLOAT_EQ(d.Width(), 1.0f);
    EXPECT_FLOAT_EQ(d.Height(), 5.0f / 8.0f);
    EXPECT_FLOAT_EQ(d.Depth(), 2.0f / 8.0f);
    // The box was x -4..4, y -1..4 (centre 1.5): vertex (-4, -1, 0) → (-0.5, -2.5/8, 0).
    EXPECT_FLOAT_EQ(d.m_vertices[0], -0.5f);
    EXPECT_FLOAT_EQ(d.m_vertices[1], -2.5f / 8.0f);
    auto tail = d.ExtractGroup(2);
    tail->Center();
    EXPECT_FLOAT_EQ(tail->Depth(), 0.25f);
    EXPECT_FLOAT_EQ(tail->m_vertices[2], -0.125f);
    // A single point neither divides by zero nor moves off the origin.
    CFacesDepot p;
    ASSERT_TRUE(Parse(p, "g p\nv 3 3 3\n"));
    p.Normalize();
    EXPECT_FLOAT_EQ(p.m_vertices[0], 0.0f);
    EXPECT_FLOAT_EQ(p.Width(), 0.0f);
}
