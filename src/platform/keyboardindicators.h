#pragma once

// Whether Caps Lock and Num Lock are on, as the keyboard's lights show them.
class KeyboardIndicators
{
public:
    struct State
    {
        bool capsLock = false;
        bool numLock = false;
    };

    virtual ~KeyboardIndicators() = default;
    virtual State state() const = 0;
};

// The system's own: the X11 keyboard indicators on Linux, GetKeyState on Windows; both off
// where neither can be asked (Wayland without X, no display).
class SystemKeyboardIndicators final : public KeyboardIndicators
{
public:
    State state() const override;
};
