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
// kept as 0: those clouds stand still. Where the frame already holds the sky colour (CLevel
// compares it with the colour the frame was cleared in and with the fog colour), the sky pass
// draws only the faces whose depth can still hide clouds; the dome's shape is studied once at
// load for that.
#pragma once

#include "app/Vec3.h"
#include "render/ImageDecode.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
    // The sky pass (the dome in the sky colour, lifted a little) and the cloud pass over it.
    // With skyPass false the sky colour is taken to be in the frame already, and the sky pass
    // keeps only the faces whose depth can still hold the cloud pass back (SkyPassFaces); with
    // no cloud pass to follow it is drawn whole, since it lays the dome's depth.
    void Draw(bool skyPass = true) const;

    // Which faces of the sky pass count for an eye at `eye` (in the dome's own coordinates)
    // once the sky colour is in the frame. Lifted, a face turned upwards lies behind the cloud
    // pass for an eye inside a convex dome and hides none of it: such faces are left out
    // (draw[i] = 0). Faces turned sideways or down (their lifted copy can come level with or in
    // front of the clouds), faces touching the dome's open rims (an eye may look past a rim at
    // them), or every face when the dome is not convex or the eye is not inside it, are kept
    // (1). Returns how many are kept.
    size_t SkyPassFaces(const Vec3& eye, std::vector<uint8_t>& draw) const;

    // Whether the sky colour and another colour differ in the frame buffer (eight bits a
    // channel); CLevel asks it of the clear colour and of the fog colour (ground lying behind
    // the dome is fogged over): where neither differs the sky pass would write what is there
    // already. A channel close to half-way between two steps counts as different, since the
    // frame buffer's rounding there is not ours to know.
    static bool SkyPassNeeded(const Vec3& sky, const Vec3& fog);

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
    // A dome face's plane: unit normal pointing out of the dome, offset, and whether the sky
    // pass may leave the face out (turned upwards, clear of the open rims).
    struct FacePlane {
        float n[3];
        float d;
        bool mayLeaveOut;
    };
    void StudyDome();
    void SendDome(bool cloudLayers, const std::vector<uint8_t>* only = nullptr) const;

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
    std::vector<FacePlane> m_face_planes;  // one per dome face (StudyDome)
    bool m_dome_convex = false;
    float m_dome_bottom = 0.0f;  // the lowest z of the dome's vertices
    mutable std::vector<uint8_t> m_sky_faces;  // the last frame's choice, kept to reuse its memory
};
