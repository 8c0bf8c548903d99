// TextPainter: FreeType glyphs blended into forge pictures.
#include "TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>

std::string FindDejaVuFont(const std::string& style)
{
    const char* dirs[] = {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/TTF/", "/usr/share/fonts/dejavu/",
                          "/usr/local/share/fonts/"};
    for (const char* d : dirs) {
        const std::string path = std::string(d) + "DejaVu" + style + ".ttf";
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            return path;
    }
    return {};
}

TextPainter::~TextPainter()
{
    if (m_face)
        FT_Done_Face(m_face);
    if (m_library)
        FT_Done_FreeType(m_library);
}

bool TextPainter::Open(const std::string& fontPath)
{
    if (fontPath.empty())
        return false;
    if (!m_library && FT_Init_FreeType(&m_library) != 0) {
        m_library = nullptr;
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(m_library, fontPath.c_str(), 0, &face) != 0)
        return false;
    if (m_face)
        FT_Done_Face(m_face);
    m_face = face;
    SetPixelSize(24);
    return true;
}

void TextPainter::SetPixelSize(int px)
{
    if (m_face)
        FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(px));
}

int TextPainter::Ascent() const
{
    return m_face ? static_cast<int>((m_face->size->metrics.ascender + 63) >> 6) : 0;
}

int TextPainter::Descent() const
{
    return m_face ? static_cast<int>((-m_face->size->metrics.descender + 63) >> 6) : 0;
}

bool TextPainter::RenderGlyph(unsigned char ch, GlyphBitmap& out) const
{
    if (!m_face || FT_Load_Char(m_face, ch, FT_LOAD_RENDER) != 0)
        return false;
    const FT_GlyphSlot g = m_face->glyph;
    out.width = static_cast<int>(g->bitmap.width);
    out.height = static_cast<int>(g->bitmap.rows);
    out.left = g->bitmap_left;
    out.top = g->bitmap_top;
    out.advance = static_cast<int>((g->advance.x + 63) >> 6);
    out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.coverage[static_cast<size_t>(y) * out.width + x] = g->bitmap.buffer[y * g->bitmap.pitch + x];
    return true;
}

int TextPainter::Measure(const std::string& text) const
{
    int w = 0;
    GlyphBitmap gb;
    for (unsigned char ch : text)
        if (RenderGlyph(ch, gb))
            w += gb.advance;
    return w;
}

void TextPainter::Draw(Image& img, int x, int y, const std::string& text, const Color& color) const
{
    GlyphBitmap gb;
    int pen = x;
    for (unsigned char ch : text) {
        if (!RenderGlyph(ch, gb))
            continue;
        for (int row = 0; row < gb.height; ++row)
            for (int col = 0; col < gb.width; ++col) {
                const uint8_t c = gb.coverage[static_cast<size_t>(row) * gb.width + col];
                if (c == 0)
                    continue;
                const int px = pen + gb.left + col;
                const int py = y - gb.top + row;
                img.Blend(px, img.Height() - 1 - py, color, c / 255.0f);
            }
        pen += gb.advance;
    }
}

void TextPainter::DrawShadowed(Image& img, int x, int y, const std::string& text, const Color& color, int dx,
                               int dy) const
{
    Draw(img, x + dx, y + dy, text, Color(0, 0, 0, 0.75f * color.a));
    Draw(img, x, y, text, color);
}

void TextPainter::DrawCentred(Image& img, int cx, int y, const std::string& text, const Color& color,
                              bool shadow) const
{
    const int x = cx - Measure(text) / 2;
    if (shadow)
        DrawShadowed(img, x, y, text, color);
    else
        Draw(img, x, y, text, color);
}
