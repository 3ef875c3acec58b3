// Repaints per second of the view window showing a full screen of hex rows,
// with and without a mark across the screen, in the real main window; beside
// them the floor, a plain window of the same size drawing the same rows with
// one ExtTextOutA each. Five rounds, medians.
//   orvex-repaint-bench [REPAINTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "floor_win.h"
#include "view/row_draw.h"
#include "view/view_nav.h"
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

double RepaintsPerSecond(HWND h, int count) {
    const double a = Now();
    for (int i = 0; i < count; ++i) {
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
    }
    GdiFlush();
    return count * 1000.0 / (Now() - a);
}

// The screen's rows in the hex layout, for the floor: the bytes as they are.
std::vector<std::string> HexRows(int rows) {
    std::vector<std::string> out;
    for (int r = 0; r < rows; ++r) {
        const uint8_t* b = FileBuf + 16 * r;
        char row[80];
        int n = std::snprintf(row, sizeof row, "%08X:  ", 16 * r);
        for (int j = 0; j < 16; ++j)
            n += std::snprintf(row + n, sizeof row - n, j % 2 ? "%02X " : "%02X", b[j]);
        n += std::snprintf(row + n, sizeof row - n, " [");
        for (int j = 0; j < 16; ++j) row[n++] = static_cast<char>(b[j]);  // as the view shows them
        row[n++] = ']';
        out.emplace_back(row, n);
    }
    return out;
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

    FloorRows floor;
    floor.rows = HexRows(ScreenLines);
    std::vector<double> plain, marked, least, rows, status;
    for (int round = 0; round < 5; ++round) {
        ClearMarked();
        plain.push_back(RepaintsPerSecond(hViewWnd, count));
        MarkStart = 5;
        MarkEnd = 16 * (ScreenLines - 2) + 9;
        SetMarked();
        marked.push_back(RepaintsPerSecond(hViewWnd, count));
        HWND over = MakeFloorView(wn, hViewWnd, &floor);
        UpdateWindow(over);
        least.push_back(RepaintsPerSecond(over, count));
        DestroyWindow(over);
        Pump();
        // Parts of the view's paint alone: the rows drawn on the view's DC,
        // and the status texts written.
        ClearMarked();
        HDC dc = GetDC(hViewWnd);
        HGDIOBJ old = SelectObject(dc, floor.font);
        SetTextColor(dc, TextColor);
        SetBkColor(dc, BkColor);
        double a = Now();
        for (int i = 0; i < count; ++i)
            DrawHexLines(dc, 4, 4, FontHeight, ScreenLines, RowBytes, HexCols, ByteNum, Col, 0);
        GdiFlush();
        rows.push_back(count * 1000.0 / (Now() - a));
        SelectObject(dc, old);
        ReleaseDC(hViewWnd, dc);
        a = Now();
        for (int i = 0; i < count; ++i) ShowPosition();
        status.push_back(count * 1000.0 / (Now() - a));
    }
    std::printf(
        "full-screen hex view, %d rows of %d bytes: %.0f repaints/s, %.0f with a mark "
        "across the screen; floor (one ExtTextOutA a row): %.0f/s, %.2f times the view's "
        "time\n",
        ScreenLines, RowBytes, Median(plain), Median(marked), Median(least),
        Median(least) / Median(plain));
    std::printf("  parts alone: the rows drawn %.0f/s, the status texts written %.0f/s\n",
                Median(rows), Median(status));
    DestroyWindow(wn);
    Pump();
    return 0;
}
