// CScreen: the base of everything the user sees (intro, main menu, game, level screens, dialogs).
//
// AppWindow keeps screens and dialogs on two stacks and feeds the top one the frame step and the
// window's input; a screen forwards them to its widgets (CControl) in list order. A screen is
// created, pushed and destroyed by the screen that opens it (or by the entry point); the stacks
// never own anything, and a screen never owns the widgets in its list (the derived screen does).
// Dragging: a press on empty space of a draggable screen moves the whole window with the cursor.
#pragma once

#include <vector>

class CControl;
class CDialogScreen;

class CScreen {
public:
    CScreen() = default;
    virtual ~CScreen();
    CScreen(const CScreen&) = delete;
    CScreen& operator=(const CScreen&) = delete;

    virtual void Update(float elapsedMs);
    virtual void Draw();
    virtual void Activate();
    virtual void OnKeyDown(int virtualKey);
    virtual void OnChar(int code, int repeat);
    virtual bool OnMouseMove(int x, int y, unsigned flags);
    virtual bool OnLButtonUp(int x, int y, unsigned flags);
    virtual bool OnLButtonDown(int x, int y, unsigned flags);
    virtual bool OnRButtonUp(int x, int y, unsigned flags);
    // A widget of this screen was used (a button released over itself, a radio chosen).
    virtual void OnControlEvent(CControl* control);
    // A dialog this screen opened closed with result (0 accepted, 1 cancelled); the receiver destroys it.
    virtual void OnDialogClosed(int result, CDialogScreen* dialog);
    // The screen above this one left the stack.
    virtual void OnScreenClosed(CScreen* closed);
    // Alt+F4 emptied the dialog stack; the top screen decides what happens.
    virtual void OnCloseRequest();

    int Result() const { return m_result; }
    void SetResult(int result) { m_result = result; }
    bool IsDragging() const { return m_dragging; }
    bool IsDraggable() const { return m_draggable; }

protected:
    std::vector<CControl*> m_controls;
    int m_result = 0;
    bool m_dragging = false;
    bool m_draggable = false;
    int m_drag_x = 0, m_drag_y = 0;  // cursor position (desktop) at the last drag step
};

// The dialog screens of the menus (CDialogScreen) build on this base.
#include "ui/DialogScreen.h"
