// CLevel: the world of one level — terrain, water, fog and sky, the cloud layer and the enemies
// controller — and the height queries everything else asks of it.
//
// The game screen owns one CLevel per game and calls LoadLevel for every level start,
// UpdateLevel and DrawLevel every frame, ReloadGraphics after the GL context was rebuilt. The
// player hands it its position every update (SetViewPosition); players, enemies and missiles ask
// GroundHeight, MeshHeight, IsAboveWater and HalfWidth many times a frame: these are arithmetic
// on the loaded height image, safe with no terrain (0) and with no GL context.
//
// Files come from the group "levels_pack": "levels/levelNN/terra.ter", "clouds.cld" and
// "enemies.ter"; textures go into the resource bank "CLevel", which LoadLevel recreates so they
// die with the level. A level whose files are missing or broken still loads what it can: a
// terrain that cannot be built stays empty, a cloud file that fails leaves the sky black, an
// enemies file that fails leaves no enemies; each is a log line. Built without graphics (tests,
// tools), nothing touches GL.
#pragma once

#include "app/Vec3.h"

#include <memory>
#include <string>

class CAtmosphericCtpl;
class CClouds;
class CEnemiesCtrl;
class GameData;
class Terrain;
class Water;

class CLevel {
public:
    CLevel(GameData* game, CAtmosphericCtpl* effects, bool graphics = true);
    virtual ~CLevel();
    CLevel(const CLevel&) = delete;
    CLevel& operator=(const CLevel&) = delete;

    // Builds level n; true when its terrain could be built.
    bool LoadLevel(int levelNumber);
    void ReloadGraphics();
    void UpdateLevel(float dt);
    void DrawLevel();

    float GroundHeight(float x, float y) const;
    float MeshHeight(float x, float y) const;
    // True where the ground is at least the water height.
    bool IsAboveWater(float x, float y) const;
    // q × hd / 2: half the width of the terrain (0 without one).
    float HalfWidth() const;
    // Distance from the level's first row to its last (0 without terrain).
    float Length() const;

    float WaterHeight() const;
    float FlyingHeight() const { return m_flying_height; }
    float Scale() const { return m_k_scale; }
    bool IsFinished() const { return m_finished; }
    int LevelNumber() const { return m_level_number; }
    const Vec3& ViewPosition() const { return m_view; }
    void SetViewPosition(const Vec3& p);
    const Vec3& FogColor() const { return m_fog_color; }
    // The cloud layer's sky colour (black without one): the colour the frame is cleared in.
    Vec3 SkyColor() const;
    // Clears colour and depth in the sky colour, so that it shows wherever neither the valley
    // nor the dome is drawn; the game screen calls it before every frame of the level.
    void ClearFrame() const;
    int FogType() const { return m_fog_type; }
    // The GL fog mode of a fog type: 0 exponential, 1 squared exponential, 2 linear; any other
    // value is treated as linear.
    static int FogMode(int fogType);

    GameData* Game() const { return m_game; }
    CAtmosphericCtpl* Effects() const { return m_effects; }
    Terrain* GetTerrain() const { return m_terrain.get(); }
    Water* GetWater() const { return m_water.get(); }
    CClouds* Clouds() const { return m_clouds.get(); }
    CEnemiesCtrl* Enemies() const { return m_enemies.get(); }
    bool HasGraphics() const { return m_graphics; }

    // The steps of DrawLevel, in its order: the fog, the terrain, the sky dome around a view
    // position (after the terrain, so that the ground hides it instead of being painted over
    // it), the water, the enemies, and the fog off again. DrawSky leaves out the plain sky pass
    // where GL's clear colour is the sky colour (the frame was cleared in it: ClearFrame).
    void SetupFog() const;
    void DrawSky(const Vec3& view) const;
    // Eye depths of a fog type: where at most half of an object's colour is left, and from
    // where nothing of it shows (under 1/1024).
    static void FogDepths(int fogType, float& halfFog, float& fullFog);
    // Eye distance up to which a fog type leaves colours exactly as they are: linear fog's
    // start, 0 for the exponential ones (they fade from the eye on).
    static float FogFreeDepth(int fogType);

    static std::string LevelPath(int levelNumber, const char* fileName);

private:
    void ApplyClouds();

    GameData* m_game;
    CAtmosphericCtpl* m_effects;
    bool m_graphics;
    std::unique_ptr<Terrain> m_terrain;
    std::unique_ptr<Water> m_water;
    std::unique_ptr<CClouds> m_clouds;
    std::unique_ptr<CEnemiesCtrl> m_enemies;
    float m_flying_height = 1.0f;
    float m_k_scale = 1.0f;
    int m_level_number = 0;
    Vec3 m_fog_color{0.85f, 0.88f, 0.85f};
    int m_fog_type = 2;
    bool m_finished = false;
    Vec3 m_view{0, 0, 0};
};
