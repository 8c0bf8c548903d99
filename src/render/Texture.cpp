// Texture loading (group, disk, colour + alpha pair), GL upload with or without mipmaps, quad drawing.
#include "render/Texture.h"

#include "platform/GL.h"
#include "resources/FileIO.h"
#include "resources/ResourceGroup.h"

#include <vector>

CTexture::~CTexture()
{
    DeleteGLTexture();
}

void CTexture::Release()
{
    m_load_tried = false;
    DeleteGLTexture();
}

void CTexture::DeleteGLTexture()
{
    if (m_gl_name) {
        GLuint name = m_gl_name;
        glDeleteTextures(1, &name);
        m_gl_name = 0;
    }
}

void CTexture::LoadNow()
{
    m_load_tried = true;
    m_loader(*this);
}

bool CTexture::LoadFromMemory(const uint8_t* data, size_t size, bool isTga, bool wrap, bool mipmaps)
{
    DecodedImage img;
    if (isTga) {
        if (!DecodeTga(data, size, img))
            return false;
    } else {
        // A JPEG on its own must be a colour picture.
        if (!DecodeJpeg(data, size, img) || img.bytesPerPixel != 3)
            return false;
    }
    return Upload(img, wrap, mipmaps);
}

bool CTexture::LoadFromGroup(const ResourceGroup* group, const std::string& fileName, bool wrap, bool mipmaps)
{
    if (!group)
        return false;
    const FileBuffer file = group->ReadFile(fileName);
    if (file.Empty())
        return false;
    return LoadFromMemory(file.Data(), file.Size(), IsTgaName(fileName), wrap, mipmaps);
}

bool CTexture::LoadFromDisk(const std::string& path, bool wrap, bool mipmaps)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    return LoadFromMemory(bytes.data(), bytes.size(), IsTgaName(path), wrap, mipmaps);
}

bool CTexture::LoadWithAlpha(const ResourceGroup* group, const std::string& colourFile, const std::string& alphaFile,
                             bool wrap, bool mipmaps)
{
    if (!group)
        return false;
    const FileBuffer colourBytes = group->ReadFile(colourFile);
    const FileBuffer alphaBytes = group->ReadFile(alphaFile);
    DecodedImage colour, alpha, merged;
    if (!DecodeJpeg(colourBytes.Data(), colourBytes.Size(), colour) ||
        !DecodeJpeg(alphaBytes.Data(), alphaBytes.Size(), alpha) || !MergeColourAlpha(colour, alpha, merged))
        return false;
    return Upload(merged, wrap, mipmaps);
}

bool CTexture::Upload(const DecodedImage& image, bool wrap, bool mipmaps)
{
    if ((image.bytesPerPixel != 3 && image.bytesPerPixel != 4) || image.width == 0 || image.height == 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * image.height * image.bytesPerPixel)
        return false;
    // Without a current GL context there is nothing to upload into (and GLU would crash).
    if (!glGetString(GL_VERSION))
        return false;
    DeleteGLTexture();
    const GLenum format = image.bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    // Every texture is kept with an alpha channel, an RGB picture's being opaque. The software
    // GL stores RGB texels in four bytes anyway, and a picture textured the same way whether it
    // has alpha or not lets the driver build one fixed-function shader for both where it would
    // build (and keep) one per kind: an opaque texel's alpha of 1 leaves every mode we draw with
    // (modulate, replace over an opaque picture, the detail texture's combine) as it was.
    constexpr GLint kInternalFormat = GL_RGBA;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Rows are packed tightly; GL's default 4-byte row alignment would read past the end of
    // an RGB picture whose width is not a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (mipmaps) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap ? GL_REPEAT : GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap ? GL_REPEAT : GL_CLAMP);
        gluBuild2DMipmaps(GL_TEXTURE_2D, kInternalFormat, static_cast<GLint>(image.width),
                          static_cast<GLint>(image.height), format, GL_UNSIGNED_BYTE, image.pixels.data());
    } else {
        // Without mipmaps the texture repeats whatever the wrap flag says.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, kInternalFormat, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
                     format, GL_UNSIGNED_BYTE, image.pixels.data());
    }
    m_gl_name = name;
    m_width = image.width;
    m_height = image.height;
    m_bytes_per_pixel = image.bytesPerPixel;
    return true;
}

void CTexture::DrawQuad(float x, float y, float z) const
{
    DrawQuad(x, y, z, static_cast<float>(m_width), static_cast<float>(m_height), 0.0f, 1.0f, 0.0f, 1.0f);
}

void CTexture::DrawQuad(float x, float y, float z, float width, float height) const
{
    DrawQuad(x, y, z, width, height, 0.0f, 1.0f, 0.0f, 1.0f);
}

void CTexture::DrawQuad(float x, float y, float z, float width, float height, float uLeft, float uRight,
                        float vBottom, float vTop) const
{
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(uLeft, vTop);
    glVertex3f(x, y, z);
    glTexCoord2f(uLeft, vBottom);
    glVertex3f(x, y + height, z);
    glTexCoord2f(uRight, vTop);
    glVertex3f(x + width, y, z);
    glTexCoord2f(uRight, vBottom);
    glVertex3f(x + width, y + height, z);
    glEnd();
}
