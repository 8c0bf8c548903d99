// Image: the forge's picture in memory, painted by the content modules and handed to the writers.
//
// Rows are kept bottom-up (row 0 is the bottom of the picture, texture coordinate t = 0), as the
// game uploads them; the TGA writer stores them as they are and the JPEG writer turns them over.
// Colours are floats 0..1 at the painting interface and bytes in storage; every painter clips to
// the picture, so a shape may stand partly outside it.
#pragma once

#include <cstdint>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
    Color() = default;
    constexpr Color(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}
    Color operator*(float s) const { return {r * s, g * s, b * s, a}; }
    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b, a}; }
};

// Colour from 0..255 components.
constexpr Color Rgb(int r, int g, int b, int a = 255) { return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f}; }
Color Mix(const Color& a, const Color& b, float t);

class Image {
public:
    Image() = default;
    // channels: 1 (grey), 3 (RGB) or 4 (RGBA); filled with the colour given.
    Image(int width, int height, int channels, Color fill = Color(0, 0, 0, 0));

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Channels() const { return m_channels; }
    const std::vector<uint8_t>& Pixels() const { return m_pixels; }
    std::vector<uint8_t>& Pixels() { return m_pixels; }

    // Out-of-range reads give transparent black; out-of-range writes are dropped.
    Color Get(int x, int y) const;
    void Set(int x, int y, const Color& c);
    // Alpha-blends c over the pixel by c.a × coverage.
    void Blend(int x, int y, const Color& c, float coverage = 1.0f);
    // Bilinear sample at texture coordinates (u, v), repeating.
    Color Sample(float u, float v) const;

    void Fill(const Color& c);
    void FillRect(int x0, int y0, int x1, int y1, const Color& c);   // inclusive-exclusive, blended
    void FillCircle(float cx, float cy, float r, const Color& c, float soft = 1.0f);
    void FillEllipse(float cx, float cy, float rx, float ry, const Color& c, float soft = 1.0f);
    void Line(float x0, float y0, float x1, float y1, float width, const Color& c);
    // Filled convex or concave polygon by the even-odd rule.
    void FillPolygon(const std::vector<float>& xy, const Color& c);
    // Separable box blur of every channel, radius in pixels.
    void Blur(int radius);
    // Copies src into this picture at (x, y), blending by src alpha when src has four channels.
    void Paste(const Image& src, int x, int y);
    // Nearest/box-filtered resize to the given size.
    Image Resized(int width, int height) const;

private:
    int m_width = 0, m_height = 0, m_channels = 0;
    std::vector<uint8_t> m_pixels;
};
