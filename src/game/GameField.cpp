// CGameField: NewLevel's order with its log lines and autosave, the per-frame world order, the
// 3D drawing through the camera with the cross-hair, and the saved game's state keys.
#include "game/GameField.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "audio/SoundManager.h"
#include "game/GameControls.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "player/LevelFlightWorld.h"
#include "player/MissleCtrl.h"
#include "player/Player.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyKinds.h"
#include "world/Level.h"

#include <algorithm>
#include <string>

CGameField::CGameField(GameData* game, const CBitmapText* font, InputDevices* input, bool graphics)
    : m_game(game), m_input(input), m_graphics(graphics)
{
    // The enemies file's class names need their factories before any level is read.
    RegisterEnemyKinds();
    m_hud = std::make_unique<CGameHud>(game, font);
    m_camera_index = game ? std::clamp(game->m_camera_pos, 0, CGameCamera::kViewCount - 1) : 7;
    m_camera.SelectView(m_camera_index);
    if (AppWindow* app = AppWindow::Get())
        app->View().scale = 0.2f;
    m_clock = [] { return platform::TimeMs(); };
}

CGameField::~CGameField()
{
    m_player.reset();
    m_hud.reset();
    m_world.reset();
    m_flight.reset();
    m_missiles.reset();
    m_atmosphere.reset();
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->StopAll();
}

InputDevices* CGameField::Input() const
{
    if (m_input)
        return m_input;
    AppWindow* app = AppWindow::Get();
    return app ? &app->Input() : nullptr;
}

void CGameField::NewLevel(int level)
{
    InputDevices* input = Input();
    LogWrite("CGameField::NewLevel(%i)", level);
    LogWrite("Joystick %s", input && input->JoystickPresent() ? "true" : "false");
    if (level < 1 || level > 60)
        level = 1;
    m_level = level;

    if (m_player && m_player->IsDead())
        m_lives -= 1;
    m_player.reset();
    m_world.reset();
    m_flight.reset();
    m_missiles.reset();
    m_atmosphere.reset();
    // The menus' pictures are not shown while a level loads and is flown; they load again when
    // a screen draws them.
    if (m_graphics)
        CResourceBank::ReleaseAllLazyTextures();

    m_atmosphere = std::make_unique<CAtmosphericCtpl>();
    LogWrite("AtmosphericCtpl = ok");
    m_world = std::make_unique<CLevel>(m_game, m_atmosphere.get(), m_graphics);
    LogWrite("CLevel = ok");
    m_world->LoadLevel(level);
    m_flight = std::make_unique<LevelFlightWorld>(m_world.get());

    m_level_start_ms = m_clock();
    m_level_seconds = 0;

    m_camera.SetWorld(m_flight.get());
    m_camera.SelectView(m_camera_index);
    m_camera.Snap();
    LogWrite("camera = ok");

    m_player = std::make_unique<CPlayer>(m_game, m_flight.get(), m_atmosphere.get());
    m_player->SetInput(m_input);
    LogWrite("CPlayer = ok");
    const Vec3 start(0.0f, 7.0f, m_world->FlyingHeight());
    m_player->SetPosition(start);
    m_world->SetViewPosition(start);

    m_missiles = std::make_unique<CMissleCtrl>(m_world.get(), m_player.get(), m_atmosphere.get());
    m_player->SetMissiles(m_missiles.get());
    if (CEnemiesCtrl* enemies = m_world->Enemies())
        enemies->SetMissileCtrl(m_missiles.get());
    LogWrite("CMissleCtrl = ok");

    if (m_game)
        m_game->m_plane_pos_y = 10.0f;
    m_atmosphere->SetLevel(m_world.get());

    m_hud->SetScore(m_game ? m_game->scoreLevel : 0);
    m_hud->SetLives(m_lives);
    m_hud->SetLevel(m_level);

    m_lives_at_level_begin = m_lives;
    m_ended = 0;
    m_prewarmed = false;

    // Autosave: the controls always; the game state only with autosave on. Storing the controls
    // also writes the score tables, so a field that writes no save (tools, the attract mode's
    // demonstration) stores nothing at all.
    ParamFile tree;
    if (m_game && m_write_save) {
        StoreControls(*m_game, tree);
        if (TheAppConfig().m_autosave) {
            SaveState(tree);
            tree.SetInt("m_game_kind", m_game->customGame == 1 ? 1 : 0);
        }
    }
    LogWrite("save 2 cfg = ok");
    if (m_write_save)
        WriteSaveFile(tree);
    LogWrite("cfg.SaveConfig = ok");
    platform::ReturnFreeMemory();  // the level's file buffers and decoded pictures are gone
    LogWrite("CGameField::NewLevel = ok");
    LogWrite("--------------------------------");
}

void CGameField::PrewarmOnce()
{
    if (m_prewarmed)
        return;
    m_prewarmed = true;
    if (!m_graphics)
        return;
    PrewarmDraws();
    platform::ReturnFreeMemory();  // what the driver's compilers freed
}

