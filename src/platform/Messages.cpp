// Translation of SDL events into window messages with Windows virtual-key codes.
#include "platform/Messages.h"

#include "platform/Platform.h"

#include <SDL.h>

namespace platform {

int VirtualKeyFromSdl(int32_t k)
{
    if (k >= SDLK_a && k <= SDLK_z)
        return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9)
        return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12)
        return 0x70 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9)
        return 0x61 + (k - SDLK_KP_1);
    switch (k) {
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN: return 0x0D;
    case SDLK_KP_ENTER: return 0x0D;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_LALT: case SDLK_RALT: return 0x12;
    case SDLK_PAUSE: return 0x13;
    case SDLK_CAPSLOCK: return 0x14;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_PRINTSCREEN: return 0x2C;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_KP_0: return 0x60;
    case SDLK_KP_MULTIPLY: return 0x6A;
    case SDLK_KP_PLUS: return 0x6B;
    case SDLK_KP_MINUS: return 0x6D;
    case SDLK_KP_PERIOD: return 0x6E;
    case SDLK_KP_DIVIDE: return 0x6F;
    case SDLK_NUMLOCKCLEAR: return 0x90;
    case SDLK_SCROLLLOCK: return 0x91;
    case SDLK_SEMICOLON: return 0xBA;
    case SDLK_EQUALS: return 0xBB;
    case SDLK_COMMA: return 0xBC;
    case SDLK_MINUS: return 0xBD;
    case SDLK_PERIOD: return 0xBE;
    case SDLK_SLASH: return 0xBF;
    case SDLK_BACKQUOTE: return 0xC0;
    case SDLK_LEFTBRACKET: return 0xDB;
    case SDLK_BACKSLASH: return 0xDC;
    case SDLK_RIGHTBRACKET: return 0xDD;
    case SDLK_QUOTE: return 0xDE;
    default: return 0;
    }
}

unsigned KeyFlagsFromSdl(uint32_t buttons, uint16_t mods)
{
    unsigned f = 0;
    if (buttons & SDL_BUTTON_LMASK) f |= kMkLButton;
    if (buttons & SDL_BUTTON_RMASK) f |= kMkRButton;
    if (buttons & SDL_BUTTON_MMASK) f |= kMkMButton;
    if (mods & KMOD_SHIFT) f |= kMkShift;
    if (mods & KMOD_CTRL) f |= kMkControl;
    return f;
}

namespace {

// One UTF-8 sequence to a code point in the 16-bit range; '?' for anything unreadable.
int DecodeUtf8(const unsigned char*& p)
{
    const unsigned c = *p++;
    if (c < 0x80)
        return static_cast<int>(c);
    int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : -1;
    if (extra < 0)
        return '?';
    unsigned cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((*p & 0xC0) != 0x80)
            return '?';
        cp = (cp << 6) | (*p++ & 0x3F);
    }
    return cp <= 0xFFFF ? static_cast<int>(cp) : '?';
}

}  // namespace

void MessagePump::Translate(const SDL_Event& e)
{
    Message m;
    switch (e.type) {
    case SDL_QUIT:
        m.kind = MsgKind::Close;
        m_queue.push_back(m);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            m.kind = MsgKind::Close;
            m_queue.push_back(m);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            m.kind = MsgKind::Activate;
            m.wparam = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ? 1 : 0;
            m_queue.push_back(m);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_MAXIMIZED: {
            m.kind = MsgKind::Size;
            m.wparam = e.window.event == SDL_WINDOWEVENT_MINIMIZED   ? kSizeMinimized
                       : e.window.event == SDL_WINDOWEVENT_MAXIMIZED ? kSizeMaximized
                                                                     : kSizeRestored;
            SDL_Window* w = SDL_GetWindowFromID(e.window.windowID);
            if (w)
                SDL_GetWindowSize(w, &m.x, &m.y);
            m_queue.push_back(m);
            break;
        }
        case SDL_WINDOWEVENT_EXPOSED:
            m.kind = MsgKind::Paint;
            m_queue.push_back(m);
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN: {
        const int vk = VirtualKeyFromSdl(e.key.keysym.sym);
        // Alt+F4 asks to close, as the desktop's own shortcut would.
        if (e.key.keysym.sym == SDLK_F4 && (e.key.keysym.mod & KMOD_ALT)) {
            m.kind = MsgKind::Close;
            m_queue.push_back(m);
            break;
        }
        if (vk) {
            m.kind = MsgKind::KeyDown;
            m.wparam = vk;
            m_queue.push_back(m);
        }
        // The control characters that arrive as characters on the desktop the game was made for.
        if (vk == 0x08 || vk == 0x09 || vk == 0x0D || vk == 0x1B) {
            Message c;
            c.kind = MsgKind::Char;
            c.wparam = vk;
            m_queue.push_back(c);
        }
        break;
    }
    case SDL_TEXTINPUT: {
        const auto* p = reinterpret_cast<const unsigned char*>(e.text.text);
        const auto* end = p + sizeof(e.text.text);
        while (p < end && *p) {
            Message c;
            c.kind = MsgKind::Char;
            c.wparam = DecodeUtf8(p);
            m_queue.push_back(c);
        }
        break;
    }
    case SDL_MOUSEMOTION:
        m.kind = MsgKind::MouseMove;
        m.x = e.motion.x;
        m.y = e.motion.y;
        m.flags = KeyFlagsFromSdl(e.motion.state, SDL_GetModState());
        m_queue.push_back(m);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_LEFT)
            m.kind = down ? MsgKind::LButtonDown : MsgKind::LButtonUp;
        else if (e.button.button == SDL_BUTTON_RIGHT && !down)
            m.kind = MsgKind::RButtonUp;
        else
            break;
        m.x = e.button.x;
        m.y = e.button.y;
        m.flags = KeyFlagsFromSdl(SDL_GetMouseState(nullptr, nullptr), SDL_GetModState());
        m_queue.push_back(m);
        break;
    }
    case SDL_MOUSEWHEEL:
        if (onWheel)
            onWheel(e.wheel.y);
        break;
    default:
        break;
    }
}

bool MessagePump::IsF4Down() const
{
    return f4Down ? f4Down() : platform::IsF4Down();
}

bool MessagePump::Peek(Message& msg)
{
    // The queued messages go out before SDL is asked for new events; the key state still follows
    // the keyboard meanwhile (a release of F4 is seen while closes keep being posted).
    if (!m_queue.empty()) {
        if (refreshKeyState)
            refreshKeyState();
        else
            SDL_PumpEvents();
    }
    // A posted quit comes right after the messages already taken, before any new event: a
    // steady stream of events must never keep the loop from ending.
    if (m_queue.empty() && m_quitPosted) {
        m_quitPosted = false;
        msg = Message{};
        msg.kind = MsgKind::Quit;
        msg.wparam = m_quitCode;
        return true;
    }
    if (m_queue.empty()) {
        SDL_Event e;
        while (m_queue.empty() && SDL_PollEvent(&e))
            Translate(e);
    }
    if (!m_queue.empty()) {
        msg = m_queue.front();
        m_queue.pop_front();
        return true;
    }
    if (m_quitPosted) {
        m_quitPosted = false;
        msg = Message{};
        msg.kind = MsgKind::Quit;
        msg.wparam = m_quitCode;
        return true;
    }
    return false;
}

void MessagePump::Wait(Message& msg)
{
    while (!Peek(msg)) {
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, 100))
            Translate(e);
    }
}

void MessagePump::PostQuit(int code)
{
    m_quitPosted = true;
    m_quitCode = code;
}

}  // namespace platform
