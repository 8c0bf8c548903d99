// ViewSettings: the resolution and projection of the one window, held by AppWindow.
//
// Width and height are the view size: the default window size, and the shape of the picture in
// full screen, where it is scaled to fill the display and the rest is a black bar (the picture
// rectangle, FitPicture). SetPerspective and SetOrtho set viewport and projection for 3D frames
// and for the 800 x 600 interface, with the viewport's corner at the picture's; ApplyCamera scales
// the world (the game uses 0.2) and moves it by the camera position.
#pragma once

#include "app/Vec3.h"

// Where the picture stands in the window, in window pixels from the top left corner.
struct PictureRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PictureRect&) const = default;
};

// The largest rectangle of the view's shape (viewW : viewH) inside a client area, centred: bars
// left and right on a wider display, above and below on a taller one. The whole client area when
// either size is not positive.
PictureRect FitPicture(int clientW, int clientH, int viewW, int viewH);

// A point of the window in the picture's pixels: the corner subtracted, nothing scaled (the
// screens scale picture pixels to their layout themselves). Points on a bar lie outside 0..width.
inline void WindowToPicture(const PictureRect& p, int& x, int& y)
{
    x -= p.left;
    y -= p.top;
}

struct ViewSettings {
    int width = 1024;
    int height = 768;
    float near_plane = 0.1f;
    float far_plane = 100.0f;
    float ortho_near = -50.0f;
    float ortho_far = 50.0f;
    float fov = 70.0f;
    float scale = 1.0f;
    float aspect = 1.3333334f;
    Vec3 camera_position{0, 0, 0};
    // The viewport's lower left corner in GL window coordinates (non-zero only in full screen).
    int viewport_x = 0, viewport_y = 0;

    // Viewport (viewport_x, viewport_y, w, h); perspective with the settings' own aspect (width / height of the settings).
    void SetPerspective(int w, int h);
    // Viewport (viewport_x, viewport_y, w, h); orthographic 0..width x 0..height (y down), or upwards when flip is set.
    void SetOrtho(int w, int h, bool flip);
    // Scale on all three axes, then translate by the camera position.
    void ApplyCamera() const;
};
