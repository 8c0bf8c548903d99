// Key names shown for bindings, joystick button names, and the SDL scancode to DirectInput scan
// code table that keeps the stored bindings platform-independent.
#include "input/InputDevices.h"

#include <SDL.h>

namespace {

struct NamedKey {
    int code;
    const char* name;
};

// Every other code (Escape, Enter, the Windows keys, ...) has no name.
constexpr NamedKey kKeyNames[] = {
    {2, "1"}, {3, "2"}, {4, "3"}, {5, "4"}, {6, "5"}, {7, "6"}, {8, "7"}, {9, "8"}, {10, "9"}, {11, "0"},
    {12, "-"}, {13, "="}, {14, "BACKSPACE"}, {15, "TAB"}, {16, "Q"}, {17, "W"}, {18, "E"}, {19, "R"},
    {20, "T"}, {21, "Y"}, {22, "U"}, {23, "I"}, {24, "O"}, {25, "P"}, {26, "["}, {27, "]"},
    {29, "LEFT CTRL"}, {30, "A"}, {31, "S"}, {32, "D"}, {33, "F"}, {34, "G"}, {35, "H"}, {36, "J"},
    {37, "K"}, {38, "L"}, {39, ";"}, {40, "'"}, {41, "`"}, {42, "LEFT SHIFT"}, {43, "\\"}, {44, "Z"},
    {45, "X"}, {46, "C"}, {47, "V"}, {48, "B"}, {49, "N"}, {50, "M"}, {51, ","}, {52, "."}, {53, "/"},
    {54, "RIGHT SHIFT"}, {55, "NUMPAD *"}, {56, "LEFT ALT"}, {57, "SPACE"}, {58, "CAPSLOCK"},
    {59, "F1"}, {60, "F2"}, {61, "F3"}, {62, "F4"}, {63, "F5"}, {64, "F6"}, {65, "F7"}, {66, "F8"},
    {67, "F9"}, {68, "F10"}, {69, "NUMLOCK"}, {71, "NUMPAD7"}, {72, "NUMPAD8"}, {73, "NUMPAD9"},
    {74, "NUMPAD MINUS"}, {75, "NUMPAD4"}, {76, "NUMPAD5"}, {77, "NUMPAD6"}, {78, "NUMPAD +"},
    {79, "NUMPAD1"}, {80, "NUMPAD2"}, {81, "NUMPAD3"}, {82, "NUMPAD0"}, {83, "NUMPAD ."}, {87, "F11"},
    {88, "F12"}, {100, "F13"}, {101, "F14"}, {102, "F15"}, {141, "NUMPAD EQUALS"}, {157, "RIGHT CTRL"},
    {179, "NUMPAD ,"}, {181, "NUMPAD /"}, {184, "RIGHT ALT"}, {197, "PAUSE"}, {199, "HOME"},
    {200, "UP ARROW"}, {201, "PAGE UP"}, {203, "LEFT ARROW"}, {205, "RIGHT ARROW"}, {207, "END"},
    {208, "DOWN ARROW"}, {209, "PAGE DOWN"}, {210, "INSERT"}, {211, "DELETE"}, {221, "Application"},
};

struct ScanPair {
    int sdl;
    int dik;
};

constexpr ScanPair kScanCodes[] = {
    {SDL_SCANCODE_ESCAPE, 1}, {SDL_SCANCODE_1, 2}, {SDL_SCANCODE_2, 3}, {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5}, {SDL_SCANCODE_5, 6}, {SDL_SCANCODE_6, 7}, {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9}, {SDL_SCANCODE_9, 10}, {SDL_SCANCODE_0, 11}, {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13}, {SDL_SCANCODE_BACKSPACE, 14}, {SDL_SCANCODE_TAB, 15}, {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17}, {SDL_SCANCODE_E, 18}, {SDL_SCANCODE_R, 19}, {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21}, {SDL_SCANCODE_U, 22}, {SDL_SCANCODE_I, 23}, {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25}, {SDL_SCANCODE_LEFTBRACKET, 26}, {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28}, {SDL_SCANCODE_LCTRL, 29}, {SDL_SCANCODE_A, 30}, {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32}, {SDL_SCANCODE_F, 33}, {SDL_SCANCODE_G, 34}, {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36}, {SDL_SCANCODE_K, 37}, {SDL_SCANCODE_L, 38}, {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40}, {SDL_SCANCODE_GRAVE, 41}, {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43}, {SDL_SCANCODE_NONUSHASH, 43}, {SDL_SCANCODE_Z, 44}, {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46}, {SDL_SCANCODE_V, 47}, {SDL_SCANCODE_B, 48}, {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50}, {SDL_SCANCODE_COMMA, 51}, {SDL_SCANCODE_PERIOD, 52}, {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54}, {SDL_SCANCODE_KP_MULTIPLY, 55}, {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57}, {SDL_SCANCODE_CAPSLOCK, 58}, {SDL_SCANCODE_F1, 59}, {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61}, {SDL_SCANCODE_F4, 62}, {SDL_SCANCODE_F5, 63}, {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65}, {SDL_SCANCODE_F8, 66}, {SDL_SCANCODE_F9, 67}, {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69}, {SDL_SCANCODE_SCROLLLOCK, 70}, {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72}, {SDL_SCANCODE_KP_9, 73}, {SDL_SCANCODE_KP_MINUS, 74}, {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76}, {SDL_SCANCODE_KP_6, 77}, {SDL_SCANCODE_KP_PLUS, 78}, {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80}, {SDL_SCANCODE_KP_3, 81}, {SDL_SCANCODE_KP_0, 82}, {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86}, {SDL_SCANCODE_F11, 87}, {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_F13, 100}, {SDL_SCANCODE_F14, 101}, {SDL_SCANCODE_F15, 102},
    {SDL_SCANCODE_KP_EQUALS, 141}, {SDL_SCANCODE_KP_ENTER, 156}, {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_KP_COMMA, 179}, {SDL_SCANCODE_KP_DIVIDE, 181}, {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184}, {SDL_SCANCODE_PAUSE, 197}, {SDL_SCANCODE_HOME, 199}, {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201}, {SDL_SCANCODE_LEFT, 203}, {SDL_SCANCODE_RIGHT, 205}, {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208}, {SDL_SCANCODE_PAGEDOWN, 209}, {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211}, {SDL_SCANCODE_LGUI, 219}, {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
};

}  // namespace

std::string InputDevices::KeyName(int scanCode)
{
    for (const NamedKey& k : kKeyNames)
        if (k.code == scanCode)
            return k.name;
    return {};
}

std::string InputDevices::JoyButtonName(int index)
{
    if (index < 0 || index > 14)
        return {};
    return "Button " + std::to_string(index + 1);
}

int InputDevices::ScanCodeFromSdl(int sdlScancode)
{
    for (const ScanPair& p : kScanCodes)
        if (p.sdl == sdlScancode)
            return p.dik;
    return 0;
}
