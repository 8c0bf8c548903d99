// CTexture: one OpenGL texture made from a TGA or JPEG file, and the quads drawn with it.
//
// Owned by a resource bank (CResourceBank), a unit, a 3DS entity or the font; the owner calls a
// load while a GL context is current and deletes the texture (which deletes its GL object) when
// done. Decoding happens first (render/ImageDecode.h, no GL); a file the group cannot find or a
// picture the decoders refuse leaves the texture untouched and the load returns false; the caller
// then draws with GL name 0 (untextured). Nothing is logged.
//
// A texture given a loader (SetLoader) is lazy: it holds no picture until it is first used —
// GLName, Width, Height or BytesPerPixel load it through the loader, on the thread that draws —
// and Release gives its GL memory back until the next use. The interface's pictures are such
// textures: a dialog's background costs memory only while some screen draws it.
#pragma once

#include "render/ImageDecode.h"

#include <cstdint>
#include <functional>
#include <string>

class ResourceGroup;

class CTexture {
public:
    CTexture() = default;
    virtual ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Reads fileName through the group; a name ending in 'a' or 'A' is a TGA, anything else JPEG.
    bool LoadFromGroup(const ResourceGroup* group, const std::string& fileName, bool wrap, bool mipmaps);
    // The same for a plain path on disk; false when the file cannot be opened.
    bool LoadFromDisk(const std::string& path, bool wrap, bool mipmaps);
    // Two JPEG files through the group: an RGB colour picture and a grey alpha picture of one size.
    bool LoadWithAlpha(const ResourceGroup* group, const std::string& colourFile, const std::string& alphaFile,
                       bool wrap, bool mipmaps);
    // Decodes a file's bytes held in memory (TGA when isTga, otherwise JPEG) and uploads them.
    bool LoadFromMemory(const uint8_t* data, size_t size, bool isTga, bool wrap, bool mipmaps);
    // Uploads a decoded RGB or RGBA picture, replacing the current GL texture.
    bool Upload(const DecodedImage& image, bool wrap, bool mipmaps);

    uint32_t GLName() const { EnsureLoaded(); return m_gl_name; }
    uint32_t Width() const { EnsureLoaded(); return m_width; }
    uint32_t Height() const { EnsureLoaded(); return m_height; }
    uint32_t BytesPerPixel() const { EnsureLoaded(); return m_bytes_per_pixel; }

    // Deletes the GL texture; the object can be loaded again (a lazy one loads on its next use).
    void Release();

    // Makes the texture lazy: the loader fills it (with one of the loads above) on first use
    // after construction or a Release. A loader that fails is not asked again until a Release.
    void SetLoader(std::function<void(CTexture&)> loader) { m_loader = std::move(loader); }
    bool IsLazy() const { return static_cast<bool>(m_loader); }
    // Whether it holds a GL texture now, without loading a lazy one.
    bool IsResident() const { return m_gl_name != 0; }

    // Quads in the current matrix, one triangle strip each; v = 1 (the picture's top row) lands
    // at the smaller y, for the screen layer whose y grows downwards.
    void DrawQuad(float x, float y, float z) const;
    void DrawQuad(float x, float y, float z, float width, float height) const;
    // uLeft at x, uRight at x + width, vBottom at y + height, vTop at y.
    void DrawQuad(float x, float y, float z, float width, float height, float uLeft, float uRight, float vBottom,
                  float vTop) const;

private:
    void EnsureLoaded() const
    {
        if (m_gl_name == 0 && m_loader && !m_load_tried)
            const_cast<CTexture*>(this)->LoadNow();
    }
    void LoadNow();
    void DeleteGLTexture();

    std::function<void(CTexture&)> m_loader;
    bool m_load_tried = false;
    uint32_t m_gl_name = 0;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_bytes_per_pixel = 0;
};
