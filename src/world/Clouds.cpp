// CClouds: reading the cloud file, the cloud textures and the two dome passes.
#include "world/Clouds.h"

#include "app/Log.h"
#include "platform/GL.h"
#include "render/FacesDepot.h"
#include "render/Texture.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

CClouds::CClouds(bool graphics) : m_graphics(graphics) {}

CClouds::~CClouds() = default;

namespace {

bool DecodePicture(const ResourceGroup& group, const std::string& name, DecodedImage& out)
{
    if (name.size() <= 1)
        return false;
    const FileBuffer file = group.ReadFile(name);
    DecodedImage picture;
    if (file.Empty() || !DecodeJpeg(file.Data(), file.Size(), picture)) {
        LogWrite("CClouds: cannot decode %s", name.c_str());
        return false;
    }
    out = std::move(picture);
    return true;
}

// Direction (x, y, z) and speed (w) under a vector key name.
Vec3 ReadDrift(const ParamFile& f, const std::string& name)
{
    Vec3 v(f.GetFloat(name + ".x", "0"), f.GetFloat(name + ".y", "0"), f.GetFloat(name + ".z", "0"));
    v.w = f.GetFloat(name + ".w", "0");
    return v;
}

uint8_t ColourByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// A colour channel as the frame buffer keeps it (0 … 255), or -1 where it is not a number or
// lies too close to half-way between two steps to say which one it becomes.
int FrameStep(float c)
{
    if (!std::isfinite(c))
        return -1;
    const float scaled = std::clamp(c, 0.0f, 1.0f) * 255.0f;
    if (std::fabs(scaled - std::floor(scaled) - 0.5f) < 0.01f)
        return -1;
    return static_cast<int>(std::lround(scaled));
}

}  // namespace

bool CClouds::Load(const ResourceGroup& group, const std::string& path)
{
    ParamFile f;
    if (!f.Read(group, path, true))
        LogWrite("CClouds: cannot read %s", path.c_str());

    const std::string faces = f.GetString("faces_file_name", "0");
    if (!faces.empty()) {
        m_dome = std::make_unique<CFacesDepot>();
        const FileBuffer mesh = group.ReadFile(faces);
        if (mesh.Empty() || !m_dome->ParseAllGroups(reinterpret_cast<const char*>(mesh.Data()), mesh.Size()))
            LogWrite("CClouds: no dome mesh in %s", faces.c_str());
        StudyDome();
    }
    if (!DecodePicture(group, f.GetString("clouds_file_name", "n"), m_clouds_image))
        return false;
    if (!DecodePicture(group, f.GetString("clouds_noise_file_name", "n"), m_noise_image))
        return false;

    m_show_normals = f.GetBool("show_normales", "0");
    m_intensity = f.GetFloat("m_intensity", "0");
    m_cloud_drift = ReadDrift(f, "m_clouds_delta");
    const float speed = m_cloud_drift.w;
    m_cloud_drift.NormalizeSafe();  // a zero direction stays zero: those clouds stand still
    m_cloud_drift.w = speed;
    m_noise_drift = ReadDrift(f, "m_clouds_noise_delta");
    m_cloud_colour[0] = ColourByte(f.GetInt("m_clouds_red", "0"));
    m_cloud_colour[1] = ColourByte(f.GetInt("m_clouds_green", "0"));
    m_cloud_colour[2] = ColourByte(f.GetInt("m_clouds_blue", "0"));
    m_sky_color = Vec3(f.GetFloat("m_sky_red", "0") / 255.0f, f.GetFloat("m_sky_green", "0") / 255.0f,
                       f.GetFloat("m_sky_blue", "0") / 255.0f);
    if (m_graphics)
        BuildTextures();
    return true;
}

