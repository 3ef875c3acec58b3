// Repaints per second of the view window showing a full screen of hex rows,
// with and without a mark across the screen, in the real main window.
//   orvex-repaint-bench [REPAINTS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "resource_ids.h"

namespace {

void Pump() { DispatchWaiting(); }

std::string WriteSample() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "orvex-repaint.bin";
    std::string bytes(1 << 20, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + (i >> 7));
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    return path;
}

double RepaintsPerSecond(int count) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    for (int i = 0; i < count; ++i) {
        InvalidateRect(hViewWnd, nullptr, TRUE);
        UpdateWindow(hViewWnd);
    }
    GdiFlush();
    QueryPerformanceCounter(&b);
    return count * static_cast<double>(f.QuadPart) / static_cast<double>(b.QuadPart - a.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 300;
    if (!StartUp(GetModuleHandleA(nullptr), true)) return 1;
    ShowWindow(wn, SW_SHOWMAXIMIZED);
    Pump();

    SendMessageA(wn, WM_COMMAND, CM_VIEW_HEX, 0);
    std::snprintf(FileName, sizeof FileName, "%s", WriteSample().c_str());
    SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
    Pump();
    UpdateWindow(hViewWnd);

    const double plain = RepaintsPerSecond(count);
    MarkStart = 5;
    MarkEnd = 16 * (ScreenLines - 2) + 9;
    SetMarked();
    const double marked = RepaintsPerSecond(count);
    std::printf(
        "full-screen hex view, %d rows of %d bytes: %.0f repaints/s, %.0f with a mark "
        "across the screen\n",
        ScreenLines, RowBytes, plain, marked);
    DestroyWindow(wn);
    Pump();
    return 0;
}
