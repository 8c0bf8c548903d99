// platform::Window: the one top-level window with its OpenGL context, over SDL2.
//
// Owned by AppWindow (and by tools and gl tests that need a context). The window is borderless
// ("popup with a thin border"), created hidden and shown by Show. The context is a compatibility
// context, double-buffered, with at least 16 depth bits. Full screen is the desktop's kind: the
// window covers its display in the display's current mode, which never changes.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace platform {

class Window {
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates the hidden window at (left, top) with the given client size and its icon.
    bool Open(const char* title, int left, int top, int width, int height);
    void Close();
    bool IsOpen() const { return m_window != nullptr; }

    // Creates and makes current the GL context; false when no context could be had.
    bool CreateGLContext();
    void DestroyGLContext();
    bool HasGLContext() const { return m_context != nullptr; }
    void SwapBuffers();

    void Show();
    void Hide();
    void Minimize();
    bool IsMinimized() const;
    bool IsVisible() const;

    void SetBordered(bool bordered);
    void SetTopmost(bool topmost);
    void SetRect(int left, int top, int width, int height);
    void GetRect(int& left, int& top, int& width, int& height) const;
    void ClientSize(int& width, int& height) const;

    // Covers the window's display, whose mode stays as it is; width and height become the
    // display's size. False (window unchanged) when the switch fails.
    bool EnterDesktopFullScreen(int& width, int& height);
    void LeaveFullScreen();

    // Cursor inside the window: warp to client coordinates, confine to the window or free it.
    void WarpCursor(int x, int y);
    void ClipCursor(bool clip);

    uint32_t Id() const;
    SDL_Window* Handle() const { return m_window; }

private:
    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
};

}  // namespace platform
