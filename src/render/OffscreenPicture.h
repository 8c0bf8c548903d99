// COffscreenPicture: a copy of a still picture of the window kept in an offscreen colour buffer
// (a framebuffer object with one texture), copied back to the window's back buffer every frame.
//
// A screen whose picture stands still (the main menu) owns one. It draws its picture to the window
// as always, keeps it with Capture (read back and uploaded, which waits for the drawing once), and
// as long as nothing in it changes draws the next frames with Present instead. Both copies are
// exact, so the frames are the very pixels drawing gives. The buffer holds its rows top first
// (both copies turn the rows): that is the same picture on any GL, and with Mesa's software
// driver, whose window buffers keep their rows top first, it makes Present's blit a plain memory
// copy instead of a textured full-screen draw, as the buffer also keeps the window's pixel layout
// (8-bit blue, green, red and alpha).
//
// Nothing here fails hard: without framebuffer objects and blits in the context, or when the
// window's buffer has other than 8 bits a colour (its copy would not be exact), Capture returns
// false and the owner keeps drawing. The GL objects belong to the context that was current when
// they were made; when that context is gone (a display change) they are forgotten, not deleted,
// and made again in the new one.
#pragma once

#include <cstdint>

class COffscreenPicture {
public:
    COffscreenPicture() = default;
    ~COffscreenPicture();
    COffscreenPicture(const COffscreenPicture&) = delete;
    COffscreenPicture& operator=(const COffscreenPicture&) = delete;

    // Copies the rectangle of the window's back buffer whose lower left corner is at window pixel
    // (x, y) (GL counts rows from the bottom) into the buffer, made or remade at its size. The
    // read buffer, the framebuffer and texture bindings and the pixel storage are left as found.
    // False, with nothing kept, when the context cannot keep the picture.
    bool Capture(int x, int y, int width, int height);
    // True when a picture captured in the current context is there to be presented.
    bool HasPicture() const;
    // Copies the whole picture back to the window's back buffer at window pixel (x, y), scissor or
    // not; the scissor test and the framebuffer bindings are left as found. Nothing without a picture.
    void Present(int x, int y) const;
    // Gives the buffer back (it is made again by the next Capture).
    void Release();

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    bool Supported();
    bool MakeBuffer(int width, int height);
    void Forget();

    unsigned m_context = 0;     // the context the names below belong to (0: none yet)
    int m_supported = -1;       // per context: -1 not yet asked, 0 no, 1 yes
    uint32_t m_framebuffer = 0;
    uint32_t m_texture = 0;
    int m_width = 0, m_height = 0;
    bool m_captured = false;    // a picture was copied into the buffer since it was made
};
