// Units from ".unt" files, their children and sharing copies; 3DS entities and the bank table.
// These run without a GL context: the GL calls of loading are no-ops there, the structure is real.
#include "unit/L3DSBuilder.h"
#include "unit/PictureFiles.h"

#include "render/Entity3DS.h"
#include "render/FacesDepot.h"
#include "render/L3DS.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "render/Unit.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A folder of model files read through a group (by absolute, lower-case paths from disk).
class ModelFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("gw_unit_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir / "dat" / "models");
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    std::filesystem::path m_dir;
    ResourceGroup m_group{"unit_test"};
};

const char* kHeli =
    "g body\n"
    "v -4 -1 0\nv 4 -1 0\nv 4 1 0\nv -4 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 1\n"
    "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n"
    "g rotor\n"
    "v -2 0 2\nv 2 0 2\nv 0 1 2\n"
    "f 5/1/1 6/2/1 7/3/1\n"
    "g tail\n"
    "v 3 0 -2\nv 4 0 -2\nv 4 0 0\n"
    "f 8/1/1 9/2/1 10/3/1\n";

}  // namespace

TEST_F(ModelFiles, UnitWithoutTextureIgnoresScale)
{
    Write("dat/plain.obj", "g a\nv 0 0 0\nv 2 0 0\nv 0 1 0\nf 1 2 3\n");
    Write("dat/plain.unt", "faces_file_name " + Path("dat/plain.obj") + "\nscale 5\nshow_normales 0\n");
    CUnit unit;
    ASSERT_TRUE(unit.Load(&m_group, Path("dat/plain.unt")));
    EXPECT_EQ(unit.GetScale(), 1.0f);
    EXPECT_TRUE(unit.m_use_normals);
    EXPECT_EQ(unit.Texture(), nullptr);
    EXPECT_EQ(unit.ChildCount(), 0u);
    EXPECT_FLOAT_EQ(unit.m_width, 1.0f);
    EXPECT_FLOAT_EQ(unit.m_height, 0.5f);
    ASSERT_NE(unit.Mesh(), nullptr);
    EXPECT_EQ(unit.Mesh()->FaceCount(), 1u);
    EXPECT_TRUE(unit.OwnsMesh());
}

TEST_F(ModelFiles, TexturedUnitReadsScaleAndNormalsKeys)
{
    Write("dat/box.obj", "g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    Write("dat/skin.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 9)));
    Write("dat/zero.unt", "faces_file_name " + Path("dat/box.obj") + "\ntex_file_name " + Path("dat/skin.tga") +
                              "\nscale 0\n");
    Write("dat/two.unt", "faces_file_name " + Path("dat/box.obj") + "\ntex_file_name " + Path("dat/skin.tga") +
                             "\nscale 2.5\nshow_normales 1\n");
    CUnit zero, two;
    ASSERT_TRUE(zero.Load(&m_group, Path("dat/zero.unt")));
    EXPECT_EQ(zero.GetScale(), 1.0f);   // 0 means 1
    EXPECT_FALSE(zero.m_use_normals);   // "show_normales" 0 with a texture
    ASSERT_NE(zero.Texture(), nullptr);
    EXPECT_TRUE(zero.OwnsTextures());
    ASSERT_TRUE(two.Load(&m_group, Path("dat/two.unt")));
    EXPECT_EQ(two.GetScale(), 2.5f);
    EXPECT_TRUE(two.m_use_normals);
    EXPECT_FLOAT_EQ(two.ScaledWidth(), 2.5f);
}

