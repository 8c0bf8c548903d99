// Terrain without a GL context: the folded mesh, its chunks and their blocks, the blocks a view
// picks, the end flag, both height queries and the files it must refuse.
#include "resources/ParamFile.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int N = 256;

ParamFile Keys(const std::string& text)
{
    ParamFile f;
    f.Parse(text, true);
    return f;
}

const char* kGood = "raw_name h.raw lines 4 h_dist 0.5 h_max 10 k_detail_tex 8 main_tex m.jpg detail_tex d.jpg";

// Every sample differs from its neighbours, and differently across the seams.
std::vector<uint8_t> Image(int n = N)
{
    std::vector<uint8_t> h(static_cast<size_t>(n) * n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            h[static_cast<size_t>(c) + static_cast<size_t>(r) * n] = static_cast<uint8_t>((c * 7 + r * 3 + (c / 64) * 50) % 251);
    return h;
}

// GL's matrices (column-major) for an eye at e looking at t with z up, and a 70 degree
// perspective of aspect 4:3 from 0.1 to 100.
void LookAt(const Vec3& e, const Vec3& t, float m[16])
{
    Vec3 f = t - e;
    f.Normalize();
    Vec3 s = f.Cross(Vec3(0, 0, 1));
    s.Normalize();
    const Vec3 u = s.Cross(f);
    const float rows[3][3] = {{s.x, s.y, s.z}, {u.x, u.y, u.z}, {-f.x, -f.y, -f.z}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m[c * 4 + r] = rows[r][c];
        m[12 + r] = -(rows[r][0] * e.x + rows[r][1] * e.y + rows[r][2] * e.z);
        m[r * 4 + 3] = 0.0f;
    }
    m[15] = 1.0f;
}

void Perspective(float m[16])
{
    const float f = 1.0f / std::tan(35.0f * 3.14159265f / 180.0f), n = 0.1f, far = 100.0f;
    std::fill(m, m + 16, 0.0f);
    m[0] = f / (4.0f / 3.0f);
    m[5] = f;
    m[10] = (far + n) / (n - far);
    m[11] = -1.0f;
    m[14] = 2.0f * far * n / (n - far);
}

class TerrainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_image = Image();
        ASSERT_TRUE(m_terrain.LoadFromHeights(m_image.data(), m_image.size(), Keys(kGood)));
    }
    // World position of sample row r of band b on strip w.
    float X(int w) const { return w * 0.5f - 16.0f; }
    float Y(int b, int r) const { return 0.5f * (b * (N - 1) + r); }
    float H(int g, int r) const { return m_terrain.Sample(g, r) * 10.0f / 255.0f; }
    // The view both block-picking tests use: the eye a little behind and above y = 200, looking
    // up the valley and slightly down; leaves the matrices in mv and pr for further picks.
    std::vector<Terrain::BlockDraw> PickUpTheValley(float mv[16], float pr[16])
    {
        m_terrain.SetViewPosition(Vec3(0, 202, 6));
        LookAt(kEye, Vec3(0, 210, 5), mv);
        Perspective(pr);
        std::vector<Terrain::BlockDraw> picked;
        m_terrain.SelectBlocks(mv, pr, picked);
        return picked;
    }
    static constexpr Vec3 kEye{0, 200, 8};

    std::vector<uint8_t> m_image;
    Terrain m_terrain{1.0f, false};
};

TEST_F(TerrainTest, FoldedImageGivesStripsChunksAndLength)
{
    EXPECT_EQ(m_terrain.Side(), 256);
    EXPECT_EQ(m_terrain.Strips(), 64);
    EXPECT_EQ(m_terrain.VerticesPerStrip(), 1024);
    EXPECT_EQ(m_terrain.ChunkCount(), 16);
    EXPECT_FLOAT_EQ(m_terrain.Length(), 4 * 255 * 0.5f);
    EXPECT_FLOAT_EQ(m_terrain.HalfWidth(), 16.0f);
    int first = 0, last = 0;
    m_terrain.ChunkRange(0, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 64);
    m_terrain.ChunkRange(15, first, last);
    EXPECT_EQ(first, 960);
    EXPECT_EQ(last, 1023);  // the last chunk stops at the last vertex
}

