// The view window until it draws the document: it paints its background
// and shows the position in the status bar, as the real one does after each
// paint.
#include "app/app_win.h"

LRESULT CALLBACK ViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, hBkBrush ? hBkBrush : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(hwnd, &ps);
        ShowPosition();
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
