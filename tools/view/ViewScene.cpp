// gw-view shot and the turning window: the file drawn with the game's own drawing code.
#include "render/PngWriter.h"
#include "ViewFile.h"

#include "platform/GL.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "render/BitmapText.h"
#include "render/Entity3DS.h"
#include "render/FacesDepot.h"
#include "render/Texture.h"
#include "render/Unit.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

// What is on show: one of a model, a unit, a picture or a line of text.
struct Scene {
    std::unique_ptr<CEntity3DS> model;
    std::unique_ptr<CUnit> unit;
    std::unique_ptr<CTexture> picture;
    std::unique_ptr<CBitmapText> font;
    std::string text;
};

bool LoadScene(ResourceGroup& group, const std::string& name, const ShotOptions& options, Scene& scene)
{
    const ViewKind kind = KindOf(name);
    if (kind == ViewKind::Model3DS) {
        scene.model = std::make_unique<CEntity3DS>();
        if (!scene.model->Load(&group, name)) {
            std::fprintf(stderr, "gw-view: cannot load the 3DS model %s\n", name.c_str());
            return false;
        }
        return true;
    }
    if (kind == ViewKind::Unit) {
        if (group.ReadFile(name).Empty()) {
            std::fprintf(stderr, "gw-view: cannot read %s\n", name.c_str());
            return false;
        }
        scene.unit = std::make_unique<CUnit>();
        scene.unit->Load(&group, name);
        return true;
    }
    if (kind == ViewKind::Mesh) {
        std::fprintf(stderr, "gw-view: a Wavefront mesh is shown through its unit file (.unt)\n");
        return false;
    }
    const FileBuffer file = group.ReadFile(name);
    scene.picture = std::make_unique<CTexture>();
    if (!scene.picture->LoadFromMemory(file.Data(), file.Size(), kind == ViewKind::Tga, false, false)) {
        std::fprintf(stderr, "gw-view: cannot load the picture %s\n", name.c_str());
        return false;
    }
    if (!options.text.empty()) {
        scene.font = std::make_unique<CBitmapText>();
        scene.font->SetTexture(scene.picture.get());
        if (!scene.font->BuildGlyphs(file.Data(), file.Size())) {
            std::fprintf(stderr, "gw-view: %s is not a font picture (94 glyphs)\n", name.c_str());
            return false;
        }
        scene.text = options.text;
    }
    return true;
}

void DrawScene(const Scene& scene, int width, int height, float yaw, float pitch)
{
    glViewport(0, 0, width, height);
    glClearColor(0.16f, 0.19f, 0.24f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    if (scene.font) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, height, 0, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // As large as fits: the line's width at size 1 scales linearly with the size.
        const float unit = scene.font->TextWidth(scene.text.c_str(), 1.0f);
        float size = height * 0.4f;
        if (unit > 0.0f)
            size = std::min(size, (width - 20.0f) / unit);
        scene.font->Draw(scene.text.c_str(), size, 10.0f, height * 0.5f + size * 0.5f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f);
        return;
    }
    if (scene.picture) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width, height, 0, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const float k = std::min(static_cast<float>(width) / scene.picture->Width(),
                                 static_cast<float>(height) / scene.picture->Height());
        const float w = scene.picture->Width() * k, h = scene.picture->Height() * k;
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, scene.picture->GLName());
        scene.picture->DrawQuad((width - w) * 0.5f, (height - h) * 0.5f, 0.0f, w, h);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        return;
    }
    // Models: world axes (x across, y forward, z up), seen from behind and above.
    const CEntity* entity = scene.model ? static_cast<const CEntity*>(scene.model.get()) : scene.unit.get();
    const float extent = std::max(0.01f, entity->LargestScaledExtent());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, static_cast<double>(width) / height, 0.05 * extent, 20.0 * extent);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, -2.0 * extent, 0, 0, 0, 0, 0, 0, 1);
    glRotatef(pitch, 1, 0, 0);
    glRotatef(yaw, 0, 0, 1);
    glEnable(GL_DEPTH_TEST);
    const GLfloat lightDir[4] = {0.4f, -0.6f, 0.7f, 0.0f};
    const GLfloat ambient[4] = {0.35f, 0.35f, 0.35f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightDir);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    if (scene.model) {
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glPushMatrix();
        scene.model->Draw();
        glPopMatrix();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
    } else {
        // A unit sends normals only when its file asks for them; without, it is drawn unlit.
        if (scene.unit->m_use_normals && scene.unit->Mesh() && scene.unit->Mesh()->m_has_normals &&
            scene.unit->Texture())
            glEnable(GL_LIGHTING);
        scene.unit->DrawWithChildren();  // as the game draws its enemies
        glDisable(GL_LIGHTING);
    }
    glDisable(GL_DEPTH_TEST);
}

}  // namespace

namespace {

int RenderInWindow(ResourceGroup& group, const std::string& name, const std::string& outPng, const ShotOptions& options)
{
    platform::Window window;
    if (!window.Open("gw-view", 40, 40, options.width, options.height) || !window.CreateGLContext()) {
        std::fprintf(stderr, "gw-view: cannot open a window with a GL context\n");
        return 1;
    }
    Scene scene;
    if (!LoadScene(group, name, options, scene))
        return 1;

    if (!options.interactive) {
        DrawScene(scene, options.width, options.height, options.yaw, options.pitch);
        glFinish();
        std::vector<uint8_t> px(static_cast<size_t>(options.width) * options.height * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, options.width, options.height, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        // GL reads bottom-up; PNG rows run top-down. The frame is opaque.
        std::vector<uint8_t> topDown(px.size());
        const size_t row = static_cast<size_t>(options.width) * 4;
        for (int y = 0; y < options.height; ++y)
            std::copy(px.begin() + (options.height - 1 - y) * row, px.begin() + (options.height - y) * row,
                      topDown.begin() + y * row);
        for (size_t i = 3; i < topDown.size(); i += 4)
            topDown[i] = 255;
        if (!WritePng(outPng, options.width, options.height, 4, topDown)) {
            std::fprintf(stderr, "gw-view: cannot write %s\n", outPng.c_str());
            return 1;
        }
        return 0;
    }

    window.Show();
    platform::MessagePump pump;
    float yaw = options.yaw;
    for (;;) {
        platform::Message msg;
        while (pump.Peek(msg)) {
            if (msg.kind == platform::MsgKind::Close || msg.kind == platform::MsgKind::Quit ||
                (msg.kind == platform::MsgKind::KeyDown && msg.wparam == 27))
                return 0;
        }
        DrawScene(scene, options.width, options.height, yaw, options.pitch);
        window.SwapBuffers();
        yaw += 0.6f;
        platform::SleepMs(16);
    }
}

}  // namespace

int RenderFile(ResourceGroup& group, const std::string& name, const std::string& outPng, const ShotOptions& options)
{
    std::string error;
    if (!platform::InitVideo(&error)) {
        std::fprintf(stderr, "gw-view: no display: %s\n", error.c_str());
        return 1;
    }
    // The window, its context and every GL object are gone before video stops.
    const int code = RenderInWindow(group, name, outPng, options);
    platform::ShutdownVideo();
    return code;
}
