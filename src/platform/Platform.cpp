// SDL2 video start-up, clock, cursor, clipboard, key state and the message box.
#include "platform/Platform.h"

#include "platform/Window.h"

#include <malloc.h>
#include <SDL.h>

#include <cstdio>

namespace platform {

namespace {
bool g_videoUp = false;
}

bool InitVideo(std::string* error)
{
    if (g_videoUp)
        return true;
    // SIGINT and SIGTERM become SDL_QUIT, which the pump turns into a close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        if (error)
            *error = SDL_GetError();
        return false;
    }
    g_videoUp = true;
    return true;
}

void ShutdownVideo()
{
    if (!g_videoUp)
        return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
    SDL_Quit();
    g_videoUp = false;
}

bool VideoReady()
{
    return g_videoUp;
}

const char* VideoDriverName()
{
    const char* name = g_videoUp ? SDL_GetCurrentVideoDriver() : nullptr;
    return name ? name : "";
}

bool HasRealDisplay()
{
    const std::string name = VideoDriverName();
    return !name.empty() && name != "offscreen" && name != "dummy" && name != "evdev";
}

void ScreenSize(int& width, int& height)
{
    width = 800;
    height = 600;
    if (!g_videoUp)
        return;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    }
}

uint32_t TimeMs()
{
    return SDL_GetTicks();
}

void SleepMs(uint32_t ms)
{
    SDL_Delay(ms);
}

void CursorPos(int& x, int& y)
{
    x = y = 0;
    if (g_videoUp)
        SDL_GetGlobalMouseState(&x, &y);
}

void ShowCursor(bool show)
{
    if (g_videoUp)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

std::string ClipboardText()
{
    if (!g_videoUp || !SDL_HasClipboardText())
        return {};
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

bool IsCtrlDown()
{
    return g_videoUp && (SDL_GetModState() & KMOD_CTRL) != 0;
}

bool IsShiftDown()
{
    return g_videoUp && (SDL_GetModState() & KMOD_SHIFT) != 0;
}

bool IsF4Down()
{
    if (!g_videoUp)
        return false;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return keys && keys[SDL_SCANCODE_F4];
}

void MessageBox(Window* owner, const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!g_videoUp)
        return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, owner ? owner->Handle() : nullptr);
}

void KeepBigBlocksOffTheHeap()
{
#ifdef __GLIBC__
    // A fixed threshold also turns glibc's moving one off.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void ReturnFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace platform
