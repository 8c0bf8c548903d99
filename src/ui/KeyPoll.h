// KeyPoll: what a key reader asks when it captures a binding — the first keyboard key down (a
// DirectInput scan code, the value stored in the save file) and the joystick's buttons.
//
// By default it reads the application's input devices (AppWindow::Input); with no application
// (tools, tests) nothing is ever down. Tests install their own poll with SetKeyPoll. The names
// shown for codes and buttons are the input layer's (InputDevices::KeyName, JoyButtonName).
#pragma once

#include <cstdint>

class IKeyPoll {
public:
    virtual ~IKeyPoll() = default;
    // Reads the devices now.
    virtual void Poll() = 0;
    // The lowest scan code that is down, or -1.
    virtual int FirstKeyDown() const = 0;
    virtual bool JoystickPresent() const = 0;
    // The button's state byte (high bit set while pressed); 0 for buttons out of range.
    virtual uint8_t JoyButton(int index) const = 0;
};

// The poll in use: the installed one, or the application's input devices.
IKeyPoll& KeyPoll();
// Installs a poll (not owned; null restores the default).
void SetKeyPoll(IKeyPoll* poll);
