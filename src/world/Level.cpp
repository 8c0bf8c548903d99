// CLevel: level loading in its fixed order, the per-frame update and draw, the height queries.
#include "world/Level.h"

#include "app/Log.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "render/ResourceBank.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "world/Clouds.h"
#include "world/EnemiesCtrl.h"
#include "world/Terrain.h"
#include "world/Water.h"

#include <cmath>
#include <cstdio>

namespace {

// Fog and sky dome placement: fog between these distances, the dome above the view.
constexpr float kFogDensity = 0.28f;
constexpr float kFogStart = 8.0f;
constexpr float kFogEnd = 12.0f;
constexpr float kDomeAhead = 10.0f;
constexpr float kDomeScaleXY = 140.0f;
constexpr float kDomeScaleZ = 80.0f;

}  // namespace

CLevel::CLevel(GameData* game, CAtmosphericCtpl* effects, bool graphics)
    : m_game(game), m_effects(effects), m_graphics(graphics)
{
}

CLevel::~CLevel()
{
    // Enemies first: they may ask the level for heights while they go.
    m_enemies.reset();
    m_clouds.reset();
    m_water.reset();
    m_terrain.reset();
}

std::string CLevel::LevelPath(int levelNumber, const char* fileName)
{
    char path[96];
    std::snprintf(path, sizeof path, "levels/level%02i/%s", levelNumber, fileName);
    return path;
}

int CLevel::FogMode(int fogType)
{
    switch (fogType) {
    case 0: return GL_EXP;
    case 1: return GL_EXP2;
    default: return GL_LINEAR;
    }
}

bool CLevel::LoadLevel(int n)
{
    // 1. The level's description file in the level pack.
    m_level_number = n;
    const std::string terraPath = LevelPath(n, "terra.ter");
    ResourceGroup* group = ResourceGroup::GetGroup(kLevelsGroup);
    if (!group) {
        group = ResourceGroup::CreateGroup(kLevelsGroup);
        group->SetKey(kLevelsPackKey);
    }

    // 2. A fresh bank for the level's textures.
    CResourceBank::DeleteBank("CLevel");
    CResourceBank::CreateBank("CLevel", group);

    // 3. The description.
    ParamFile terra;
    if (!terra.Read(*group, terraPath, true))
        LogWrite("CLevel: cannot read %s", terraPath.c_str());

    // 4. Whatever the previous level left.
    m_enemies.reset();
    m_terrain.reset();
    m_clouds.reset();
    m_finished = false;

    // 5-6. Terrain; a terrain that fails stays empty and draws nothing.
    m_k_scale = terra.GetFloat("k_scale", "1");
    m_terrain = std::make_unique<Terrain>(m_k_scale, m_graphics);
    const bool terrainOk = m_terrain->Load(*group, terra);
    if (!terrainOk)
        LogWrite("CLevel: level %i has no terrain", n);

    // 7. Water.
    m_water = std::make_unique<Water>(m_k_scale, m_graphics);
    m_water->Load(*group, terra);

    // 8. Flying height.
    m_flying_height = terra.GetFloat("plane_pos_z", "0") * m_k_scale;

    // 9. Clouds and the clear colour.
    m_clouds = std::make_unique<CClouds>(m_graphics);
    if (!m_clouds->Load(*group, LevelPath(n, "clouds.cld")))
        LogWrite("CLevel: level %i has no cloud layer", n);

    // 10. Fog.
    m_fog_color = Vec3(1, 1, 1);
    m_fog_type = 2;
    m_fog_color = Vec3(terra.GetFloat("m_fog_color.x", "0.85"), terra.GetFloat("m_fog_color.y", "0.88"),
                       terra.GetFloat("m_fog_color.z", "0.85"));
    m_fog_type = terra.GetInt("m_fog_type", "2");
    if (m_fog_type < 0 || m_fog_type > 2)
        LogWrite("CLevel: fog type %i is not 0, 1 or 2; linear fog is used", m_fog_type);
    float halfFog = 0.0f, fullFog = 0.0f;
    FogDepths(m_fog_type, halfFog, fullFog);
    m_terrain->SetFogDepths(halfFog, fullFog, FogFreeDepth(m_fog_type));

    // 11. Enemies.
    m_enemies = std::make_unique<CEnemiesCtrl>(this, m_effects);
    m_enemies->LoadEnemies(n);

    // 12. The cloud textures for the rest of the game.
    ApplyClouds();
    return terrainOk;
}

void CLevel::ApplyClouds()
{
    if (!m_clouds)
        return;
    if (m_graphics) {
        const Vec3& sky = m_clouds->SkyColor();
        glClearColor(sky.x, sky.y, sky.z, 0.0f);
    }
    if (m_game) {
        m_game->m_clouds_texture = m_clouds->CloudsTexture();
        m_game->m_clouds_noise_texture = m_clouds->NoiseTexture();
    }
}

