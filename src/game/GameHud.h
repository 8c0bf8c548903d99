// CGameHud: the head-up display over the 3D view — time (custom games), level score, lives,
// level number, the fuel and hull bars — and the help overlay of the first games.
//
// Owned by CGameField, one per game. The field sets the values every frame and calls Update and
// Draw after the 3D scene. Values are stored as given (lives never below 0, bars clamped to
// their texture); the layout of the bars is computed by BarQuad so that it can be checked
// without GL. A missing font or texture leaves that element out.
#pragma once

#include "game/HelpOverlay.h"

#include <cstdint>
#include <memory>

class CBitmapText;
class CTexture;
class GameData;

class CGameHud {
public:
    // The quad of a bar: left and top edge, drawn width and height, and the u range 0..uRight.
    struct Quad {
        float x = 0, y = 0, width = 0, height = 0, uRight = 0;
    };

    CGameHud(const GameData* game, const CBitmapText* font);
    ~CGameHud();

    void SetScore(int32_t score) { m_score = score; }
    void SetLives(int32_t lives) { m_lives = lives < 0 ? 0 : lives; }
    void SetSeconds(int32_t seconds) { m_seconds = seconds; }
    void SetFuel(float fuel) { m_fuel = fuel; }
    void SetHullPercent(float hull) { m_hull_percent = hull; }
    // Stores n; from level 4 on there is no help any more.
    void SetLevel(int32_t n);
    // The key bindings changed: the help hint names the new keys.
    void BindingsChanged();
    void Update(float dt);
    void Draw() const;
    // No hint over this HUD (the attract mode's demonstration).
    void DropHelp() { m_help.reset(); }

    int32_t Score() const { return m_score; }
    int32_t Lives() const { return m_lives; }
    int32_t Seconds() const { return m_seconds; }
    int32_t Level() const { return m_level; }
    float Fuel() const { return m_fuel; }
    float HullPercent() const { return m_hull_percent; }
    const CHelpOverlay* Help() const { return m_help.get(); }

    // The bar of a texture of w x h pixels showing percent (0..100) with its centre row at rowY.
    static Quad BarQuad(float texWidth, float texHeight, float percent, float rowY);
    // The four text lines as drawn ("Score: %7d", ...); time is empty outside custom games.
    std::string ScoreText() const;
    std::string LivesText() const;
    std::string LevelText() const;
    std::string TimeText() const;

private:
    void DrawBar(const CTexture* texture, float percent, float rowY) const;

    const GameData* m_game;
    const CBitmapText* m_font;
    int32_t m_score = 0;
    int32_t m_lives = 0;
    int32_t m_seconds = 0;
    int32_t m_level = 0;
    float m_fuel = 100;
    float m_hull_percent = 100;
    std::unique_ptr<CHelpOverlay> m_help;
};
