// gw-view info end to end: the fact lines for 3DS files laid out as other programs write them,
// units with children, pictures and fonts, files from a pack, and refusals.
#include "unit/L3DSBuilder.h"
#include "unit/PictureFiles.h"

#include "resources/PackFile.h"
#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ViewToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tool = std::string(GW_BIN_DIR) + "/gw-view";
        ASSERT_TRUE(fs::exists(m_tool)) << "build the gw-view target first: " << m_tool;
        m_dir = fs::temp_directory_path() / ("gw_viewtool_" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }

    // Runs gw-view with the arguments; returns stdout, and the exit status in status.
    std::string Run(const std::string& args, int& status) const
    {
        const std::string cmd = m_tool + " " + args + " 2>/dev/null";
        FILE* p = popen(cmd.c_str(), "r");
        std::string out;
        std::array<char, 4096> buf;
        size_t n;
        while (p && (n = fread(buf.data(), 1, buf.size(), p)) > 0)
            out.append(buf.data(), n);
        const int raw = p ? pclose(p) : -1;
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return out;
    }

    std::string m_tool;
    fs::path m_dir;
};

// A file laid out as a typical modelling program writes it: versions and a master scale,
// gamma-corrected colour pairs, map tiling and blur chunks, point flags, a local matrix before
// the faces, a light, a camera, and a keyframer with its header, frame range and tracks.
std::vector<uint8_t> ForeignModel()
{
    Chunk3DS editor(0x3D3D);
    editor.Add(Chunk3DS(0x3D3E).U32(3));
    Chunk3DS mat(0xAFFF);
    mat.Add(Chunk3DS(0xA000).Str("Hull Paint"));
    mat.Add(Chunk3DS(0xA010).Add(Chunk3DS(0x0011).U8(10).U8(10).U8(10)).Add(Chunk3DS(0x0012).U8(11).U8(11).U8(11)));
    mat.Add(Chunk3DS(0xA020).Add(Chunk3DS(0x0011).U8(255).U8(128).U8(0)).Add(Chunk3DS(0x0012).U8(255).U8(140).U8(0)));
    mat.Add(Chunk3DS(0xA030).Add(Chunk3DS(0x0011).U8(229).U8(229).U8(229)));
    mat.Add(Chunk3DS(0xA040).Add(Chunk3DS(0x0030).U16(25)));
    mat.Add(Chunk3DS(0xA041).Add(Chunk3DS(0x0030).U16(5)));
    mat.Add(Chunk3DS(0xA050).Add(Chunk3DS(0x0030).U16(0)));
    mat.Add(Chunk3DS(0xA052).Add(Chunk3DS(0x0030).U16(0)));
    mat.Add(Chunk3DS(0xA100).U16(3));
    mat.Add(Chunk3DS(0xA087).F32(1.0f));
    mat.Add(Chunk3DS(0xA200)
                .Add(Chunk3DS(0x0030).U16(100))
                .Add(Chunk3DS(0xA300).Str("HULL.JPG"))
                .Add(Chunk3DS(0xA351).U16(0))
                .Add(Chunk3DS(0xA353).F32(0.07f)));
    editor.Add(mat);
    Chunk3DS glass(0xAFFF);
    glass.Add(Chunk3DS(0xA000).Str("Glass"));
    glass.Add(Chunk3DS(0xA020).Add(Chunk3DS(0x0010).F32(0.2f).F32(0.4f).F32(0.6f)));
    editor.Add(glass);
    editor.Add(Chunk3DS(0x0100).F32(1.0f));

    // A box of 8 corners and 12 faces, with smoothing groups on the sides (each face its own
    // group 1 << side): every corner is shared by three sides and so splits into three.
    const float c[8][3] = {{0, 0, 0}, {2, 0, 0}, {2, 4, 0}, {0, 4, 0}, {0, 0, 1}, {2, 0, 1}, {2, 4, 1}, {0, 4, 1}};
    const uint16_t f[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                               {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
    Chunk3DS tri(0x4100);
    Chunk3DS vl(0x4110);
    vl.U16(8);
    for (const auto& v : c)
        vl.F32(v[0]).F32(v[1]).F32(v[2]);
    tri.Add(vl);
    Chunk3DS flags(0x4111);
    flags.U16(8);
    for (int i = 0; i < 8; ++i)
        flags.U16(0);
    tri.Add(flags);
    Chunk3DS uv(0x4140);
    uv.U16(8);
    for (int i = 0; i < 8; ++i)
        uv.F32(i & 1 ? 1.0f : 0.0f).F32(i & 2 ? 1.0f : 0.0f);
    tri.Add(uv);
    Chunk3DS matrix(0x4160);
    for (float v : {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 1.f, 2.f, 0.5f})
        matrix.F32(v);
    tri.Add(matrix);
    Chunk3DS fl(0x4120);
    fl.U16(12);
    for (const auto& t : f)
        fl.U16(t[0]).U16(t[1]).U16(t[2]).U16(6);
    Chunk3DS fm(0x4130);
    fm.Str("Hull Paint").U16(10);
    for (uint16_t i = 0; i < 10; ++i)
        fm.U16(i);
    Chunk3DS fm2(0x4130);
    fm2.Str("Glass").U16(2).U16(10).U16(11);
    Chunk3DS sg(0x4150);
    for (int i = 0; i < 12; ++i)
        sg.U32(1u << (i / 2));
    fl.Add(fm).Add(fm2).Add(sg);
    tri.Add(fl);
    editor.Add(Chunk3DS(0x4000).Str("Box01").Add(tri));

    Chunk3DS light(0x4600);
    light.F32(0).F32(0).F32(10).Add(Chunk3DS(0x0010).F32(1).F32(1).F32(1));
    editor.Add(Chunk3DS(0x4000).Str("Omni01").Add(light));
    Chunk3DS cam(0x4700);
    cam.F32(0).F32(-20).F32(5).F32(0).F32(0).F32(0).F32(0).F32(35).Add(Chunk3DS(0x4720).F32(1).F32(1000));
    editor.Add(Chunk3DS(0x4000).Str("Camera01").Add(cam));

    Chunk3DS kf(0xB000);
    kf.Add(Chunk3DS(0xB00A).U16(5).Str("MAXSCENE").U32(100));
    kf.Add(Chunk3DS(0xB008).U32(0).U32(100));
    kf.Add(Chunk3DS(0xB009).U32(0));
    Chunk3DS node(0xB002);
    node.Add(Chunk3DS(0xB030).U16(0));
    node.Add(Chunk3DS(0xB010).Str("Box01").U16(0x4000).U16(0).U16(0xFFFF));
    node.Add(Chunk3DS(0xB013).F32(0).F32(0).F32(0));
    node.Add(Chunk3DS(0xB020).U16(0).U32(0).U32(0).U32(1).U32(0).U16(0).F32(1).F32(2).F32(3));
    kf.Add(node);
    Chunk3DS main(0x4D4D);
    main.Add(Chunk3DS(0x0002).U32(3)).Add(editor).Add(kf);
    return main.Bytes();
}

}  // namespace

TEST_F(ViewToolTest, InfoOnAForeignModel)
{
    Write("box.3ds", ForeignModel());
    int status = -1;
    const std::string out = Run("info " + Path("box.3ds"), status);
    EXPECT_EQ(status, 0);
    // 8 corners each shared by three sides of different smoothing groups: 24 vertices.
    EXPECT_EQ(out,
              "mesh Box01 vertices 24 triangles 12\n"
              "material Hull Paint texture HULL.JPG\n"
              "diffuse Hull Paint 1 0.501961 0\n"
              "material Glass texture -\n"
              "diffuse Glass 0.2 0.4 0.6\n"
              "extents 0.5 1 0.25\n");
}

TEST_F(ViewToolTest, InfoOnUnitsPicturesAndFonts)
{
    Write("heli.obj",
          "g body\nv -4 -1 0\nv 4 -1 0\nv 4 1 0\nv -4 1 0\nf 1 2 3\nf 1 3 4\n"
          "g rotor\nv -2 0 2\nv 2 0 2\nv 0 1 2\nf 5 6 7\n");
    Write("heli.unt", "faces_file_name " + Path("heli.obj") + "\ntex_file_name " + Path("skin.tga") + "\nscale 3\n");
    Write("skin.tga", MakeTga(4, 2, 24, std::vector<uint8_t>(24, 7)));
    Write("font.tga", MakeFontTga(94));
    Write("photo.jpg", MakeJpeg(16, 8, 3, std::vector<uint8_t>(16 * 8 * 3, 90)));
    int status = -1;
    EXPECT_EQ(Run("info " + Path("heli.unt"), status),
              "texture " + Path("skin.tga") + "\nscale 3\nextents 1 0.25 0.25\n"
              "mesh body vertices 4 triangles 2\n"
              "child rotor faces 1 vertices 3 offset 0 0.0625 0.125\n");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run("info " + Path("skin.tga"), status), "picture 4 2 3\n");
    EXPECT_EQ(Run("info " + Path("font.tga"), status), "picture 132 88 4\nglyphs 94\n");
    EXPECT_EQ(Run("info " + Path("photo.jpg"), status), "picture 16 8 3\n");
    EXPECT_EQ(Run("info " + Path("heli.obj"), status),
              "group body faces 2 vertices 4\ngroup rotor faces 1 vertices 3\nextents 1 0.25 0.25\n");
}

