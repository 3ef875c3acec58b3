// Printing a long text file, in the real main window and preview dialog:
// the preview's repaint, the pages drawn on a recording context (our own
// drawing, no spooler) and the real print job from pressing Print until the
// job is handed to the spooler (EndDoc has returned).
//   orvex-print-bench [LINES] [REPAINTS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "print/page_layout.h"
#include "print/print_settings.h"
#include "print/print_win.h"
#include "resource_ids.h"

namespace {

int Repaints = 50;
double RepaintMs = 0, DrawMs = 0, JobMs = 0;
int32_t Pages = 0;
HHOOK Hook = 0;
HWND Preview = 0;

double Now() {
    static LARGE_INTEGER f = [] {
        LARGE_INTEGER q;
        QueryPerformanceFrequency(&q);
        return q;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() { DispatchWaiting(); }

std::string WriteSample(int lines) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "orvex-print.txt";
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%sLine %d of a long listing, with a few words after it",
                      i > 1 ? "\r\n" : "", i);
        text += line;
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    CloseHandle(h);
    return path;
}

// Inside the preview: repaints, every page drawn on a metafile, then Print.
void CALLBACK Measure(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND area = GetDlgItem(Preview, 102);
    double start = Now();
    for (int i = 0; i < Repaints; ++i) {
        InvalidateRect(Preview, nullptr, TRUE);
        UpdateWindow(Preview);
        UpdateWindow(area);
    }
    GdiFlush();
    RepaintMs = (Now() - start) / Repaints;

    HDC screen = GetDC(nullptr);
    HDC record = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    start = Now();
    PrintPages(record, LogPixelsX, LogPixelsY, PageWidth, PageHeight, MinLeft, MinTop, true);
    DrawMs = Now() - start;
    DeleteEnhMetaFile(CloseEnhMetaFile(record));

    start = Now();
    SendMessageA(GetDlgItem(Preview, IDOK), BM_CLICK, 0, 0);
    JobMs = Now() - start;
    Pages = PageCount;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && wParam && !Preview) {
        char title[64] = "";
        GetWindowTextA(reinterpret_cast<HWND>(wParam), title, sizeof title);
        if (std::strcmp(title, "Print Preview") == 0) {
            Preview = reinterpret_cast<HWND>(wParam);
            SetTimer(nullptr, 0, 0, Measure);
        }
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::atoi(argv[1]) : 83000;
    Repaints = argc > 2 ? std::atoi(argv[2]) : 50;
    if (!StartUp(GetModuleHandleA(nullptr), true)) return 1;
    const uint8_t storedSize = PrintSize;  // the settings are saved at the end
    PrintSize = 6;                         // 16 points: about 46 lines a page
    ShowWindow(wn, SW_SHOWMAXIMIZED);
    Pump();

    std::snprintf(FileName, sizeof FileName, "%s", WriteSample(lines).c_str());
    SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
    Pump();
    if (ShowMode != _TEXT_) {
        std::printf("the file did not open in text mode\n");
        return 1;
    }
    Hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    const double start = Now();
    SendMessageA(wn, WM_COMMAND, CM_PRINT, 0);
    const double dialog = Now() - start;
    UnhookWindowsHookEx(Hook);
    if (!Pages) {
        std::printf("no print job (is there a printer?)\n");
        PrintSize = storedSize;
        return 1;
    }
    std::printf("preview repaint (page 1 drawn and shown): %.2f ms\n", RepaintMs);
    std::printf("%d lines, %d pages at %d dpi:\n", lines, Pages, LogPixelsX);
    std::printf("  drawing every page on a recording context: %.0f ms (%.2f ms a page)\n", DrawMs,
                DrawMs / Pages);
    std::printf("  print job, Print pressed to job spooled:    %.0f ms (%.2f ms a page)\n", JobMs,
                JobMs / Pages);
    std::printf("  our drawing is %.1f%% of the job's time (whole dialog %.0f ms)\n",
                100.0 * DrawMs / JobMs, dialog);
    PrintSize = storedSize;
    DestroyWindow(wn);
    Pump();
    return 0;
}
