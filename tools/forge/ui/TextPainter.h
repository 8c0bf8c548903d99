// TextPainter: text painted into forge pictures with FreeType, in top-down picture coordinates.
//
// The interface module uses one painter for the labels painted into widget looks, the titles of
// the menu pictures and the glyphs of the font picture. Coordinates passed in are top-down (y = 0
// is the top row), whereas Image keeps its rows bottom-up; the painter converts. A painter whose
// font could not be opened paints nothing and measures every text as 0 wide.
#pragma once

#include "core/Image.h"

#include <string>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

// The first DejaVu font that exists among the usual Debian paths for the given style
// ("Sans-Bold", "SansCondensed-Bold", ...); "" when none does.
std::string FindDejaVuFont(const std::string& style);

class TextPainter {
public:
    TextPainter() = default;
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    bool Open(const std::string& fontPath);
    bool IsOpen() const { return m_face != nullptr; }
    void SetPixelSize(int px);

    // Ascent and descent (positive, pixels) of the current size.
    int Ascent() const;
    int Descent() const;
    // Advance width of a text in pixels.
    int Measure(const std::string& text) const;

    // One glyph's coverage: a grey bitmap, its left bearing and top (above the baseline) and its
    // advance, in pixels.
    struct GlyphBitmap {
        int width = 0, height = 0, left = 0, top = 0, advance = 0;
        std::vector<uint8_t> coverage;  // rows top-down
    };
    bool RenderGlyph(unsigned char ch, GlyphBitmap& out) const;

    // Paints text with its baseline at top-down row y, blended by coverage × colour alpha.
    void Draw(Image& img, int x, int y, const std::string& text, const Color& color) const;
    // The same with a soft dark shadow offset (dx, dy) drawn first.
    void DrawShadowed(Image& img, int x, int y, const std::string& text, const Color& color, int dx = 2,
                      int dy = 2) const;
    // Centred horizontally on cx.
    void DrawCentred(Image& img, int cx, int y, const std::string& text, const Color& color, bool shadow = true) const;

private:
    FT_Library m_library = nullptr;
    FT_Face m_face = nullptr;
};
