// CGameHud: the HUD's texts, the fuel and hull bars and the help overlay.
#include "game/GameHud.h"

#include "game/GameData.h"
#include "platform/GL.h"
#include "render/BitmapText.h"
#include "render/Texture.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Format(const char* fmt, int a)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a);
    return buf;
}

// The layout's 2D projection: 800 x 600, y down, over the whole client area.
void LayoutProjection()
{
    GLint vp[4] = {0, 0, 800, 600};
    glGetIntegerv(GL_VIEWPORT, vp);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

}  // namespace

CGameHud::CGameHud(const GameData* game, const CBitmapText* font) : m_game(game), m_font(font)
{
    if (game)
        m_help = std::make_unique<CHelpOverlay>(*game, font);
}

CGameHud::~CGameHud() = default;

void CGameHud::SetLevel(int32_t n)
{
    m_level = n;
    if (n > 3)
        m_help.reset();
}

void CGameHud::BindingsChanged()
{
    if (m_help && m_game)
        m_help->Rebind(*m_game);
}

void CGameHud::Update(float dt)
{
    if (!m_help)
        return;
    m_help->Update(dt);
    if (m_help->GetPhase() == CHelpOverlay::Done)
        m_help.reset();
}

CGameHud::Quad CGameHud::BarQuad(float texWidth, float texHeight, float percent, float rowY)
{
    const float p = std::clamp(percent, 0.0f, 100.0f) / 100.0f;
    Quad q;
    q.x = 443.0f - texWidth / 2.0f;
    q.y = rowY - texHeight / 2.0f;
    q.width = texWidth * p;
    q.height = texHeight;
    q.uRight = p;
    return q;
}

std::string CGameHud::ScoreText() const { return Format("Score: %7d", m_score); }
std::string CGameHud::LivesText() const { return Format("Lives: %3d", m_lives); }
std::string CGameHud::LevelText() const { return Format("Level: %3d", m_level); }

std::string CGameHud::TimeText() const
{
    if (!m_game || m_game->customGame != 1)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "Time: %02d:%02d", m_seconds / 60, m_seconds % 60);
    return buf;
}

void CGameHud::DrawBar(const CTexture* texture, float percent, float rowY) const
{
    if (!texture || texture->Width() == 0)
        return;
    const Quad q = BarQuad(static_cast<float>(texture->Width()), static_cast<float>(texture->Height()), percent, rowY);
    glBindTexture(GL_TEXTURE_2D, texture->GLName());
    glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
    texture->DrawQuad(q.x, q.y, 2.0f, q.width, q.height, 0.0f, q.uRight, 0.0f, 1.0f);
}

void CGameHud::Draw() const
{
    LayoutProjection();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    if (m_font) {
        const std::string time = TimeText();
        if (!time.empty())
            m_font->Draw(time.c_str(), 20, 50, 545, 1, 0.85f, 0.93f, 0.12f, 1.0f);
        m_font->Draw(ScoreText().c_str(), 20, 20, 580, 1, 0.85f, 0.93f, 0.12f, 1.0f);
        m_font->Draw(LivesText().c_str(), 20, 640, 545, 1, 0.8f, 0.93f, 0.17f, 1.0f);
        m_font->Draw(LevelText().c_str(), 20, 640, 580, 1, 0.8f, 0.93f, 0.17f, 1.0f);
    }
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    if (m_game) {
        if (const CTexture* bg = m_game->m_fuel_indicator_bg) {
            glBindTexture(GL_TEXTURE_2D, bg->GLName());
            glColor4f(1, 1, 1, 1);
            const float w = static_cast<float>(bg->Width()), h = static_cast<float>(bg->Height());
            bg->DrawQuad(400.0f - w / 2.0f, 560.0f - h / 2.0f, 1.0f, w, h);
        }
        DrawBar(m_game->m_fuel_indicator, m_fuel, 556.0f);
        DrawBar(m_game->m_hull_indicator, m_hull_percent, 571.0f);
    }
    glColor4f(1, 1, 1, 1);
    if (m_help) {
        glEnable(GL_BLEND);
        m_help->Draw();
    }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}