TEST_F(TerrainTest, MeshFoldsBandsWithSharedSeamRows)
{
    // The last row of band 0 and the first row of band 1 lie at the same y.
    EXPECT_FLOAT_EQ(m_terrain.At(10, 255).y, m_terrain.At(10, 256).y);
    EXPECT_FLOAT_EQ(m_terrain.At(10, 1023).y, 0.5f * 1020);
    // Interior vertex: position and both coordinate pairs.
    const Terrain::Vertex& v = m_terrain.At(10, 256 + 7);  // band 1, row 7
    EXPECT_FLOAT_EQ(v.x, 10 * 0.5f);
    EXPECT_FLOAT_EQ(v.y, 0.5f * (255 + 7));
    EXPECT_FLOAT_EQ(v.z, H(64 + 10, 7));
    EXPECT_FLOAT_EQ(v.u0, (64 + 10) / 256.0f);
    EXPECT_FLOAT_EQ(v.v0, 7 / 256.0f);
    EXPECT_FLOAT_EQ(v.u1, 10 * 16.0f / 256.0f);
    EXPECT_FLOAT_EQ(v.v1, (255 + 7) * 16.0f / 256.0f);
    // Seam: the first vertex of a band takes the main coordinates of the vertex after it.
    EXPECT_FLOAT_EQ(m_terrain.At(10, 256).u0, m_terrain.At(10, 257).u0);
    EXPECT_FLOAT_EQ(m_terrain.At(10, 256).v0, m_terrain.At(10, 257).v0);
    EXPECT_FLOAT_EQ(m_terrain.At(10, 0).v0, 0.0f);  // the very first row is no seam
}

TEST_F(TerrainTest, OuterStripsFormRaisedBanksLeaningOutwards)
{
    const int j = 300, r = 300 - 256;
    const float s = 16.0f / 256.0f;
    EXPECT_FLOAT_EQ(m_terrain.At(0, j).x, 0.0f - 2 * 0.5f * 1.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(1, j).x, 0.5f - 1 * 0.5f * 1.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(63, j).x, 63 * 0.5f + 2 * 0.5f * 1.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(62, j).x, 62 * 0.5f + 1 * 0.5f * 1.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(0, j).z, H(64, r) + 2 * 0.5f * 0.9f);
    EXPECT_FLOAT_EQ(m_terrain.At(62, j).z, H(64 + 62, r) + 1 * 0.5f * 0.9f);
    EXPECT_FLOAT_EQ(m_terrain.At(0, j).u1, 0 - 2 * s * 3.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(63, j).u1, 63 * s + 2 * s * 3.31f);
    EXPECT_FLOAT_EQ(m_terrain.At(2, j).x, 1.0f);  // the third strip stays
}

TEST_F(TerrainTest, ThreeChunksAroundTheViewAndOnlyThoseThatExist)
{
    int c[3];
    ASSERT_EQ(m_terrain.ChunksToDraw(0.0f, c), 3);  // c is negative but truncates to 0
    EXPECT_EQ(c[0], 0);
    EXPECT_EQ(c[2], 2);
    ASSERT_EQ(m_terrain.ChunksToDraw(16.0f + 32.0f * 5.5f, c), 3);
    EXPECT_EQ(c[0], 5);
    ASSERT_EQ(m_terrain.ChunksToDraw(16.0f + 32.0f * 14, c), 2);
    EXPECT_EQ(c[0], 14);
    EXPECT_EQ(c[1], 15);
    EXPECT_EQ(m_terrain.ChunksToDraw(16.0f + 32.0f * 16, c), 0);
    EXPECT_EQ(m_terrain.ChunksToDraw(-1000.0f, c), 0);
    EXPECT_EQ(m_terrain.ChunksToDraw(std::nanf(""), c), 0);
    EXPECT_EQ(m_terrain.ChunksToDraw(1e30f, c), 0);
}

