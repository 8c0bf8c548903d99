// A 3DS model drawn into a frame: a textured mesh and an untextured one in its diffuse colour.
#include "RenderGLFixture.h"
#include "unit/L3DSBuilder.h"
#include "unit/PictureFiles.h"

#include "render/Entity3DS.h"
#include "render/L3DS.h"
#include "render/ResourceBank.h"

TEST_F(RenderGLTest, Model3DSDrawsTexturedAndDiffuseMeshes)
{
    // Left square textured green, right square untextured with a blue diffuse colour.
    const std::vector<float> left = {-2, -1, 0, 0, -1, 0, 0, 1, 0, -2, 1, 0};
    const std::vector<float> right = {0.5f, -1, 0, 2, -1, 0, 2, 1, 0, 0.5f, 1, 0};
    const std::vector<Face3DS> quad = {{0, 1, 2, 1}, {0, 2, 3, 1}};
    std::filesystem::create_directories(m_dir / "dat" / "models");
    Write("dat/models/plane.3ds",
          File3DS({Material3DS("skin", 255, 255, 255, "green.tga"), Material3DS("paint", 0, 0, 255),
                   MeshObject3DS("left", left, quad, "skin", {0, 0, 1, 0, 1, 1, 0, 1}),
                   MeshObject3DS("right", right, quad, "paint")}));
    Write("dat/models/green.tga", MakeTga(2, 2, 24, std::vector<uint8_t>{0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0}));
    CResourceBank* bank = CResourceBank::CreateBank("gl_3ds", &m_group);
    CEntity3DS* model = bank->Add3DS(Path("dat/models/plane.3ds"), "plane");
    ASSERT_TRUE(model->IsLoaded());

    auto drawAndRead = [&](CEntity3DS& e) {
        glClear(GL_COLOR_BUFFER_BIT);
        ModelView();
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        e.SetScale(2.0f);
        e.Draw();
        glDisable(GL_TEXTURE_2D);
        return ReadPixels();
    };
    // The model spans x -2..2, normalised to -0.5..0.5 and drawn at scale 2: x -1..1.
    auto px = drawAndRead(*model);
    const Rgb l = At(px, 64, 128), r = At(px, 200, 128), gap = At(px, 134, 128);
    EXPECT_EQ(l.g, 255);
    EXPECT_EQ(l.r, 0);
    EXPECT_EQ(r.b, 255);
    EXPECT_EQ(r.g, 0);
    EXPECT_EQ(gap.r + gap.g + gap.b, 0);

    // After a rebuild of the bank's GL objects, and through a sharing copy.
    CResourceBank::ReleaseAllGLObjects();
    CResourceBank::CreateAllGLObjects();
    CEntity3DS copy;
    copy = *model;
    px = drawAndRead(copy);
    EXPECT_EQ(At(px, 64, 128).g, 255);
    EXPECT_EQ(At(px, 200, 128).b, 255);

    // Turning a mesh entity turns its mesh about the mesh's own centre: the right square
    // (0.75 x 1 on screen, centred at x 0.625) becomes 1 x 0.75.
    CEntity* rightPart = copy.FindMeshEntity("right");
    ASSERT_NE(rightPart, nullptr);
    EXPECT_EQ(At(px, 154, 128).b, 0);
    EXPECT_EQ(At(px, 208, 70).b, 255);
    rightPart->SetAngles(0, 0, 90);
    px = drawAndRead(copy);
    EXPECT_EQ(At(px, 154, 128).b, 255);
    EXPECT_EQ(At(px, 208, 70).b, 0);
    EXPECT_EQ(At(px, 64, 128).g, 255);  // the other mesh stays
    CResourceBank::DeleteBank("gl_3ds");
}

TEST_F(RenderGLTest, MaterialsNamingOnePictureShareOneTextureThroughARebuild)
{
    // Two materials with the same picture (as a model's parts painted from one skin), a third
    // with another one.
    const std::vector<float> left = {-2, -1, 0, 0, -1, 0, 0, 1, 0, -2, 1, 0};
    const std::vector<float> right = {0.5f, -1, 0, 2, -1, 0, 2, 1, 0, 0.5f, 1, 0};
    const std::vector<Face3DS> quad = {{0, 1, 2, 1}, {0, 2, 3, 1}};
    const std::vector<float> uv = {0, 0, 1, 0, 1, 1, 0, 1};
    std::filesystem::create_directories(m_dir / "dat" / "models");
    Write("dat/models/pair.3ds",
          File3DS({Material3DS("skin", 255, 255, 255, "green.tga"), Material3DS("wing", 255, 255, 255, "green.tga"),
                   Material3DS("glass", 255, 255, 255, "blue.tga"), MeshObject3DS("left", left, quad, "skin", uv),
                   MeshObject3DS("right", right, quad, "wing", uv)}));
    Write("dat/models/green.tga", MakeTga(2, 2, 24, std::vector<uint8_t>{0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0}));
    Write("dat/models/blue.tga", MakeTga(2, 2, 24, std::vector<uint8_t>(12, 0)));
    CResourceBank* bank = CResourceBank::CreateBank("gl_3ds", &m_group);
    CEntity3DS* model = bank->Add3DS(Path("dat/models/pair.3ds"), "pair");
    ASSERT_TRUE(model->IsLoaded());
    ASSERT_EQ(model->Model()->GetMaterialCount(), 3u);
    auto name = [&](size_t i) { return model->Model()->GetMaterial(i).m_texture_map1.glName; };
    auto bothGreen = [&] {
        glClear(GL_COLOR_BUFFER_BIT);
        ModelView();
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        model->SetScale(2.0f);
        model->Draw();
        glDisable(GL_TEXTURE_2D);
        const auto px = ReadPixels();
        return At(px, 64, 128).g == 255 && At(px, 200, 128).g == 255 && At(px, 200, 128).b == 0;
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "loaded" : "after a rebuild of the GL objects");
        EXPECT_NE(name(0), 0u);
        EXPECT_EQ(name(1), name(0));  // one texture for the one picture
        EXPECT_NE(name(2), 0u);
        EXPECT_NE(name(2), name(0));
        EXPECT_TRUE(bothGreen());
        CResourceBank::ReleaseAllGLObjects();
        EXPECT_EQ(name(0), 0u);
        EXPECT_EQ(name(1), 0u);
        CResourceBank::CreateAllGLObjects();
    }
    CResourceBank::DeleteBank("gl_3ds");
}