TEST_F(ModelFiles, MeshGroupsBecomeChildUnitsAtTheirCentres)
{
    Write("dat/heli.obj", kHeli);
    Write("dat/heli.unt", "faces_file_name " + Path("dat/heli.obj") + "\n");
    CUnit heli;
    ASSERT_TRUE(heli.Load(&m_group, Path("dat/heli.unt")));
    // The whole mesh spans 8 x 2 x 4, normalised by 8 around (0, 0, 0).
    EXPECT_FLOAT_EQ(heli.m_width, 1.0f);
    EXPECT_FLOAT_EQ(heli.m_height, 0.25f);
    EXPECT_FLOAT_EQ(heli.m_depth, 0.5f);
    ASSERT_EQ(heli.Mesh()->Name(), "body");
    EXPECT_EQ(heli.Mesh()->FaceCount(), 2u);
    // The body keeps its place in the whole mesh (not re-centred).
    EXPECT_FLOAT_EQ(heli.Mesh()->m_vertices[0], -0.5f);
    ASSERT_EQ(heli.ChildCount(), 2u);
    CUnit* rotor = heli.FindChild("rotor");
    ASSERT_NE(rotor, nullptr);
    EXPECT_EQ(rotor, heli.Child(0));
    EXPECT_EQ(heli.FindChild("tail"), heli.Child(1));
    EXPECT_EQ(heli.FindChild("body"), nullptr);
    // The rotor spans x -2..2, y 0..1 at z 2: centre (0, 0.5, 2) / 8 after normalisation.
    EXPECT_FLOAT_EQ(rotor->GetPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(rotor->GetPosition().y, 0.0625f);
    EXPECT_FLOAT_EQ(rotor->GetPosition().z, 0.25f);
    EXPECT_FLOAT_EQ(rotor->m_width, 0.5f);
    EXPECT_FLOAT_EQ(rotor->m_height, 0.125f);
    // Centred on itself.
    EXPECT_FLOAT_EQ(rotor->Mesh()->m_vertices[0], -0.25f);
    EXPECT_FLOAT_EQ(rotor->Mesh()->m_vertices[1], -0.0625f);
    EXPECT_FLOAT_EQ(rotor->Mesh()->m_vertices[2], 0.0f);
    EXPECT_TRUE(rotor->OwnsMesh());
    EXPECT_FALSE(rotor->OwnsTextures());
    // The rotor and the tail use the body's coordinates and normal: their faces stay.
    EXPECT_EQ(rotor->Mesh()->FaceCount(), 1u);
    EXPECT_EQ(heli.Child(1)->Mesh()->FaceCount(), 1u);
    // The tail spans x 3..4, z -2..0: centre (3.5, 0, -1) / 8.
    EXPECT_FLOAT_EQ(heli.Child(1)->GetPosition().x, 3.5f / 8.0f);
    EXPECT_FLOAT_EQ(heli.Child(1)->GetPosition().z, -1.0f / 8.0f);
}

TEST_F(ModelFiles, VerticesListedBeforeTheGroupsMakeTheSameUnit)
{
    // The helicopter above as many exporters write it: all points first, then the groups.
    Write("dat/heli.obj", kHeli);
    Write("dat/heli_first.obj",
          "v -4 -1 0\nv 4 -1 0\nv 4 1 0\nv -4 1 0\nv -2 0 2\nv 2 0 2\nv 0 1 2\nv 3 0 -2\nv 4 0 -2\nv 4 0 0\n"
          "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
          "g body\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n"
          "g rotor\nf 5/1/1 6/2/1 7/3/1\n"
          "g tail\nf 8/1/1 9/2/1 10/3/1\n");
    Write("dat/heli.unt", "faces_file_name " + Path("dat/heli.obj") + "\n");
    Write("dat/heli_first.unt", "faces_file_name " + Path("dat/heli_first.obj") + "\n");
    CUnit grouped, first;
    ASSERT_TRUE(grouped.Load(&m_group, Path("dat/heli.unt")));
    ASSERT_TRUE(first.Load(&m_group, Path("dat/heli_first.unt")));
    ASSERT_EQ(first.ChildCount(), 2u);
    EXPECT_EQ(first.Mesh()->FaceCount(), 2u);
    EXPECT_EQ(first.Mesh()->m_vertices, grouped.Mesh()->m_vertices);
    for (size_t i = 0; i < 2; ++i) {
        const CUnit& a = *first.Child(i);
        const CUnit& b = *grouped.Child(i);
        EXPECT_EQ(a.Mesh()->Name(), b.Mesh()->Name());
        EXPECT_EQ(a.Mesh()->FaceCount(), 1u);
        EXPECT_EQ(a.Mesh()->m_vertices, b.Mesh()->m_vertices);
        EXPECT_EQ(a.GetPosition(), b.GetPosition());
        EXPECT_FLOAT_EQ(a.m_width, b.m_width);
    }
}

TEST_F(ModelFiles, CopiesShareTheModelAndOwnTheirChildren)
{
    Write("dat/heli.obj", kHeli);
    Write("dat/skin.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 9)));
    Write("dat/heli.unt", "faces_file_name " + Path("dat/heli.obj") + "\ntex_file_name " + Path("dat/skin.tga") + "\n");
    CUnit proto;
    ASSERT_TRUE(proto.Load(&m_group, Path("dat/heli.unt")));
    proto.SetPosition(1, 2, 3);
    CUnit copy(proto);
    EXPECT_EQ(copy.Mesh(), proto.Mesh());
    EXPECT_EQ(copy.Texture(), proto.Texture());
    EXPECT_FALSE(copy.OwnsMesh());
    EXPECT_EQ(copy.GetPosition(), Vec3(1, 2, 3));
    ASSERT_EQ(copy.ChildCount(), 2u);
    EXPECT_NE(copy.Child(0), proto.Child(0));
    EXPECT_EQ(copy.Child(0)->Mesh(), proto.Child(0)->Mesh());
    EXPECT_EQ(copy.FindChild("rotor"), copy.Child(0));
    // Turning a copy's rotor leaves the prototype's alone.
    copy.Child(0)->SetAngles(0, 0, 45);
    EXPECT_EQ(proto.Child(0)->m_angle_z, 0.0f);
    // Assignment switches a copy to another model; the old one is freed.
    Write("dat/plain.obj", "g a\nv 0 0 0\nv 2 0 0\nv 0 1 0\nf 1 2 3\n");
    Write("dat/plain.unt", "faces_file_name " + Path("dat/plain.obj") + "\n");
    CUnit other;
    ASSERT_TRUE(other.Load(&m_group, Path("dat/plain.unt")));
    copy = other;
    EXPECT_EQ(copy.Mesh(), other.Mesh());
    EXPECT_EQ(copy.ChildCount(), 0u);
    // A copy of a copy still shares the prototype's mesh.
    CUnit copy2(copy);
    EXPECT_EQ(copy2.Mesh(), other.Mesh());
}

TEST_F(ModelFiles, MissingFilesLeaveAnEmptyUnit)
{
    CUnit none;
    EXPECT_FALSE(none.Load(&m_group, Path("dat/none.unt")));
    EXPECT_EQ(none.ChildCount(), 0u);
    EXPECT_EQ(none.Mesh()->FaceCount(), 0u);  // "faces_file_name" defaults to "0", which is not there
    none.Draw();
    Write("dat/empty.unt", "faces_file_name \"\"\n");
    CUnit empty;
    EXPECT_TRUE(empty.Load(&m_group, Path("dat/empty.unt")));
    EXPECT_EQ(empty.Mesh(), nullptr);
    EXPECT_FALSE(empty.Load(nullptr, "x"));
}

TEST_F(ModelFiles, Entity3DSLoadsNormalisesAndShares)
{
    const std::vector<float> body = {0, 0, 0, 4, 0, 0, 4, 2, 0};
    const std::vector<float> rotor = {0, 0, 1, 2, 0, 1, 2, 1, 1};
    Write("dat/models/jet.3ds", File3DS({Material3DS("skin", 200, 100, 50, "jet.tga"),
                                         MeshObject3DS("body", body, {{0, 1, 2, 0}}, "skin"),
                                         MeshObject3DS("rotor1", rotor, {{0, 1, 2, 0}})}));
    Write("dat/models/jet.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 9)));
    CEntity3DS jet;
    ASSERT_TRUE(jet.Load(&m_group, Path("dat/models/jet.3ds")));
    EXPECT_TRUE(jet.IsLoaded());
    EXPECT_EQ(jet.Directory(), Path("dat/models/"));
    EXPECT_FLOAT_EQ(jet.m_width, 1.0f);
    EXPECT_FLOAT_EQ(jet.m_height, 0.5f);
    EXPECT_FLOAT_EQ(jet.m_depth, 0.25f);
    ASSERT_EQ(jet.MeshEntityCount(), 2u);
    CEntity* r = jet.FindMeshEntity("rotor1");
    ASSERT_NE(r, nullptr);
    EXPECT_FLOAT_EQ(r->m_width, 0.5f);
    EXPECT_FLOAT_EQ(r->GetPosition().z, 0.125f);  // model centre z 0.5; rotor at 1 → 0.5 / 4
    EXPECT_EQ(jet.FindMeshEntity("rotor2"), nullptr);

    CEntity3DS missile;
    missile = jet;
    EXPECT_FALSE(missile.IsLoaded());
    EXPECT_EQ(missile.Model(), jet.Model());
    EXPECT_FLOAT_EQ(missile.m_width, 1.0f);
    ASSERT_NE(missile.FindMeshEntity("rotor1"), nullptr);
    EXPECT_NE(missile.FindMeshEntity("rotor1"), r);
    missile.Release();
    EXPECT_EQ(missile.Model(), nullptr);
    EXPECT_NE(jet.Model(), nullptr);

    CEntity3DS broken;
    Write("dat/models/broken.3ds", std::string("not a model"));
    EXPECT_FALSE(broken.Load(&m_group, Path("dat/models/broken.3ds")));
    EXPECT_FALSE(broken.IsLoaded());
    EXPECT_EQ(broken.MeshEntityCount(), 0u);
}

TEST(Entity3DSDirectory, FolderPartOfTheFileName)
{
    EXPECT_EQ(CEntity3DS::DirectoryOf("dat\\models\\jet.3ds"), "dat/models/");
    EXPECT_EQ(CEntity3DS::DirectoryOf("jet.3ds"), "");
    EXPECT_EQ(CEntity3DS::DirectoryOf("/jet.3ds"), "");
    EXPECT_EQ(CEntity3DS::DirectoryOf("a/b"), "a/");
}

TEST_F(ModelFiles, BankTableAndEntries)
{
    Write("dat/plain.obj", "g a\nv 0 0 0\nv 2 0 0\nv 0 1 0\nf 1 2 3\n");
    Write("dat/plain.unt", "faces_file_name " + Path("dat/plain.obj") + "\n");
    Write("dat/pic.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 9)));
    CResourceBank* bank = CResourceBank::CreateBank("test_bank", &m_group);
    ASSERT_EQ(CResourceBank::FindBank("test_bank"), bank);
    CTexture* t = bank->AddTexture(Path("dat/pic.tga"), "pic", false, false);
    CTexture* missing = bank->AddTexture(Path("dat/none.tga"), "none", false, false);
    EXPECT_EQ(bank->GetTexture("pic"), t);
    EXPECT_EQ(bank->GetTexture("none"), missing);  // held although its file is missing
    EXPECT_EQ(missing->GLName(), 0u);
    EXPECT_EQ(bank->GetTexture("other"), nullptr);
    CUnit* a = bank->AddUnit(Path("dat/plain.unt"), "a");
    CUnit* b = bank->AddUnit(Path("dat/plain.unt"), "b");
    EXPECT_EQ(bank->GetUnit("b"), b);
    bank->RemoveUnit(a);
    EXPECT_EQ(bank->GetUnit("a"), nullptr);
    bank->RemoveUnit("b");
    EXPECT_EQ(bank->UnitCount(), 0u);
    CEntity3DS* m = bank->Add3DS(Path("dat/none.3ds"), "m");
    EXPECT_EQ(bank->Get3DS("m"), m);
    EXPECT_FALSE(m->IsLoaded());
    bank->Remove3DS("m");
    EXPECT_EQ(bank->ModelCount(), 0u);
    // Releasing and rebuilding every bank keeps the objects in place.
    CResourceBank::ReleaseAllGLObjects();
    CResourceBank::CreateAllGLObjects();
    EXPECT_EQ(bank->GetTexture("pic"), t);
    // A new bank of the same name replaces the old one.
    CResourceBank* again = CResourceBank::CreateBank("test_bank", &m_group);
    EXPECT_EQ(CResourceBank::FindBank("test_bank"), again);
    EXPECT_EQ(again->TextureCount(), 0u);
    CResourceBank::DeleteBank("test_bank");
    EXPECT_EQ(CResourceBank::FindBank("test_bank"), nullptr);
}
