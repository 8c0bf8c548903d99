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
    std::vector<Vertex>().swap(m_strips);
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
    BuildMesh();
    m_loaded = true;
    if (m_graphics)
        BuildDisplayLists();
    return true;
}

void Terrain::BuildMesh()
{
    const int n = m_n, q = m_q, per = VerticesPerStrip();
    const float s = m_detail_repeat / n;
    m_strips.assign(static_cast<size_t>(q) * per, Vertex{});
    for (int b = 0; b < m_lines; ++b) {
        for (int w = 0; w < q; ++w) {
            const int g = b * q + w;
            for (int r = 0; r < n; ++r) {
                const int j = b * n + r;
                const int along = j - j / n;  // rows shared by neighbouring bands count once
                Vertex& v = m_strips[static_cast<size_t>(w) * per + j];
                v.x = w * m_hd;
                v.y = m_hd * along;
                v.z = Sample(g, r) * m_hmax / 255.0f;
                v.u0 = static_cast<float>(g) / n;
                v.v0 = static_cast<float>(r) / n;
                v.u1 = w * s;
                v.v1 = along * s;
            }
        }
    }
    // At a band seam the first vertex of the new band takes the main coordinates of the vertex
    // after it, so the seam triangles do not stretch the texture across the whole image.
    for (int j = 0; j + 2 < per; ++j) {
        if ((j + 1) % n != 0)
            continue;
        for (int w = 0; w < q; ++w) {
            Vertex* strip = &m_strips[static_cast<size_t>(w) * per];
            strip[j + 1].u0 = strip[j + 2].u0;
            strip[j + 1].v0 = strip[j + 2].v0;
        }
    }
    // Banks: the two outer strips of each side lean outwards and rise.
    auto shift = [&](int w, float k, float side) {
        if (w < 0 || w >= q)
            return;
        Vertex* strip = &m_strips[static_cast<size_t>(w) * per];
        for (int j = 0; j < per; ++j) {
            strip[j].x += side * k * m_hd * kBankShift;
            strip[j].u1 += side * k * s * kBankDetailShift;
            strip[j].z += k * m_hd * kBankRise;
        }
    };
    shift(0, 2.0f, -1.0f);
    shift(1, 1.0f, -1.0f);
    shift(q - 1, 2.0f, 1.0f);
    shift(q - 2, 1.0f, 1.0f);
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

void Terrain::SendChunk(int chunk, bool multitexture) const
{
    int first = 0, last = 0;
    ChunkRange(chunk, first, last);
    if (first > last)
        return;
    for (int w = 0; w + 1 < m_q; ++w) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = first; j <= last; ++j) {
            // Strip w first: the triangles then wind counter-clockwise seen from above, so the
            // back faces culled are the undersides.
            for (int side = 0; side <= 1; ++side) {
                const Vertex& v = At(w + side, j);
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
    const int chunks = ChunkCount();
    m_lists.reserve(static_cast<size_t>(chunks));
    for (int i = 0; i < chunks; ++i) {
        const GLuint list = glGenLists(1);
        m_lists.push_back(list);
        if (list == 0)
            continue;
        glNewList(list, GL_COMPILE);
        SendChunk(i, true);
        glEndList();
    }
}

void Terrain::DeleteDisplayLists()
{
    for (uint32_t list : m_lists)
        if (list != 0)
            glDeleteLists(list, 1);
    m_lists.clear();
}

void Terrain::Draw() const
{
    if (!m_loaded)
        return;
    int chunks[3];
    const int count = ChunksToDraw(m_view.y, chunks);
    glPushMatrix();
    glTranslatef(-m_q * m_hd / 2.0f, 0.0f, 0.0f);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    if (m_multitexture && gwActiveTextureARB && !m_lists.empty()) {
        glColor4f(1, 1, 1, 1);
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
        for (int k = 0; k < count; ++k)
            if (m_lists[static_cast<size_t>(chunks[k])] != 0)
                glCallList(m_lists[static_cast<size_t>(chunks[k])]);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_TEXTURE_2D);
        gwActiveTextureARB(GL_TEXTURE0_ARB);
        glDisable(GL_TEXTURE_2D);
    } else {
        // One texture unit: the detail texture alone, sent directly.
        glColor4f(1, 1, 1, 1);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_detail_texture ? m_detail_texture->GLName() : 0);
        for (int k = 0; k < count; ++k)
            SendChunk(chunks[k], false);
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
