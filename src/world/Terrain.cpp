// Terrain: loading the folded height image, building the mesh and its chunks, height queries.
#include "world/Terrain.h"

#include "app/Log.h"
#include "platform/GL.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Bank of the current level's textures.
constexpr const char* kLevelBank = "CLevel";

// Bank tilt and rise of the two outer strips on each side.
constexpr float kBankShift = 1.31f;
constexpr float kBankDetailShift = 3.31f;
constexpr float kBankRise = 0.9f;

// int() of a float that may be huge or not a number, without undefined behaviour.
int TruncToInt(float v)
{
    if (!(v > -2.0e9f && v < 2.0e9f))
        return v > 0 ? 2000000000 : -2000000000;
    return static_cast<int>(v);
}

// Clamps into [lo, hi]; not a number becomes lo.
float ClampSafe(float v, float lo, float hi)
{
    if (!(v >= lo))
        return lo;
    return v > hi ? hi : v;
}

}  // namespace

Terrain::Terrain(float kScale, bool graphics)
    : m_k_scale(kScale), m_graphics(graphics), m_multitexture(HasMultiTexture)
{
}

Terrain::~Terrain()
{
    DeleteDisplayLists();
}

void Terrain::Free()
{
    DeleteDisplayLists();
    std::vector<uint8_t>().swap(m_heights);
    m_blocks.clear();
    m_chunk_blocks.clear();
    m_n = 0;
    m_q = 0;
    m_loaded = false;
}

bool Terrain::Load(const ResourceGroup& group, const ParamFile& file)
{
    Free();
    const std::string rawName = file.GetString("raw_name", "0");
    if (rawName == "0") {
        LogWrite("Terrain: no height image (raw_name)");
        return false;
    }
    const FileBuffer raw = group.ReadFile(rawName);
    if (raw.Empty()) {
        LogWrite("Terrain: cannot read height image %s", rawName.c_str());
        return false;
    }
    return LoadFromHeights(raw.Data(), raw.Size(), file);
}

bool Terrain::LoadFromHeights(const uint8_t* bytes, size_t size, const ParamFile& file)
{
    Free();
    int n = static_cast<int>(std::sqrt(static_cast<double>(size)));
    while (static_cast<size_t>(n) * n > size)  // guard against rounding of the square root
        --n;
    if (n > kMaxSide) {
        LogWrite("Terrain: height image side %i is larger than %i", n, kMaxSide);
        return false;
    }
    const int lines = file.GetInt("lines", "0");
    // q strips across: at least two are needed to make a surface.
    if (lines <= 0 || n / lines < 2) {
        LogWrite("Terrain: \"lines\" %i does not fit an image of side %i", lines, n);
        return false;
    }
    const float hd = file.GetFloat("h_dist", "0") * m_k_scale;
    if (!(hd > 0.0f) || !std::isfinite(hd)) {
        LogWrite("Terrain: sample spacing h_dist must be positive");
        return false;
    }
    const float hmax = file.GetFloat("h_max", "0") * m_k_scale;
    if (hmax == 0.0f || !std::isfinite(hmax)) {
        LogWrite("Terrain: h_max is 0");
        return false;
    }
    const float detail = 2.0f * file.GetFloat("k_detail_tex", "0");
    if (detail == 0.0f || !std::isfinite(detail)) {
        LogWrite("Terrain: k_detail_tex is 0");
        return false;
    }
    const std::string mainTex = file.GetString("main_tex", "0");
    const std::string detailTex = file.GetString("detail_tex", "0");
    if (mainTex == "0" || detailTex == "0") {
        LogWrite("Terrain: main_tex or detail_tex missing");
        return false;
    }

    m_n = n;
    m_lines = lines;
    m_q = n / lines;
    m_hd = hd;
    m_hmax = hmax;
    m_detail_repeat = detail;
    m_heights.assign(bytes, bytes + static_cast<size_t>(n) * n);
    m_end_reached = false;

    if (m_graphics) {
        if (CResourceBank* bank = CResourceBank::FindBank(kLevelBank)) {
            m_main_texture = bank->AddTexture(mainTex, "terrain_main", false, true);
            m_detail_texture = bank->AddTexture(detailTex, "terrain_detail", true, true);
        } else {
            LogWrite("Terrain: no resource bank \"%s\" for the textures", kLevelBank);
        }
    }
    BuildBlocks();
    m_loaded = true;
    if (m_graphics)
        BuildDisplayLists();
    return true;
}

