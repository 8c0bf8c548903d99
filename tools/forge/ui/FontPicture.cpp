// FontPicture: glyph cells packed in rows of the font picture.
#include "FontPicture.h"

#include "TextPainter.h"

#include <algorithm>
#include <vector>

Image MakeFontPicture(TextPainter& painter, int pixelSize, int pictureWidth)
{
    if (!painter.IsOpen())
        return {};
    painter.SetPixelSize(pixelSize);
    const int ascent = painter.Ascent();
    const int cellHeight = ascent + painter.Descent();
    constexpr int kGap = 4;  // transparent columns and rows between cells

    struct Cell {
        TextPainter::GlyphBitmap glyph;
        int x0 = 0, x1 = 0;  // ink extent relative to the pen, x1 exclusive
    };
    std::vector<Cell> cells;
    for (int ch = '!'; ch <= '~'; ++ch) {
        Cell cell;
        painter.RenderGlyph(static_cast<unsigned char>(ch), cell.glyph);
        cell.x0 = std::min(0, cell.glyph.left);
        cell.x1 = std::max({cell.glyph.advance, cell.glyph.left + cell.glyph.width, cell.x0 + 1});
        cells.push_back(std::move(cell));
    }

    // Rows of cells; the first and last columns stay empty.
    struct Placed {
        int x = 0, row = 0;
    };
    std::vector<Placed> placed;
    int x = kGap, row = 0;
    for (const Cell& c : cells) {
        const int w = c.x1 - c.x0;
        if (x + w + kGap >= pictureWidth) {
            x = kGap;
            ++row;
        }
        placed.push_back({x, row});
        x += w + kGap;
    }
    const int needed = (row + 1) * (cellHeight + kGap) + kGap;
    int height = 64;
    while (height < needed)
        height *= 2;

    Image img(pictureWidth, height, 4, Color(1, 1, 1, 0));
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& c = cells[i];
        const int left = placed[i].x;
        const int top = kGap + placed[i].row * (cellHeight + kGap);
        const int penX = left - c.x0;
        const int baseline = top + ascent;
        // The faint cell: ink to the scanner, invisible on screen.
        for (int yy = top; yy < top + cellHeight; ++yy)
            for (int xx = left; xx < left + (c.x1 - c.x0); ++xx)
                img.Set(xx, height - 1 - yy, Color(1, 1, 1, 1.0f / 255.0f));
        for (int gy = 0; gy < c.glyph.height; ++gy)
            for (int gx = 0; gx < c.glyph.width; ++gx) {
                const int cov = c.glyph.coverage[static_cast<size_t>(gy) * c.glyph.width + gx];
                const int px = penX + c.glyph.left + gx;
                const int py = baseline - c.glyph.top + gy;
                if (cov <= 1 || py < top || py >= top + cellHeight)
                    continue;
                img.Set(px, height - 1 - py, Color(1, 1, 1, cov / 255.0f));
            }
    }
    return img;
}
