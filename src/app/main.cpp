// The game's entry point: start-up, the main loop, and shut-down in reverse order.
#include "app/AppWindow.h"
#include "app/CScreen.h"
#include "app/CommandLine.h"
#include "app/Log.h"
#include "audio/SoundManager.h"
#include "audio/SoundTable.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"
#include "resources/GameFolders.h"
#include "resources/ResourceGroup.h"
#include "ui/Intro.h"
#include "ui/MainMenu.h"

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const char* kTitle = "Gorgewing II";

}  // namespace

int main(int argc, char** argv)
{
    platform::KeepBigBlocksOffTheHeap();
    const CommandLine options = ParseCommandLine(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "gorgewing2: %s\nTry 'gorgewing2 --help' for more information.\n", options.error.c_str());
        return 2;
    }
    if (options.help || options.version) {
        std::fputs((options.help ? UsageText() : VersionText() + "\n").c_str(), stdout);
        return 0;
    }

    // The data folder and where the player's files go; the game runs inside the data folder, so
    // every data path it reads stays relative to it.
    const GameFolders folders = ResolveGameFolders(FolderInputsOfProcess(options.dataDir, options.portable));
    const bool userFoldersMade = MakeUserFolders(folders);
    const bool enteredData = chdir(folders.dataDir.c_str()) == 0;
    SetCurrentFolders(folders);

    // 1. The log of this run starts empty.
    LogOpen(folders.LogFile().c_str());

    std::string error;
    if (!platform::InitVideo(&error) || !platform::HasRealDisplay()) {
        if (error.empty())
            error = "no display to show a window on (is DISPLAY set?)";
        platform::ShutdownVideo();
        std::fprintf(stderr, "gorgewing2: cannot open a window: %s\n", error.c_str());
        return 1;
    }

    // 2. The resource group "main" and the resource bank "main" over it.
    ResourceGroup* mainGroup = ResourceGroup::CreateGroup(kMainGroup);
    CResourceBank::CreateBank("main", mainGroup);

    // 3. The application object; the view is 800 x 600.
    AppWindow* app = AppWindow::Create(kTitle);
    app->View().width = 800;
    app->View().height = 600;
    app->onCreateGLObjects = [] { CResourceBank::CreateAllGLObjects(); };
    app->onReleaseGLObjects = [] { CResourceBank::ReleaseAllGLObjects(); };

    // 4. The sound manager (silent until initialised).
    auto sounds = std::make_unique<CSoundManager>();

    // 5. The main pack; a missing, foreign or damaged pack leaves the disk to read what it lacks.
    // The player is told once, on standard error and in the log, without a box that would wait
    // for a click; every file then found nowhere is named in the log by the group.
    mainGroup->SetKey(kMainPackKey);
    mainGroup->MountPack(kMainPackFile);
    if (!mainGroup->MountProblem().empty()) {
        const std::string line = std::string(kMainPackFile) + " is missing or damaged (" + mainGroup->MountProblem() +
                                 "): the game reads the files it lacks from the disk";
        std::fprintf(stderr, "gorgewing2: %s\n", line.c_str());
        LogWrite("%s", line.c_str());
    }

    // 6. Settings: window size (defaults: the view size), full screen, autosave, sound switches.
    AppConfig& config = TheAppConfig();
    LoadSettings(config, app->View().width, app->View().height, folders.SettingsFile());
    if (options.screen != CommandLine::Screen::AsStored)
        config.m_full_screen = options.screen == CommandLine::Screen::FullScreen;
    sounds->SetInvertStereo(config.m_sound_invert);
    const int width = config.m_window_width;
    const int height = config.m_window_height;

    // 7. Always centred on the primary display, whatever position was stored.
    int screenW = 0, screenH = 0;
    platform::ScreenSize(screenW, screenH);
    config.m_window_left = (screenW - width) / 2;
    config.m_window_top = (screenH - height) / 2;

    // 8. Window and GL context.
    if (!app->OpenWindow(kTitle, config.m_window_left, config.m_window_top, width, height)) {
        std::fprintf(stderr, "gorgewing2: cannot open a window: %s\n", "window creation failed");
        sounds.reset();
        CResourceBank::DeleteAllBanks();
        ResourceGroup::DeleteAllGroups();
        AppWindow::Release();
        platform::ShutdownVideo();
        return 1;
    }

    LogWrite("Data: %s (%s)%s", folders.dataDir.c_str(), folders.foundBy.c_str(), enteredData ? "" : ", cannot enter it");
    if (folders.portable)
        LogWrite("Player's files: beside the data (portable)");
    else
        LogWrite("Player's files: settings %s, tables %s, log %s%s", folders.configDir.c_str(), folders.userDataDir.c_str(),
                 folders.stateDir.c_str(), userFoldersMade ? "" : " (a folder could not be made)");

    // 9-10. The one fatal check.
    LogWrite("Checking system compability");
    if (!HasMultiTexture) {
        LogWrite("fail");
        platform::MessageBox(&app->Window(), "Error",
                             "Unable initialize video adapter. Please try to install or update driver for your video card.");
    } else {
        // 11.
        LogWrite("done");
        if (config.m_full_screen)
            app->SetFullScreen(app->View().width, app->View().height);

        // 12. The intro picture stays on screen while audio starts. It is drawn straight away
        // rather than pushed: the screen stack cannot drop its bottom screen, and the intro is
        // gone before the loop runs.
        auto intro = std::make_unique<NInterface::CIntro>(mainGroup, platform::TimeMs());
        intro->Activate();
        app->BeginPicture();
        intro->Draw();
        app->EndPicture();
        app->SwapBuffers();

        // 13-14. Audio, then the sound table and the music tracks.
        LogWrite("CSoundManager::Initialize = %s", sounds->Initialize() ? "true" : "false");
        LoadGameAudio(*sounds, config.m_music, config.m_sound);

        // 15. The main menu (it loads the game's data once), the player's controls; the intro goes.
        auto menu = std::make_unique<NInterface::CMainMenu>(mainGroup, CResourceBank::FindBank("main"));
        app->PushScreen(menu.get());
        menu->LoadControls();
        intro.reset();

        // 16. The main loop.
        app->RunLoop(true);

        // 17. The controls (and the running game with autosave on) back to the save file.
        menu->StoreControls();
        menu.reset();

        // 18. Settings, with the window as it is now.
        SettingsSnapshot snapshot;
        snapshot.minimized = app->IsMinimized();
        int l = 0, t = 0, w = 0, h = 0;
        app->Window().GetRect(l, t, w, h);
        snapshot.windowLeft = l;
        snapshot.windowTop = t;
        snapshot.soundInvert = sounds->InvertStereo();
        snapshot.fullScreen = app->IsFullScreen();
        SaveSettings(config, snapshot, folders.SettingsFile());

        // 19.
        app->HideWindow();
    }

    // 21. Release in reverse order.
    config.m_music.Stop();
    CResourceBank::DeleteBank("main");
    ResourceGroup::DeleteGroup(kMainGroup);
    sounds.reset();
    app->CloseWindow();
    AppWindow::Release();
    platform::ShutdownVideo();
    return 0;
}