TEST_F(TerrainTest, BlocksCoverEveryChunkAndMeetOnWholeRowsAndStrips)
{
    const auto& blocks = m_terrain.Blocks();
    ASSERT_FALSE(blocks.empty());
    for (int c = 0; c < m_terrain.ChunkCount(); ++c) {
        int first = 0, last = 0;
        m_terrain.ChunkRange(c, first, last);
        // Rows of blocks follow each other on a shared row; across, blocks share their edge strip.
        int row = first;
        for (int i = m_terrain.FirstBlock(c); i < m_terrain.FirstBlock(c + 1);) {
            const Terrain::Block& b = blocks[static_cast<size_t>(i)];
            EXPECT_EQ(b.chunk, c);
            EXPECT_EQ(b.firstRow, row);
            EXPECT_LE(b.lastRow - b.firstRow, Terrain::kBlockRows);
            int strip = 0;
            for (; i < m_terrain.FirstBlock(c + 1) && blocks[static_cast<size_t>(i)].firstRow == b.firstRow; ++i) {
                const Terrain::Block& a = blocks[static_cast<size_t>(i)];
                EXPECT_EQ(a.firstStrip, strip);
                EXPECT_EQ(a.lastRow, b.lastRow);
                strip = a.lastStrip;
                // The box holds every vertex of the block (world x: the valley centred on 0).
                for (int j = a.firstRow; j <= a.lastRow; j += 5) {
                    const Terrain::Vertex& v = m_terrain.At(a.firstStrip, j);
                    EXPECT_GE(v.x - 16.0f, a.lo[0]);
                    EXPECT_LE(v.y, a.hi[1]);
                    EXPECT_GE(v.z, a.lo[2]);
                    EXPECT_LE(v.z, a.hi[2]);
                }
            }
            EXPECT_EQ(strip, m_terrain.Strips() - 1);
            row = b.lastRow;
        }
        EXPECT_EQ(row, last);
    }
}

TEST_F(TerrainTest, CoarserRowsKeepTheBlockEdgesAndBothSeamRows)
{
    // A block that ends on the first row of band 1 (the chunk before the seam).
    const Terrain::Block* seamBlock = nullptr;
    for (const Terrain::Block& b : m_terrain.Blocks())
        if (b.firstRow < 256 && b.lastRow >= 256) {
            seamBlock = &b;
            break;
        }
    ASSERT_NE(seamBlock, nullptr);
    for (const Terrain::Block* b : {&m_terrain.Blocks()[0], seamBlock}) {
        int previous = 0;
        for (int detail = 0; detail < Terrain::kDetailLevels; ++detail) {
            int rows[Terrain::kBlockRows + 1];
            const int n = m_terrain.BlockRows(*b, detail, rows);
            ASSERT_GE(n, 2);
            EXPECT_EQ(rows[0], b->firstRow);
            EXPECT_EQ(rows[n - 1], b->lastRow);
            for (int k = 1; k < n; ++k) {
                EXPECT_GT(rows[k], rows[k - 1]);
                EXPECT_LE(rows[k] - rows[k - 1], 1 << detail);
            }
            if (b == seamBlock) {
                EXPECT_NE(std::find(rows, rows + n, 255), rows + n);
                EXPECT_NE(std::find(rows, rows + n, 256), rows + n);
            }
            if (detail > 0) {
                EXPECT_LT(n, previous);
            }
            previous = n;
        }
    }
}

