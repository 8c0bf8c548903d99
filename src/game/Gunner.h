// Gunner: the autopilot's trigger finger — holds the primary fire key while an enemy its missile
// may lock on lies in the lock cone ahead, and the secondary key (the jets' torpedo, the
// helicopter's rocket) while a target of that weapon lies ahead.
//
// gw-bench's flight mode and the attract mode's demonstration create one next to the Autopilot
// and call Aim after Steer every frame. It reads the player and the enemies of the active window and sets only the
// two fire keys; the aircraft's own cool-down decides when a shot really leaves.
#pragma once

class CGameField;
class GameData;
class InputDevices;

class Gunner {
public:
    Gunner(InputDevices& input, const GameData& game);

    void Aim(const CGameField& field);

    int PrimaryFrames() const { return m_primary_frames; }
    int SecondaryFrames() const { return m_secondary_frames; }

private:
    InputDevices& m_input;
    const GameData& m_game;
    int m_primary_frames = 0;
    int m_secondary_frames = 0;
};
