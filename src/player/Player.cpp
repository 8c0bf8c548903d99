// CPlayer: the aircraft's state machine, flight model, fuel, weapons, ground crash and drawing.
#include "player/Player.h"

#include "app/AppWindow.h"
#include "audio/SoundManager.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "player/FlightWorld.h"
#include "world/AtmosphericCtpl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The share of the way to a target that one step takes. A tuning file's factor above one would
// carry the value past its target and swing it wider every step, a negative one away from it, until
// it is no longer a number; both are held to the whole way or none of it.
float StepShare(float share)
{
    return share > 0.0f ? std::min(share, 1.0f) : 0.0f;
}

// The share of the way back to level that one step of dt takes, for a return time of back: never
// past level, so a time shorter than the step (a file's 0.001) cannot swing the bank ever wider.
float RollBackShare(float dt, float back)
{
    return back > 0.0f ? StepShare(dt / back) : 0.0f;
}

float Column(const float (&values)[GameData::kAircraftCount], int aircraft)
{
    return values[std::clamp(aircraft, 0, GameData::kAircraftCount - 1)];
}

}  // namespace

CPlayer::CPlayer(GameData* game, IFlightWorld* world, CAtmosphericCtpl* atmosphere)
    : m_game(game), m_world(world), m_atmosphere(atmosphere)
{
    m_shadow = std::make_unique<CPlayerShadow>(world);
    m_scale = 1.0f;
    CopyTuning();
    m_velocity.Set(0.0f, m_speed_normal, 0.0f);
    m_gravity.Set(0.0f, 0.0f, m_game ? -m_game->m_gravity : 0.0f);
    // Summed as unsigned: three rand() values can exceed the int range.
    m_seed = static_cast<int>((static_cast<unsigned>(std::rand()) + static_cast<unsigned>(std::rand()) +
                               static_cast<unsigned>(std::rand())) & 0x7FFFFFFFu);
}

CPlayer::~CPlayer() = default;

void CPlayer::CopyTuning()
{
    if (!m_game)
        return;
    const float k = m_world ? m_world->Scale() : 1.0f;
    const int a = m_aircraft;
    m_angle_max_side = Column(m_game->m_plane_angle_max_side, a);
    m_speed_max = Column(m_game->m_plane_speed_max_forward, a) * k;
    m_speed_normal = Column(m_game->m_plane_speed_normal_forward, a) * k;
    m_speed_min = Column(m_game->m_plane_speed_min_forward, a) * k;
    m_side_speed = Column(m_game->m_plane_k_side_speed, a) * k;
    m_k_acceleration = Column(m_game->m_plane_k_acceleration, a) * k;
    m_k_deceleration = Column(m_game->m_plane_k_deceleration, a) * k;
}

void CPlayer::ReadAircraftFile()
{
    if (!m_game)
        return;
    const ParamFile& f = m_game->m_aircraft_params[m_aircraft];
    m_scale = f.GetFloat("m_scale", "1");
    m_missile_dist = f.GetFloat("m_missile_dist", "1");
    m_torpedo_dist = f.GetFloat("m_torpedo_dist", "1");
    m_smoke_dist = f.GetFloat("m_smoke_dist", "1");
    m_nozzle.x = f.GetFloat("m_nozzle.x", "0");
    m_nozzle.y = f.GetFloat("m_nozzle.y", "0");
    m_nozzle.z = f.GetFloat("m_nozzle.z", "0");
    m_nozzle.w = f.GetFloat("m_nozzle.w", "0");
    m_hull_max = f.GetFloat("m_hull", "10");
    m_hull = m_hull_max;
    m_primary_pause = f.GetFloat("m_plane_shoot1_pause_time", "100");
    m_secondary_pause = f.GetFloat("m_plane_shoot2_pause_time", "100");
    m_torpedo_damage = f.GetFloat("m_torpedo_damage", "0");
    m_missile_aa_damage = f.GetFloat("m_missile_aa_damage", "0");
    m_missile_al_damage = f.GetFloat("m_missile_al_damage", "0");
    m_flak_damage = f.GetFloat("m_flak_damage", "0");
    m_rank_damage = f.GetFloat("m_rank_damage", "0");
}

