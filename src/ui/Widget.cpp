// CWidget: rectangle test, band drawing and the owner notification shared by the widgets.
#include "ui/Widget.h"

#include "app/CScreen.h"
#include "platform/GL.h"
#include "render/BitmapText.h"
#include "render/Texture.h"
#include "ui/PixelInt.h"

#include <algorithm>

CWidget::CWidget(CScreen* owner, CTexture* texture, int bands) : m_owner(owner), m_texture(texture)
{
    TakeSize(bands);
}

bool CWidget::Inside(int px, int py) const
{
    const int x0 = PixelInt(m_pos.x), y0 = PixelInt(m_pos.y);
    const int x1 = PixelInt(static_cast<double>(m_pos.x) + m_width);
    const int y1 = PixelInt(static_cast<double>(m_pos.y) + m_height);
    return px >= x0 && px <= x1 && py >= y0 && py <= y1;
}

void CWidget::TakeSize(int bands)
{
    if (!m_texture || m_texture->Width() == 0 || bands <= 0)
        return;
    m_width = static_cast<float>(m_texture->Width());
    m_height = static_cast<float>(m_texture->Height()) / static_cast<float>(bands);
}

void CWidget::DrawBand(int band, int bands) const
{
    if (bands <= 0)
        return;
    const float vTop = static_cast<float>(band) / bands;
    const float vBottom = static_cast<float>(band - 1) / bands;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_texture ? m_texture->GLName() : 0);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, vTop);
    glVertex3f(m_pos.x, m_pos.y, 0);
    glTexCoord2f(1, vTop);
    glVertex3f(m_pos.x + m_width, m_pos.y, 0);
    glTexCoord2f(1, vBottom);
    glVertex3f(m_pos.x + m_width, m_pos.y + m_height, 0);
    glTexCoord2f(0, vBottom);
    glVertex3f(m_pos.x, m_pos.y + m_height, 0);
    glEnd();
    glDisable(GL_BLEND);
}

void CWidget::Notify()
{
    if (m_owner)
        m_owner->OnControlEvent(this);
}

float FitTextSize(const CBitmapText* font, const std::string& text, float size, float room, float smallest)
{
    if (!font || !font->IsValid() || size <= 0)
        return size;
    const float width = font->TextWidth(text.c_str(), size);
    if (width <= room)
        return size;
    // Text widths grow in proportion to the size.
    const float fitted = room > 0 ? size * room / width : 0.0f;
    return std::max(fitted, std::min(smallest, size));
}

std::string CutText(const CBitmapText* font, const std::string& text, float size, float room)
{
    if (!font || !font->IsValid() || font->TextWidth(text.c_str(), size) <= room)
        return text;
    // Widths add up character by character: take characters while they and the dots fit.
    const float left = room - font->TextWidth("...", size);
    float width = 0;
    size_t keep = 0;
    for (; keep < text.size(); ++keep) {
        const char one[2] = {text[keep], 0};
        width += font->TextWidth(one, size);
        if (width > left)
            break;
    }
    return text.substr(0, keep) + "...";
}

void DrawWidgetText(const CBitmapText* font, const char* text, float size, float x, float baseline, float r, float g,
                    float b, float a)
{
    if (!font || !text)
        return;
    glTranslatef(0, 0, 0.5f);
    font->Draw(text, size, x, baseline, 0, r, g, b, a);
    glTranslatef(0, 0, -0.5f);
    // The font leaves texturing off; the widgets after this one expect it on.
    glEnable(GL_TEXTURE_2D);
}
