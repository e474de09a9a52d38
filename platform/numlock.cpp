#include "numlock.h"

#include <QGuiApplication>

#ifdef RATEWRIGHT_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {

Display *x11Display()
{
    if (!qGuiApp)
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

} // namespace

short GetNumLockKeyState()
{
    Display *display = x11Display();
    if (!display)
        return 0;
    unsigned state = 0;
    const unsigned mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    XkbStateRec xkb{};
    if (mask != 0 && XkbGetState(display, XkbUseCoreKbd, &xkb) == Success &&
        (xkb.locked_mods & mask) != 0)
        state |= 0x0001;
    const KeyCode key = XKeysymToKeycode(display, XK_Num_Lock);
    char keys[32] = {};
    if (key != 0 && XQueryKeymap(display, keys) && (keys[key / 8] & (1 << (key % 8))) != 0)
        state |= 0x8000;
    return static_cast<short>(state);
}

void SetNumLockToggle(bool on)
{
    Display *display = x11Display();
    if (!display)
        return;
    const unsigned mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (mask == 0)
        return;
    XkbLockModifiers(display, XkbUseCoreKbd, mask, on ? mask : 0);
    // The request must reach the server now: the caller may read the state back at once, or exit.
    XSync(display, False);
}

#else

short GetNumLockKeyState()
{
    return 0;
}

void SetNumLockToggle(bool) {}

#endif