void CGameField::Update(float dt)
{
    m_frame_time = dt;
    if (!m_player || !m_world)
        return;
    InputDevices* input = Input();
    if (m_camera_key_delay < 1.0f && input && m_game && input->CameraKeyDown(*m_game)) {
        m_camera_key_delay = 100.0f;
        m_camera_index = (m_camera_index + 1) % CGameCamera::kViewCount;
        m_game->m_camera_pos = m_camera_index;
        m_camera.SelectView(m_camera_index);
    }
    m_world->UpdateLevel(dt);
    m_player->Update(dt);
    m_atmosphere->Update(dt);
    m_missiles->Update(dt);
    m_ended = (m_player->IsFinished() || m_player->IsDead()) ? 1 : 0;
    m_level_seconds = static_cast<int32_t>((m_clock() - m_level_start_ms) / 1000u);
    m_hud->SetFuel(m_player->Fuel());
    m_hud->SetScore(m_game ? m_game->scoreLevel : 0);
    m_hud->SetSeconds(m_level_seconds);
    m_hud->SetHullPercent(m_player->HullPercent());
    m_hud->Update(dt);
    if (m_camera_key_delay > 0.0f)
        m_camera_key_delay -= m_frame_time;
}

void CGameField::Draw()
{
    if (m_player && m_world) {
        glPushMatrix();
        if (AppWindow* app = AppWindow::Get())
            app->View().ApplyCamera();
        else
            glScalef(0.2f, 0.2f, 0.2f);
        m_camera.LookAt(*m_player);
        glEnable(GL_DEPTH_TEST);
        m_world->DrawLevel();
        m_player->Draw();
        m_missiles->Draw();
        m_atmosphere->Draw();
        m_player->Shadow().Draw();
        glPopMatrix();
        glDisable(GL_FOG);
    }
    m_hud->Draw();
    if (m_camera.HasCrosshair())
        DrawCrosshair();
}

void CGameField::DrawFrame()
{
    AppWindow* app = AppWindow::Get();
    int w = 800, h = 600;
    if (app && app->Width() > 0) {
        w = app->Width();
        h = app->Height();
    }
    if (app)
        app->View().SetPerspective(w, h);
    if (m_world) {
        m_world->ClearFrame();
    } else {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    Draw();
}

void CGameField::DrawCrosshair() const
{
    // In the layout's 2D projection that the HUD left behind.
    const float cx = 400.0f, cy = 300.0f, s = cx / 50.0f;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex2f(cx + s, cy);
    glVertex2f(cx + 3 * s, cy);
    glVertex2f(cx - s, cy);
    glVertex2f(cx - 3 * s, cy);
    glVertex2f(cx, cy + s);
    glVertex2f(cx, cy + 3 * s);
    glVertex2f(cx, cy - s);
    glVertex2f(cx, cy - 3 * s);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}

void CGameField::SelectAircraft(int aircraft)
{
    if (m_player)
        m_player->SelectAircraft(aircraft);
}

void CGameField::ReleaseLevel()
{
    if (m_missiles)
        m_missiles->Release();
    m_player.reset();
    m_world.reset();
    m_flight.reset();
}

bool CGameField::PlayerFinished() const { return m_player && m_player->IsFinished(); }
bool CGameField::PlayerDead() const { return m_player && m_player->IsDead(); }

void CGameField::SaveState(ParamFile& tree) const
{
    tree.SetInt("gf_m_score_at_level_begin", 0);
    tree.SetInt("gf_m_lifes_count_at_level_begin", m_lives_at_level_begin);
    tree.SetInt("gf_m_is_game_over", m_ended ? 1 : 0);
    tree.SetInt("gf_m_level_current", m_level);
    tree.SetInt("gf_m_score_game", m_game ? m_game->scoreGame : 0);
    tree.SetInt("gf_m_score_level", m_game ? m_game->scoreLevel : 0);
    tree.SetInt("gf_m_score_counts", GameData::kKillCounters);
    for (int i = 0; i < GameData::kKillCounters; ++i)
        tree.SetInt("gf_m_score_counts" + std::to_string(i), m_game ? m_game->killCounts[i] : 0);
}

void CGameField::LoadState(const ParamFile& tree)
{
    m_lives = tree.GetInt("gf_m_lifes_count_at_level_begin", "0");
    m_ended = tree.GetInt("gf_m_is_game_over", "0") == 1 ? 1 : 0;
    const int level = tree.GetInt("gf_m_level_current", "0");
    if (m_game) {
        m_game->scoreGame = tree.GetInt("gf_m_score_game", "0");
        m_game->scoreLevel = tree.GetInt("gf_m_score_level", "0");
        // The count comes from the file: only as many counters as the record holds are read.
        const int n = std::clamp(tree.GetInt("gf_m_score_counts", "0"), 0, GameData::kKillCounters);
        for (int i = 0; i < n; ++i)
            m_game->killCounts[i] = tree.GetInt("gf_m_score_counts" + std::to_string(i), "0");
    }
    NewLevel(level);
}