TEST_F(ViewToolTest, InfoThroughAPackAndRefusals)
{
    Write("bad.3ds", std::string("MM not a model at all"));
    auto rle = MakeTga(2, 2, 24, std::vector<uint8_t>(12, 1));
    rle[2] = 10;
    Write("rle.tga", rle);
    int status = -1;
    EXPECT_EQ(Run("info " + Path("bad.3ds"), status), "");
    EXPECT_EQ(status, 1);
    Run("info " + Path("rle.tga"), status);
    EXPECT_EQ(status, 1);
    Run("info " + Path("missing.tga"), status);
    EXPECT_EQ(status, 1);
    Run("info", status);
    EXPECT_EQ(status, 2);
    Run("info x --size 3x3", status);
    EXPECT_EQ(status, 2);

    // The same model read through a group from a pack, stored enciphered with the game's key.
    const std::vector<PackSource> sources = {{"dat/box/box.3DS", ForeignModel(), true},
                                             {"dat/box/box.tga", MakeTga(2, 2, 32, std::vector<uint8_t>(16, 3)), false}};
    ASSERT_TRUE(WritePack(Path("data.pk"), sources, kMainPackKey));
    const std::string out = Run("info --pack " + Path("data.pk") + " --key 'DAT\\BOX\\BOX.3ds'", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.substr(0, 36), "mesh Box01 vertices 24 triangles 12\n");
    EXPECT_EQ(Run("info --pack " + Path("data.pk") + " --key dat/box/box.tga", status), "picture 2 2 4\nglyphs 1\n");
    Run("info --pack " + Path("nothing.pk") + " --key dat/box/box.tga", status);
    EXPECT_EQ(status, 1);
}
