// InputDevices: key names, the scan-code table, FirstKeyDown, hats, and the player's control
// queries with keys, mouse, wheel and joystick set directly (no window, no SDL devices).
#include "game/GameData.h"
#include "input/InputDevices.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class InputQueries : public ::testing::Test {
protected:
    void SetUp() override
    {
        input.SetViewSize(800, 600);
        input.SetKeyboardValid(true);
        input.SetCursor(400, 300);
    }
    InputDevices input;
    GameData game;
    PlayerControlState player;
};

InputDevices::JoyState Joy(int x, int y, uint32_t hat = InputDevices::kHatCentred)
{
    InputDevices::JoyState j;
    j.x = x;
    j.y = y;
    j.hats[0] = hat;
    return j;
}

}  // namespace

TEST(KeyNames, NamedAndUnnamedCodes)
{
    EXPECT_EQ(InputDevices::KeyName(200), "UP ARROW");
    EXPECT_EQ(InputDevices::KeyName(29), "LEFT CTRL");
    EXPECT_EQ(InputDevices::KeyName(74), "NUMPAD MINUS");
    EXPECT_EQ(InputDevices::KeyName(12), "-");
    EXPECT_EQ(InputDevices::KeyName(43), "\\");
    EXPECT_EQ(InputDevices::KeyName(221), "Application");
    // Escape, Enter, the Windows keys and anything out of range have no name.
    EXPECT_EQ(InputDevices::KeyName(1), "");
    EXPECT_EQ(InputDevices::KeyName(28), "");
    EXPECT_EQ(InputDevices::KeyName(219), "");
    EXPECT_EQ(InputDevices::KeyName(-5), "");
    EXPECT_EQ(InputDevices::KeyName(4000), "");
    int named = 0;
    for (int i = 0; i < 256; ++i)
        named += InputDevices::KeyName(i).empty() ? 0 : 1;
    EXPECT_EQ(named, 102);
}

TEST(KeyNames, JoystickButtons)
{
    EXPECT_EQ(InputDevices::JoyButtonName(0), "Button 1");
    EXPECT_EQ(InputDevices::JoyButtonName(14), "Button 15");
    EXPECT_EQ(InputDevices::JoyButtonName(15), "");
    EXPECT_EQ(InputDevices::JoyButtonName(-1), "");
}

TEST(KeyNames, SdlScancodesGiveTheStoredScanCodes)
{
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_LEFT), 203);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_RIGHT), 205);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_UP), 200);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_DOWN), 208);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_LCTRL), 29);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_SPACE), 57);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_LSHIFT), 42);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_C), 46);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_RETURN), 28);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_ESCAPE), 1);
    EXPECT_EQ(InputDevices::ScanCodeFromSdl(SDL_SCANCODE_UNKNOWN), 0);
    // Every named key can be reached from some SDL key, except the ones no PC keyboard sends.
    for (int dik = 0; dik < 256; ++dik) {
        if (InputDevices::KeyName(dik).empty())
            continue;
        bool found = false;
        for (int sc = 0; sc < SDL_NUM_SCANCODES && !found; ++sc)
            found = InputDevices::ScanCodeFromSdl(sc) == dik;
        EXPECT_TRUE(found) << "no SDL key for " << dik << " " << InputDevices::KeyName(dik);
    }
}

TEST(InputKeyboard, FirstKeyDownAndValidity)
{
    InputDevices input;
    input.SetKey(57, true);
    input.SetKey(30, true);
    EXPECT_EQ(input.FirstKeyDown(), -1) << "not valid before creation";
    EXPECT_FALSE(input.IsKeyDown(57));
    input.SetKeyboardValid(true);
    EXPECT_EQ(input.FirstKeyDown(), 30);
    EXPECT_TRUE(input.IsKeyDown(57));
    EXPECT_FALSE(input.IsKeyDown(256));
    EXPECT_FALSE(input.IsKeyDown(-1));
    input.ClearKeys();
    EXPECT_EQ(input.FirstKeyDown(), -1);
}

TEST_F(InputQueries, HatsAndDiagonals)
{
    EXPECT_FALSE(input.HatUp()) << "no joystick";
    input.SetJoystick(true, Joy(0, 0, 31500));
    EXPECT_TRUE(input.HatUp());
    EXPECT_TRUE(input.HatLeft());
    EXPECT_FALSE(input.HatRight());
    EXPECT_FALSE(input.HatDown());
    input.SetJoystick(true, Joy(0, 0, 13500));
    EXPECT_TRUE(input.HatDown());
    EXPECT_TRUE(input.HatRight());
    input.SetJoystick(true, Joy(0, 0, InputDevices::kHatCentred));
    EXPECT_FALSE(input.HatUp() || input.HatDown() || input.HatLeft() || input.HatRight());
    // A joystick without a hat never reports one.
    input.SetJoystick(true, Joy(0, 0, 0), 0);
    EXPECT_FALSE(input.HatUp());
    // Both hat-up-left and the values the player reads.
    input.SetJoystick(true, Joy(0, 0, 31500));
    EXPECT_EQ(input.LeftValue(game, player), -1000);
    EXPECT_EQ(input.UpValue(game, player), -1000);
    EXPECT_EQ(input.RightValue(game, player), 0);
}

