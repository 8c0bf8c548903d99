// The begin-level screen (aircraft choice, fire to go on, Escape to the menu) and the
// level-complete screen (tally and continue).
#include "game/LevelScreens.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "input/InputDevices.h"
#include "platform/GL.h"
#include "render/BitmapText.h"
#include "render/Texture.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

#include <cstdio>

namespace {

void LayoutProjection()
{
    ApplyPictureViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// A full-layout picture at depth z, (0, 1) at the top-left corner.
void FullQuad(const CTexture* texture, float z)
{
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture ? texture->GLName() : 0);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 1);
    glVertex3f(0, 0, z);
    glTexCoord2f(0, 0);
    glVertex3f(0, 600, z);
    glTexCoord2f(1, 1);
    glVertex3f(800, 0, z);
    glTexCoord2f(1, 0);
    glVertex3f(800, 600, z);
    glEnd();
}

void Text(const CBitmapText* font, const std::string& text, float size, float x, float y, float r, float g, float b)
{
    if (font)
        font->Draw(text.c_str(), size, x, y, 8.0f, r, g, b, 1.0f);
}

}  // namespace

// --- begin-level screen -------------------------------------------------------------------

CBeginLevelScreen::CBeginLevelScreen(CGameField* field, int aircraft, CMenuLayout& layout, InputDevices* input)
    : CMenuDialog(layout), m_field(field), m_game(field ? field->Game() : nullptr), m_choice(aircraft),
      m_input(input)
{
    SetVirtualSize(800, 600);
    SetPosition(0, 0);
    SetSize(800, 600);
    SetDrawWindow(false);
    m_select[0] = AddButton("m_take_off_btn", "m_select_plane1_btn");
    m_select[1] = AddButton("m_take_off_btn", "m_select_plane2_btn");
    m_select[2] = AddButton("m_take_off_btn", "m_select_plane3_btn");
    m_main_menu = AddButton("m_back_btn", "m_main_menu_btn");
    for (int i = 0; i < 3; ++i) {
        const std::string key = "m_plane" + std::to_string(i + 1) + "_prev_";
        m_preview_x[i] = static_cast<float>(layout.Int(key + "x"));
        m_preview_y[i] = static_cast<float>(layout.Int(key + "y"));
    }
}

CBeginLevelScreen::~CBeginLevelScreen() = default;

InputDevices* CBeginLevelScreen::Input() const
{
    if (m_input)
        return m_input;
    AppWindow* app = AppWindow::Get();
    return app ? &app->Input() : nullptr;
}

void CBeginLevelScreen::Update(float elapsedMs)
{
    CScreen::Update(elapsedMs);
    InputDevices* in = Input();
    if (!in || !m_game || m_closing)
        return;
    in->Poll();
    const bool fire = in->FireValue(*m_game) != 0;
    if (!fire) {
        m_fire_armed = true;
    } else if (m_fire_armed) {
        m_closing = true;
        Close(0);
    }
}

void CBeginLevelScreen::OnKeyDown(int virtualKey)
{
    if (virtualKey == kQuitKey) {
        m_closing = true;
        Close(1);
        return;
    }
    if (virtualKey == kOkKey) {
        m_closing = true;
        Close(0);
    }
}

void CBeginLevelScreen::OnControlEvent(CControl* control)
{
    for (int i = 0; i < 3; ++i)
        if (control == m_select[i]) {
            m_choice = i;
            m_closing = true;
            Close(0);
            return;
        }
    if (control == m_main_menu) {
        m_closing = true;
        Close(1);
    }
}

