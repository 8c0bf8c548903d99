// CPlayer: the aircraft the player flies — its flight model, fuel, hull, both weapons, the
// crash into the ground and the states from the start run to the level end or the fall.
//
// CGameField creates one per level start (after the level and before the missile controller),
// picks the aircraft chosen on the begin-level screen (SelectAircraft), updates it once per frame
// and deletes it at the next level start. The update is a step over the aircraft's own state: the
// level is reached through IFlightWorld, the controls through InputDevices (the devices of
// AppWindow unless SetInput gave others), shots go to the missile controller and emission points
// to the battle effects, both optional. Nothing here needs GL except Draw.
//
// Tuning comes from GameData's per-aircraft columns and the aircraft's parameter file (missing
// keys take their defaults); a broken or empty file gives a flyable aircraft with zero speeds
// rather than a crash of the program.
#pragma once

#include "app/Vec3.h"
#include "input/InputDevices.h"
#include "player/MissleCtrl.h"
#include "player/PlayerShadow.h"
#include "render/Entity3DS.h"

#include <cstdint>
#include <memory>

class CAtmosphericCtpl;
class CMissleCtrl;
class GameData;
class IFlightWorld;

class CPlayer : public CEntity3DS {
public:
    enum State : int32_t { Start = 0, Flying = 1, Maneuver = 2, RunOut = 3, LevelFinished = 4, Dead = 5, ShotDown = 6 };

    // Sound ids the aircraft plays.
    static constexpr int kSoundJetEngine = 0, kSoundManeuver = 12, kSoundLowFuel = 13, kSoundShotDown = 14,
                         kSoundHeliEngine = 16, kSoundHit = 17;
    // The battle effects' key of the falling aircraft's fire (its parts take the next ones).
    static constexpr uint64_t kFireKey = 1;

    CPlayer(GameData* game, IFlightWorld* world, CAtmosphericCtpl* atmosphere);
    ~CPlayer() override;
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    void SelectAircraft(int index);
    void Update(float dt);
    void Draw() override;

    void Damage(float amount);
    float HullPercent() const;
    // Only acts when the hull is empty or the fuel below 1: the aircraft is shot down.
    void Kill();
    void SetState(State s);
    // Fuel taken at a depot (capped at 100).
    void AddFuel(float amount);

    void SetInput(InputDevices* input) { m_input = input; }
    void SetMissiles(CMissleCtrl* missiles) { m_missiles = missiles; }

    // --- queries -----------------------------------------------------------------------------
    State GetState() const { return static_cast<State>(m_state); }
    bool IsFinished() const { return m_state == LevelFinished; }
    bool IsDead() const { return m_state == Dead; }
    int Aircraft() const { return m_aircraft; }
    bool IsHelicopter() const { return m_is_helicopter != 0; }
    float Fuel() const { return m_fuel; }
    float Hull() const { return m_hull; }
    float HullMax() const { return m_hull_max; }
    const Vec3& Position() const { return m_position; }
    const Vec3& Velocity() const { return m_velocity; }
    float Pitch() const { return m_pitch; }
    float Roll() const { return m_roll; }
    float Heading() const { return m_heading; }
    float ManeuverLift() const { return m_maneuver_lift; }
    int ManeuverDir() const { return m_maneuver_dir; }
    const Vec3& FinishPoint() const { return m_finish; }
    const PlayerControlState& Controls() const { return m_controls; }
    PlayerControlState& Controls() { return m_controls; }
    CPlayerShadow& Shadow() { return *m_shadow; }
    const CPlayerShadow& Shadow() const { return *m_shadow; }
    const Vec3& Contrail(int i) const { return m_contrail[i & 1]; }
    // The shots fired so far and the last one (what the missile controller was handed).
    int ShotCount() const { return m_shot_count; }
    const PlayerShot& LastShot() const { return m_last_shot; }
    float SpeedNormal() const { return m_speed_normal; }
    float SpeedMax() const { return m_speed_max; }
    float SpeedMin() const { return m_speed_min; }
    float AngleMaxSide() const { return m_angle_max_side; }
    float MissileDist() const { return m_missile_dist; }
    float TorpedoDist() const { return m_torpedo_dist; }
    // Direct state for tests and tools.
    void SetFuel(float fuel) { m_fuel = fuel; }
    void SetHull(float hull) { m_hull = hull; }
    void SetVelocity(const Vec3& v) { m_velocity = v; }
    void SetRoll(float roll) { m_roll = roll; }

private:
    void CopyTuning();
    void ReadAircraftFile();
    void UpdateStart(float dt);
    void UpdateFlying(float dt);
    void UpdateManeuver(float dt);
    void UpdateRunOut(float dt);
    void UpdateShotDown(float dt);
    void AfterUpdate(float dt);
    void BurnFuel(float dt);
    void Fire(float dt, int fire);
    bool HitsGround() const;
    InputDevices* Input() const;
    void Sound(int id, bool force) const;

    GameData* m_game;
    IFlightWorld* m_world;
    CMissleCtrl* m_missiles = nullptr;
    std::unique_ptr<CPlayerShadow> m_shadow;
    InputDevices* m_input = nullptr;
    int32_t m_state = Start;

    float m_angle_max_side = 0;
    float m_speed_max = 0, m_speed_normal = 0, m_speed_min = 0, m_side_speed = 0;
    float m_k_acceleration = 0, m_k_deceleration = 0;

    Vec3 m_velocity;
    float m_pitch = 0, m_roll = 0, m_heading = 0;
    Vec3 m_gravity;
    CAtmosphericCtpl* m_atmosphere;
    int32_t m_aircraft = 0;
    uint8_t m_is_helicopter = 0;
    CEntity* m_rotor1 = nullptr;
    CEntity* m_rotor2 = nullptr;
    float m_rotor_angle = 0;

    uint8_t m_primary_cooling = 0, m_secondary_cooling = 0;
    float m_primary_timer = 100, m_secondary_timer = 100;
    float m_primary_pause = 100, m_secondary_pause = 100;
    float m_fuel = 100;

    float m_maneuver_angle = 0, m_maneuver_angle_speed = 0, m_maneuver_lift = 0, m_maneuver_lift_max = 0;
    float m_maneuver_side_speed = 0, m_maneuver_roll0 = 0, m_maneuver_roll_span = 0;
    int32_t m_maneuver_dir = 0;

    float m_smoke_dist = 1, m_missile_dist = 1, m_torpedo_dist = 1;
    Vec3 m_nozzle;
    float m_hull_max = 10, m_hull = 10;
    PlayerControlState m_controls;  // the wheel throttle and the keyboard-steering flag
    float m_torpedo_damage = 0, m_missile_aa_damage = 0, m_missile_al_damage = 0, m_flak_damage = 0,
          m_rank_damage = 0;
    int m_seed = 0;

    Vec3 m_finish;
    Vec3 m_contrail[2];
    int m_shot_count = 0;
    PlayerShot m_last_shot;
};