DecodedImage CClouds::CloudTexels(const DecodedImage& picture, const uint8_t colour[3])
{
    DecodedImage out;
    const size_t count = static_cast<size_t>(picture.width) * picture.height;
    const size_t channels = std::max<uint32_t>(1, picture.bytesPerPixel);
    if (picture.pixels.size() < count * channels)
        return out;
    out.width = picture.width;
    out.height = picture.height;
    out.bytesPerPixel = 4;
    out.pixels.resize(count * 4);
    for (size_t i = 0; i < count; ++i) {
        out.pixels[i * 4 + 0] = colour[0];
        out.pixels[i * 4 + 1] = colour[1];
        out.pixels[i * 4 + 2] = colour[2];
        out.pixels[i * 4 + 3] = picture.pixels[i * channels];
    }
    return out;
}

void CClouds::BuildTextures()
{
    m_clouds_texture.reset();
    m_noise_texture.reset();
    const DecodedImage clouds = CloudTexels(m_clouds_image, m_cloud_colour);
    const DecodedImage noise = CloudTexels(m_noise_image, m_cloud_colour);
    if (clouds.width > 0) {
        m_clouds_texture = std::make_unique<CTexture>();
        m_clouds_texture->Upload(clouds, true, true);
    }
    if (noise.width > 0) {
        m_noise_texture = std::make_unique<CTexture>();
        m_noise_texture->Upload(noise, true, true);
    }
}

void CClouds::Update(float dt)
{
    m_cloud_offset += Vec3(m_cloud_drift.x, m_cloud_drift.y, m_cloud_drift.z) * (m_cloud_drift.w * dt);
    m_noise_offset += Vec3(m_noise_drift.x, m_noise_drift.y, m_noise_drift.z) * (m_noise_drift.w * dt);
}

void CClouds::SendDome(bool cloudLayers, const std::vector<uint8_t>* only) const
{
    const CFacesDepot& d = *m_dome;
    const size_t vertices = d.m_vertices.size() / 3, coords = d.m_tex_coords.size() / 2, normals = d.m_normals.size() / 3;
    const bool useNormals = m_show_normals && d.m_has_normals;
    const bool multi = cloudLayers && gwMultiTexCoord2fARB;
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < d.m_faces.size(); ++i) {
        const CFacesDepot::Face& f = d.m_faces[i];
        if (only && (i >= only->size() || (*only)[i] == 0))
            continue;
        if (f.v[0] < 0 || f.v[1] < 0 || f.v[2] < 0 || static_cast<size_t>(f.v[0]) >= vertices ||
            static_cast<size_t>(f.v[1]) >= vertices || static_cast<size_t>(f.v[2]) >= vertices)
            continue;
        for (int k = 0; k < 3; ++k) {
            if (useNormals && f.n[k] >= 0 && static_cast<size_t>(f.n[k]) < normals)
                glNormal3fv(&d.m_normals[static_cast<size_t>(f.n[k]) * 3]);
            if (cloudLayers) {
                float u = 0, v = 0;
                if (f.t[k] >= 0 && static_cast<size_t>(f.t[k]) < coords) {
                    u = d.m_tex_coords[static_cast<size_t>(f.t[k]) * 2];
                    v = d.m_tex_coords[static_cast<size_t>(f.t[k]) * 2 + 1];
                }
                if (multi) {
                    gwMultiTexCoord2fARB(GL_TEXTURE0_ARB, u + m_cloud_offset.x, v + m_cloud_offset.y);
                    gwMultiTexCoord2fARB(GL_TEXTURE1_ARB, u + m_noise_offset.x, v + m_noise_offset.y);
                } else {
                    glTexCoord2f(u + m_cloud_offset.x, v + m_cloud_offset.y);
                }
            }
            glVertex3fv(&d.m_vertices[static_cast<size_t>(f.v[k]) * 3]);
        }
    }
    glEnd();
}

