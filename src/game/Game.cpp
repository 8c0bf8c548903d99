// CGame and CCustomGame: the phases of a game, lives and game over, the level screens' results,
// the engine loop and mouse capture, and the quit and minimise keys.
#include "game/Game.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "audio/SoundManager.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "game/LevelScreens.h"
#include "input/InputDevices.h"
#include "platform/Platform.h"
#include "player/Player.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"
#include "ui/MenuLayout.h"

CGame::CGame(GameData* game, CMenuLayout* layout, InputDevices* input, bool graphics)
    : m_game(game), m_layout(layout), m_input(input)
{
    if (!m_layout) {
        m_own_layout = std::make_unique<CMenuLayout>();
        m_layout = m_own_layout.get();
    }
    // A new game starts from nothing.
    if (m_game) {
        m_game->scoreGame = 0;
        m_game->scoreLevel = 0;
        m_game->ClearKillCounts();
        m_game->customGame = 0;
    }
    m_field = std::make_unique<CGameField>(game, m_layout->Font(), input, graphics);
}

CGame::~CGame()
{
    m_begin.reset();
    m_complete.reset();
    m_field.reset();
}

CCustomGame::CCustomGame(GameData* game, CMenuLayout* layout, int customLevel, InputDevices* input, bool graphics)
    : CGame(game, layout, input, graphics), m_custom_level(customLevel)
{
    if (m_game)
        m_game->customGame = 1;
}

InputDevices* CGame::Input() const
{
    if (m_input)
        return m_input;
    AppWindow* app = AppWindow::Get();
    return app ? &app->Input() : nullptr;
}

int CGame::CurrentLevel() const
{
    return m_field ? m_field->Level() : 0;
}

void CGame::End(int result)
{
    if (m_screen_ended)
        return;
    m_screen_ended = true;
    SetResult(result);
    if (AppWindow* app = AppWindow::Get())
        app->CloseTop(false);
}

void CGame::StartEngine()
{
    CSoundManager* sm = CSoundManager::Instance();
    if (!sm)
        return;
    const bool heli = m_aircraft == 2;
    sm->Play(heli ? CPlayer::kSoundHeliEngine : CPlayer::kSoundJetEngine, false, true);
    sm->SetVolume(CPlayer::kSoundJetEngine, 90);
}

void CGame::CaptureMouse()
{
    if (InputDevices* in = Input())
        in->CaptureMouse();
}

void CGame::ReleaseMouse()
{
    if (InputDevices* in = Input())
        in->ReleaseMouse();
}

void CGame::Update(float elapsedMs)
{
    if (m_screen_ended)
        return;
    InputDevices* input = Input();
    if (input)
        input->Poll();
    const float dt = elapsedMs * (m_game ? m_game->timeScale : 0.13f);
    CSoundManager* sm = CSoundManager::Instance();

    if (m_phase == StartLevel) {
        m_level_ended = 0;
        const bool custom = IsCustom();
        if (m_started && m_field->PlayerFinished()) {
            if (m_game) {
                m_game->scoreLevel = 0;
                m_game->ClearKillCounts();
            }
            m_field->NewLevel(m_field->Level() + 1);
        } else {
            if (custom && m_game) {
                m_game->scoreLevel = 0;
                m_game->ClearKillCounts();
            }
            m_field->NewLevel(m_started ? m_field->Level() : FirstLevel());
        }
        m_started = true;
        if (sm)
            sm->StopAll();
        m_begin = std::make_unique<CBeginLevelScreen>(m_field.get(), m_aircraft, *m_layout, m_input);
        if (AppWindow* app = AppWindow::Get())
            app->PushDialog(m_begin.get());
    } else if (m_phase == Playing) {
        m_level_ended = m_field->Ended() ? 1 : 0;
        if (m_level_ended) {
            if (!IsCustom())
                ReleaseMouse();
            const int levels = m_game ? m_game->levelsCount : 0;
            if (levels >= m_field->Level() && m_field->PlayerFinished()) {
                if (m_game) {
                    m_game->scoreGame += m_game->scoreLevel;
                    m_final_score = m_game->scoreGame;
                    // A tuning file without points per life adds none (and divides by nothing).
                    if (m_game->m_score_per_lives > 0)
                        m_field->SetLives(m_field->Lives() + m_game->scoreLevel / m_game->m_score_per_lives);
                }
                m_level_ended = 0;
                m_phase = LevelComplete;
                m_complete = std::make_unique<CCompleteLevelScreen>(m_field.get(), *m_layout);
                // The tally charged a custom game its time: the final score is the "Game Total"
                // the player is shown, and the one the Top 7 gets.
                if (m_game)
                    m_final_score = m_game->scoreGame;
                if (AppWindow* app = AppWindow::Get())
                    app->PushDialog(m_complete.get());
                if (sm)
                    sm->StopAll();
            } else if (m_field->Lives() < 1) {
                if (m_game) {
                    m_game->scoreGame += m_game->scoreLevel;
                    m_final_score = m_game->scoreGame;
                }
                m_over = true;
                LogWrite("CGame: game over, score %i", m_final_score);
                ReleaseMouse();
                End(0);
                CScreen::Update(elapsedMs);
                if (sm)
                    sm->StopAll();
                return;
            } else {
                m_phase = StartLevel;
            }
        }
        if (m_freeze_time > 0.0f)
            m_freeze_time -= dt;
        else
            m_field->Update(dt);
    }
    if (sm)
        sm->Update();
    CScreen::Update(elapsedMs);
}

