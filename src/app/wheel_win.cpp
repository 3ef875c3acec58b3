#include "app/wheel_win.h"

#include <algorithm>

namespace {

// Lines a notch above this are taken as "a page": nobody scrolls further.
constexpr UINT MostPerNotch = 10000;

UINT PerNotch(bool sideways) {
    UINT n = 3;
    if (!SystemParametersInfoA(sideways ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &n,
                               0))
        n = 3;
    return n;
}

}  // namespace

int32_t WheelSteps(WheelTurn* turn, UINT msg, WPARAM wParam, int32_t line, int32_t page) {
    const bool sideways = msg == WM_MOUSEHWHEEL;
    const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const UINT perNotch = PerNotch(sideways);
    line = std::max(line, 0);
    page = std::max(page, 1);
    const uint32_t units =
        perNotch > MostPerNotch ? WheelPage : perNotch * static_cast<uint32_t>(line);
    // The wheel turned away from the user scrolls toward the start; the tilt
    // to the right scrolls to the right.
    return WheelLines(turn, sideways ? delta : -delta, units, page);
}

HWND WheelTarget(const MSG* msg) {
    if (msg->message != WM_MOUSEWHEEL && msg->message != WM_MOUSEHWHEEL) return 0;
    if (GetCapture()) return 0;
    const POINT pt{static_cast<short>(LOWORD(msg->lParam)),
                   static_cast<short>(HIWORD(msg->lParam))};
    HWND under = WindowFromPoint(pt);
    if (!under || under == msg->hwnd) return 0;
    if (GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return 0;
    return under;
}
