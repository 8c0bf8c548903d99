// CScreen's base behaviour: forwarding to the widgets and dragging the window.
#include "app/CScreen.h"

#include "app/AppWindow.h"
#include "ui/CControl.h"

CScreen::~CScreen() = default;

void CScreen::Update(float elapsedMs)
{
    if (m_dragging && AppWindow::Get() && !AppWindow::Get()->CursorInsideWindow())
        m_dragging = false;
    for (CControl* c : m_controls)
        c->Update(elapsedMs);
}

void CScreen::Draw()
{
    for (CControl* c : m_controls)
        c->Draw();
}

void CScreen::Activate()
{
    m_dragging = false;
    for (CControl* c : m_controls)
        c->Reset();
}

void CScreen::OnKeyDown(int virtualKey)
{
    for (CControl* c : m_controls)
        c->OnKeyDown(virtualKey);
}

void CScreen::OnChar(int code, int repeat)
{
    for (CControl* c : m_controls)
        c->OnChar(code, repeat);
}

bool CScreen::OnMouseMove(int x, int y, unsigned flags)
{
    if (m_dragging && m_draggable) {
        if (AppWindow* app = AppWindow::Get()) {
            int cx = 0, cy = 0;
            app->CursorScreenPos(cx, cy);
            app->MoveWindowBy(cx - m_drag_x, cy - m_drag_y);
            m_drag_x = cx;
            m_drag_y = cy;
        }
    }
    for (CControl* c : m_controls) {
        if (c->OnMouseMove(x, y, flags)) {
            m_dragging = false;
            return true;
        }
    }
    return false;
}

bool CScreen::OnLButtonUp(int x, int y, unsigned flags)
{
    m_dragging = false;
    bool handled = false;
    for (CControl* c : m_controls)
        handled |= c->OnLButtonUp(x, y, flags);
    return handled;
}

bool CScreen::OnLButtonDown(int x, int y, unsigned flags)
{
    m_dragging = true;
    if (AppWindow* app = AppWindow::Get())
        app->CursorScreenPos(m_drag_x, m_drag_y);
    bool handled = false;
    for (CControl* c : m_controls)
        handled |= c->OnLButtonDown(x, y, flags);
    if (handled)
        m_dragging = false;
    return handled;
}

bool CScreen::OnRButtonUp(int x, int y, unsigned flags)
{
    m_dragging = false;
    bool handled = false;
    for (CControl* c : m_controls)
        handled |= c->OnRButtonUp(x, y, flags);
    return handled;
}

void CScreen::OnControlEvent(CControl*)
{
    m_dragging = false;
}

void CScreen::OnDialogClosed(int, CDialogScreen*) {}
void CScreen::OnScreenClosed(CScreen*) {}
void CScreen::OnCloseRequest() {}
