// CGameField::PrewarmDraws: every kind of drawing a level's flight can ask for, sent once while
// the level loads, through a scissor box that lets no pixel through.
//
// A software GL (Mesa's llvmpipe) compiles a shader variant the first time it meets a state
// combination — fog with two texture units, a blended shadow, a textured model, a particle strip
// of another format — and with a cold shader cache that compile stops the frame for up to a few
// hundred milliseconds. Drawn here, behind the begin-level screen, the flight never meets one.
// The scissor keeps the back buffer as it was; every GL state is pushed before and popped after.
#include "game/GameField.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "player/MissleCtrl.h"
#include "player/Player.h"
#include "render/Entity3DS.h"
#include "render/Particle.h"
#include "render/ParticleSystem.h"
#include "render/Texture.h"
#include "render/Unit.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/Enemy.h"
#include "world/EnemyShadow.h"
#include "world/Level.h"

#include <set>
#include <tuple>

namespace {

// A shadow's quad in the state every shadow is drawn in.
void DrawShadowQuad(const CTexture* texture)
{
    CEnemyShadow::BeginState(texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -1, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -1, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, 1, 0);
    glEnd();
    CEnemyShadow::EndState();
}

// A model as the missiles and the aircraft draw theirs: texturing on, white.
void DrawModel(CEntity3DS* model)
{
    if (!model)
        return;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    model->Draw();
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void CGameField::PrewarmDraws()
{
    if (!m_graphics || !m_world || !m_player || !glGetString(GL_VERSION))
        return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    GLint mode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);

    // The frame as it stands at the start: the valley, the sky, the water, the enemies in view,
    // the aircraft, its shadow and the HUD, each in the state it is drawn in.
    DrawFrame();

    // What the start does not show: every enemy of the level (one per model) under the level's
    // fog, the shadows on the ground, every aircraft and missile model, one particle of every
    // strip, the cross-hair.
    if (AppWindow* app = AppWindow::Get()) {
        app->View().SetPerspective(app->Width() > 0 ? app->Width() : 800, app->Height() > 0 ? app->Height() : 600);
        app->View().ApplyCamera();
    }
    m_camera.LookAt(*m_player);
    glEnable(GL_DEPTH_TEST);
    m_world->SetupFog();
    if (const CEnemiesCtrl* enemies = m_world->Enemies()) {
        std::set<std::tuple<const void*, const void*, bool>> drawn;
        for (const auto& e : enemies->Enemies())
            if (drawn.insert({e->Mesh(), e->Texture(), e->m_blend}).second)
                e->DrawWithChildren();
    }
    if (m_game) {
        for (const CTexture* t : m_game->m_e_plane_shadows)
            if (t) {
                DrawShadowQuad(t);
                break;
            }
        DrawShadowQuad(nullptr);
    }
    glDisable(GL_FOG);
    if (m_game) {
        for (CEntity3DS* aircraft : m_game->m_air_planes)
            DrawModel(aircraft);
        for (CEntity3DS* missile : {m_game->m_missile, m_game->m_torpedo, m_game->m_flak})
            DrawModel(missile);
        glDepthMask(GL_FALSE);
        for (const CTexture* t : m_game->m_air_plane_shadows)
            if (t) {
                DrawShadowQuad(t);
                break;
            }
        // Particles: the effects draw every strip alike, depth writes off.
        CParticle p;
        p.size = 1.0f;
        p.r = p.g = p.b = p.a = 1.0f;
        for (CTexture* t : {m_game->m_smoke1, m_game->m_fire1, m_game->m_flak1, m_game->m_splashes1}) {
            CParticleSystem strip(p, t, 0.0f);
            strip.Emit(p);
            strip.Draw();
        }
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }
    m_hud->Draw();
    DrawCrosshair();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(mode));
    glPopClientAttrib();
    glPopAttrib();
}
