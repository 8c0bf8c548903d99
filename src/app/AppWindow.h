// AppWindow: the one application object. It owns the window and its GL context, the display mode,
// the screen and dialog stacks and the main loop.
//
// Created once by the entry point (Create), reached by every subsystem through Get, destroyed by
// Release at the end. The stacks hold screens and dialogs that other screens create and destroy;
// they never own them. Everything runs on the one thread of RunLoop: window messages are handled
// between frames, one update with the fixed 16.666666 ms step and one draw per frame, then a sleep
// to 17 ms after the frame's start. A close asked for from inside a handler is deferred to the
// start of the next update. With no window (tests, tools) the stacks and the frame logic still work.
//
// Full screen is a borderless window over the whole display in its current mode (no mode switch).
// The picture keeps the view's shape: it is scaled to fill the display and centred, the bars beside
// it are cleared black, and every screen draws into the picture's viewport. Width() and Height()
// are the picture's size and mouse messages arrive in the picture's pixels, so the screens' scaling
// to their 800 x 600 layout works the same in a window and in full screen.
#pragma once

#include "app/ViewSettings.h"
#include "input/InputDevices.h"
#include "platform/Messages.h"
#include "platform/Window.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

class CScreen;
class CDialogScreen;

// The fixed simulation step of one frame, in milliseconds (1000 / 60 as a 32-bit float).
constexpr float kFrameStepMs = 16.666666f;

// Sets the GL viewport to the picture of the application (800 x 600 at the corner without one).
void ApplyPictureViewport();

// Milliseconds to sleep after a frame that started at t0 when it is now `now`: up to 17 ms after
// the start, nothing when the frame ran late.
uint32_t FrameSleepMs(uint32_t t0, uint32_t now);

class AppWindow {
public:
    static AppWindow* Create(const char* title);
    static AppWindow* Get();
    static void Release();

    // Window, GL context (GL strings logged, multitexture looked up), the resource banks' GL objects; shows it.
    bool OpenWindow(const char* title, int left, int top, int width, int height);
    void CloseWindow();
    // Looks up the ARB multitexture entry points of the current context; sets HasMultiTexture.
    static bool InitMultiTexture();

    // Runs until the quit message; returns its code.
    int RunLoop(bool peekMode);
    void UpdateFrame(float elapsedMs);
    void DrawFrame();
    void DrawScreens();
    // The next frame is kept as a PNG screenshot before it is shown (F12 asks for it).
    void RequestScreenshot() { m_screenshot_pending = true; }
    // Around drawing outside DrawFrame (the intro at start-up): the bars are cleared black and
    // every clear is kept to the picture by the scissor test while letterboxed.
    void BeginPicture();
    void EndPicture();
    // The window procedure: one translated window message.
    void HandleMessage(const platform::Message& msg);
    void PostQuit(int code) { m_pump.PostQuit(code); }

    // Full screen over the display in its current mode, the picture of width : height scaled into
    // it; false (nothing changes) for 320, 400 and 640 wide. True also when the display refused.
    bool SetFullScreen(int width, int height);
    bool SetWindowed();
    void Minimize();
    void OnRestored();
    void SetActive(bool active);
    bool IsActive() const { return m_active; }
    bool IsFullScreen() const { return m_full_screen; }
    bool IsMinimized() const { return m_minimized; }
    void HideWindow() { m_window.Hide(); }
    void SwapBuffers() { m_window.SwapBuffers(); }

    ViewSettings& View() { return m_view; }
    const ViewSettings& View() const { return m_view; }
    // Keyboard, mouse and joystick: created with the window, acquired while it is active.
    InputDevices& Input() { return m_input; }
    platform::Window& Window() { return m_window; }
    platform::MessagePump& Pump() { return m_pump; }
    // The picture's size in window pixels: the client area, or the letterbox in full screen.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const PictureRect& Picture() const { return m_picture; }
    bool Letterboxed() const { return !(m_picture == PictureRect{0, 0, m_client_width, m_client_height}); }
    // Takes the client area's size and places the picture in it: the whole area, or with
    // letterbox set the view's shape fitted and centred. The display-mode code calls it; tests too.
    void LayOutPicture(int clientWidth, int clientHeight, bool letterbox);

    // Screen stack (top at the front) and dialog stack over the top screen.
    void PushScreen(CScreen* screen);
    void PushDialog(CDialogScreen* dialog);
    void CloseTop(bool immediate);
    void CloseAllDialogs();
    CScreen* TopScreen() const { return m_screens.empty() ? nullptr : m_screens.front(); }
    CDialogScreen* TopDialog() const { return m_dialogs.empty() ? nullptr : m_dialogs.front(); }
    size_t ScreenCount() const { return m_screens.size(); }
    size_t DialogCount() const { return m_dialogs.size(); }

    // Cursor and window position on the desktop, for window dragging.
    void CursorScreenPos(int& x, int& y) const;
    bool CursorInsideWindow() const;
    void MoveWindowBy(int dx, int dy);

    // Hooks the resource banks register so that every GL object is made after the context exists
    // and released before it goes.
    std::function<void()> onCreateGLObjects;
    std::function<void()> onReleaseGLObjects;

private:
    explicit AppWindow(const char* title);
    void DeferredClose();
    // The top dialog leaves its stack and waits for its result to be delivered; false with none.
    bool PopDialogForDelivery();
    void DeliverResult();
    CScreen* InputTarget() const;

    static AppWindow* s_instance;

    platform::Window m_window;
    platform::MessagePump m_pump;
    ViewSettings m_view;
    InputDevices m_input;
    std::deque<CScreen*> m_screens;
    std::deque<CDialogScreen*> m_dialogs;
    CDialogScreen* m_closed_dialog = nullptr;
    bool m_result_pending = false;
    bool m_close_pending = false;
    std::string m_title;
    bool m_active = false;
    bool m_full_screen = false;
    bool m_minimized = false;
    bool m_peek_mode = true;
    int m_width = 0, m_height = 0;  // the picture's size
    int m_client_width = 0, m_client_height = 0;
    PictureRect m_picture;
    bool m_letterbox = false;
    bool m_screenshot_pending = false;
    int m_picture_view_w = 800, m_picture_view_h = 600;  // the shape full screen keeps
    int m_saved_width = 0, m_saved_height = 0;
    int m_saved_left = 0, m_saved_top = 0;
    int m_left = 0, m_top = 0;
};
