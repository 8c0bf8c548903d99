// A textured unit drawn into a frame, through its display list, a sharing copy and a bank rebuild.
#include "RenderGLFixture.h"
#include "unit/PictureFiles.h"

#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "render/Unit.h"

namespace {

// A square in the z = 0 plane with texture coordinates, and a small second group to the right.
const char* kSquare =
    "g body\n"
    "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n"
    "g flag\n"
    "v 1 -0.25 0\nv 1.5 -0.25 0\nv 1.5 0.25 0\n"
    "f 5/1 6/2 7/3\n";

}  // namespace

TEST_F(RenderGLTest, TexturedUnitDrawsItsPicture)
{
    Write("dat/red.tga", MakeTga(2, 2, 24, {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}));
    Write("dat/square.obj", kSquare);
    Write("dat/square.unt", "faces_file_name " + Path("dat/square.obj") + "\ntex_file_name " + Path("dat/red.tga") +
                                "\ntex_dynamic 1\nscale 1.5\n");
    CResourceBank* bank = CResourceBank::CreateBank("gl_unit", &m_group);
    CUnit* unit = bank->AddUnit(Path("dat/square.unt"), "square");
    ASSERT_NE(unit->Texture(), nullptr);
    ASSERT_NE(unit->Texture()->GLName(), 0u);
    EXPECT_TRUE(unit->HasDisplayList());
    ASSERT_EQ(unit->ChildCount(), 1u);
    EXPECT_TRUE(unit->Child(0)->HasDisplayList());

    auto drawAndRead = [&](CUnit& u) {
        glClear(GL_COLOR_BUFFER_BIT);
        ModelView();
        u.Draw();
        return ReadPixels();
    };
    // The whole mesh is 2.5 wide, normalised to 1 and drawn at scale 1.5: the square spans
    // 2 / 2.5 * 1.5 = 1.2 model units (x -0.9..0.3 around the whole mesh's centre).
    auto px = drawAndRead(*unit);
    const Rgb centre = At(px, 96, 128);
    EXPECT_EQ(centre.r, 255);
    EXPECT_EQ(centre.g, 0);
    EXPECT_EQ(At(px, 5, 128).r, 0);    // left of the square
    EXPECT_EQ(At(px, 200, 128).r, 0);  // the flag is a child, not drawn by its parent
    EXPECT_EQ(At(px, 96, 5).r, 0);

    // A sharing copy draws the same through the prototype's list.
    CUnit copy(*unit);
    px = drawAndRead(copy);
    EXPECT_EQ(At(px, 96, 128).r, 255);

    // A new context's worth of GL objects: the copy follows without being touched.
    CResourceBank::ReleaseAllGLObjects();
    EXPECT_EQ(unit->Texture()->GLName(), 0u);
    EXPECT_FALSE(unit->HasDisplayList());
    CResourceBank::CreateAllGLObjects();
    EXPECT_TRUE(unit->HasDisplayList());
    px = drawAndRead(copy);
    EXPECT_EQ(At(px, 96, 128).r, 255);
    EXPECT_EQ(At(px, 96, 128).g, 0);
    CResourceBank::DeleteBank("gl_unit");
}

TEST_F(RenderGLTest, UntexturedUnitDrawsInTheCurrentColourAndBlendsWhenAsked)
{
    Write("dat/square.obj", "g a\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\nf 1 2 3\nf 1 3 4\n");
    Write("dat/square.unt", "faces_file_name " + Path("dat/square.obj") + "\n");
    CUnit unit;
    ASSERT_TRUE(unit.Load(&m_group, Path("dat/square.unt")));
    ModelView();
    glColor4f(0, 1, 0, 0.5f);
    unit.m_blend = true;
    unit.Draw();
    const auto px = ReadPixels();
    EXPECT_NEAR(At(px, 128, 128).g, 128, 2);  // half of green over black
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}
