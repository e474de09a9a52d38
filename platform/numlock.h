#pragma once

// The Num Lock key of the X11 keyboard. Where there is no X11 display (the offscreen platform,
// other platforms) both do nothing and the state reads 0.

// Bit 0x8000 (the sign bit) while the key is held down, bit 0x0001 while the toggle is on.
short GetNumLockKeyState();

// Switches the Num Lock toggle on or off.
void SetNumLockToggle(bool on);
