// InputDevices: SDL keyboard, mouse and joystick polled into scan-code, relative-mouse and
// joystick states, mouse capture, and the player's control queries over the bindings.
#include "input/InputDevices.h"

#include "app/AppWindow.h"
#include "app/Log.h"
#include "game/GameData.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFull = 1000;

int Clamp(int v, int lo, int hi)
{
    return std::min(std::max(v, lo), hi);
}

// SDL axis (-32768..32767) to the joystick range -1000..1000.
int32_t AxisRange(int16_t v)
{
    return Clamp(static_cast<int32_t>(v) * kFull / 32767, -kFull, kFull);
}

// SDL hat bits to hundredths of a degree clockwise from north.
uint32_t HatAngle(uint8_t hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return InputDevices::kHatCentred;
    }
}

bool Pressed(uint8_t b)
{
    return (b & 0x80) != 0;
}

}  // namespace

InputDevices::~InputDevices()
{
    Release();
}

int InputDevices::Create(SDL_Window* window)
{
    m_window = window;
    m_created = true;
    m_last_result = 0;
    m_mouse = MouseState{};
    if (AppWindow* app = AppWindow::Get())
        app->Pump().onWheel = [this](int notches) { AddWheel(notches); };
    OpenJoystick();
    m_acquired = true;
    return 0;
}

void InputDevices::OpenJoystick()
{
    m_joy_present = false;
    m_joy_valid = false;
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0 && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        LogWrite("InputDevices: no joystick support: %s", SDL_GetError());
        return;
    }
    const int n = SDL_NumJoysticks();
    for (int i = 0; i < n && i < 16; ++i) {
        if (SDL_IsGameController(i)) {
            m_sdl_controller = SDL_GameControllerOpen(i);
            if (m_sdl_controller) {
                m_joy_hats = 1;
                break;
            }
        }
        m_sdl_joystick = SDL_JoystickOpen(i);
        if (m_sdl_joystick) {
            m_joy_hats = std::min(SDL_JoystickNumHats(m_sdl_joystick), 4);
            break;
        }
    }
    if (m_sdl_controller || m_sdl_joystick) {
        m_joy_present = true;
        m_joy_valid = true;
    }
}

void InputDevices::CloseJoystick()
{
    if (m_sdl_controller)
        SDL_GameControllerClose(m_sdl_controller);
    if (m_sdl_joystick)
        SDL_JoystickClose(m_sdl_joystick);
    m_sdl_controller = nullptr;
    m_sdl_joystick = nullptr;
}

void InputDevices::Release()
{
    if (!m_created)
        return;
    SetAcquired(false);
    if (AppWindow* app = AppWindow::Get())
        app->Pump().onWheel = nullptr;
    CloseJoystick();
    m_joy_present = false;
    m_joy_valid = false;
    m_created = false;
    m_last_result = kResultNotCreated;
}

void InputDevices::SetAcquired(bool acquired)
{
    m_acquired = acquired;
    if (!acquired) {
        // Released devices report nothing: no key stays held across a focus change.
        if (!m_frozen) {
            std::memset(m_keys, 0, sizeof m_keys);
            m_mouse = MouseState{};
        }
        m_wheel_pending = 0;
    }
}

void InputDevices::Poll()
{
    if (m_frozen || !m_created)
        return;
    // Keyboard, only while the window is active.
    if (m_acquired) {
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        std::memset(m_keys, 0, sizeof m_keys);
        if (state) {
            for (int sc = 0; sc < count && sc < SDL_NUM_SCANCODES; ++sc)
                if (state[sc]) {
                    const int dik = ScanCodeFromSdl(sc);
                    if (dik > 0 && dik < 256)
                        m_keys[dik] = 0x80;
                }
        }
        m_last_result = 0;
    }
    // Mouse: relative motion since the last poll, the wheel gathered from the messages.
    if (m_acquired) {
        int dx = 0, dy = 0;
        SDL_GetRelativeMouseState(&dx, &dy);
        int cx = 0, cy = 0;
        const Uint32 buttons = SDL_GetMouseState(&cx, &cy);
        if (m_window && SDL_GetMouseFocus() == m_window) {
            m_cursor_x = cx - m_picture_left;
            m_cursor_y = cy - m_picture_top;
        }
        m_mouse.x = dx;
        m_mouse.y = dy;
        m_mouse.wheel = m_wheel_pending;
        m_mouse.buttons[0] = (buttons & SDL_BUTTON_LMASK) ? 0x80 : 0;
        m_mouse.buttons[1] = (buttons & SDL_BUTTON_RMASK) ? 0x80 : 0;
        m_mouse.buttons[2] = (buttons & SDL_BUTTON_MMASK) ? 0x80 : 0;
        m_mouse.buttons[3] = (buttons & SDL_BUTTON_X1MASK) ? 0x80 : 0;
    } else {
        m_mouse = MouseState{};
    }
    m_wheel_pending = 0;
    // A pad plugged in after start-up is taken up, one pulled out is let go (checked about once
    // a second so that the poll stays cheap).
    if (++m_hotplug_counter >= 60) {
        m_hotplug_counter = 0;
        const bool attached = m_sdl_controller ? SDL_GameControllerGetAttached(m_sdl_controller) == SDL_TRUE
                                               : (m_sdl_joystick && SDL_JoystickGetAttached(m_sdl_joystick) == SDL_TRUE);
        if (m_joy_present && !attached) {
            CloseJoystick();
            m_joy_present = m_joy_valid = false;
            m_joy = JoyState{};
            LogWrite("InputDevices: joystick removed");
        } else if (!m_joy_present && SDL_WasInit(SDL_INIT_GAMECONTROLLER) && SDL_NumJoysticks() > 0) {
            OpenJoystick();
            if (m_joy_present)
                LogWrite("InputDevices: joystick attached");
        }
    }
    if (m_joy_present)
        PollJoystick();
}

