// AppWindow: window and context life, display modes, the main loop, the stacks and their rules.
#include "app/AppWindow.h"

#include "app/CScreen.h"
#include "app/Log.h"
#include "app/Screenshot.h"
#include "platform/GL.h"
#include "platform/Platform.h"
#include "resources/GameFolders.h"

AppWindow* AppWindow::s_instance = nullptr;

namespace {
constexpr int kScreenshotKey = 0x7B;  // F12's virtual key
}

uint32_t FrameSleepMs(uint32_t t0, uint32_t now)
{
    const uint32_t deadline = t0 + 16;
    return deadline > now ? deadline - now + 1 : 0;
}

AppWindow::AppWindow(const char* title) : m_title(title ? title : "") {}

AppWindow* AppWindow::Create(const char* title)
{
    if (!s_instance)
        s_instance = new AppWindow(title);
    return s_instance;
}

AppWindow* AppWindow::Get()
{
    return s_instance;
}

void AppWindow::Release()
{
    delete s_instance;
    s_instance = nullptr;
}

bool AppWindow::InitMultiTexture()
{
    gwMultiTexCoord2fARB = reinterpret_cast<PfnMultiTexCoord2fARB>(platform::GLProcAddress("glMultiTexCoord2fARB"));
    gwMultiTexCoord2fvARB = reinterpret_cast<PfnMultiTexCoord2fvARB>(platform::GLProcAddress("glMultiTexCoord2fvARB"));
    gwActiveTextureARB = reinterpret_cast<PfnActiveTextureARB>(platform::GLProcAddress("glActiveTextureARB"));
    HasMultiTexture = gwActiveTextureARB != nullptr && gwMultiTexCoord2fARB != nullptr;
    return HasMultiTexture;
}

bool AppWindow::OpenWindow(const char* title, int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (!m_window.Open(title, left, top, width, height))
        return false;
    platform::Message create;
    create.kind = platform::MsgKind::Create;
    create.x = width;
    create.y = height;
    HandleMessage(create);
    if (m_window.CreateGLContext()) {
        const char* hyphens = "---------------------------------------------------";
        auto str = [](GLenum e) {
            const GLubyte* s = glGetString(e);
            return s ? reinterpret_cast<const char*>(s) : "";
        };
        LogWrite("%s", hyphens);
        LogWrite("Vendor: %s", str(GL_VENDOR));
        LogWrite("Version: %s", str(GL_VERSION));
        LogWrite("Renderer: %s", str(GL_RENDERER));
        LogWrite("%s", hyphens);
    }
    LogWrite("InitMultiTexture = %s", InitMultiTexture() ? "true" : "false");
    if (onCreateGLObjects && m_window.HasGLContext())
        onCreateGLObjects();
    m_window.Show();
    m_input.Create(m_window.Handle());
    // Showing a window normally makes it the active one.
    SetActive(true);
    return true;
}

void AppWindow::CloseWindow()
{
    if (onReleaseGLObjects && m_window.HasGLContext())
        onReleaseGLObjects();
    SetActive(false);
    m_input.Release();
    m_window.DestroyGLContext();
    const bool wasFull = m_full_screen;
    m_full_screen = false;
    if (wasFull)
        m_window.LeaveFullScreen();
    m_window.Close();
}

int AppWindow::RunLoop(bool peekMode)
{
    m_peek_mode = peekMode;
    platform::Message msg;
    if (!peekMode) {
        for (;;) {
            m_pump.Wait(msg);
            if (msg.kind == platform::MsgKind::Quit)
                return msg.wparam;
            HandleMessage(msg);
        }
    }
    for (;;) {
        if (m_pump.Peek(msg)) {
            if (msg.kind == platform::MsgKind::Quit)
                return msg.wparam;
            HandleMessage(msg);
            continue;
        }
        const uint32_t t0 = platform::TimeMs();
        if (m_active) {
            UpdateFrame(kFrameStepMs);
            DrawFrame();
        }
        const uint32_t sleep = FrameSleepMs(t0, platform::TimeMs());
        if (sleep)
            platform::SleepMs(sleep);
    }
}

void AppWindow::UpdateFrame(float elapsedMs)
{
    if (m_close_pending)
        DeferredClose();
    if (m_result_pending)
        DeliverResult();
    if (!m_active) {
        platform::SleepMs(100);
        return;
    }
    if (CScreen* target = InputTarget())
        target->Update(elapsedMs);
    if (m_minimized)
        platform::SleepMs(100);
}