Vec3 CLevel::SkyColor() const { return m_clouds ? m_clouds->SkyColor() : Vec3(0, 0, 0); }

void CLevel::ClearFrame() const
{
    const Vec3 sky = SkyColor();
    glClearColor(sky.x, sky.y, sky.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void CLevel::ReloadGraphics()
{
    if (m_enemies)
        m_enemies->ResetGraphics();
    if (m_terrain)
        m_terrain->BuildDisplayLists();
    if (m_clouds) {
        if (const ResourceGroup* group = ResourceGroup::GetGroup(kLevelsGroup))
            m_clouds->Load(*group, LevelPath(m_level_number, "clouds.cld"));
    }
    ApplyClouds();
}

void CLevel::SetViewPosition(const Vec3& p)
{
    m_view = p;
    if (m_terrain)
        m_terrain->SetViewPosition(p);
}

void CLevel::UpdateLevel(float dt)
{
    if (m_water) {
        m_water->SetViewPosition(m_view);
        m_water->Flow(dt);
    }
    if (m_enemies) {
        m_enemies->UpdateWindow(m_view);
        m_enemies->UpdateEnemies(dt);
    }
    if (m_terrain)
        m_finished = m_terrain->EndReached();
    if (m_clouds)
        m_clouds->Update(dt);
}

void CLevel::FogDepths(int fogType, float& halfFog, float& fullFog)
{
    // What is left of a colour at eye depth z: linear (end − z) / (end − start), exponential
    // e^(−d·z), squared exponential e^(−(d·z)²).
    const float half = std::log(2.0f), gone = std::log(1024.0f);
    switch (FogMode(fogType)) {
    case GL_EXP:
        halfFog = half / kFogDensity;
        fullFog = gone / kFogDensity;
        break;
    case GL_EXP2:
        halfFog = std::sqrt(half) / kFogDensity;
        fullFog = std::sqrt(gone) / kFogDensity;
        break;
    default:
        halfFog = (kFogStart + kFogEnd) / 2.0f;
        fullFog = kFogEnd;
        break;
    }
}

float CLevel::FogFreeDepth(int fogType) { return FogMode(fogType) == GL_LINEAR ? kFogStart : 0.0f; }

void CLevel::SetupFog() const
{
    glFogi(GL_FOG_MODE, FogMode(m_fog_type));
    const GLfloat colour[4] = {m_fog_color.x, m_fog_color.y, m_fog_color.z, 1.0f};
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_DENSITY, kFogDensity);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, kFogStart);
    glFogf(GL_FOG_END, kFogEnd);
    glEnable(GL_FOG);
}

void CLevel::DrawSky(const Vec3& p) const
{
    if (!m_clouds)
        return;
    // The dome lies far beyond the fog's end; drawn fogged its cloud layers would never show,
    // so the sky is drawn clear and the fog goes back on for the valley. Drawn after the
    // opaque terrain, the depth test keeps every pixel as it was and only spares the two dome
    // passes where the ground stands in front. The plain sky pass paints the sky colour over the
    // clear colour and over the ground behind the dome, which the fog has turned into the fog
    // colour: only where both are the sky colour already (the game clears in it, ClearFrame)
    // can the pass be cut down.
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    const Vec3& sky = m_clouds->SkyColor();
    const bool skyPass =
        CClouds::SkyPassNeeded(sky, Vec3(clear[0], clear[1], clear[2])) || CClouds::SkyPassNeeded(sky, m_fog_color);
    glDisable(GL_FOG);
    glPushMatrix();
    glTranslatef(p.x, p.y + kDomeAhead, 0.0f);
    glScalef(kDomeScaleXY, kDomeScaleXY, kDomeScaleZ);
    m_clouds->Draw(skyPass);
    glPopMatrix();
    glEnable(GL_FOG);
}

void CLevel::DrawLevel()
{
    if (!m_graphics)
        return;
    SetupFog();
    if (m_terrain)
        m_terrain->Draw();
    DrawSky(m_view);
    if (m_water)
        m_water->Draw();
    if (m_enemies)
        m_enemies->DrawEnemies();
    glDisable(GL_FOG);
}

float CLevel::GroundHeight(float x, float y) const { return m_terrain ? m_terrain->GroundHeight(x, y) : 0.0f; }

float CLevel::MeshHeight(float x, float y) const { return m_terrain ? m_terrain->MeshHeight(x, y) : 0.0f; }

float CLevel::WaterHeight() const { return m_water ? m_water->Height() : 0.0f; }

bool CLevel::IsAboveWater(float x, float y) const { return GroundHeight(x, y) >= WaterHeight(); }

float CLevel::HalfWidth() const { return m_terrain ? m_terrain->HalfWidth() : 0.0f; }

float CLevel::Length() const { return m_terrain ? m_terrain->Length() : 0.0f; }
