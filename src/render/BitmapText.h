// CBitmapText: text drawn from the font picture "mui/font.tga" as textured quads.
//
// The font picture is a 32-bit TGA on which the characters '!' to '~' are painted in reading
// order, separated by fully transparent gaps; the glyph scan finds the 94 glyph boxes from the
// alpha channel alone (no GL needed, so widths can be measured anywhere). The texture itself is
// the bank's "m_font_tex", set with SetTexture and not owned. The dialog layout holds one
// instance that every dialog shares. A picture of another type, or one with a glyph count other
// than 94 (garbage alpha), is refused: BuildGlyphs returns false and the old glyphs stay.
// Characters outside '!'..'~' other than space and line feed are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CTexture;

class CBitmapText {
public:
    static constexpr int kGlyphCount = 94;  // characters 33 to 126

    struct Glyph {
        float vTop = 0, vBottom = 0, uLeft = 0, uRight = 0;
    };

    CBitmapText() = default;
    virtual ~CBitmapText() = default;

    void SetTexture(CTexture* texture) { m_texture = texture; }
    CTexture* Texture() const { return m_texture; }

    // The glyph scan of a font picture on disk or in memory; true when exactly 94 glyphs were found.
    bool BuildGlyphs(const std::string& path);
    bool BuildGlyphs(const uint8_t* data, size_t size);

    // Scans a TGA buffer; returns the number of glyphs found (the first 94 are stored in out), or
    // -1 when the picture is not a 32-bit uncompressed TGA that fits in the buffer.
    static int ScanGlyphs(const uint8_t* data, size_t size, Glyph out[kGlyphCount], float& lineHeight,
                          uint32_t& width, uint32_t& height);

    // Draws text with its baseline at y (glyphs rise to y - size), starting at x, at depth z.
    // A line feed starts a new line size lower (y + size). Leaves blending and texturing off,
    // depth testing off and the colour white.
    void Draw(const char* text, float size, float x, float y, float z, float r, float g, float b, float a,
              bool flip = false) const;
    void DrawNumber(int number, float size, float x, float y, float z, float r, float g, float b, float a,
                    bool flip = false) const;
    // Width of a one-line text at this size: a space advances the width of 'A', every glyph its
    // own width plus a gap of a tenth of that.
    float TextWidth(const char* text, float size) const;

    const Glyph& GetGlyph(int index) const { return m_glyphs[index]; }
    float LineHeight() const { return m_line_height; }
    bool IsValid() const { return m_valid; }

private:
    float GlyphWidth(int index, float size) const;
    float SpaceWidth(float size) const { return GlyphWidth('A' - 33, size); }

    CTexture* m_texture = nullptr;
    Glyph m_glyphs[kGlyphCount];
    float m_line_height = 0;
    uint32_t m_width = 0, m_height = 0;
    bool m_valid = false;
};
