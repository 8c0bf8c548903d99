// CClouds: the level's sky — a dome mesh filled with the sky colour and two drifting cloud
// layers drawn over it from a cloud picture and a noise picture.
//
// Owned by CLevel (replaced with every level): LoadLevel and ReloadGraphics call Load with the
// level pack and "levels/levelNN/clouds.cld", then take the sky colour for the GL clear colour
// and hand the two textures to GameData; UpdateLevel calls Update; the fog-and-sky step of
// DrawLevel calls Draw inside the dome's transform. The decoded pictures stay with the object so
// the textures can be rebuilt. Without graphics the pictures are decoded but no texture is made.
// A one-character picture name or a picture that does not decode makes Load return false; the
// sky colour then stays what it was (black at construction). A drift direction of length 0 is
// kept as 0: those clouds stand still.
#pragma once

#include "app/Vec3.h"
#include "render/ImageDecode.h"

#include <cstdint>
#include <memory>
#include <string>

class CFacesDepot;
class CTexture;
class ResourceGroup;

class CClouds {
public:
    explicit CClouds(bool graphics = true);
    virtual ~CClouds();
    CClouds(const CClouds&) = delete;
    CClouds& operator=(const CClouds&) = delete;

    bool Load(const ResourceGroup& group, const std::string& path);
    void Update(float dt);
    void Draw() const;

    // Rebuilds the two textures from the decoded pictures (after a new GL context).
    void BuildTextures();

    const Vec3& SkyColor() const { return m_sky_color; }
    CTexture* CloudsTexture() const { return m_clouds_texture.get(); }
    CTexture* NoiseTexture() const { return m_noise_texture.get(); }
    const CFacesDepot* Dome() const { return m_dome.get(); }
    const Vec3& CloudOffset() const { return m_cloud_offset; }
    const Vec3& NoiseOffset() const { return m_noise_offset; }
    // Direction (x, y, z) and speed (w) of the two drifts.
    const Vec3& CloudDrift() const { return m_cloud_drift; }
    const Vec3& NoiseDrift() const { return m_noise_drift; }
    float Intensity() const { return m_intensity; }
    const DecodedImage& CloudsImage() const { return m_clouds_image; }
    const DecodedImage& NoiseImage() const { return m_noise_image; }

    // The RGBA texels of a cloud layer: the cloud colour with the picture's first channel as
    // alpha, one texel per pixel.
    static DecodedImage CloudTexels(const DecodedImage& picture, const uint8_t colour[3]);

private:
    void SendDome(bool cloudLayers) const;

    bool m_graphics;
    std::unique_ptr<CFacesDepot> m_dome;
    DecodedImage m_clouds_image;
    DecodedImage m_noise_image;
    std::unique_ptr<CTexture> m_clouds_texture;
    std::unique_ptr<CTexture> m_noise_texture;
    Vec3 m_cloud_drift{0, 0, 0};
    Vec3 m_noise_drift{0, 0, 0};
    Vec3 m_cloud_offset{0, 0, 0};
    Vec3 m_noise_offset{0, 0, 0};
    bool m_show_normals = false;
    float m_intensity = 0.0f;
    uint8_t m_cloud_colour[3] = {255, 255, 255};
    Vec3 m_sky_color{0, 0, 0};
};
