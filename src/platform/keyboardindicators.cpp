#include "keyboardindicators.h"

#if defined(Q_OS_WIN)
#include <qt_windows.h>
#elif defined(TARNWICK_HAVE_X11)
#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

KeyboardIndicators::State SystemKeyboardIndicators::state() const
{
    State state;
#if defined(Q_OS_WIN)
    state.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    state.numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
#elif defined(TARNWICK_HAVE_X11)
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    // By name rather than by bit: keyboard maps number their lights differently.
    const auto lit = [display](const char *name) {
        Bool on = False;
        const Atom atom = XInternAtom(display, name, True);
        return atom != None && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)
               && on;
    };
    state.capsLock = lit("Caps Lock");
    state.numLock = lit("Num Lock");
#endif
    return state;
}
