// The glyph scan of the font picture, text drawing and text widths.
#include "render/BitmapText.h"

#include "platform/GL.h"
#include "render/Texture.h"
#include "resources/FileIO.h"

#include <cstdio>
#include <cstring>
#include <vector>

int CBitmapText::ScanGlyphs(const uint8_t* data, size_t size, Glyph out[kGlyphCount], float& lineHeight,
                            uint32_t& width, uint32_t& height)
{
    static const uint8_t kHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (!data || size <= 17 || std::memcmp(data, kHeader, 12) != 0 || data[16] != 32)
        return -1;
    const uint32_t w = data[12] | (data[13] << 8);
    const uint32_t h = data[14] | (data[15] << 8);
    if (w == 0 || h == 0 || static_cast<size_t>(w) * h * 4 > size - 18)
        return -1;
    width = w;
    height = h;
    // Only alpha decides; it is the fourth byte in BGRA and RGBA alike.
    const uint8_t* px = data + 18;
    auto ink = [&](uint32_t col, uint32_t row) { return px[(static_cast<size_t>(row) * w + col) * 4 + 3] != 0; };
    auto rowInk = [&](uint32_t row) {
        for (uint32_t c = 0; c < w; ++c)
            if (ink(c, row))
                return true;
        return false;
    };

    int count = 0;
    bool firstLine = true;
    lineHeight = 0.0f;
    int64_t cur = static_cast<int64_t>(h) - 1;  // rows are bottom-up: h - 1 is the top
    while (cur >= 0) {
        int64_t top = cur;
        while (top >= 0 && !rowInk(static_cast<uint32_t>(top)))
            --top;
        if (top < 0)
            break;
        int64_t below = top;
        while (below >= 0 && rowInk(static_cast<uint32_t>(below)))
            --below;
        const uint32_t bottom = static_cast<uint32_t>(below + 1);
        auto colInk = [&](uint32_t col) {
            for (int64_t r = bottom; r <= top; ++r)
                if (ink(col, static_cast<uint32_t>(r)))
                    return true;
            return false;
        };
        if (firstLine) {
            lineHeight = static_cast<float>(top - bottom) / h;
            firstLine = false;
        }
        uint32_t col = 0;
        while (col < w) {
            uint32_t left = col;
            while (left < w && !colInk(left))
                ++left;
            if (left >= w - 1)
                break;  // no more ink, or a glyph starting in the last column: the line ends
            uint32_t right = left;
            while (right + 1 < w && colInk(right + 1))
                ++right;
            if (count < kGlyphCount) {
                Glyph& g = out[count];
                g.vTop = static_cast<float>(top) / h;
                g.vBottom = static_cast<float>(bottom) / h;
                g.uLeft = (static_cast<float>(left) - 1.0f) / w;
                g.uRight = (static_cast<float>(right) + 1.0f) / w;
            }
            ++count;
            col = right + 1;
        }
        cur = below;
    }
    return count;
}

bool CBitmapText::BuildGlyphs(const uint8_t* data, size_t size)
{
    Glyph glyphs[kGlyphCount];
    float lineHeight = 0.0f;
    uint32_t w = 0, h = 0;
    if (ScanGlyphs(data, size, glyphs, lineHeight, w, h) != kGlyphCount || lineHeight <= 0.0f)
        return false;
    std::memcpy(m_glyphs, glyphs, sizeof glyphs);
    m_line_height = lineHeight;
    m_width = w;
    m_height = h;
    m_valid = true;
    return true;
}

bool CBitmapText::BuildGlyphs(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    return BuildGlyphs(bytes.data(), bytes.size());
}

float CBitmapText::GlyphWidth(int index, float size) const
{
    if (!m_valid || index < 0 || index >= kGlyphCount)
        return 0.0f;
    const Glyph& g = m_glyphs[index];
    const float k = size / m_line_height;
    const float aspect = static_cast<float>(m_width) / static_cast<float>(m_height);
    return k * (g.uRight - g.uLeft) * aspect;
}

float CBitmapText::TextWidth(const char* text, float size) const
{
    if (!text || !m_valid)
        return 0.0f;
    const float space = SpaceWidth(size);
    float width = 0.0f;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p == ' ')
            width += space;
        else if (*p >= 33 && *p <= 126)
            width += GlyphWidth(*p - 33, size) + space / 10.0f;
    }
    return width;
}

void CBitmapText::Draw(const char* text, float size, float x, float y, float z, float r, float g, float b, float a,
                       bool flip) const
{
    if (!text || !m_valid)
        return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_texture ? m_texture->GLName() : 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_DEPTH_TEST);
    glColor4f(r, g, b, a);
    const float space = SpaceWidth(size);
    const float gap = space / 10.0f;
    const float x0 = x;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p == ' ') {
            x += space;
        } else if (*p == '\n') {
            x = x0 + gap;
            y += size;
        } else if (*p >= 33 && *p <= 126) {
            const Glyph& gl = m_glyphs[*p - 33];
            const float w = GlyphWidth(*p - 33, size);
            const float vAtBase = flip ? gl.vTop : gl.vBottom;
            const float vAtTop = flip ? gl.vBottom : gl.vTop;
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(gl.uLeft, vAtBase);
            glVertex3f(x, y, z);
            glTexCoord2f(gl.uLeft, vAtTop);
            glVertex3f(x, y - size, z);
            glTexCoord2f(gl.uRight, vAtBase);
            glVertex3f(x + w, y, z);
            glTexCoord2f(gl.uRight, vAtTop);
            glVertex3f(x + w, y - size, z);
            glEnd();
            x += w + gap;
        }
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void CBitmapText::DrawNumber(int number, float size, float x, float y, float z, float r, float g, float b, float a,
                             bool flip) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", number);
    Draw(text, size, x, y, z, r, g, b, a, flip);
}
