// CAttractDemo: the demonstration flight, its end on any input, and the game record put back.
#include "game/AttractDemo.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "audio/SoundManager.h"
#include "game/Autopilot.h"
#include "game/GameField.h"
#include "game/Gunner.h"
#include "game/HelpOverlay.h"
#include "platform/GL.h"
#include "render/BitmapText.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Where the level a held game shows keeps its textures while the demonstration flies.
constexpr const char* kLevelBank = "CLevel";
constexpr const char* kHeldLevelBank = "CLevel (held)";

} // namespace

GameRecordState GameRecordState::Take(const GameData& g)
{
    GameRecordState s;
    s.planePosY = g.m_plane_pos_y;
    s.levelsPackName = g.m_levels_pack_name;
    s.levelsCount = g.levelsCount;
    s.customGame = g.customGame;
    s.customLevelNum = g.m_custom_level_num;
    s.cameraPos = g.m_camera_pos;
    std::copy(std::begin(g.killCounts), std::end(g.killCounts), s.killCounts);
    s.scoreGame = g.scoreGame;
    s.scoreLevel = g.scoreLevel;
    s.cloudsTexture = g.m_clouds_texture;
    s.cloudsNoiseTexture = g.m_clouds_noise_texture;
    s.hintsShown = CHelpOverlay::CreatedCount();
    return s;
}

void GameRecordState::Restore(GameData& g) const
{
    g.m_plane_pos_y = planePosY;
    g.m_levels_pack_name = levelsPackName;
    g.levelsCount = levelsCount;
    g.customGame = customGame;
    g.m_custom_level_num = customLevelNum;
    g.m_camera_pos = cameraPos;
    std::copy(std::begin(killCounts), std::end(killCounts), g.killCounts);
    g.scoreGame = scoreGame;
    g.scoreLevel = scoreLevel;
    g.m_clouds_texture = cloudsTexture;
    g.m_clouds_noise_texture = cloudsNoiseTexture;
    CHelpOverlay::RestoreCount(hintsShown);
}

CAttractDemo::CAttractDemo(GameData* game, const CBitmapText* font, int level, int aircraft, bool graphics)
    : m_game(game), m_font(font)
{
    if (m_game)
        m_saved = GameRecordState::Take(*m_game);
    // A held game's level keeps its textures aside; the demonstration's level gets a bank of its own.
    if (CResourceBank::FindBank(kLevelBank))
        m_bank_set_aside = CResourceBank::RenameBank(kLevelBank, kHeldLevelBank);
    if (m_game && m_game->m_levels_pack_name != GameData::kDefaultLevelsPack) {
        m_game->SelectLevelSet(GameData::kDefaultLevelsPack);
        m_set_switched = true;
    }
    const int levels = m_game ? m_game->levelsCount : 0;
    if (level < 1 || level > levels)
        level = levels > 0 ? 1 + std::rand() % levels : 1;
    m_level = level;
    aircraft = std::clamp(aircraft, 0, GameData::kAircraftCount - 1);

    if (m_game) {
        m_game->scoreLevel = 0;
        m_game->scoreGame = 0;
        m_game->ClearKillCounts();
        m_game->customGame = 0;
    }
    m_field = std::make_unique<CGameField>(game, font, &m_pilot_input, graphics);
    m_field->SetWriteSaveFile(false);
    m_field->NewLevel(level);
    m_field->PrewarmOnce();
    m_field->SelectAircraft(aircraft);
    m_field->Hud().DropHelp();
    if (m_game) {
        m_pilot = std::make_unique<Autopilot>(m_pilot_input, *m_game);
        m_gunner = std::make_unique<Gunner>(m_pilot_input, *m_game);
    }
    LogWrite("Attract mode: demo of level %d with aircraft %d", level, aircraft);
}

CAttractDemo::~CAttractDemo()
{
    Finish();
}

void CAttractDemo::Finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_gunner.reset();
    m_pilot.reset();
    m_field.reset();
    if (m_bank_set_aside) {
        CResourceBank::RenameBank(kHeldLevelBank, kLevelBank);
        m_bank_set_aside = false;
    } else {
        CResourceBank::DeleteBank(kLevelBank);
    }
    if (m_game) {
        if (m_set_switched)
            m_game->SelectLevelSet(m_saved.levelsPackName);
        m_saved.Restore(*m_game);
    }
    LogWrite("Attract mode: back to the menu after %.0f s", m_elapsed_ms / 1000.0f);
    if (AppWindow* app = AppWindow::Get())
        if (app->TopScreen() == this)
            app->CloseTop(false);
}

bool CAttractDemo::AnyJoystickButton()
{
    AppWindow* app = AppWindow::Get();
    if (!app)
        return false;
    InputDevices& in = app->Input();
    in.Poll();
    bool down = false;
    if (in.JoystickValid())
        for (uint8_t b : in.Joystick().buttons)
            down = down || (b & 0x80) != 0;
    // Only a press made during the demonstration counts.
    const bool pressed = down && !m_joy_was_down;
    m_joy_was_down = down;
    return pressed;
}

void CAttractDemo::Update(float elapsedMs)
{
    if (m_finished)
        return;
    m_elapsed_ms += elapsedMs;
    if (AnyJoystickButton() || m_elapsed_ms >= kDemoMs || m_field->Ended()) {
        Finish();
        return;
    }
    if (m_pilot)
        m_pilot->Steer(*m_field);
    if (m_gunner)
        m_gunner->Aim(*m_field);
    m_field->Update(elapsedMs * (m_game ? m_game->timeScale : 0.13f));
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->Update();
}

void CAttractDemo::Draw()
{
    if (m_field) {
        m_field->DrawFrame();
    } else {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // The HUD has left the layout's 2D projection behind: the line goes at the top, centred.
    if (m_font && m_field) {
        const float size = 26.0f;
        const float x = (800.0f - m_font->TextWidth(kLine, size)) / 2.0f;
        glDisable(GL_DEPTH_TEST);
        m_font->Draw(kLine, size, x + 2.0f, 32.0f, 1, 0, 0, 0, 1);
        m_font->Draw(kLine, size, x, 30.0f, 1, 1.0f, 0.85f, 0.2f, 1);
    }
    TheAppConfig().m_music.Update();
}

void CAttractDemo::OnKeyDown(int)
{
    Finish();
}

bool CAttractDemo::OnLButtonDown(int, int, unsigned)
{
    Finish();
    return true;
}

bool CAttractDemo::OnRButtonUp(int, int, unsigned)
{
    Finish();
    return true;
}

void CAttractDemo::OnCloseRequest()
{
    m_close_requested = true;
    Finish();
}