namespace {

// The eye in the coordinates of the current model-view matrix: the matrix's inverse applied
// to the origin. A matrix without an inverse puts the eye far away (outside any dome).
Vec3 EyeInModel()
{
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // Column-major: the linear part a(r, c) = m[c * 4 + r], the shift t = m[12 … 14].
    auto a = [&](int r, int c) { return static_cast<double>(m[c * 4 + r]); };
    const double det = a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) - a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
                       a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
    if (!(std::fabs(det) > 1e-30))
        return Vec3(1e30f, 1e30f, 1e30f);
    // eye = −A⁻¹ t, with A⁻¹ = adjugate / det.
    const double t[3] = {m[12], m[13], m[14]};
    double e[3];
    for (int r = 0; r < 3; ++r) {
        const int r1 = (r + 1) % 3, r2 = (r + 2) % 3;
        double sum = 0.0;
        for (int c = 0; c < 3; ++c) {
            const int c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            // Cofactor of a(c, r): the adjugate is the cofactor matrix transposed.
            const double cof = a(c1, r1) * a(c2, r2) - a(c1, r2) * a(c2, r1);
            sum += cof * t[c];
        }
        e[r] = -sum / det;
    }
    return Vec3(static_cast<float>(e[0]), static_cast<float>(e[1]), static_cast<float>(e[2]));
}

// How far the sky pass is lifted, in the dome's own units.
constexpr float kSkyLift = 0.01f;
// A face counts as turned upwards when its unit normal's z is above this: lifted by kSkyLift it
// then lies at least kSkyLift × kUpwards behind the face, well beyond the depth buffer's steps.
constexpr float kUpwards = 0.05f;
// Most face-against-vertex tests StudyDome makes (a dome of a few hundred faces needs 1e5).
constexpr size_t kMaxStudy = 20000000;

}  // namespace

void CClouds::StudyDome()
{
    m_face_planes.clear();
    m_dome_convex = false;
    if (!m_dome)
        return;
    const CFacesDepot& d = *m_dome;
    const size_t vertices = d.m_vertices.size() / 3;
    // Every face is held against every vertex; a dome too large for that within a level load
    // keeps its whole sky pass (no face planes: SkyPassFaces keeps every face).
    if (d.m_faces.size() * vertices > kMaxStudy)
        return;
    auto at = [&](int32_t i) { return &d.m_vertices[static_cast<size_t>(i) * 3]; };
    auto valid = [&](const CFacesDepot::Face& f) {
        for (int k = 0; k < 3; ++k)
            if (f.v[k] < 0 || static_cast<size_t>(f.v[k]) >= vertices)
                return false;
        return true;
    };
    // Edges used by one face only are the dome's open edges; their vertices are its rims.
    std::map<std::pair<int32_t, int32_t>, int> edges;
    for (const CFacesDepot::Face& f : d.m_faces)
        if (valid(f))
            for (int k = 0; k < 3; ++k)
                ++edges[std::minmax(f.v[k], f.v[(k + 1) % 3])];
    std::vector<uint8_t> rim(vertices, 0);
    for (const auto& [edge, count] : edges)
        if (count < 2)
            rim[static_cast<size_t>(edge.first)] = rim[static_cast<size_t>(edge.second)] = 1;

    float extent = 0.0f;
    for (float c : d.m_vertices)
        if (std::isfinite(c))
            extent = std::max(extent, std::fabs(c));
    m_dome_bottom = 1e30f;
    for (size_t i = 0; i < vertices; ++i)
        m_dome_bottom = std::min(m_dome_bottom, d.m_vertices[i * 3 + 2]);
    const float eps = 1e-4f * extent;
    bool convex = !d.m_faces.empty() && extent > 0.0f;
    m_face_planes.reserve(d.m_faces.size());
    for (const CFacesDepot::Face& f : d.m_faces) {
        FacePlane plane{{0, 0, 0}, 0, false};
        if (!valid(f)) {
            m_face_planes.push_back(plane);
            continue;
        }
        const float* a = at(f.v[0]);
        const float* b = at(f.v[1]);
        const float* c = at(f.v[2]);
        const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(len > 0.0f) || !std::isfinite(len)) {
            m_face_planes.push_back(plane);  // covers no pixel; kept all the same
            continue;
        }
        for (float& k : n)
            k /= len;
        float dist = n[0] * a[0] + n[1] * a[1] + n[2] * a[2];
        // Every vertex on one side of the face's plane: the outside is the other one.
        float lo = 0.0f, hi = 0.0f;
        for (size_t i = 0; i < vertices; ++i) {
            const float* p = &d.m_vertices[i * 3];
            const float sd = n[0] * p[0] + n[1] * p[1] + n[2] * p[2] - dist;
            lo = std::min(lo, sd);
            hi = std::max(hi, sd);
        }
        if ((hi > eps && lo < -eps) || !(hi > eps || lo < -eps))
            convex = false;
        if (hi > eps) {
            for (float& k : n)
                k = -k;
            dist = -dist;
        }
        bool atRim = false;
        for (int k = 0; k < 3; ++k)
            atRim = atRim || rim[static_cast<size_t>(f.v[k])] != 0;
        plane = FacePlane{{n[0], n[1], n[2]}, dist, !atRim && n[2] > kUpwards};
        m_face_planes.push_back(plane);
    }
    m_dome_convex = convex;
}