Terrain::Vertex Terrain::At(int w, int j) const
{
    const int n = m_n, q = m_q;
    const float s = m_detail_repeat / n;
    const int b = j / n, r = j % n;
    const int g = b * q + w;
    const int along = j - j / n;  // rows shared by neighbouring bands count once
    Vertex v;
    v.x = w * m_hd;
    v.y = m_hd * along;
    v.z = Sample(g, r) * m_hmax / 255.0f;
    v.u0 = static_cast<float>(g) / n;
    // At a band seam the first vertex of the new band takes the main coordinates of the vertex
    // after it (the same column, one row on), so the seam triangles do not stretch the texture
    // across the whole image. The very first vertex and the last one are no seam.
    const bool seam = r == 0 && j > 0 && j + 1 < VerticesPerStrip();
    v.v0 = static_cast<float>(seam ? r + 1 : r) / n;
    v.u1 = w * s;
    v.v1 = along * s;
    // Banks: the two outer strips of each side lean outwards and rise (on a narrow terrain a
    // strip can be both a left and a right one and takes both shifts, in this order).
    auto shift = [&](int strip, float k, float side) {
        if (strip != w)
            return;
        v.x += side * k * m_hd * kBankShift;
        v.u1 += side * k * s * kBankDetailShift;
        v.z += k * m_hd * kBankRise;
    };
    shift(0, 2.0f, -1.0f);
    shift(1, 1.0f, -1.0f);
    shift(q - 1, 2.0f, 1.0f);
    shift(q - 2, 1.0f, 1.0f);
    return v;
}

void Terrain::BuildBlocks()
{
    m_blocks.clear();
    m_chunk_blocks.clear();
    const int chunks = ChunkCount();
    const float shiftX = -m_q * m_hd / 2.0f;
    for (int c = 0; c < chunks; ++c) {
        m_chunk_blocks.push_back(static_cast<int>(m_blocks.size()));
        int first = 0, last = 0;
        ChunkRange(c, first, last);
        for (int r0 = first; r0 < last; r0 += kBlockRows) {
            const int r1 = std::min(r0 + kBlockRows, last);
            for (int w0 = 0; w0 + 1 < m_q; w0 += kBlockQuads) {
                Block b{c, r0, r1, w0, std::min(w0 + kBlockQuads, m_q - 1), {}, {}};
                for (int k = 0; k < 3; ++k) {
                    b.lo[k] = 1e30f;
                    b.hi[k] = -1e30f;
                }
                for (int w = b.firstStrip; w <= b.lastStrip; ++w)
                    for (int j = r0; j <= r1; ++j) {
                        const Vertex& v = At(w, j);
                        const float p[3] = {v.x + shiftX, v.y, v.z};
                        for (int k = 0; k < 3; ++k) {
                            b.lo[k] = std::min(b.lo[k], p[k]);
                            b.hi[k] = std::max(b.hi[k], p[k]);
                        }
                    }
                m_blocks.push_back(b);
            }
        }
    }
    m_chunk_blocks.push_back(static_cast<int>(m_blocks.size()));
}

