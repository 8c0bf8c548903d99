// CIntro: picking, loading and drawing the intro picture.
#include "ui/Intro.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "platform/GL.h"
#include "render/Texture.h"

#include <cstdlib>

namespace NInterface {

CIntro::CIntro(const ResourceGroup* group, unsigned seed) : m_picture(std::make_unique<CTexture>())
{
    std::srand(seed);
    m_file = (std::rand() % 2 == 0) ? "mui/bgs/intro1.jpg" : "mui/bgs/intro2.jpg";
    const bool loaded = group && m_picture->LoadFromGroup(group, m_file, false, false);
    LogWrite("CIntro = %s", loaded ? "ok" : "failed");
}

CIntro::~CIntro() = default;

bool CIntro::HasPicture() const { return m_picture->GLName() != 0; }

void CIntro::Activate()
{
    CScreen::Activate();
    int vw = 800, vh = 600;
    if (AppWindow* app = AppWindow::Get()) {
        vw = app->View().width;
        vh = app->View().height;
    }
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    ApplyPictureViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, vw, vh, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CIntro::Draw()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, m_picture->GLName());
    glColor4f(1, 1, 1, 1);
    m_picture->DrawQuad(0, 0, -10, 800, 600);
}

} // namespace NInterface
