// CControl: the widget base. A screen holds its widgets in a list and forwards window input, the
// frame tick, drawing and reset to them (see CScreen); every operation does nothing by default.
//
// Coordinates are the screen's virtual 800 x 600 pixels, y down. Widgets are created and owned by
// the screen that lists them.
#pragma once

class CControl {
public:
    virtual ~CControl() = default;
    virtual bool OnMouseMove(int x, int y, unsigned buttons) { (void)x; (void)y; (void)buttons; return false; }
    virtual bool OnLButtonUp(int x, int y, unsigned buttons) { (void)x; (void)y; (void)buttons; return false; }
    virtual bool OnRButtonUp(int x, int y, unsigned buttons) { (void)x; (void)y; (void)buttons; return false; }
    virtual bool OnLButtonDown(int x, int y, unsigned buttons) { (void)x; (void)y; (void)buttons; return false; }
    virtual void OnKeyDown(int virtualKey) { (void)virtualKey; }
    virtual void OnChar(int code, int repeat) { (void)code; (void)repeat; }
    virtual void Update(float elapsedMs) { (void)elapsedMs; }
    virtual void Draw() {}
    virtual void Reset() {}
};
