// Translation of SDL events into window messages: virtual keys, characters, mouse, close requests.
#include "platform/Messages.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

using platform::Message;
using platform::MessagePump;
using platform::MsgKind;

TEST(VirtualKeys, LettersDigitsAndSpecialKeysMapToWindowsCodes)
{
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_ESCAPE), 27);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_RETURN), 13);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_a), 'A');
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_z), 'Z');
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_0), '0');
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F1), 0x70);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F12), 0x7B);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_LEFT), 0x25);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_DOWN), 0x28);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_SPACE), 0x20);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_KP_5), 0x65);
    EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_AUDIOPLAY), 0);
}

TEST(MessagePump, KeysBecomeKeyDownAndControlCharacters)
{
    MessagePump pump;
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_ESCAPE;
    pump.Translate(e);
    e.key.keysym.sym = SDLK_q;
    pump.Translate(e);
    Message m;
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::KeyDown);
    EXPECT_EQ(m.wparam, 27);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::Char);
    EXPECT_EQ(m.wparam, 27);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::KeyDown);
    EXPECT_EQ(m.wparam, 'Q');
    EXPECT_FALSE(pump.Peek(m));  // letters arrive as text input, not from the key
}

TEST(MessagePump, TextInputBecomesCharactersIncludingLatin1)
{
    MessagePump pump;
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "a\xC3\xA9");  // "aé"
    pump.Translate(e);
    Message m;
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.wparam, 'a');
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::Char);
    EXPECT_EQ(m.wparam, 0xE9);
}

TEST(MessagePump, MouseButtonsAndMotionCarryClientCoordinates)
{
    MessagePump pump;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = -5;
    e.motion.y = 600;
    pump.Translate(e);
    e = SDL_Event{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;  // right press: only default handling
    pump.Translate(e);
    e.type = SDL_MOUSEBUTTONUP;
    e.button.x = 100;
    e.button.y = 50;
    pump.Translate(e);
    e.button.button = SDL_BUTTON_LEFT;
    e.type = SDL_MOUSEBUTTONDOWN;
    pump.Translate(e);
    Message m;
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::MouseMove);
    EXPECT_EQ(m.x, -5);
    EXPECT_EQ(m.y, 600);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::RButtonUp);
    EXPECT_EQ(m.x, 100);
    EXPECT_EQ(m.y, 50);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::LButtonDown);
    EXPECT_FALSE(pump.Peek(m));
}

TEST(MessagePump, CloseRequestsAndAltF4BecomeCloseAndQuitComesLast)
{
    MessagePump pump;
    SDL_Event e{};
    e.type = SDL_QUIT;  // SIGTERM, SIGINT
    pump.Translate(e);
    e = SDL_Event{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_F4;
    e.key.keysym.mod = KMOD_LALT;
    pump.Translate(e);
    pump.PostQuit(0);
    Message m;
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::Close);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::Close);
    ASSERT_TRUE(pump.Peek(m));
    EXPECT_EQ(m.kind, MsgKind::Quit);
    EXPECT_EQ(m.wparam, 0);
    EXPECT_FALSE(pump.Peek(m));
}

TEST(MessagePump, WheelGoesToTheListenerOnly)
{
    MessagePump pump;
    int wheel = 0;
    pump.onWheel = [&](int w) { wheel += w; };
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = -2;
    pump.Translate(e);
    Message m;
    EXPECT_FALSE(pump.Peek(m));
    EXPECT_EQ(wheel, -2);
}
