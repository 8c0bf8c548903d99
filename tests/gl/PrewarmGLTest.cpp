// The level start's unseen drawing of every kind of flight drawing: with the forged level 1 it
// sends the valley, the models and the effects through GL, yet the back buffer and the GL state
// that the game relies on are exactly as they were before.
#include "ForgedDataGLContext.h"

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "game/GameField.h"
#include "platform/GL.h"
#include "ui/MenuLayout.h"
#include "world/Level.h"
#include "world/Terrain.h"

#include <memory>
#include <string>
#include <vector>

// GL 1.5 queries (Mesa's libGL exports them); the prewarm's primitives are counted with GL 3's
// primitives-generated query, which the scissor does not stop.
extern "C" {
void glGenQueries(GLsizei n, GLuint* ids);
void glDeleteQueries(GLsizei n, const GLuint* ids);
void glBeginQuery(GLenum target, GLuint id);
void glEndQuery(GLenum target);
void glGetQueryObjectuiv(GLuint id, GLenum pname, GLuint* params);
}

namespace {

constexpr GLenum kPrimitivesGenerated = 0x8C87;
constexpr GLenum kQueryResult = 0x8866;

class PrewarmGL : public ForgedDataGLContext {
protected:
    void SetUp() override
    {
        ForgedDataGLContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        AppWindow::InitMultiTexture();
        ASSERT_TRUE(m_layout.Load(*m_group, *m_bank));
        m_game = std::make_unique<GameData>();
        ASSERT_TRUE(m_game->LoadGameFile(*m_group));
        m_game->LoadModels(m_bank);
        ASSERT_TRUE(m_game->SelectLevelSet("levels/base.set"));
        m_field = std::make_unique<CGameField>(m_game.get(), m_layout.Font(), nullptr, true);
        m_field->SetWriteSaveFile(false);
    }
    void TearDown() override
    {
        m_field.reset();
        m_game.reset();
        ForgedDataGLContext::TearDown();
    }

    // A state unlike the one the game draws in: a pattern in the frame, odd matrices, blending
    // and culling on, depth writes off, texturing on the second unit only.
    void SetOddState()
    {
        glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
        glClearDepth(0.75);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 800, 0, 600, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBegin(GL_TRIANGLES);
        glColor3f(1, 0, 0);
        glVertex2f(10, 10);
        glColor3f(0, 1, 0);
        glVertex2f(790, 20);
        glColor3f(0, 0, 1);
        glVertex2f(400, 590);
        glEnd();
        glTranslatef(3, 4, 5);
        glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glDepthFunc(GL_GREATER);
        glScissor(5, 6, 7, 8);
        glViewport(10, 20, 300, 200);
        glGenTextures(1, &m_texture);
        gwActiveTextureARB(GL_TEXTURE1_ARB);
        glBindTexture(GL_TEXTURE_2D, m_texture);
        glEnable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
        glMatrixMode(GL_PROJECTION);
    }

    // Every state value the drawing code sets and relies on.
    std::vector<double> State() const
    {
        std::vector<double> s;
        for (GLenum cap : {GL_BLEND, GL_CULL_FACE, GL_DEPTH_TEST, GL_FOG, GL_SCISSOR_TEST, GL_ALPHA_TEST, GL_LIGHTING,
                           GL_TEXTURE_2D, GL_COLOR_MATERIAL})
            s.push_back(glIsEnabled(cap));
        for (GLenum name : {GL_BLEND_SRC, GL_BLEND_DST, GL_CULL_FACE_MODE, GL_DEPTH_WRITEMASK, GL_DEPTH_FUNC,
                            GL_MATRIX_MODE, GL_FOG_MODE, GL_SHADE_MODEL, GL_TEXTURE_BINDING_2D})
        {
            GLint v = 0;
            glGetIntegerv(name, &v);
            s.push_back(v);
        }
        for (GLenum name : {GL_SCISSOR_BOX, GL_VIEWPORT, GL_CURRENT_COLOR, GL_COLOR_CLEAR_VALUE, GL_FOG_COLOR}) {
            GLfloat v[4] = {};
            glGetFloatv(name, v);
            s.insert(s.end(), v, v + 4);
        }
        for (GLenum name : {GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX}) {
            GLfloat m[16] = {};
            glGetFloatv(name, m);
            s.insert(s.end(), m, m + 16);
        }
        for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
            gwActiveTextureARB(unit);
            GLint bound = 0, env = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
            s.push_back(bound);
            s.push_back(env);
            s.push_back(glIsEnabled(GL_TEXTURE_2D));
        }
        // The unit the state was taken on is the one left active.
        gwActiveTextureARB(GL_TEXTURE1_ARB);
        s.push_back(glGetError());
        return s;
    }

    CMenuLayout m_layout;
    std::unique_ptr<GameData> m_game;
    std::unique_ptr<CGameField> m_field;
    GLuint m_texture = 0;
};

}  // namespace

TEST_F(PrewarmGL, DrawsEveryKindUnseenAndLeavesTheStateAsItWas)
{
    if (!gwActiveTextureARB)
        GTEST_SKIP() << "no multitexture";
    m_field->NewLevel(1);
    SetOddState();
    const std::vector<unsigned char> before = ReadPixels();
    const std::vector<double> stateBefore = State();

    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(kPrimitivesGenerated, query);
    m_field->PrewarmDraws();
    glEndQuery(kPrimitivesGenerated);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, kQueryResult, &primitives);
    glDeleteQueries(1, &query);

    ASSERT_TRUE(m_field->World() && m_field->World()->GetTerrain() && m_field->World()->GetTerrain()->IsLoaded());
    // The valley in view alone is thousands of triangles; the models and effects add more.
    EXPECT_GT(primitives, 5000u) << "the level's drawing went through GL";

    const std::vector<double> stateAfter = State();
    ASSERT_EQ(stateBefore.size(), stateAfter.size());
    for (size_t i = 0; i < stateBefore.size(); ++i)
        EXPECT_EQ(stateBefore[i], stateAfter[i]) << "state value " << i;
    const std::vector<unsigned char> after = ReadPixels();
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    EXPECT_EQ(changed, 0u) << "no pixel of the back buffer is touched";
    glDeleteTextures(1, &m_texture);
}