TEST_F(TerrainTest, ViewPicksBlocksInFrontWithDetailFallingWithDepth)
{
    // Eye a little behind and above y = 200, looking along the valley; fog half at 10, full at 12.
    m_terrain.SetFogDepths(10.0f, 12.0f);
    const Vec3 eye = kEye;
    float mv[16], pr[16];
    std::vector<Terrain::BlockDraw> picked = PickUpTheValley(mv, pr);
    ASSERT_FALSE(picked.empty());

    int chunks[3];
    const int count = m_terrain.ChunksToDraw(202.0f, chunks);
    const int available = m_terrain.FirstBlock(chunks[count - 1] + 1) - m_terrain.FirstBlock(chunks[0]);
    EXPECT_LT(static_cast<int>(picked.size()), available);  // the rows behind the eye are left out

    bool fogged = false;
    float depth = 0.0f;
    int fullRows = 0, flatRows = 0;
    for (const Terrain::BlockDraw& d : picked) {
        const Terrain::Block& b = m_terrain.Blocks()[static_cast<size_t>(d.block)];
        EXPECT_GT(b.hi[1], eye.y - 2.0f);  // nothing well behind the eye (the test is by boxes)
        EXPECT_TRUE(b.chunk >= chunks[0] && b.chunk <= chunks[count - 1]);
        // Textured blocks first, nearest first; then the fogged ones.
        if (d.fogged != fogged) {
            EXPECT_FALSE(fogged);
            fogged = true;
            depth = 0.0f;
        }
        EXPECT_GE(d.depth, depth);
        depth = d.depth;
        EXPECT_EQ(d.fogged, d.depth >= 12.0f);
        if (d.detail == 0) {
            EXPECT_LT(d.depth, 10.0f);
            ++fullRows;
        }
        if (d.detail == 2) {
            EXPECT_TRUE(d.fogged);
            ++flatRows;
        }
    }
    EXPECT_GT(fullRows, 0);
    EXPECT_GT(flatRows, 0);

    // Turned round towards the start, the blocks ahead of y = 200 are left out instead.
    LookAt(eye, Vec3(0, 190, 5), mv);
    m_terrain.SelectBlocks(mv, pr, picked);
    ASSERT_FALSE(picked.empty());
    for (const Terrain::BlockDraw& d : picked)
        EXPECT_LT(m_terrain.Blocks()[static_cast<size_t>(d.block)].lo[1], eye.y + 2.0f);

    // Without fog depths everything seen is drawn in full detail with its textures.
    Terrain clear(1.0f, false);
    ASSERT_TRUE(clear.LoadFromHeights(m_image.data(), m_image.size(), Keys(kGood)));
    clear.SetViewPosition(Vec3(0, 202, 6));
    LookAt(eye, Vec3(0, 210, 5), mv);
    clear.SelectBlocks(mv, pr, picked);
    ASSERT_FALSE(picked.empty());
    for (const Terrain::BlockDraw& d : picked) {
        EXPECT_EQ(d.detail, 0);
        EXPECT_FALSE(d.fogged);
    }
}

TEST_F(TerrainTest, BlocksWhollyNearerThanTheFogsStartComeFirstAndAreClearOfIt)
{
    // Fog that begins at 14: a block is clear only when every corner lies within 14 of the eye.
    m_terrain.SetFogDepths(16.0f, 20.0f, 14.0f);
    const Vec3 eye = kEye;
    float mv[16], pr[16];
    std::vector<Terrain::BlockDraw> picked = PickUpTheValley(mv, pr);
    ASSERT_FALSE(picked.empty());
    int clear = 0, straddling = 0;
    bool past = false;
    for (const Terrain::BlockDraw& d : picked) {
        const Terrain::Block& b = m_terrain.Blocks()[static_cast<size_t>(d.block)];
        float farthest = 0.0f;
        for (int i = 0; i < 8; ++i) {
            const Vec3 c((i & 1) ? b.hi[0] : b.lo[0], (i & 2) ? b.hi[1] : b.lo[1], (i & 4) ? b.hi[2] : b.lo[2]);
            farthest = std::max(farthest, (c - eye).Length());
        }
        EXPECT_EQ(d.clear, farthest < 14.0f) << "block " << d.block << " reaches " << farthest;
        // The clear blocks are all drawn before the others.
        if (!d.clear)
            past = true;
        EXPECT_FALSE(d.clear && past);
        clear += d.clear;
        straddling += !d.clear && d.depth < 14.0f;
    }
    EXPECT_GT(clear, 0);
    EXPECT_GT(straddling, 0) << "a block reaching past 14 keeps its fog, however near its near side";

    // Exponential fog (no fog-free depth): nothing is drawn clear of it.
    m_terrain.SetFogDepths(16.0f, 20.0f, 0.0f);
    m_terrain.SelectBlocks(mv, pr, picked);
    for (const Terrain::BlockDraw& d : picked)
        EXPECT_FALSE(d.clear);
}

