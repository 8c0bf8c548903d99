// InputDevices: the keyboard, mouse and joystick states the game polls while flying, and the
// player's control queries read from them through the key bindings.
//
// AppWindow owns one. The entry point creates it with the window; window activation acquires and
// releases it (SetAcquired); every screen that flies or captures keys (game, level screens, key
// reader) calls Poll once per update and then reads the states. The states keep the shapes the
// bindings were made for: the keyboard is 256 bytes indexed by DirectInput scan code (down when
// the high bit is set), the mouse is relative motion, wheel (120 per notch) and four buttons, the
// joystick has axes ranged -1000..1000, four hats in hundredths of a degree clockwise from north
// (all bits set when centred) and 32 buttons. SDL is translated here and nowhere else.
//
// A missing device is not an error: without a keyboard every key reads up, without a mouse the
// mouse state stays zero, without a joystick every joystick query and hat test is false. A game
// controller SDL recognises gives its left stick as x/y, its d-pad as hat 0 and its face buttons
// as buttons 0..3, so the default joystick bindings work on a modern pad. A pad plugged in or
// pulled out while the game runs is noticed within about a second of polls.
//
// The states can also be set directly (SetKey, SetMouseState, SetJoystick, SetCursor): tests and
// the autopilot drive the same queries a person does.
#pragma once

#include <cstdint>
#include <string>

class GameData;
struct SDL_Window;
struct _SDL_Joystick;
struct _SDL_GameController;

// The per-player state the control queries change: the wheel throttle accumulator and the flag
// that keys (or the hat) steered sideways this frame.
struct PlayerControlState {
    int32_t throttle = 0;
    uint8_t keyboardSteer = 0;
};

class InputDevices {
public:
    struct MouseState {
        int32_t x = 0, y = 0, wheel = 0;
        uint8_t buttons[4] = {};  // left, right, middle, fourth; high bit while pressed
    };
    struct JoyState {
        int32_t x = 0, y = 0, z = 0, rx = 0, ry = 0, rz = 0;
        int32_t sliders[2] = {};
        uint32_t hats[4] = {kHatCentred, kHatCentred, kHatCentred, kHatCentred};
        uint8_t buttons[32] = {};
    };
    static constexpr uint32_t kHatCentred = 0xFFFFFFFFu;
    static constexpr int32_t kResultNotCreated = 1;

    InputDevices() = default;
    ~InputDevices();
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    // Takes the window (may be null), opens the first joystick or game controller. Returns 0; the
    // keyboard and mouse always exist with SDL.
    int Create(SDL_Window* window);
    void Release();
    void Poll();
    void SetAcquired(bool acquired);
    bool IsAcquired() const { return m_acquired; }

    // --- states ------------------------------------------------------------------------------
    bool IsKeyDown(int scanCode) const;
    // The lowest scan code that is down, or -1 (also -1 while the keyboard is not valid).
    int FirstKeyDown() const;
    int32_t LastResult() const { return m_last_result; }
    const MouseState& Mouse() const { return m_mouse; }
    bool JoystickPresent() const { return m_joy_present; }
    bool JoystickValid() const { return m_joy_valid; }
    const JoyState& Joystick() const { return m_joy; }
    int JoystickHats() const { return m_joy_hats; }
    // Cursor position in the picture's pixels (client pixels but in a letterboxed full screen), as
    // of the last poll or centring.
    void CursorPos(int& x, int& y) const { x = m_cursor_x; y = m_cursor_y; }

    bool HatLeft() const;
    bool HatRight() const;
    bool HatUp() const;
    bool HatDown() const;

    // Names shown for bindings: "UP ARROW", "LEFT CTRL", ...; empty for codes without a name.
    static std::string KeyName(int scanCode);
    // "Button 1" .. "Button 15" for 0..14, empty otherwise.
    static std::string JoyButtonName(int index);
    // DirectInput scan code of an SDL scancode (0 when the key has none).
    static int ScanCodeFromSdl(int sdlScancode);

    // --- the player's controls (values -1000..1000) ------------------------------------------
    int LeftValue(const GameData& game, PlayerControlState& player);
    int RightValue(const GameData& game, PlayerControlState& player);
    int UpValue(const GameData& game, PlayerControlState& player) const;
    int DownValue(const GameData& game, PlayerControlState& player) const;
    bool ManeuverPressed(const GameData& game) const;
    // 0 none, 1 primary, 2 secondary.
    int FireValue(const GameData& game) const;
    bool CameraKeyDown(const GameData& game) const;

    // --- mouse capture during play -----------------------------------------------------------
    void CaptureMouse();
    void ReleaseMouse();
    // Puts the cursor at the centre of the view.
    void CentreCursor();
    bool MouseCaptured() const { return m_captured; }

    // --- direct state (tests, autopilot) -----------------------------------------------------
    // View size the cursor is centred in; taken from AppWindow when not set.
    void SetViewSize(int width, int height) { m_view_w = width; m_view_h = height; }
    // The picture's corner in the window (AppWindow sets it with the display mode): the cursor is
    // measured from it and centred in the picture.
    void SetPictureOrigin(int left, int top) { m_picture_left = left; m_picture_top = top; }
    void SetKey(int scanCode, bool down);
    void ClearKeys();
    void SetKeyboardValid(bool valid) { m_last_result = valid ? 0 : kResultNotCreated; }
    void SetMouseState(const MouseState& m) { m_mouse = m; }
    void SetJoystick(bool present, const JoyState& state, int hats = 1);
    void SetCursor(int x, int y) { m_cursor_x = x; m_cursor_y = y; }
    // When frozen, Poll leaves every state as set (the autopilot flies through the queries).
    void SetFrozen(bool frozen) { m_frozen = frozen; }
    // Adds wheel motion in SDL notches; the next poll reports it (120 per notch).
    void AddWheel(int notches) { m_wheel_pending += notches * 120; }

private:
    void ViewSize(int& w, int& h) const;
    void PollJoystick();
    void OpenJoystick();
    void CloseJoystick();

    SDL_Window* m_window = nullptr;
    bool m_created = false;
    bool m_acquired = false;
    bool m_frozen = false;
    bool m_captured = false;
    int m_picture_left = 0, m_picture_top = 0;
    int32_t m_last_result = kResultNotCreated;
    uint8_t m_keys[256] = {};
    MouseState m_mouse;
    int32_t m_wheel_pending = 0;
    bool m_joy_present = false;
    bool m_joy_valid = false;
    int m_joy_hats = 0;
    JoyState m_joy;
    _SDL_Joystick* m_sdl_joystick = nullptr;
    _SDL_GameController* m_sdl_controller = nullptr;
    int m_cursor_x = 0, m_cursor_y = 0;
    int m_view_w = 0, m_view_h = 0;
    int m_hotplug_counter = 0;
};