void InputDevices::PollJoystick()
{
    m_joy = JoyState{};
    m_joy_valid = false;
    if (m_sdl_controller) {
        if (!SDL_GameControllerGetAttached(m_sdl_controller))
            return;
        SDL_GameController* c = m_sdl_controller;
        m_joy.x = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX));
        m_joy.y = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
        m_joy.rx = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTX));
        m_joy.ry = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_RIGHTY));
        m_joy.z = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
        m_joy.rz = AxisRange(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
        uint8_t hat = SDL_HAT_CENTERED;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_UP))
            hat |= SDL_HAT_UP;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN))
            hat |= SDL_HAT_DOWN;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT))
            hat |= SDL_HAT_LEFT;
        if (SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT))
            hat |= SDL_HAT_RIGHT;
        m_joy.hats[0] = HatAngle(hat);
        // Face buttons first so that the default bindings (0, 1, 2) fall on A, B and X.
        const SDL_GameControllerButton order[] = {
            SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
            SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_LEFTSTICK,
            SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_GUIDE,
        };
        int i = 0;
        for (SDL_GameControllerButton b : order)
            m_joy.buttons[i++] = SDL_GameControllerGetButton(c, b) ? 0x80 : 0;
        m_joy_valid = true;
        return;
    }
    if (m_sdl_joystick) {
        if (!SDL_JoystickGetAttached(m_sdl_joystick))
            return;
        SDL_Joystick* j = m_sdl_joystick;
        const int axes = SDL_JoystickNumAxes(j);
        int32_t* slots[] = {&m_joy.x, &m_joy.y, &m_joy.z, &m_joy.rx, &m_joy.ry, &m_joy.rz, &m_joy.sliders[0], &m_joy.sliders[1]};
        for (int a = 0; a < axes && a < 8; ++a)
            *slots[a] = AxisRange(SDL_JoystickGetAxis(j, a));
        for (int h = 0; h < m_joy_hats; ++h)
            m_joy.hats[h] = HatAngle(SDL_JoystickGetHat(j, h));
        const int buttons = SDL_JoystickNumButtons(j);
        for (int b = 0; b < buttons && b < 32; ++b)
            m_joy.buttons[b] = SDL_JoystickGetButton(j, b) ? 0x80 : 0;
        m_joy_valid = true;
    }
}

bool InputDevices::IsKeyDown(int scanCode) const
{
    return m_last_result == 0 && scanCode >= 0 && scanCode < 256 && Pressed(m_keys[scanCode]);
}

int InputDevices::FirstKeyDown() const
{
    if (m_last_result != 0)
        return -1;
    for (int i = 0; i < 256; ++i)
        if (Pressed(m_keys[i]))
            return i;
    return -1;
}

void InputDevices::SetKey(int scanCode, bool down)
{
    if (scanCode >= 0 && scanCode < 256)
        m_keys[scanCode] = down ? 0x80 : 0;
}

void InputDevices::ClearKeys()
{
    std::memset(m_keys, 0, sizeof m_keys);
}

void InputDevices::SetJoystick(bool present, const JoyState& state, int hats)
{
    m_joy_present = present;
    m_joy_valid = present;
    m_joy = state;
    m_joy_hats = present ? hats : 0;
}

bool InputDevices::HatLeft() const
{
    if (!m_joy_present || m_joy_hats < 1)
        return false;
    const uint32_t h = m_joy.hats[0];
    return h == 27000 || h == 31500 || h == 22500;
}

bool InputDevices::HatRight() const
{
    if (!m_joy_present || m_joy_hats < 1)
        return false;
    const uint32_t h = m_joy.hats[0];
    return h == 4500 || h == 9000 || h == 13500;
}