TEST_F(TerrainTest, EndFlagFromIndex890OnAndStaysSet)
{
    m_terrain.SetViewPosition(Vec3(0, 889.9f * 0.5f, 3));
    EXPECT_FALSE(m_terrain.EndReached());
    m_terrain.SetViewPosition(Vec3(0, 890 * 0.5f, 3));
    EXPECT_TRUE(m_terrain.EndReached());
    m_terrain.SetViewPosition(Vec3(0, 0, 3));
    EXPECT_TRUE(m_terrain.EndReached());
}

TEST_F(TerrainTest, GroundHeightOnSamplesAndBetweenThem)
{
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(10), Y(0, 20)), H(10, 20));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(5), Y(2, 100)), H(2 * 64 + 5, 100));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(40), Y(3, 254)), H(3 * 64 + 40, 254));
    // Half-way across and along.
    const float across = (H(10, 20) + H(11, 20)) / 2;
    EXPECT_NEAR(m_terrain.GroundHeight(X(10) + 0.25f, Y(0, 20)), across, 1e-4f);
    const float corner = (H(10, 20) + H(11, 20) + H(10, 21) + H(11, 21)) / 4;
    EXPECT_NEAR(m_terrain.GroundHeight(X(10) + 0.25f, Y(0, 20) + 0.25f), corner, 1e-4f);
}

TEST_F(TerrainTest, GroundHeightAcrossBandSeamsFollowsTheDrawnMesh)
{
    // Just past the seam of bands 0 and 1: between rows 0 and 1 of band 1.
    EXPECT_NEAR(m_terrain.GroundHeight(X(20), Y(1, 0) + 0.25f), (H(64 + 20, 0) + H(64 + 20, 1)) / 2, 1e-4f);
    // Just before it: between the last two rows of band 0.
    EXPECT_NEAR(m_terrain.GroundHeight(X(20), Y(1, 0) - 0.25f), (H(20, 254) + H(20, 255)) / 2, 1e-4f);
    // Late bands: a few rows past the seam of band 3 is still band 3 at that row.
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(20), Y(3, 2)), H(3 * 64 + 20, 2));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(20), Y(3, 1)), H(3 * 64 + 20, 1));
}

TEST_F(TerrainTest, MeshHeightMatchesGroundHeightAwayFromTheBanks)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> xs(X(2), X(61)), ys(0.0f, m_terrain.Length());
    for (int i = 0; i < 2000; ++i) {
        const float x = xs(rng), y = ys(rng);
        ASSERT_NEAR(m_terrain.MeshHeight(x, y), m_terrain.GroundHeight(x, y), 1e-3f) << x << ", " << y;
    }
}

TEST_F(TerrainTest, MeshHeightOnBanksAndOutsideTheMesh)
{
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(X(0), Y(1, 10)), m_terrain.At(0, 256 + 10).z);
    EXPECT_GT(m_terrain.MeshHeight(X(0), Y(1, 10)), m_terrain.GroundHeight(X(0), Y(1, 10)));
    const float fallback = m_terrain.At(0, 5).z;
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(X(0) - 1.0f, 10.0f), fallback);
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(X(63), 10.0f), fallback);  // no strip to the right of the last
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(0.0f, -1.0f), fallback);
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(0.0f, m_terrain.Length() + 1.0f), fallback);
    EXPECT_FLOAT_EQ(m_terrain.MeshHeight(std::nanf(""), 10.0f), fallback);
}

TEST_F(TerrainTest, GroundHeightOutsideTheTerrainIsTheNearestEdge)
{
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(0) - 50.0f, Y(0, 20)), H(0, 20));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(63) + 50.0f, Y(0, 20)), H(63, 20));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(7), -30.0f), H(7, 0));
    EXPECT_FLOAT_EQ(m_terrain.GroundHeight(X(7), 1e9f), H(3 * 64 + 7, 255));
    const float nan = m_terrain.GroundHeight(std::nanf(""), std::nanf(""));
    EXPECT_FALSE(std::isnan(nan));
}