void CPlayer::SelectAircraft(int index)
{
    m_aircraft = std::clamp(index, 0, GameData::kAircraftCount - 1);
    m_is_helicopter = m_aircraft == 2 ? 1 : 0;
    const Vec3 position = m_position;
    m_rotor1 = m_rotor2 = nullptr;
    if (m_game && m_game->m_air_planes[m_aircraft] && m_game->m_air_planes[m_aircraft]->IsLoaded())
        CEntity3DS::operator=(*m_game->m_air_planes[m_aircraft]);
    m_position = position;
    m_angle_x = m_angle_y = m_angle_z = 0.0f;
    ReadAircraftFile();
    m_shadow->SetAircraft(m_game, m_aircraft);
    m_shadow->SetSize(ScaledWidth(), ScaledHeight());
    if (m_is_helicopter) {
        m_rotor1 = FindMeshEntity("rotor1");
        m_rotor2 = FindMeshEntity("rotor2");
        m_width *= 0.5f;
    }
    CopyTuning();
    if (m_state == Start)
        m_velocity.Set(0.0f, m_speed_normal, 0.0f);
    m_primary_timer = m_primary_pause;
    m_secondary_timer = m_secondary_pause;
}

InputDevices* CPlayer::Input() const
{
    if (m_input)
        return m_input;
    AppWindow* app = AppWindow::Get();
    return app ? &app->Input() : nullptr;
}

void CPlayer::Sound(int id, bool force) const
{
    if (CSoundManager* sm = CSoundManager::Instance())
        sm->Play(id, force, false);
}

void CPlayer::Damage(float amount)
{
    Sound(kSoundHit, true);
    m_hull = std::max(m_hull - amount, 0.0f);
}

float CPlayer::HullPercent() const
{
    return m_hull_max > 0.0f ? m_hull * 100.0f / m_hull_max : 0.0f;
}

void CPlayer::Kill()
{
    if (m_hull > 0.0f && m_fuel >= 1.0f)
        return;
    m_hull = 0.0f;
    // A falling, finished or dead aircraft is not shot down a second time.
    if (m_state == ShotDown || m_state == Dead || m_state == LevelFinished)
        return;
    SetState(ShotDown);
    m_shadow->SetVisible(false);
}

void CPlayer::AddFuel(float amount)
{
    m_fuel = std::min(m_fuel + amount, 100.0f);
}

void CPlayer::SetState(State s)
{
    m_state = s;
    switch (s) {
    case RunOut: {
        const float half = m_world ? m_world->HalfWidth() : 0.0f;
        const float fly = m_world ? m_world->FlyingHeight() : 0.0f;
        m_finish.Set(0.0f, m_position.y + 2.0f * half, 2.0f * fly);
        m_velocity.y = m_speed_max;
        m_velocity.RotateX(10.0f);
        break;
    }
    case ShotDown:
        Sound(kSoundShotDown, true);
        m_k_deceleration = 0.985f;
        m_shadow->SetVisible(false);
        break;
    case Maneuver: {
        Sound(kSoundManeuver, true);
        m_maneuver_angle = 0.0f;
        m_maneuver_lift_max = 2.0f * LargestScaledExtent();
        m_maneuver_lift = 0.0f;
        m_maneuver_angle_speed = m_game ? Column(m_game->m_maneuver_angle_speed, m_aircraft) : 0.0f;
        m_maneuver_roll0 = m_roll;
        const float limit = m_game ? Column(m_game->m_maneuver_side_speed, m_aircraft) : 0.0f;
        const float fromRoll = m_angle_max_side != 0.0f ? m_roll / m_angle_max_side * m_side_speed : 0.0f;
        if (m_maneuver_dir < 0) {
            m_maneuver_roll_span = (-360.0f - m_roll) / 360.0f;
            m_maneuver_side_speed = std::min(fromRoll, -limit);
        } else {
            m_maneuver_roll_span = (360.0f - m_roll) / 360.0f;
            m_maneuver_side_speed = std::max(fromRoll, limit);
        }
        break;
    }
    default:
        break;
    }
}