void CGame::Draw()
{
    // A level screen clears the whole picture before it draws its own, so the field under it
    // is not drawn: that frame would be thrown away unseen. (The begin-level screen's pre-warm
    // sends the field's drawing once, where nothing of it reaches the screen.)
    if (!m_begin && !m_complete)
        m_field->DrawFrame();
    CScreen::Draw();
}

void CGame::Activate()
{
    // Pushed again after the quit key: "continue" resumes the game where it was left.
    if (m_screen_ended && !m_over)
        m_screen_ended = false;
    m_freeze_time = (m_game ? m_game->timeScale : 0.13f) * 100.0f;
    if (m_phase == Playing && !m_screen_ended) {
        LogWrite("CGame: playing level %i", m_field->Level());
        StartEngine();
        CaptureMouse();
    }
}

void CGame::OnKeyDown(int virtualKey)
{
    const AppConfig& config = TheAppConfig();
    const bool quit = virtualKey == config.m_quit_key;
    const bool minimise = virtualKey == config.m_minimize_key;
    if (!quit && !minimise)
        return;
    if (const CPlayer* p = m_field->Player())
        LogWrite("CGame: left the game at (%.1f, %.1f) banked %.1f", p->Position().x, p->Position().y, p->Roll());
    if (minimise)
        if (AppWindow* app = AppWindow::Get())
            app->Minimize();
    ReleaseMouse();
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->StopAll();
    End(0);
}

bool CGame::OnLButtonUp(int x, int y, unsigned flags)
{
    if (m_freeze_time > 0.0f)
        return false;
    const AppWindow* app = AppWindow::Get();
    if (app && app->Width() > 0 && app->Height() > 0) {
        x = x * 800 / app->Width();
        y = y * 600 / app->Height();
    }
    return CScreen::OnLButtonUp(x, y, flags);
}

bool CGame::OnRButtonUp(int x, int y, unsigned flags)
{
    if (m_freeze_time > 0.0f)
        return false;
    const AppWindow* app = AppWindow::Get();
    if (app && app->Width() > 0 && app->Height() > 0) {
        x = x * 800 / app->Width();
        y = y * 600 / app->Height();
    }
    return CScreen::OnRButtonUp(x, y, flags);
}

void CGame::OnDialogClosed(int result, CDialogScreen* dialog)
{
    if (m_begin && dialog == m_begin.get()) {
        if (result == 1) {
            m_begin.reset();
            End(1);
            return;
        }
        m_phase = Playing;
        AppWindow* app = AppWindow::Get();
        if (app && app->Width() > 0)
            app->View().SetPerspective(app->Width(), app->Height());
        m_aircraft = m_begin->Choice();
        m_field->PrewarmOnce();  // when Take Off came before the screen's second frame
        m_field->SelectAircraft(m_aircraft);
        StartEngine();
        CaptureMouse();
        m_begin.reset();
        // The begin-level screen's pictures go with it; the flight shows none of the menus'.
        CResourceBank::ReleaseAllLazyTextures();
        platform::ReturnFreeMemory();
        LogWrite("CGame: level %i with aircraft %i", m_field->Level(), m_aircraft);
        return;
    }
    if (m_complete && dialog == m_complete.get()) {
        m_complete.reset();
        const int levels = m_game ? m_game->levelsCount : 0;
        if (IsCustom() || m_field->Level() == levels) {
            m_level_ended = 1;
            m_over = true;
            End(1);
            ReleaseMouse();
        } else {
            m_phase = StartLevel;
        }
    }
}

void CGame::OptionsChanged()
{
    // Keys, mouse sensitivity and sound are read where they are used; only the hint keeps names.
    m_field->Hud().BindingsChanged();
    LogWrite("CGame: options changed");
}

void CGame::DisplayChanged()
{
    InputDevices* input = Input();
    if (input && input->MouseCaptured())
        input->CaptureMouse();
}

void CGame::OnCloseRequest()
{
    ReleaseMouse();
    if (AppWindow* app = AppWindow::Get()) {
        platform::Message close;
        close.kind = platform::MsgKind::Close;
        app->Pump().Post(close);
    }
}

void CGame::SaveState(ParamFile& tree) const
{
    m_field->SaveState(tree);
}

void CGame::LoadState(const ParamFile& tree)
{
    m_field->LoadState(tree);
    m_started = true;
}

void CGame::ReleaseLevel()
{
    m_field->ReleaseLevel();
}
