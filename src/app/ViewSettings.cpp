// ViewSettings: projection set-up for 3D and interface frames.
#include "app/ViewSettings.h"

#include "platform/GL.h"

void ViewSettings::SetPerspective(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.3333334f;
    gluPerspective(fov, aspect, near_plane, far_plane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void ViewSettings::SetOrtho(int w, int h, bool flip)
{
    glViewport(0, 0, w, h);
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
