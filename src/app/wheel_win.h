// The mouse wheel in the program's windows: the user's setting of lines (or
// characters) a notch, and the wheel's turns counted into scroll steps.
#pragma once
#include <windows.h>

#include <cstdint>

#include "view/wheel.h"

// The tilt wheel and its setting are newer than the system version the
// program is built for; the values are fixed.
#ifndef WM_MOUSEHWHEEL
#define WM_MOUSEHWHEEL 0x020E
#endif
#ifndef SPI_GETWHEELSCROLLCHARS
#define SPI_GETWHEELSCROLLCHARS 0x006C
#endif

// The steps that the wheel message `msg` (WM_MOUSEWHEEL or WM_MOUSEHWHEEL,
// with its `wParam`) asks of a window that moves `line` units a line and
// `page` units a page: positive toward the end or to the right. A partial
// turn is kept in `turn` until it makes a whole line.
int32_t WheelSteps(WheelTurn* turn, UINT msg, WPARAM wParam, int32_t line, int32_t page);

// The window under the pointer that a wheel message should go to instead of
// its own window (the one with the focus): one of this thread's windows, the
// mouse not captured. 0 when the message stays where it is.
HWND WheelTarget(const MSG* msg);
