#include "floor_win.h"

#include <algorithm>

#include "appearance/appearance.h"

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const FloorRows* f = reinterpret_cast<const FloorRows*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HGDIOBJ old = SelectObject(dc, f->font);
    SetTextColor(dc, f->text);
    SetBkColor(dc, f->back);
    int y = 0;
    for (const std::string& row : f->rows) {
        const RECT line{0, y, client.right, y + f->rowHeight};
        ExtTextOutA(dc, 4, y, ETO_OPAQUE, &line, row.data(), static_cast<UINT>(row.size()),
                    nullptr);
        y += f->rowHeight;
    }
    if (y < client.bottom) {
        const RECT rest{0, y, client.right, client.bottom};
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rest, "", 0, nullptr);
    }
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

HWND MakeFloorView(HWND parent, HWND over, const FloorRows* rows) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = FloorProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OrvexBenchFloor";
        RegisterClassA(&wc);
        registered = true;
    }
    RECT r;
    GetWindowRect(over, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, "OrvexBenchFloor", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rows));
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return h;
}

double Now() {
    static LARGE_INTEGER f{};
    if (!f.QuadPart) QueryPerformanceFrequency(&f);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

FloorRows::FloorRows()
    : font(CreateFontA(FontHeight, FontWidth, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                       PROOF_QUALITY, FIXED_PITCH | FF_MODERN, FontName)),
      rowHeight(FontHeight),
      text(TextColor),
      back(BkColor) {}

FloorRows::~FloorRows() { DeleteObject(font); }