size_t CClouds::SkyPassFaces(const Vec3& eye, std::vector<uint8_t>& draw) const
{
    const size_t faces = m_dome ? m_dome->m_faces.size() : 0;
    draw.assign(faces, 1);
    if (!m_dome_convex || m_face_planes.size() != faces)
        return faces;
    // The eye must lie inside every face's plane, clear of it, and above the dome's lowest
    // point (below it, it would look up through the open bottom where no face stands).
    if (!(eye.z > m_dome_bottom + kSkyLift))
        return faces;
    for (const FacePlane& p : m_face_planes)
        if (!(p.n[0] * eye.x + p.n[1] * eye.y + p.n[2] * eye.z - p.d < -kSkyLift))
            return faces;
    size_t kept = faces;
    for (size_t i = 0; i < faces; ++i)
        if (m_face_planes[i].mayLeaveOut) {
            draw[i] = 0;
            --kept;
        }
    return kept;
}

bool CClouds::SkyPassNeeded(const Vec3& sky, const Vec3& fog)
{
    const float a[3] = {sky.x, sky.y, sky.z}, b[3] = {fog.x, fog.y, fog.z};
    for (int k = 0; k < 3; ++k) {
        const int sa = FrameStep(a[k]), sb = FrameStep(b[k]);
        if (sa < 0 || sb < 0 || sa != sb)
            return true;
    }
    return false;
}

void CClouds::Draw(bool skyPass) const
{
    if (!m_dome)
        return;
    // Sky pass. With the sky colour already in the frame only its depth counts, and only
    // where it can hold the cloud pass back.
    const std::vector<uint8_t>* only = nullptr;
    bool any = true;
    if (!skyPass && m_clouds_texture) {
        any = SkyPassFaces(EyeInModel(), m_sky_faces) > 0;
        only = &m_sky_faces;
    }
    if (any) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, kSkyLift);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_BLEND);
        glColor4f(m_sky_color.x, m_sky_color.y, m_sky_color.z, 1.0f);
        SendDome(false, only);
        glPopMatrix();
    }

    // Cloud pass: the two layers added signed over each other.
    if (!m_clouds_texture)
        return;
    glColor4f(1.0f, 1.0f, 1.0f, m_intensity);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const bool multi = gwActiveTextureARB && gwMultiTexCoord2fARB && m_noise_texture;
    if (multi)
        gwActiveTextureARB(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_clouds_texture->GLName());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (multi) {
        gwActiveTextureARB(GL_TEXTURE1_ARB);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_noise_texture->GLName());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_ADD_SIGNED_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_PREVIOUS_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
    }
    SendDome(true);
    if (multi) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glDisable(GL_TEXTURE_2D);
        gwActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}