void CPlayer::Update(float dt)
{
    switch (m_state) {
    case Start: UpdateStart(dt); break;
    case Flying: UpdateFlying(dt); break;
    case Maneuver: UpdateManeuver(dt); break;
    case RunOut: UpdateRunOut(dt); break;
    case ShotDown: UpdateShotDown(dt); break;
    default: break;
    }
    AfterUpdate(dt);
}

void CPlayer::UpdateStart(float dt)
{
    m_position += m_velocity * dt;
    if (m_game && m_game->m_plane_pos_y < m_position.y)
        m_state = Flying;
    m_controls.throttle = 0;
}

void CPlayer::UpdateFlying(float dt)
{
    InputDevices* in = Input();
    const GameData& g = *m_game;
    const int a = m_aircraft;
    const float rateNormal = Column(g.m_fuel_rate_normal, a), rateHigh = Column(g.m_fuel_rate_hight, a);

    // Speed: the faster or the slower input, whichever is larger (faster on a tie).
    int faster = 0, slower = 0;
    bool maneuver = false;
    if (in) {
        faster = in->UpValue(g, m_controls);
        slower = in->DownValue(g, m_controls);
        maneuver = in->ManeuverPressed(g);
    }
    int input = std::abs(faster) >= std::abs(slower) ? faster : slower;
    if (maneuver)
        input = -1000;
    if (input < 0) {
        const float f = static_cast<float>(-input) / 1000.0f;
        const float target = m_speed_normal + (m_speed_max - m_speed_normal) * f;
        m_velocity.y += (target - m_velocity.y) * StepShare(m_k_acceleration);
        const float rate = rateNormal + (rateHigh - rateNormal) * f;
        m_fuel -= dt * (rate - rateNormal);
    } else if (input == 0) {
        m_velocity *= StepShare(Column(g.m_plane_k_speed_down, a));
        if (m_velocity.Length() < m_speed_normal)
            m_velocity.y = m_speed_normal;
    } else {
        const float f = static_cast<float>(input) / 1000.0f;
        const float target = m_speed_normal + (m_speed_min - m_speed_normal) * f;
        m_velocity.y += (target - m_velocity.y) * StepShare(m_k_deceleration);
    }

    // Engine pitch follows the speed.
    if (CSoundManager* sm = CSoundManager::Instance()) {
        const float span = m_speed_max - m_speed_normal;
        const float v = 95.0f + (span != 0.0f ? 5.0f * (m_velocity.y - m_speed_normal) / span : 0.0f);
        sm->SetVolume(m_is_helicopter ? kSoundHeliEngine : kSoundJetEngine, static_cast<int>(v));
    }

    // Sideways: bank towards the input; keys bank at half the rate.
    m_controls.keyboardSteer = 0;
    int left = 0, right = 0;
    if (in) {
        left = in->LeftValue(g, m_controls);
        right = in->RightValue(g, m_controls);
    }
    const int side = std::abs(left) >= std::abs(right) ? left : right;
    const float targetRoll = static_cast<float>(side) / 1000.0f * m_angle_max_side;
    float k = Column(g.m_plane_k_side_rotate, a);
    if (m_controls.keyboardSteer)
        k *= 0.5f;
    m_roll += (targetRoll - m_roll) * StepShare(dt * k);
    if (!m_is_helicopter && maneuver && m_velocity.y > m_speed_normal) {
        if (side < 0 && m_roll < 15.0f)
            m_maneuver_dir = -1;
        else if (side > 0 && m_roll > -15.0f)
            m_maneuver_dir = 1;
        else
            m_maneuver_dir = 0;
        if (m_maneuver_dir != 0) {
            SetState(Maneuver);
            // The roll begins next frame; this one still fires and moves as flying.
        }
    }

    Fire(dt, in ? in->FireValue(g) : 0);

    m_roll -= m_roll * RollBackShare(dt, Column(g.m_plane_k_side_rotate_back, a));
    if (m_roll * m_roll < 0.05f)
        m_roll = 0.0f;
    m_velocity.x = m_angle_max_side != 0.0f ? m_roll / m_angle_max_side * m_side_speed : 0.0f;

    if (m_world && m_world->IsFinished() && m_state == Flying)
        SetState(RunOut);

    if (m_state == Flying || m_state == Maneuver) {
        if (HitsGround()) {
            m_hull = 0.0f;
            Kill();
        }
        if (m_state == Flying && m_world)
            m_world->CollideEnemies(*this);
    }
    if (m_state == Flying || m_state == Maneuver)
        BurnFuel(dt);
    m_position += m_velocity * dt;
}

