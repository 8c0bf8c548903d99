// COffscreenPicture: the offscreen buffer and the two copies between it and the window.
#include "render/OffscreenPicture.h"

#include "platform/GL.h"

#include <GL/glext.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Framebuffer objects and blits: core from GL 3.0, or GL_ARB_framebuffer_object, same names.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC gen = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC del = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC texture2D = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit = nullptr;
    unsigned context = 0;  // the context they were looked up in
};
FramebufferCalls g_fb;

bool HasFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version && std::atoi(version) >= 3)
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

template <typename T>
void LookUp(T& call, const char* name)
{
    call = reinterpret_cast<T>(platform::GLProcAddress(name));
}

}  // namespace

COffscreenPicture::~COffscreenPicture()
{
    Release();
}

bool COffscreenPicture::Supported()
{
    const unsigned context = platform::GLContextSerial();
    if (m_context != context) {
        Forget();
        m_context = context;
        m_supported = -1;
    }
    if (m_supported >= 0)
        return m_supported == 1;
    m_supported = 0;
    if (!platform::HasCurrentGLContext() || !HasFramebufferObjects())
        return false;
    // The copy must give what drawing to the window gives: the window keeps 8 bits a colour.
    GLint bits[3] = {0, 0, 0};
    glGetIntegerv(GL_RED_BITS, &bits[0]);
    glGetIntegerv(GL_GREEN_BITS, &bits[1]);
    glGetIntegerv(GL_BLUE_BITS, &bits[2]);
    if (bits[0] != 8 || bits[1] != 8 || bits[2] != 8)
        return false;
    if (g_fb.context != context) {
        g_fb = FramebufferCalls{};
        LookUp(g_fb.gen, "glGenFramebuffers");
        LookUp(g_fb.del, "glDeleteFramebuffers");
        LookUp(g_fb.bind, "glBindFramebuffer");
        LookUp(g_fb.texture2D, "glFramebufferTexture2D");
        LookUp(g_fb.status, "glCheckFramebufferStatus");
        LookUp(g_fb.blit, "glBlitFramebuffer");
        g_fb.context = context;
    }
    if (!g_fb.gen || !g_fb.del || !g_fb.bind || !g_fb.texture2D || !g_fb.status || !g_fb.blit)
        return false;
    m_supported = 1;
    return true;
}

void COffscreenPicture::Forget()
{
    m_framebuffer = 0;
    m_texture = 0;
    m_width = m_height = 0;
    m_captured = false;
}

void COffscreenPicture::Release()
{
    if ((m_framebuffer || m_texture) && m_context == platform::GLContextSerial() &&
        platform::HasCurrentGLContext() && g_fb.del) {
        const GLuint framebuffer = m_framebuffer, texture = m_texture;
        if (framebuffer)
            g_fb.del(1, &framebuffer);
        if (texture)
            glDeleteTextures(1, &texture);
    }
    Forget();
}

bool COffscreenPicture::MakeBuffer(int width, int height)
{
    if (m_framebuffer && width == m_width && height == m_height)
        return true;
    Release();
    GLint boundTexture = 0, drawFramebuffer = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    GLuint texture = 0, framebuffer = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    // Blue, green, red, alpha as the window keeps its pixels, so that the copies need no
    // conversion (the driver picks its layout by the one the data would come in).
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    g_fb.gen(1, &framebuffer);
    g_fb.bind(GL_DRAW_FRAMEBUFFER, framebuffer);
    g_fb.texture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const GLenum status = g_fb.status(GL_DRAW_FRAMEBUFFER);
    g_fb.bind(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer));
    m_framebuffer = framebuffer;
    m_texture = texture;
    m_width = width;
    m_height = height;
    if (status == GL_FRAMEBUFFER_COMPLETE)
        return true;
    Release();
    m_supported = 0;
    return false;
}

bool COffscreenPicture::Capture(int x, int y, int width, int height)
{
    m_captured = false;
    if (width <= 0 || height <= 0 || !Supported() || !MakeBuffer(width, height))
        return false;
    // Read back and uploaded, not blitted: the window's pixels have no alpha and the buffer's
    // have, so a blit would be drawn through a shader of its own, made for this once.
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    GLint readFramebuffer = 0, readBuffer = GL_BACK, boundTexture = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    g_fb.bind(GL_READ_FRAMEBUFFER, 0);
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glReadBuffer(static_cast<GLenum>(readBuffer));
    g_fb.bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    // The rows turned: the picture's top row becomes the buffer's first.
    const size_t row = static_cast<size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + static_cast<std::ptrdiff_t>(top * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * row),
                         pixels.begin() + static_cast<std::ptrdiff_t>(bottom * row));
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    glPopClientAttrib();
    m_captured = true;
    return true;
}

bool COffscreenPicture::HasPicture() const
{
    return m_captured && m_framebuffer && m_context == platform::GLContextSerial();
}

void COffscreenPicture::Present(int x, int y) const
{
    if (!HasPicture())
        return;
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    const bool scissor = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
    glDisable(GL_SCISSOR_TEST);
    g_fb.bind(GL_READ_FRAMEBUFFER, m_framebuffer);
    // The rows turned back: the buffer's first row (the picture's top) to the top of the target.
    g_fb.blit(0, 0, m_width, m_height, x, y + m_height, x + m_width, y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    g_fb.bind(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}
