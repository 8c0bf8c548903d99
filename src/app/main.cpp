// The game's entry point: start-up, the main loop, and shut-down in reverse order.
#include "app/AppWindow.h"
#include "app/CScreen.h"
#include "app/Log.h"
#include "platform/GL.h"
#include "platform/Platform.h"

#include <cstdio>
#include <string>

namespace {

const char* kTitle = "Gorgewing II";

// Shown until the menus exist: the window's background colour.
class CBlankScreen : public CScreen {
public:
    void Draw() override
    {
        glClearColor(0.05f, 0.07f, 0.12f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

}  // namespace

int main()
{
    // 1. The log of this run starts empty.
    LogOpen("log.txt");

    std::string error;
    if (!platform::InitVideo(&error) || !platform::HasRealDisplay()) {
        if (error.empty())
            error = "no display to show a window on (is DISPLAY set?)";
        platform::ShutdownVideo();
        std::fprintf(stderr, "gorgewing2: cannot open a window: %s\n", error.c_str());
        return 1;
    }

    // 3. The application object; the view is 800 x 600.
    AppWindow* app = AppWindow::Create(kTitle);
    app->View().width = 800;
    app->View().height = 600;

    // 6. Window size from the settings (defaults: the view size).
    int width = app->View().width;
    int height = app->View().height;

    // 7. Always centred on the primary display.
    int screenW = 0, screenH = 0;
    platform::ScreenSize(screenW, screenH);
    const int left = (screenW - width) / 2;
    const int top = (screenH - height) / 2;

    // 8. Window and GL context.
    if (!app->OpenWindow(kTitle, left, top, width, height)) {
        std::fprintf(stderr, "gorgewing2: cannot open a window: %s\n", "window creation failed");
        AppWindow::Release();
        platform::ShutdownVideo();
        return 1;
    }

    // 9-10. The one fatal check.
    LogWrite("Checking system compability");
    CBlankScreen blank;
    if (!HasMultiTexture) {
        LogWrite("fail");
        platform::MessageBox(&app->Window(), "Error",
                             "Unable initialize video adapter. Please try to install or update driver for your video card.");
    } else {
        LogWrite("done");
        app->PushScreen(&blank);
        app->DrawFrame();

        // 16. The main loop.
        app->RunLoop(true);

        // 19.
        app->HideWindow();
    }

    // 21. Release in reverse order.
    app->CloseWindow();
    AppWindow::Release();
    platform::ShutdownVideo();
    return 0;
}
