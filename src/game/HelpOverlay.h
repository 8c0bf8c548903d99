// CHelpOverlay: the hint that fades in over the first games of a run — how to roll, how to fire
// both weapons, how to change the camera — built from the player's current bindings.
//
// Owned by CGameHud, created with it (so once per game), built again when the bindings change,
// and deleted when it has faded out or when a level above 3 is shown. A process-wide counter of
// created overlays picks the hint and stops them after the sixth game of a run. The hint stands on a faint dark band that fades with it.
// Update is arithmetic; Draw needs a GL context and a font.
#pragma once

#include <string>
#include <vector>

class CBitmapText;
class GameData;

class CHelpOverlay {
public:
    enum Phase { FadeIn = 0, Hold = 1, FadeOut = 2, Done = 3 };

    // windowWidth: the layout width the hint is centred in.
    CHelpOverlay(const GameData& game, const CBitmapText* font, float windowWidth = 800.0f);

    // The player rebound keys (the options dialog, while the game waited in the menu): the hint
    // names the keys bound now. Its pick, fade and place in the fade stay as they were.
    void Rebind(const GameData& game);

    void Update(float dt);
    void Draw() const;

    int GetPhase() const { return m_phase; }
    float Alpha() const { return m_alpha; }
    int HintIndex() const { return m_index; }
    const std::string& Text() const { return m_text; }
    float X() const { return m_x; }
    float Y() const { return m_y; }
    const std::vector<std::string>& Hints() const { return m_hints; }

    // The dark band drawn under the hint so that it reads over a pale sky: every line of the
    // text with a margin around it (empty without a font).
    struct Box {
        float x = 0, y = 0, width = 0, height = 0;
    };
    Box Backing() const;

    // The overlays created so far in this run (tests reset it).
    static int CreatedCount() { return s_created; }
    static void ResetCount() { s_created = 0; }
    // Puts the count back (the attract mode's demonstration is not one of the player's games).
    static void RestoreCount(int count) { s_created = count; }

private:
    const CBitmapText* m_font;
    float m_window_width;
    std::vector<std::string> m_hints;
    std::string m_text;
    int m_index = 0;
    float m_size = 12.0f;
    float m_x = 0, m_y = 100, m_z = 1;
    int m_phase = FadeIn;
    float m_alpha = 0;
    float m_hold = 3000;
    static int s_created;
};