TEST_F(InputQueries, MouseSteersFromTheViewCentre)
{
    input.SetCursor(300, 300);  // 100 left of the centre, sensitivity 1.5
    EXPECT_EQ(input.LeftValue(game, player), -150);
    EXPECT_EQ(input.RightValue(game, player), 0);
    EXPECT_EQ(player.keyboardSteer, 0);
    input.SetCursor(800, 300);
    EXPECT_EQ(input.RightValue(game, player), 600);
    EXPECT_EQ(input.LeftValue(game, player), 0);
    game.m_mouseSens = 10.0f;
    EXPECT_EQ(input.RightValue(game, player), 1000) << "capped";
    input.SetCursor(0, 300);
    EXPECT_EQ(input.LeftValue(game, player), -1000) << "floored";
}

TEST_F(InputQueries, KeySteeringCentresTheCursorAndSetsTheFlag)
{
    input.SetCursor(700, 300);
    input.SetKey(game.m_left_key, true);
    EXPECT_EQ(input.LeftValue(game, player), -1000);
    EXPECT_EQ(player.keyboardSteer, 1);
    int x = 0, y = 0;
    input.CursorPos(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    // Released: the mouse starts from neutral.
    input.SetKey(game.m_left_key, false);
    EXPECT_EQ(input.RightValue(game, player), 0);
}

TEST_F(InputQueries, WithAJoystickTheMouseDoesNotSteerButKeysAndHatDo)
{
    input.SetJoystick(true, Joy(0, 0));
    input.SetCursor(0, 300);
    EXPECT_EQ(input.LeftValue(game, player), 0) << "mouse ignored";
    input.SetJoystick(true, Joy(-400, 700));
    EXPECT_EQ(input.LeftValue(game, player), -400);
    EXPECT_EQ(input.RightValue(game, player), 0);
    EXPECT_EQ(input.DownValue(game, player), 700);
    EXPECT_EQ(input.UpValue(game, player), 0);
    input.SetKey(game.m_right_key, true);
    EXPECT_EQ(input.RightValue(game, player), 1000);
    input.SetKey(game.m_right_key, false);
    input.SetJoystick(true, Joy(-400, 700, 9000));
    EXPECT_EQ(input.RightValue(game, player), 1000) << "hat right";
}

TEST_F(InputQueries, WheelAccumulatesTheThrottle)
{
    InputDevices::MouseState m;
    m.wheel = 120;
    input.SetMouseState(m);
    EXPECT_EQ(input.UpValue(game, player), -240);
    EXPECT_EQ(input.DownValue(game, player), -240) << "the down value is the same accumulator";
    for (int i = 0; i < 10; ++i)
        input.UpValue(game, player);
    EXPECT_EQ(player.throttle, -1000);
    m.wheel = -360;
    input.SetMouseState(m);
    input.UpValue(game, player);
    EXPECT_EQ(input.DownValue(game, player), -280);
    for (int i = 0; i < 10; ++i)
        input.DownValue(game, player);
    EXPECT_EQ(player.throttle, 1000);
}

TEST_F(InputQueries, FireOrderAndBindings)
{
    EXPECT_EQ(input.FireValue(game), 0);
    input.SetKey(game.m_fire_secondary_key, true);
    EXPECT_EQ(input.FireValue(game), 2);
    input.SetKey(game.m_fire_primary_key, true);
    EXPECT_EQ(input.FireValue(game), 1) << "primary key before secondary";
    InputDevices::MouseState m;
    m.buttons[1] = 0x80;
    input.SetMouseState(m);
    EXPECT_EQ(input.FireValue(game), 2) << "mouse buttons first";
    input.ClearKeys();
    input.SetMouseState({});
    InputDevices::JoyState j = Joy(0, 0);
    j.buttons[2] = 0x80;
    input.SetJoystick(true, j);
    EXPECT_EQ(input.FireValue(game), 2);
    j.buttons[0] = 0x80;
    input.SetJoystick(true, j);
    EXPECT_EQ(input.FireValue(game), 1);
    // A button binding out of range is never pressed, and never read out of bounds.
    game.m_fire_primary_joy = 400;
    game.m_fire_secondary_joy = -3;
    EXPECT_EQ(input.FireValue(game), 0);
    game.m_maneuver_joy = 1;
    j.buttons[1] = 0x80;
    input.SetJoystick(true, j);
    EXPECT_TRUE(input.ManeuverPressed(game));
}

TEST_F(InputQueries, EnterCanBeBoundAndWorksWithoutAName)
{
    game.m_maneuver_key = 28;
    game.m_left_key = 28;
    input.SetKey(28, true);
    EXPECT_TRUE(input.ManeuverPressed(game));
    EXPECT_EQ(input.LeftValue(game, player), -1000);
    EXPECT_EQ(InputDevices::KeyName(game.m_maneuver_key), "");
}