void CPlayer::UpdateManeuver(float dt)
{
    const GameData& g = *m_game;
    const int a = m_aircraft;
    const float limit = Column(g.m_maneuver_side_speed, a);
    if (std::fabs(m_maneuver_side_speed) > limit)
        m_maneuver_side_speed -= dt * m_maneuver_side_speed * 0.005f;
    BurnFuel(dt);
    if (m_state != Maneuver) {
        m_position += m_velocity * dt;
        return;
    }
    m_maneuver_angle += dt * m_maneuver_angle_speed;
    m_roll = m_maneuver_roll_span * m_maneuver_angle + m_maneuver_roll0;
    if (std::fabs(m_roll) < 360.0f)
        m_maneuver_lift = std::fabs(std::sin(m_maneuver_angle / 2.0f * kDegToRad)) * m_maneuver_lift_max;
    m_velocity.x = m_maneuver_side_speed;
    if (m_roll > 380.0f) {
        m_roll -= 360.0f;
        m_state = Flying;
        m_maneuver_lift = 0.0f;
    } else if (m_roll < -380.0f) {
        m_roll += 360.0f;
        m_state = Flying;
        m_maneuver_lift = 0.0f;
    }
    m_fuel -= dt * (Column(g.m_fuel_rate_hight, a) - Column(g.m_fuel_rate_normal, a));
    InputDevices* in = Input();
    Fire(dt, in ? in->FireValue(g) : 0);
    m_position += m_velocity * dt;
    if (HitsGround()) {
        m_hull = 0.0f;
        Kill();
    }
}

void CPlayer::UpdateRunOut(float dt)
{
    m_position += m_velocity * dt;
    m_roll *= 0.97f;
    if (m_roll * m_roll < 0.05f)
        m_roll = 0.0f;
    if (m_finish.y < m_position.y)
        m_state = LevelFinished;
    m_controls.throttle = 0;
}

void CPlayer::UpdateShotDown(float dt)
{
    m_velocity *= 0.985f;
    m_velocity += m_gravity * dt;
    m_position.z += dt * m_velocity.z / 3.0f;
    m_position += m_velocity * dt;
    m_pitch -= 1.0f;
    m_roll -= m_roll * RollBackShare(dt, m_game ? Column(m_game->m_plane_k_side_rotate_back, m_aircraft) : 0.0f);
    if (m_roll * m_roll < 0.05f)
        m_roll = 0.0f;
    const float water = m_world ? m_world->WaterHeight() : 0.0f;
    if (m_velocity.y < 0.0f || m_position.z < water)
        m_state = Dead;
}

void CPlayer::AfterUpdate(float dt)
{
    if (m_is_helicopter) {
        m_rotor_angle += dt * 15.0f;
        if (m_rotor_angle > 360.0f)
            m_rotor_angle = static_cast<float>(std::rand() % 10);
        if (m_rotor1)
            m_rotor1->m_angle_z = m_rotor_angle;
        if (m_rotor2)
            m_rotor2->m_angle_x = m_rotor_angle;
    }
    // Contrail points: the nozzle, spread sideways and turned with the roll.
    for (int i = 0; i < 2; ++i) {
        Vec3 off((i == 0 ? -1.0f : 1.0f) * m_smoke_dist / 2.0f, 0.0f, m_nozzle.z);
        off.RotateY(m_roll);
        m_contrail[i] = m_position + Vec3(m_nozzle.x, m_nozzle.y, 0.0f) + off;
        if (m_state == Maneuver)
            m_contrail[i].z += m_maneuver_lift;
    }
    if (m_atmosphere) {
        if (m_state == Flying || m_state == Maneuver || m_state == RunOut)
            m_atmosphere->EmitContrails(m_contrail[0], m_contrail[1], m_state == Maneuver);
        else if (m_state == ShotDown) {
            // Keyed fire at the aircraft and at every part of its model (keys below the enemies'
            // first id, which is 20).
            m_atmosphere->EmitFire(kFireKey, m_position);
            const size_t parts = std::min<size_t>(MeshEntityCount(), 18);
            for (size_t i = 0; i < parts; ++i) {
                Vec3 at = MeshEntity(i)->m_position * m_scale;
                at.RotateX(m_pitch);
                at.RotateY(m_roll);
                m_atmosphere->EmitFire(kFireKey + 1 + i, m_position + at);
            }
        }
    }
    m_angle_x = m_pitch;
    m_angle_y = m_roll;
    m_angle_z = m_heading;
    if (m_world)
        m_world->SetViewPosition(m_position);
    m_shadow->SetRoll(m_roll);
    m_shadow->Place(m_position);
}

