// platform::MessagePump: turns SDL events into the window messages that AppWindow's window
// procedure handles (create, size, activate, paint, close, key down, character, mouse move, left
// button down/up, right button up, quit).
//
// Keys are Windows virtual-key codes (27 Escape, 13 Enter, 'A'..'Z', '0'..'9', 0x70 F1, ...);
// characters come from text input plus the control characters Windows sends for Backspace, Tab,
// Enter and Escape. A close request (window manager, SIGTERM, SIGINT, Alt+F4) is a Close message.
// Mouse wheel events are handed to an optional listener for the input devices.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

union SDL_Event;

namespace platform {

enum class MsgKind { Create, Size, Activate, Paint, Close, KeyDown, Char, MouseMove, LButtonDown, LButtonUp, RButtonUp, Quit };

// Size kinds as the window procedure receives them.
enum SizeKind { kSizeRestored = 0, kSizeMinimized = 1, kSizeMaximized = 2 };

// Mouse key flags.
enum KeyFlags : unsigned { kMkLButton = 0x0001, kMkRButton = 0x0002, kMkShift = 0x0004, kMkControl = 0x0008, kMkMButton = 0x0010 };

struct Message {
    MsgKind kind = MsgKind::Paint;
    int wparam = 0;      // virtual key, character code, activate flag, size kind, quit code
    int x = 0, y = 0;    // client coordinates (mouse) or client size (size, create)
    unsigned flags = 0;  // mouse key flags
};

class MessagePump {
public:
    // Takes one message if any is waiting. A posted quit is returned after the messages before it.
    bool Peek(Message& msg);
    // Blocks until a message arrives.
    void Wait(Message& msg);
    void PostQuit(int code);
    // Messages the program itself sends (create at window creation, paint on expose).
    void Post(const Message& msg) { m_queue.push_back(msg); }

    std::function<void(int wheel)> onWheel;

    // The system's key state as the window procedure reads it between messages (the Alt+F4 rule
    // asks whether F4 is down now). It is brought up to date before every message the program
    // posted to itself is handed out, as SDL only refreshes it while it reads new events: a screen
    // that answers a close with another close must not keep F4 down for ever. SDL's keyboard by
    // default; tests put one of their own in these.
    std::function<void()> refreshKeyState;
    std::function<bool()> f4Down;
    bool IsF4Down() const;

    // Translation of one SDL event; appends zero or more messages. Public for tests.
    void Translate(const SDL_Event& event);

private:
    std::deque<Message> m_queue;
    bool m_quitPosted = false;
    int m_quitCode = 0;
};

// SDL keycode to Windows virtual-key code (0 when it has none).
int VirtualKeyFromSdl(int32_t sdlKeycode);
// Mouse key flags from SDL button state and modifiers.
unsigned KeyFlagsFromSdl(uint32_t buttons, uint16_t mods);

}  // namespace platform