TEST(TerrainLoad, RefusesFilesItCannotUse)
{
    const std::vector<uint8_t> image = Image();
    auto load = [&](const std::string& keys, const std::vector<uint8_t>& bytes) {
        Terrain t(1.0f, false);
        const bool ok = t.LoadFromHeights(bytes.data(), bytes.size(), Keys(keys));
        // An empty terrain answers 0 and draws no chunk.
        if (!ok) {
            int c[3];
            EXPECT_EQ(t.GroundHeight(0, 10), 0.0f);
            EXPECT_EQ(t.MeshHeight(0, 10), 0.0f);
            EXPECT_EQ(t.ChunksToDraw(0, c), 0);
            EXPECT_EQ(t.HalfWidth(), 0.0f);
        }
        return ok;
    };
    const std::string rest = " h_max 10 k_detail_tex 8 main_tex m.jpg detail_tex d.jpg";
    EXPECT_FALSE(load("lines 0 h_dist 0.5" + rest, image));
    EXPECT_FALSE(load("lines 300 h_dist 0.5" + rest, image));   // larger than the image
    EXPECT_FALSE(load("lines 200 h_dist 0.5" + rest, image));   // one strip only
    EXPECT_FALSE(load("lines -4 h_dist 0.5" + rest, image));
    EXPECT_FALSE(load("lines 4 h_dist 0" + rest, image));
    EXPECT_FALSE(load("lines 4 h_dist -0.5" + rest, image));
    EXPECT_FALSE(load("lines 4 h_dist 0.5 h_max 0 k_detail_tex 8 main_tex m.jpg detail_tex d.jpg", image));
    EXPECT_FALSE(load("lines 4 h_dist 0.5 h_max 10 k_detail_tex 0 main_tex m.jpg detail_tex d.jpg", image));
    EXPECT_FALSE(load("lines 4 h_dist 0.5 h_max 10 k_detail_tex 8 detail_tex d.jpg", image));
    EXPECT_FALSE(load("lines 4 h_dist 0.5 h_max 10 k_detail_tex 8 main_tex m.jpg", image));
    EXPECT_FALSE(load(kGood, std::vector<uint8_t>(3, 7)));       // shorter than one band
    EXPECT_FALSE(load(kGood, {}));
    EXPECT_TRUE(load(kGood, image));
}

TEST(TerrainLoad, NonSquareImageUsesTheWholeSquareInside)
{
    std::vector<uint8_t> image = Image();
    image.resize(image.size() + 300, 255);  // bytes beyond N × N are ignored
    Terrain t(1.0f, false);
    ASSERT_TRUE(t.LoadFromHeights(image.data(), image.size(), Keys(kGood)));
    EXPECT_EQ(t.Side(), 256);
    // Lines that do not divide N: the columns beyond q × lines are ignored.
    Terrain u(1.0f, false);
    ASSERT_TRUE(u.LoadFromHeights(image.data(), image.size(),
                                  Keys("lines 3 h_dist 0.5 h_max 10 k_detail_tex 8 main_tex m.jpg detail_tex d.jpg")));
    EXPECT_EQ(u.Strips(), 85);
    EXPECT_EQ(u.ChunkCount(), 9);
    int first = 0, last = 0;
    u.ChunkRange(8, first, last);
    EXPECT_LE(last, u.VerticesPerStrip() - 1);
    EXPECT_NEAR(u.MeshHeight(0.0f, u.Length() / 2), u.GroundHeight(0.0f, u.Length() / 2), 1e-3f);
}

TEST(TerrainLoad, ScaleMultipliesSpacingAndHeight)
{
    const std::vector<uint8_t> image = Image();
    Terrain t(2.0f, false);
    ASSERT_TRUE(t.LoadFromHeights(image.data(), image.size(), Keys(kGood)));
    EXPECT_FLOAT_EQ(t.SampleDistance(), 1.0f);
    EXPECT_FLOAT_EQ(t.HeightMax(), 20.0f);
    EXPECT_FLOAT_EQ(t.GroundHeight(1.0f * 10 - 32.0f, 20.0f), t.Sample(10, 20) * 20.0f / 255.0f);
}

TEST(TerrainLoad, OversizedImageIsRefused)
{
    const size_t side = Terrain::kMaxSide + 1;
    std::vector<uint8_t> image(side * side, 1);
    Terrain t(1.0f, false);
    EXPECT_FALSE(t.LoadFromHeights(image.data(), image.size(), Keys(kGood)));
}

}  // namespace
