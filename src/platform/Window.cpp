// The SDL2 window, its GL context, its icon and the desktop full screen.
#include "platform/Window.h"

#include "platform/GL.h"
#include "platform/Platform.h"

#include <SDL.h>

#include <vector>

namespace platform {

namespace {

// A 32 x 32 icon drawn in code: a dark swept wing on a sky-blue disc.
SDL_Surface* MakeIcon()
{
    const int n = 32;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, n, n, 32, SDL_PIXELFORMAT_RGBA32);
    if (!s)
        return nullptr;
    auto* px = static_cast<Uint8*>(s->pixels);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            Uint8* p = px + y * s->pitch + x * 4;
            const float dx = x - 15.5f, dy = y - 15.5f;
            const bool disc = dx * dx + dy * dy < 15.5f * 15.5f;
            // The wing: a chevron pointing up, with a fuselage down the middle.
            const float ax = dx < 0 ? -dx : dx;
            const bool wing = (dy > -4 + ax * 0.55f && dy < 2 + ax * 0.55f && ax < 13) || (ax < 2 && dy > -12 && dy < 10);
            p[0] = wing ? 40 : 90;
            p[1] = wing ? 44 : 150;
            p[2] = wing ? 52 : 215;
            p[3] = disc ? 255 : 0;
        }
    }
    return s;
}

}  // namespace

Window::~Window()
{
    Close();
}

bool Window::Open(const char* title, int left, int top, int width, int height)
{
    Close();
    if (!InitVideo(nullptr))
        return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    m_window = SDL_CreateWindow(title ? title : "", left, top, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!m_window)
        return false;
    if (SDL_Surface* icon = MakeIcon()) {
        SDL_SetWindowIcon(m_window, icon);
        SDL_FreeSurface(icon);
    }
    return true;
}

void Window::Close()
{
    DestroyGLContext();
    if (m_window) {
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
}

bool Window::CreateGLContext()
{
    if (!m_window)
        return false;
    DestroyGLContext();
    m_context = SDL_GL_CreateContext(m_window);
    if (!m_context)
        return false;
    SDL_GL_MakeCurrent(m_window, static_cast<SDL_GLContext>(m_context));
    SDL_GL_SetSwapInterval(0);
    CountGLContext();
    return true;
}

void Window::DestroyGLContext()
{
    if (!m_context)
        return;
    SDL_GL_MakeCurrent(m_window, nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(m_context));
    m_context = nullptr;
}

void Window::SwapBuffers()
{
    if (m_window && m_context)
        SDL_GL_SwapWindow(m_window);
}

void Window::Show()
{
    if (m_window) {
        SDL_ShowWindow(m_window);
        SDL_RestoreWindow(m_window);
    }
}

void Window::Hide()
{
    if (m_window)
        SDL_HideWindow(m_window);
}

void Window::Minimize()
{
    if (m_window)
        SDL_MinimizeWindow(m_window);
}

bool Window::IsMinimized() const
{
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED) != 0;
}

bool Window::IsVisible() const
{
    return m_window && (SDL_GetWindowFlags(m_window) & SDL_WINDOW_SHOWN) != 0;
}

void Window::SetBordered(bool bordered)
{
    // The game's window has no caption in either mode; "bordered" only matters to window managers
    // that draw a thin frame for borderless windows, so both map to borderless here.
    (void)bordered;
    if (m_window)
        SDL_SetWindowBordered(m_window, SDL_FALSE);
}

void Window::SetTopmost(bool topmost)
{
    if (m_window)
        SDL_SetWindowAlwaysOnTop(m_window, topmost ? SDL_TRUE : SDL_FALSE);
}

void Window::SetRect(int left, int top, int width, int height)
{
    if (!m_window)
        return;
    SDL_SetWindowSize(m_window, width, height);
    SDL_SetWindowPosition(m_window, left, top);
}

void Window::GetRect(int& left, int& top, int& width, int& height) const
{
    left = top = 0;
    width = height = 0;
    if (!m_window)
        return;
    SDL_GetWindowPosition(m_window, &left, &top);
    SDL_GetWindowSize(m_window, &width, &height);
}

void Window::ClientSize(int& width, int& height) const
{
    width = height = 0;
    if (m_window)
        SDL_GetWindowSize(m_window, &width, &height);
}

bool Window::EnterDesktopFullScreen(int& width, int& height)
{
    width = height = 0;
    if (!m_window)
        return false;
    const int display = SDL_GetWindowDisplayIndex(m_window) < 0 ? 0 : SDL_GetWindowDisplayIndex(m_window);
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
        return false;
    // The borderless window is first laid over the display itself: a desktop without a window
    // manager (a bare X server) does not act on the full-screen request that follows, which asks
    // the window manager to keep panels and other windows off it.
    SDL_SetWindowPosition(m_window, bounds.x, bounds.y);
    SDL_SetWindowSize(m_window, bounds.w, bounds.h);
    if (SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        return false;
    // The display's current mode is the window's size now (the size event may follow later).
    width = bounds.w;
    height = bounds.h;
    return true;
}

void Window::LeaveFullScreen()
{
    if (m_window)
        SDL_SetWindowFullscreen(m_window, 0);
}

void Window::WarpCursor(int x, int y)
{
    if (m_window)
        SDL_WarpMouseInWindow(m_window, x, y);
}

void Window::ClipCursor(bool clip)
{
    if (m_window)
        SDL_SetWindowGrab(m_window, clip ? SDL_TRUE : SDL_FALSE);
}

uint32_t Window::Id() const
{
    return m_window ? SDL_GetWindowID(m_window) : 0;
}

}  // namespace platform