int Terrain::BlockRows(const Block& block, int detail, int* rows) const
{
    const int step = 1 << std::clamp(detail, 0, kDetailLevels - 1);
    int count = 0;
    for (int j = block.firstRow; j <= block.lastRow; ++j) {
        // Both rows of a band seam stay: skipping one would stretch the main texture from one
        // band of the image to the next across the triangles between them.
        const int inBand = j % m_n;
        const bool seam = inBand == 0 || inBand == m_n - 1;
        if ((j - block.firstRow) % step == 0 || j == block.lastRow || seam)
            rows[count++] = j;
    }
    return count;
}

void Terrain::SetFogDepths(float halfFog, float fullFog, float freeFog)
{
    m_half_fog_depth = halfFog;
    m_full_fog_depth = std::max(halfFog, fullFog);
    m_free_fog_depth = std::max(0.0f, freeFog);
}

void Terrain::SelectBlocks(const float mv[16], const float pr[16], std::vector<BlockDraw>& out) const
{
    out.clear();
    int chunks[3];
    const int count = ChunksToDraw(m_view.y, chunks);
    if (count == 0 || m_chunk_blocks.empty())
        return;
    // clip = projection × modelview, column-major like GL's own.
    float clip[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            clip[c * 4 + r] = pr[r] * mv[c * 4] + pr[4 + r] * mv[c * 4 + 1] + pr[8 + r] * mv[c * 4 + 2] +
                              pr[12 + r] * mv[c * 4 + 3];
    // Nearest eye depth of a box (the depth is linear, so a corner holds it), and whether the
    // whole box lies outside one plane of the view volume.
    auto depthOf = [&](const float lo[3], const float hi[3]) {
        float nearest = 1e30f;
        for (int i = 0; i < 8; ++i) {
            const float x = (i & 1) ? hi[0] : lo[0], y = (i & 2) ? hi[1] : lo[1], z = (i & 4) ? hi[2] : lo[2];
            nearest = std::min(nearest, -(mv[2] * x + mv[6] * y + mv[10] * z + mv[14]));
        }
        return std::max(0.0f, nearest);
    };
    // Farthest distance of a box from the eye: the fog's distance is the eye depth or, with
    // some drivers, the straight distance, never more than this.
    auto farthestOf = [&](const float lo[3], const float hi[3]) {
        float farthest = 0.0f;
        for (int i = 0; i < 8; ++i) {
            const float x = (i & 1) ? hi[0] : lo[0], y = (i & 2) ? hi[1] : lo[1], z = (i & 4) ? hi[2] : lo[2];
            float e[3];
            for (int r = 0; r < 3; ++r)
                e[r] = mv[r] * x + mv[4 + r] * y + mv[8 + r] * z + mv[12 + r];
            farthest = std::max(farthest, e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
        }
        return std::sqrt(farthest);
    };
    auto outside = [&](const Block& b) {
        unsigned all = 63;
        for (int i = 0; i < 8 && all != 0; ++i) {
            const float x = (i & 1) ? b.hi[0] : b.lo[0], y = (i & 2) ? b.hi[1] : b.lo[1], z = (i & 4) ? b.hi[2] : b.lo[2];
            float v[4];
            for (int r = 0; r < 4; ++r)
                v[r] = clip[r] * x + clip[4 + r] * y + clip[8 + r] * z + clip[12 + r];
            unsigned bits = 0;
            for (int k = 0; k < 3; ++k) {
                if (v[k] < -v[3])
                    bits |= 1u << (2 * k);
                if (v[k] > v[3])
                    bits |= 2u << (2 * k);
            }
            all &= bits;
        }
        return all != 0;
    };
    for (int k = 0; k < count; ++k) {
        const int end = m_chunk_blocks[static_cast<size_t>(chunks[k]) + 1];
        // The detail is chosen per row of blocks, so that blocks side by side keep the same rows.
        for (int i = m_chunk_blocks[static_cast<size_t>(chunks[k])]; i < end;) {
            int rowEnd = i;
            float lo[3], hi[3];
            for (int a = 0; a < 3; ++a) {
                lo[a] = m_blocks[static_cast<size_t>(i)].lo[a];
                hi[a] = m_blocks[static_cast<size_t>(i)].hi[a];
            }
            while (rowEnd < end && m_blocks[static_cast<size_t>(rowEnd)].firstRow == m_blocks[static_cast<size_t>(i)].firstRow) {
                for (int a = 0; a < 3; ++a) {
                    lo[a] = std::min(lo[a], m_blocks[static_cast<size_t>(rowEnd)].lo[a]);
                    hi[a] = std::max(hi[a], m_blocks[static_cast<size_t>(rowEnd)].hi[a]);
                }
                ++rowEnd;
            }
            const float rowDepth = depthOf(lo, hi);
            const int detail = rowDepth < m_half_fog_depth ? 0 : rowDepth < m_full_fog_depth ? 1 : 2;
            for (; i < rowEnd; ++i) {
                const Block& b = m_blocks[static_cast<size_t>(i)];
                if (outside(b))
                    continue;
                const float depth = depthOf(b.lo, b.hi);
                const bool clear = m_free_fog_depth > 0.0f && farthestOf(b.lo, b.hi) < m_free_fog_depth;
                out.push_back(BlockDraw{i, detail, depth >= m_full_fog_depth, depth, clear});
            }
        }
    }
    std::sort(out.begin(), out.end(), [](const BlockDraw& a, const BlockDraw& b) {
        if (a.clear != b.clear)
            return a.clear;
        if (a.fogged != b.fogged)
            return !a.fogged;
        return a.depth < b.depth;
    });
}

void Terrain::ChunkRange(int chunk, int& first, int& last) const
{
    first = chunk * m_q;
    last = std::min(chunk * m_q + m_q, VerticesPerStrip() - 1);
}

int Terrain::ChunksToDraw(float viewY, int out[3]) const
{
    const int chunks = static_cast<int>(m_lists.empty() ? ChunkCount() : m_lists.size());
    if (m_q <= 0 || chunks == 0)
        return 0;
    const float width = m_q * m_hd;
    const int c = TruncToInt((viewY - width / 2.0f) / width);
    int count = 0;
    for (int k = 0; k < 3; ++k) {
        const long i = static_cast<long>(c) + k;
        if (i >= 0 && i < chunks)
            out[count++] = static_cast<int>(i);
    }
    return count;
}

void Terrain::SendBlock(const Block& block, int detail, bool multitexture) const
{
    int rows[kBlockRows + 1];
    const int count = BlockRows(block, detail, rows);
    for (int w = block.firstStrip; w < block.lastStrip; ++w) {
        // One triangle strip along the block between strips w and w + 1, strip w first: the
        // triangles then wind counter-clockwise seen from above, so the back faces culled are
        // the undersides.
        glBegin(GL_TRIANGLE_STRIP);
        for (int k = 0; k < count; ++k) {
            for (int side = 0; side <= 1; ++side) {
                const Vertex& v = At(w + side, rows[k]);
                if (multitexture) {
                    gwMultiTexCoord2fARB(GL_TEXTURE0_ARB, v.u0, v.v0);
                    gwMultiTexCoord2fARB(GL_TEXTURE1_ARB, v.u1, v.v1);
                } else {
                    glTexCoord2f(v.u1, v.v1);
                }
                glVertex3f(v.x, v.y, v.z);
            }
        }
        glEnd();
    }
}

void Terrain::BuildDisplayLists()
{
    DeleteDisplayLists();
    if (!m_loaded || !m_multitexture || !gwMultiTexCoord2fARB)
        return;
    const size_t chunks = static_cast<size_t>(ChunkCount());
    m_lists.assign(chunks, 0);
    m_chunk_done.assign(chunks, 0);
    // The chunks around the view now, and the next one, are there before the first frame.
    CompileChunksNearView(true);
}

void Terrain::CompileChunk(int chunk, int maxBlocks) const
{
    const size_t c = static_cast<size_t>(chunk);
    const int first = FirstBlock(chunk), blocks = FirstBlock(chunk + 1) - first;
    if (m_chunk_done[c] < 0 || m_chunk_done[c] >= blocks)
        return;  // refused by GL before, or complete
    if (m_lists[c] == 0) {
        m_lists[c] = glGenLists(blocks * kDetailLevels);
        if (m_lists[c] == 0) {
            m_chunk_done[c] = -1;  // GL refused the names: the chunk is not drawn
            return;
        }
    }
    const GLuint base = m_lists[c];
    for (int n = 0; n < maxBlocks && m_chunk_done[c] < blocks; ++n, ++m_chunk_done[c]) {
        const int b = m_chunk_done[c];
        for (int d = 0; d < kDetailLevels; ++d) {
            glNewList(base + static_cast<GLuint>(b * kDetailLevels + d), GL_COMPILE);
            SendBlock(m_blocks[static_cast<size_t>(first + b)], d, true);
            glEndList();
        }
    }
}

void Terrain::DeleteChunk(int chunk) const
{
    const size_t c = static_cast<size_t>(chunk);
    if (m_lists[c] != 0)
        glDeleteLists(m_lists[c], (m_chunk_blocks[c + 1] - m_chunk_blocks[c]) * kDetailLevels);
    m_lists[c] = 0;
    m_chunk_done[c] = 0;
}

void Terrain::CompileChunksNearView(bool whole) const
{
    if (m_lists.empty())
        return;
    int chunks[3];
    const int count = ChunksToDraw(m_view.y, chunks);
    // The chunks drawn now are complete before they are drawn (a jump of the view compiles them
    // at once); the one after them is compiled a few blocks a frame while it is still ahead.
    for (int k = 0; k < count; ++k)
        CompileChunk(chunks[k], std::numeric_limits<int>::max());
    const int next = count > 0 ? chunks[count - 1] + 1 : -1;
    if (next >= 0 && next < ChunkCount())
        CompileChunk(next, whole ? std::numeric_limits<int>::max() : kLookaheadBlocksPerFrame);
    // The aircraft flies on along the level: what lies more than a chunk behind the view goes.
    const int keepFrom = count > 0 ? chunks[0] - 1 : 0;
    for (int c = 0; c < ChunkCount(); ++c)
        if ((c < keepFrom || c > next) && m_lists[static_cast<size_t>(c)] != 0)
            DeleteChunk(c);
}

void Terrain::DeleteDisplayLists()
{
    for (size_t i = 0; i < m_lists.size(); ++i)
        if (i + 1 < m_chunk_blocks.size())
            DeleteChunk(static_cast<int>(i));
    m_lists.clear();
    m_chunk_done.clear();
}

void Terrain::DrawBlocks(bool multitexture) const
{
    // The blocks clear of the fog come first: the fog waits until the first that is not.
    const bool fog = glIsEnabled(GL_FOG) == GL_TRUE;
    bool fogOff = false;
    bool textured = true;
    for (const BlockDraw& d : m_frame_blocks) {
        if (fog && d.clear != fogOff) {
            fogOff = d.clear;
            if (fogOff)
                glDisable(GL_FOG);
            else
                glEnable(GL_FOG);
        }
        if (d.fogged && textured) {
            // From here on the fog alone colours the ground: no texture is read.
            textured = false;
            if (multitexture) {
                gwActiveTextureARB(GL_TEXTURE1_ARB);
                glDisable(GL_TEXTURE_2D);
                gwActiveTextureARB(GL_TEXTURE0_ARB);
            }
            glDisable(GL_TEXTURE_2D);
        }
        const Block& b = m_blocks[static_cast<size_t>(d.block)];
        if (!multitexture) {
            SendBlock(b, d.detail, false);
            continue;
        }
        const uint32_t base = m_lists[static_cast<size_t>(b.chunk)];
        if (base != 0)
            glCallList(base + static_cast<GLuint>((d.block - FirstBlock(b.chunk)) * kDetailLevels + d.detail));
    }
    if (fogOff)
        glEnable(GL_FOG);
}

void Terrain::Draw() const
{
    if (!m_loaded)
        return;
    CompileChunksNearView(false);
    GLfloat modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    SelectBlocks(modelview, projection, m_frame_blocks);
    glPushMatrix();
    glTranslatef(-m_q * m_hd / 2.0f, 0.0f, 0.0f);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glColor4f(1, 1, 1, 1);
    if (m_multitexture && gwActiveTextureARB && !m_lists.empty()) {
        gwActiveTextureARB(GL_TEXTURE0_ARB);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_main_texture ? m_main_texture->GLName() : 0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        gwActiveTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_detail_texture ? m_detail_texture->GLName() : 0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_ADD_SIGNED_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PREVIOUS_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
        gwActiveTextureARB(GL_TEXTURE0_ARB);
        DrawBlocks(true);
        gwActiveTextureARB(GL_TEXTURE1_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_TEXTURE_2D);
        gwActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    } else {
        // One texture unit: the detail texture alone, sent directly.
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_detail_texture ? m_detail_texture->GLName() : 0);
        DrawBlocks(false);
        glDisable(GL_TEXTURE_2D);
    }
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

void Terrain::SetViewPosition(const Vec3& p)
{
    m_view = p;
    if (!m_loaded)
        return;
    const float limit = m_n * m_lines - 2.1f * m_n / m_lines;
    if (limit < static_cast<float>(TruncToInt(p.y / m_hd)))
        m_end_reached = true;
}

void Terrain::LocateRow(float y, int& band, int& row, float& frac) const
{
    // Rows along the level: band b holds world rows b·(N − 1) … b·(N − 1) + N − 1.
    const float k = ClampSafe(y / m_hd, 0.0f, static_cast<float>(m_lines * (m_n - 1)));
    band = std::min(m_lines - 1, static_cast<int>(k) / (m_n - 1));
    const float r = k - static_cast<float>(band * (m_n - 1));
    row = std::min(static_cast<int>(r), m_n - 2);
    frac = r - row;
}

float Terrain::GroundHeight(float x, float y) const
{
    if (!m_loaded)
        return 0.0f;
    int band = 0, row = 0;
    float fy = 0.0f;
    LocateRow(y, band, row, fy);
    const float cx = ClampSafe((x + m_q * m_hd / 2.0f) / m_hd, 0.0f, static_cast<float>(m_q - 1));
    const int c = std::min(static_cast<int>(cx), m_q - 2);
    const float fx = cx - c;
    const int g = band * m_q + c;
    const float a = Sample(g, row) + (Sample(g + 1, row) - Sample(g, row)) * fx;
    const float b = Sample(g, row + 1) + (Sample(g + 1, row + 1) - Sample(g, row + 1)) * fx;
    return (a + (b - a) * fy) * m_hmax / 255.0f;
}

float Terrain::MeshHeight(float x, float y) const
{
    if (!m_loaded)
        return 0.0f;
    const float xs = (x + m_q * m_hd / 2.0f) / m_hd;
    const float ys = y / m_hd;
    const int per = VerticesPerStrip();
    if (!(xs >= 0.0f && xs < m_q - 1) || !(ys >= 0.0f && ys <= static_cast<float>(m_lines * (m_n - 1)))) {
        const int fallback = std::min(5, per - 1);
        return At(0, fallback).z;
    }
    int band = 0, row = 0;
    float fy = 0.0f;
    LocateRow(y, band, row, fy);
    const int o = static_cast<int>(xs);
    const float fx = xs - o;
    const int m = band * m_n + row;
    const float a = At(o, m).z + (At(o + 1, m).z - At(o, m).z) * fx;
    const float b = At(o, m + 1).z + (At(o + 1, m + 1).z - At(o, m + 1).z) * fx;
    return a + (b - a) * fy;
}
