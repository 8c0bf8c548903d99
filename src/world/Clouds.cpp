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

void CClouds::SendDome(bool cloudLayers) const
{
    const CFacesDepot& d = *m_dome;
    const size_t vertices = d.m_vertices.size() / 3, coords = d.m_tex_coords.size() / 2, normals = d.m_normals.size() / 3;
    const bool useNormals = m_show_normals && d.m_has_normals;
    const bool multi = cloudLayers && gwMultiTexCoord2fARB;
    glBegin(GL_TRIANGLES);
    for (const CFacesDepot::Face& f : d.m_faces) {
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

void CClouds::Draw() const
{
    if (!m_dome)
        return;
    // Sky pass.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.01f);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor4f(m_sky_color.x, m_sky_color.y, m_sky_color.z, 1.0f);
    SendDome(false);
    glPopMatrix();

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
