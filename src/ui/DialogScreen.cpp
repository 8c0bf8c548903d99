// CDialogScreen: coordinate conversion, Escape and Enter, closing, and the standard drawing steps.
#include "ui/DialogScreen.h"

#include "app/AppWindow.h"
#include "platform/GL.h"
#include "render/BitmapText.h"
#include "render/Texture.h"
#include "ui/PixelInt.h"

int CDialogScreen::ToDialog(int pixel, int clientSize, int virtualSize, float corner)
{
    const double c = static_cast<double>(PixelInt(corner));
    if (clientSize <= 0 || virtualSize <= 0)
        return PixelInt(static_cast<double>(pixel) - c);
    const float scale = static_cast<float>(clientSize) / static_cast<float>(virtualSize);
    return PixelInt(static_cast<double>(PixelInt(static_cast<float>(pixel) / scale)) - c);
}

void CDialogScreen::ClientSize(int& width, int& height) const
{
    const AppWindow* app = AppWindow::Get();
    if (app && app->Width() > 0 && app->Height() > 0) {
        width = app->Width();
        height = app->Height();
    } else {
        width = m_virtual_width;
        height = m_virtual_height;
    }
}

void CDialogScreen::Draw()
{
    glTranslatef(m_x, m_y, 0.5f);
    glEnable(GL_TEXTURE_2D);
    CScreen::Draw();
    glDisable(GL_TEXTURE_2D);
}

void CDialogScreen::OnKeyDown(int virtualKey)
{
    if (virtualKey == kQuitKey)
        Close(1);
    else if (virtualKey == kOkKey)
        Close(0);
    CScreen::OnKeyDown(virtualKey);
}

bool CDialogScreen::OnMouseMove(int x, int y, unsigned flags)
{
    int cw = 0, ch = 0;
    ClientSize(cw, ch);
    return CScreen::OnMouseMove(ToDialog(x, cw, m_virtual_width, m_x), ToDialog(y, ch, m_virtual_height, m_y), flags);
}

bool CDialogScreen::OnLButtonUp(int x, int y, unsigned flags)
{
    int cw = 0, ch = 0;
    ClientSize(cw, ch);
    return CScreen::OnLButtonUp(ToDialog(x, cw, m_virtual_width, m_x), ToDialog(y, ch, m_virtual_height, m_y), flags);
}

bool CDialogScreen::OnLButtonDown(int x, int y, unsigned flags)
{
    int cw = 0, ch = 0;
    ClientSize(cw, ch);
    return CScreen::OnLButtonDown(ToDialog(x, cw, m_virtual_width, m_x), ToDialog(y, ch, m_virtual_height, m_y),
                                  flags);
}

void CDialogScreen::Close(int result)
{
    SetResult(result);
    if (AppWindow* app = AppWindow::Get())
        app->CloseTop(false);
}

void CDialogScreen::DrawDim(float r, float g, float b, float a) const
{
    if (!m_dim_background)
        return;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(r, g, b, a);
    const float w = static_cast<float>(m_virtual_width), h = static_cast<float>(m_virtual_height);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(0, 0, 0.5f);
    glVertex3f(0, h, 0.5f);
    glVertex3f(w, 0, 0.5f);
    glVertex3f(w, h, 0.5f);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
}

void CDialogScreen::DrawWindowFill(float r, float g, float b, float a) const
{
    if (!m_draw_window)
        return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(r, g, b, a);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(m_x, m_y, 0.5f);
    glVertex3f(m_x, m_y + m_height, 0.5f);
    glVertex3f(m_x + m_width, m_y, 0.5f);
    glVertex3f(m_x + m_width, m_y + m_height, 0.5f);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glDisable(GL_BLEND);
}

void CDialogScreen::DrawBackground(const CTexture* texture) const
{
    // The menus are drawn back to front; depth and alpha tests would only cut soft edges.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture ? texture->GLName() : 0);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 1);
    glVertex3f(m_x, m_y, 0.5f);
    glTexCoord2f(0, 0);
    glVertex3f(m_x, m_y + m_height, 0.5f);
    glTexCoord2f(1, 1);
    glVertex3f(m_x + m_width, m_y, 0.5f);
    glTexCoord2f(1, 0);
    glVertex3f(m_x + m_width, m_y + m_height, 0.5f);
    glEnd();
    glDisable(GL_BLEND);
}

void CDialogScreen::DrawShadowText(const CBitmapText* font, const char* text, float size, float x, float y, float shadow,
                                   float r, float g, float b, float a)
{
    if (!font)
        return;
    font->Draw(text, size, x + shadow, y + shadow, 1, 0, 0, 0, a);
    font->Draw(text, size, x, y, 1, r, g, b, a);
}
