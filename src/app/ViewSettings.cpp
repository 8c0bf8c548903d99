// ViewSettings: projection set-up for 3D and interface frames.
#include "app/ViewSettings.h"

#include "platform/GL.h"

#include <cmath>

PictureRect FitPicture(int clientW, int clientH, int viewW, int viewH)
{
    if (clientW <= 0 || clientH <= 0 || viewW <= 0 || viewH <= 0)
        return {0, 0, clientW > 0 ? clientW : 0, clientH > 0 ? clientH : 0};
    PictureRect p;
    // Compare clientW / clientH with viewW / viewH without rounding.
    if (static_cast<long long>(clientW) * viewH > static_cast<long long>(clientH) * viewW) {
        p.height = clientH;
        p.width = static_cast<int>(std::lround(static_cast<double>(clientH) * viewW / viewH));
    } else {
        p.width = clientW;
        p.height = static_cast<int>(std::lround(static_cast<double>(clientW) * viewH / viewW));
    }
    p.left = (clientW - p.width) / 2;
    p.top = (clientH - p.height) / 2;
    return p;
}

void ViewSettings::SetPerspective(int w, int h)
{
    glViewport(viewport_x, viewport_y, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.3333334f;
    gluPerspective(fov, aspect, near_plane, far_plane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ViewSettings::SetOrtho(int w, int h, bool flip)
{
    glViewport(viewport_x, viewport_y, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double bottom = flip ? -static_cast<double>(height) : static_cast<double>(height);
    glOrtho(0.0, static_cast<double>(width), bottom, 0.0, ortho_near, ortho_far);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ViewSettings::ApplyCamera() const
{
    glScalef(scale, scale, scale);
    glTranslatef(camera_position.x, camera_position.y, camera_position.z);
}