void CPlayer::BurnFuel(float dt)
{
    const float k = m_world && m_world->Scale() != 0.0f ? m_world->Scale() : 1.0f;
    m_fuel -= Column(m_game->m_fuel_rate_normal, m_aircraft) * dt / k;
    if (m_fuel < 1.0f)
        Kill();
    if (m_fuel < 20.0f && m_state != ShotDown)
        Sound(kSoundLowFuel, false);
}

void CPlayer::Fire(float dt, int fire)
{
    if (fire == 1 && !m_primary_cooling) {
        m_primary_cooling = 1;
        m_primary_timer = m_primary_pause;
        m_missile_dist = -m_missile_dist;
        PlayerShot shot;
        shot.direction.Set(0.0f, 1.0f, 0.0f);
        shot.heading = m_heading;
        if (m_state == Maneuver) {
            shot.start = m_position + Vec3(0.0f, 0.0f, 2.0f * m_maneuver_lift);
            shot.kind = 5;
            shot.damage = m_missile_al_damage;
        } else {
            shot.start = m_position + Vec3(m_missile_dist, 0.0f, 0.0f);
            shot.kind = m_is_helicopter ? 2 : 5;
            shot.damage = m_is_helicopter ? m_missile_aa_damage : m_missile_al_damage;
        }
        m_last_shot = shot;
        ++m_shot_count;
        if (m_missiles)
            m_missiles->LaunchPlayerShot(shot);
    } else if (fire == 2 && !m_secondary_cooling) {
        m_secondary_cooling = 1;
        m_secondary_timer = m_secondary_pause;
        m_torpedo_dist = -m_torpedo_dist;
        // A jet in its roll has no secondary weapon: the press still costs the pause and the
        // side, only nothing leaves the aircraft.
        if (m_is_helicopter || m_state != Maneuver) {
            PlayerShot shot;
            shot.start = m_position + Vec3(m_torpedo_dist, 0.0f, 0.0f);
            shot.heading = m_heading;
            if (m_is_helicopter) {
                shot.kind = 6;
                shot.damage = m_missile_al_damage;
            } else {
                shot.torpedo = true;
                shot.velocity = m_velocity;
                shot.damage = m_torpedo_damage;
            }
            m_last_shot = shot;
            ++m_shot_count;
            if (m_missiles)
                m_missiles->LaunchPlayerShot(shot);
        }
    }
    m_primary_timer -= dt;
    if (m_primary_timer < 0.0f)
        m_primary_cooling = 0;
    m_secondary_timer -= dt;
    if (m_secondary_timer < 0.0f)
        m_secondary_cooling = 0;
}

bool CPlayer::HitsGround() const
{
    if (!m_world)
        return false;
    const float ground = m_world->GroundHeight(m_position.x, m_position.y);
    // The ground point inside the aircraft's box is a crash; so is ground above its centre, which
    // a steep valley wall passed within one frame would otherwise let the aircraft fly through.
    return PointInside(Vec3(m_position.x, m_position.y, ground)) || ground > m_position.z;
}

void CPlayer::Draw()
{
    if (m_state == Dead)
        return;
    glPushMatrix();
    const float lift = m_state == Maneuver ? m_maneuver_lift : 0.0f;
    glTranslatef(m_position.x, m_position.y, m_position.z + lift);
    glRotatef(m_heading, 0, 0, 1);
    glRotatef(m_roll, 0, 1, 0);
    glRotatef(m_pitch, 1, 0, 0);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    CEntity3DS::Draw();
    glPopMatrix();
}
