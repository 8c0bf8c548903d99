// ViewSettings: the resolution and projection of the one window, held by AppWindow.
//
// Width and height are the full-screen resolution and the default window size. SetPerspective and
// SetOrtho set viewport and projection for 3D frames and for the 800 x 600 interface; ApplyCamera
// scales the world (the game uses 0.2) and moves it by the camera position.
#pragma once

#include "app/Vec3.h"

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

    // Viewport (0, 0, w, h); perspective with the settings' own aspect (width / height of the settings).
    void SetPerspective(int w, int h);
    // Viewport (0, 0, w, h); orthographic 0..width x 0..height (y down), or upwards when flip is set.
    void SetOrtho(int w, int h, bool flip);
    // Scale on all three axes, then translate by the camera position.
    void ApplyCamera() const;
};