bool InputDevices::HatUp() const
{
    if (!m_joy_present || m_joy_hats < 1)
        return false;
    const uint32_t h = m_joy.hats[0];
    return h == 0 || h == 31500 || h == 4500;
}

bool InputDevices::HatDown() const
{
    if (!m_joy_present || m_joy_hats < 1)
        return false;
    const uint32_t h = m_joy.hats[0];
    return h == 22500 || h == 18000 || h == 13500;
}

void InputDevices::ViewSize(int& w, int& h) const
{
    w = m_view_w;
    h = m_view_h;
    if (w > 0 && h > 0)
        return;
    const AppWindow* app = AppWindow::Get();
    w = app && app->Width() > 0 ? app->Width() : 800;
    h = app && app->Height() > 0 ? app->Height() : 600;
}

int InputDevices::LeftValue(const GameData& game, PlayerControlState& player)
{
    int w = 0, h = 0;
    ViewSize(w, h);
    int value;
    if (m_joy_present) {
        value = Clamp(m_joy.x, -kFull, 0);
    } else {
        const int c = std::max(static_cast<int>(static_cast<float>(m_cursor_x - w / 2) * game.m_mouseSens), -kFull);
        value = c < 1 ? c : 0;
    }
    if (IsKeyDown(game.m_left_key) || HatLeft()) {
        CentreCursor();
        player.keyboardSteer = 1;
        value = -kFull;
    }
    return value;
}

int InputDevices::RightValue(const GameData& game, PlayerControlState& player)
{
    int w = 0, h = 0;
    ViewSize(w, h);
    int value;
    if (m_joy_present) {
        value = Clamp(m_joy.x, 0, kFull);
    } else {
        const int c = std::min(static_cast<int>(static_cast<float>(m_cursor_x - w / 2) * game.m_mouseSens), kFull);
        value = c >= 0 ? c : 0;
    }
    if (IsKeyDown(game.m_right_key) || HatRight()) {
        CentreCursor();
        player.keyboardSteer = 1;
        value = kFull;
    }
    return value;
}

int InputDevices::UpValue(const GameData& game, PlayerControlState& player) const
{
    if (m_mouse.wheel > 0)
        player.throttle = std::max(player.throttle - 2 * m_mouse.wheel, -kFull);
    int value = player.throttle;
    if (m_joy_present)
        value = Clamp(m_joy.y, -kFull, 0);
    if (IsKeyDown(game.m_up_key) || HatUp())
        value = -kFull;
    return value;
}

int InputDevices::DownValue(const GameData& game, PlayerControlState& player) const
{
    if (m_mouse.wheel < 0)
        player.throttle = std::min(player.throttle - 2 * m_mouse.wheel, kFull);
    int value = player.throttle;
    if (m_joy_present)
        value = Clamp(m_joy.y, 0, kFull);
    if (IsKeyDown(game.m_down_key) || HatDown())
        value = kFull;
    return value;
}

namespace {
bool JoyButton(const InputDevices::JoyState& joy, int index)
{
    return index >= 0 && index < 32 && Pressed(joy.buttons[index]);
}
}  // namespace

bool InputDevices::ManeuverPressed(const GameData& game) const
{
    return IsKeyDown(game.m_maneuver_key) || Pressed(m_mouse.buttons[2]) ||
           (m_joy_present && JoyButton(m_joy, game.m_maneuver_joy));
}

int InputDevices::FireValue(const GameData& game) const
{
    if (Pressed(m_mouse.buttons[0]))
        return 1;
    if (Pressed(m_mouse.buttons[1]))
        return 2;
    if (IsKeyDown(game.m_fire_primary_key))
        return 1;
    if (IsKeyDown(game.m_fire_secondary_key))
        return 2;
    if (m_joy_present) {
        if (JoyButton(m_joy, game.m_fire_primary_joy))
            return 1;
        if (JoyButton(m_joy, game.m_fire_secondary_joy))
            return 2;
    }
    return 0;
}

bool InputDevices::CameraKeyDown(const GameData& game) const
{
    return IsKeyDown(game.m_camera_key);
}

void InputDevices::CentreCursor()
{
    int w = 0, h = 0;
    ViewSize(w, h);
    m_cursor_x = w / 2;
    m_cursor_y = h / 2;
    if (m_window && !m_frozen && SDL_GetKeyboardFocus() == m_window)
        SDL_WarpMouseInWindow(m_window, m_cursor_x + m_picture_left, m_cursor_y + m_picture_top);
}

void InputDevices::CaptureMouse()
{
    m_captured = true;
    if (m_window && !m_frozen) {
        SDL_SetWindowGrab(m_window, SDL_TRUE);
        SDL_ShowCursor(SDL_DISABLE);
    }
    CentreCursor();
}

void InputDevices::ReleaseMouse()
{
    m_captured = false;
    if (m_window && !m_frozen) {
        SDL_SetWindowGrab(m_window, SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
    }
}
