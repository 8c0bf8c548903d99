// KeyPoll: the key readers' view of the application's input devices.
#include "ui/KeyPoll.h"

#include "app/AppWindow.h"
#include "input/InputDevices.h"

namespace {

class CDevicesKeyPoll : public IKeyPoll {
public:
    void Poll() override
    {
        if (InputDevices* d = Devices())
            d->Poll();
    }
    int FirstKeyDown() const override
    {
        const InputDevices* d = Devices();
        return d ? d->FirstKeyDown() : -1;
    }
    bool JoystickPresent() const override
    {
        const InputDevices* d = Devices();
        return d && d->JoystickPresent();
    }
    uint8_t JoyButton(int index) const override
    {
        const InputDevices* d = Devices();
        return d && index >= 0 && index < 32 ? d->Joystick().buttons[index] : 0;
    }

private:
    static InputDevices* Devices()
    {
        AppWindow* app = AppWindow::Get();
        return app ? &app->Input() : nullptr;
    }
};

CDevicesKeyPoll g_devices_poll;
IKeyPoll* g_poll = nullptr;

} // namespace

IKeyPoll& KeyPoll() { return g_poll ? *g_poll : g_devices_poll; }
void SetKeyPoll(IKeyPoll* poll) { g_poll = poll; }