void ApplyPictureViewport()
{
    const AppWindow* app = AppWindow::Get();
    if (app && app->Width() > 0 && app->Height() > 0)
        glViewport(app->View().viewport_x, app->View().viewport_y, app->Width(), app->Height());
    else
        glViewport(0, 0, 800, 600);
}

void AppWindow::LayOutPicture(int clientWidth, int clientHeight, bool letterbox)
{
    m_client_width = clientWidth;
    m_client_height = clientHeight;
    m_letterbox = letterbox;
    m_picture = letterbox ? FitPicture(clientWidth, clientHeight, m_picture_view_w, m_picture_view_h)
                          : PictureRect{0, 0, clientWidth, clientHeight};
    m_width = m_picture.width;
    m_height = m_picture.height;
    // GL counts rows from the bottom.
    m_view.viewport_x = m_picture.left;
    m_view.viewport_y = clientHeight - m_picture.top - m_picture.height;
    m_input.SetPictureOrigin(m_picture.left, m_picture.top);
}

void AppWindow::BeginPicture()
{
    if (!m_window.HasGLContext() || !Letterboxed())
        return;
    // A clear ignores the viewport: the bars are cleared black here, and the screens' own clears
    // are kept to the picture by the scissor test.
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(colour[0], colour[1], colour[2], colour[3]);
    glScissor(m_view.viewport_x, m_view.viewport_y, m_width, m_height);
    glEnable(GL_SCISSOR_TEST);
}

void AppWindow::EndPicture()
{
    if (m_window.HasGLContext() && Letterboxed())
        glDisable(GL_SCISSOR_TEST);
}

void AppWindow::DrawScreens()
{
    if (m_minimized)
        return;
    if (CScreen* top = TopScreen())
        top->Draw();
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        (*it)->Draw();
}

void AppWindow::DrawFrame()
{
    BeginPicture();
    DrawScreens();
    EndPicture();
    if (m_screenshot_pending && m_window.HasGLContext()) {
        m_screenshot_pending = false;
        SaveScreenshot(CurrentFolders().picturesDir, m_view.viewport_x, m_view.viewport_y, m_width, m_height);
    }
    if (m_window.HasGLContext()) {
        glFlush();
        m_window.SwapBuffers();
    }
}

CScreen* AppWindow::InputTarget() const
{
    if (!m_dialogs.empty())
        return m_dialogs.front();
    return TopScreen();
}

void AppWindow::HandleMessage(const platform::Message& msg)
{
    using platform::MsgKind;
    CScreen* target = InputTarget();
    switch (msg.kind) {
    case MsgKind::Create:
        LayOutPicture(msg.x, msg.y, false);
        break;
    case MsgKind::Size:
        if (msg.x > 0 && msg.y > 0)
            LayOutPicture(msg.x, msg.y, m_letterbox);
        if (msg.wparam == platform::kSizeRestored)
            OnRestored();
        break;
    case MsgKind::Activate:
        SetActive(msg.wparam != 0);
        break;
    case MsgKind::Paint:
        DrawFrame();
        break;
    case MsgKind::Close:
        if (m_pump.IsF4Down()) {
            CloseAllDialogs();
        } else {
            m_window.Hide();
            PostQuit(0);
        }
        break;
    case MsgKind::KeyDown:
        // F12 (no default binding of the game uses it) keeps the next frame as a screenshot.
        if (msg.wparam == kScreenshotKey)
            RequestScreenshot();
        if (target)
            target->OnKeyDown(msg.wparam);
        break;
    case MsgKind::Char:
        if (target)
            target->OnChar(msg.wparam & 0xFFFF, 1);
        break;
    case MsgKind::MouseMove:
        if (target)
            target->OnMouseMove(msg.x - m_picture.left, msg.y - m_picture.top, msg.flags);
        break;
    case MsgKind::LButtonDown:
        if (target)
            target->OnLButtonDown(msg.x - m_picture.left, msg.y - m_picture.top, msg.flags);
        break;
    case MsgKind::LButtonUp:
        if (target)
            target->OnLButtonUp(msg.x - m_picture.left, msg.y - m_picture.top, msg.flags);
        break;
    case MsgKind::RButtonUp:
        if (target)
            target->OnRButtonUp(msg.x - m_picture.left, msg.y - m_picture.top, msg.flags);
        break;
    case MsgKind::Quit:
        break;
    }
}