void CBeginLevelScreen::Draw()
{
    // The level's unseen pre-warm, once the screen's first frame is up for the player to see.
    if (m_frames_drawn++ > 0 && m_field)
        m_field->PrewarmOnce();
    LayoutProjection();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    FullQuad(m_layout.Texture("m_begin_level_wnd_back"), -50.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    CDialogScreen::Draw();
    glPopMatrix();
    const CBitmapText* font = m_layout.Font();
    Text(font, "Select your aircraft", 30, 62, 62, 0, 0, 0);
    Text(font, "Select your aircraft", 30, 60, 60, 1, 1, 0);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    if (m_game)
        for (int i = 0; i < 3; ++i)
            if (const CTexture* prev = m_game->m_plane_prev[i]) {
                glBindTexture(GL_TEXTURE_2D, prev->GLName());
                prev->DrawQuad(m_preview_x[i], m_preview_y[i], 5.0f);
            }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// --- level-complete screen ----------------------------------------------------------------

CCompleteLevelScreen::CCompleteLevelScreen(CGameField* field, CMenuLayout& layout)
    : CMenuDialog(layout), m_field(field), m_game(field ? field->Game() : nullptr)
{
    SetVirtualSize(800, 600);
    SetPosition(0, 0);
    SetSize(800, 600);
    SetDrawWindow(false);
    m_continue = AddButton("m_continue_single_game_btn", "m_continue_btn");
    if (m_game && m_game->customGame == 1 && field)
        m_game->scoreGame -= field->LevelSeconds() * 5;
}

CCompleteLevelScreen::~CCompleteLevelScreen() = default;

void CCompleteLevelScreen::OnControlEvent(CControl* control)
{
    if (control == m_continue)
        Close(0);
}

std::vector<std::string> CCompleteLevelScreen::TallyLines(const GameData& g, int levelSeconds)
{
    std::vector<std::string> lines;
    char buf[128];
    const int rows[4][2] = {{g.killCounts[0], g.m_score_plane},
                            {g.killCounts[2], g.m_score_boat},
                            {g.killCounts[1], g.m_score_helic},
                            {g.killCounts[3], g.m_score_aad}};
    for (const auto& r : rows) {
        std::snprintf(buf, sizeof buf, "%3i x %4i = %7i", r[0], r[1], r[0] * r[1]);
        lines.emplace_back(buf);
    }
    lines.emplace_back("          _________");
    if (g.customGame == 1) {
        std::snprintf(buf, sizeof buf, "Level Total%9i", g.scoreLevel);
        lines.emplace_back(buf);
        std::snprintf(buf, sizeof buf, "Level Time: %02d:%02d       Time Cost: %i", levelSeconds / 60, levelSeconds % 60,
                      levelSeconds * 5);
        lines.emplace_back(buf);
    } else {
        const int add = g.m_score_per_lives > 0 ? g.scoreLevel / g.m_score_per_lives : 0;
        std::snprintf(buf, sizeof buf, "Level Total%9i   -  Lives Add %3i", g.scoreLevel, add);
        lines.emplace_back(buf);
    }
    std::snprintf(buf, sizeof buf, "Game Total%10i", g.scoreGame);
    lines.emplace_back(buf);
    return lines;
}

void CCompleteLevelScreen::Draw()
{
    LayoutProjection();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    FullQuad(m_layout.Texture("m_end_level_wnd_back"), 6.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    CDialogScreen::Draw();
    glPopMatrix();
    const CBitmapText* font = m_layout.Font();
    Text(font, "Level complete", 30, 62, 62, 0, 0, 0);
    Text(font, "Level complete", 30, 60, 60, 1, 1, 0);
    if (!m_game)
        return;
    const CTexture* icons[4] = {m_game->m_cl_plane, m_game->m_cl_boat, m_game->m_cl_helic, m_game->m_cl_ground};
    const float anchorY[4] = {100, 173, 246, 320};
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, 1);
    for (int i = 0; i < 4; ++i)
        if (icons[i] && icons[i]->Width() > 0) {
            glBindTexture(GL_TEXTURE_2D, icons[i]->GLName());
            const float w = static_cast<float>(icons[i]->Width()), h = static_cast<float>(icons[i]->Height());
            icons[i]->DrawQuad(100.0f - w / 2.0f, anchorY[i] - h / 2.0f, 10.0f);
        }
    const std::vector<std::string> lines = TallyLines(*m_game, m_field ? m_field->LevelSeconds() : 0);
    for (int i = 0; i < 4; ++i)
        Text(font, lines[static_cast<size_t>(i)], 20, 170, anchorY[i] + 10, 1, 0.1f, 0);
    Text(font, lines[4], 20, 170, 350, 1, 0.1f, 0);
    Text(font, lines[5], 20, 170, 400, 1, 0.1f, 0);
    size_t next = 6;
    if (m_game->customGame == 1)
        Text(font, lines[next++], 20, 170, 440, 1, 0.1f, 0);
    Text(font, lines[next], 20, 170, 480, 1, 0.1f, 0);
}
