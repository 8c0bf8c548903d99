// UiPaint: the shapes the interface art is made of, in top-down picture coordinates.
//
// Rounded panels with gradients and borders, the widget bodies, icons and the flattening of an
// RGBA picture into the colour and grey alpha JPEG pair the game loads for some backgrounds. Every
// painter blends and clips to the picture (Image keeps rows bottom-up; these convert).
#pragma once

#include "core/Image.h"

#include <vector>

// Blends c over the pixel at top-down (x, y) by coverage.
void BlendTop(Image& img, int x, int y, const Color& c, float coverage = 1.0f);

// A rounded rectangle filled with a vertical gradient (top colour to bottom colour), anti-aliased.
void FillRoundRect(Image& img, float x, float y, float w, float h, float r, const Color& top, const Color& bottom);
// Its outline, thickness pixels wide inside the edge.
void StrokeRoundRect(Image& img, float x, float y, float w, float h, float r, float thickness, const Color& c);
// A filled triangle (top-down points).
void FillTriangle(Image& img, float x0, float y0, float x1, float y1, float x2, float y2, const Color& c);
// A filled anti-aliased disc and ring.
void FillDisc(Image& img, float cx, float cy, float r, const Color& c);
void StrokeRing(Image& img, float cx, float cy, float r, float thickness, const Color& c);
// A thick anti-aliased segment.
void ThickLine(Image& img, float x0, float y0, float x1, float y1, float width, const Color& c);

// The standard dialog panel: opaque dark blue, steel border, a thin gold inner line.
void PaintPanel(Image& img, float x, float y, float w, float h);

// The RGB colour picture and the grey alpha picture of an RGBA picture.
Image ColourOf(const Image& rgba);
Image AlphaOf(const Image& rgba);