bool AppWindow::SetFullScreen(int width, int height)
{
    if (width == 320 || width == 400 || width == 640)
        return false;
    if (!m_window.IsOpen())
        return false;
    if (!m_full_screen) {
        int l, t, w, h;
        m_window.GetRect(l, t, w, h);
        m_saved_left = l;
        m_saved_top = t;
        m_saved_width = w;
        m_saved_height = h;
    }
    // The display keeps its mode: the window covers it, and the picture of width : height is
    // scaled into it with bars at the sides or above and below.
    int dw = 0, dh = 0;
    if (m_window.EnterDesktopFullScreen(dw, dh)) {
        m_full_screen = true;
        m_picture_view_w = width;
        m_picture_view_h = height;
        LayOutPicture(dw, dh, true);
        LogWrite("SetFullScreen %ix%i: picture %ix%i at (%i, %i) of the display's %ix%i", width, height, m_width,
                 m_height, m_picture.left, m_picture.top, dw, dh);
    } else {
        LogWrite("SetFullScreen %ix%i: the display refused a full-screen window", width, height);
    }
    return true;
}

bool AppWindow::SetWindowed()
{
    const bool wasFull = m_full_screen;
    m_window.LeaveFullScreen();
    m_full_screen = false;
    m_window.SetTopmost(false);
    const int w = m_saved_width > 0 ? m_saved_width : m_view.width;
    const int h = m_saved_height > 0 ? m_saved_height : m_view.height;
    if (wasFull && m_saved_width > 0) {
        // Back where it was before full screen.
        m_window.SetRect(m_saved_left, m_saved_top, w, h);
    } else {
        int sw = 0, sh = 0;
        platform::ScreenSize(sw, sh);
        m_window.SetRect((sw - w) / 2, (sh - h) / 2, w, h);
    }
    LayOutPicture(w, h, false);
    m_window.Show();
    m_window.SetBordered(true);
    return true;
}

void AppWindow::Minimize()
{
    if (m_full_screen)
        SetWindowed();
    m_window.Minimize();
    m_minimized = true;
}

void AppWindow::OnRestored()
{
    if (!m_minimized)
        return;
    if (CScreen* top = TopScreen())
        top->Activate();
    m_minimized = false;
}

void AppWindow::SetActive(bool active)
{
    m_active = active;
    // The input devices are acquired while active and released otherwise.
    m_input.SetAcquired(active);
}

void AppWindow::PushScreen(CScreen* screen)
{
    if (!screen)
        return;
    screen->Activate();
    m_screens.push_front(screen);
}

void AppWindow::PushDialog(CDialogScreen* dialog)
{
    if (!dialog)
        return;
    m_dialogs.push_front(dialog);
    dialog->Activate();
    if (CScreen* top = TopScreen())
        top->Activate();
}

void AppWindow::CloseTop(bool immediate)
{
    if (!immediate) {
        m_close_pending = true;
        return;
    }
    if (PopDialogForDelivery())
        return;
    if (m_screens.size() >= 2) {
        CScreen* closed = m_screens.front();
        m_screens.pop_front();
        CScreen* top = m_screens.front();
        top->OnScreenClosed(closed);
        top->Activate();
    }
}

bool AppWindow::PopDialogForDelivery()
{
    if (m_dialogs.empty())
        return false;
    m_closed_dialog = m_dialogs.front();
    m_dialogs.pop_front();
    m_result_pending = true;
    return true;
}

void AppWindow::DeferredClose()
{
    m_close_pending = false;
    if (PopDialogForDelivery())
        return;
    if (m_screens.size() >= 2) {
        CScreen* closed = m_screens.front();
        m_screens.pop_front();
        CScreen* top = m_screens.front();
        if (m_closed_dialog)
            m_result_pending = true;
        else
            top->OnScreenClosed(closed);
        top->Activate();
    }
}

void AppWindow::DeliverResult()
{
    m_result_pending = false;
    CScreen* receiver = InputTarget();
    CDialogScreen* dialog = m_closed_dialog;
    m_closed_dialog = nullptr;
    if (receiver && dialog)
        receiver->OnDialogClosed(dialog->Result(), dialog);
}

void AppWindow::CloseAllDialogs()
{
    m_dialogs.clear();
    if (CScreen* top = TopScreen())
        top->OnCloseRequest();
}

void AppWindow::CursorScreenPos(int& x, int& y) const
{
    platform::CursorPos(x, y);
}

bool AppWindow::CursorInsideWindow() const
{
    if (!m_window.IsOpen())
        return true;
    int l, t, w, h, x, y;
    m_window.GetRect(l, t, w, h);
    platform::CursorPos(x, y);
    return !(x < l || x > l + w || y < t || y > t + h);
}

void AppWindow::MoveWindowBy(int dx, int dy)
{
    if (!m_window.IsOpen() || (dx == 0 && dy == 0))
        return;
    int l, t, w, h;
    m_window.GetRect(l, t, w, h);
    m_window.SetRect(l + dx, t + dy, w, h);
    DrawFrame();
}
