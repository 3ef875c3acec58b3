// Opening a large file in hex mode in the real main window: the time from
// the open command until the view has painted its first screen. Beside it
// the floor: the same file read whole with one ReadFile into one block.
// Five rounds, medians.
//   orvex-open-bench [MEGABYTES]   (default 1024)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "document/document.h"
#include "floor_win.h"
#include "resource_ids.h"

namespace {

// A file of `size` bytes with a pattern in its first and last megabyte;
// the rest is left to the file system (sparse where it can be).
std::string WriteSample(int64_t size) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "orvex-open-" + std::to_string(size) + ".bin";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string mega(1 << 20, '\0');
    for (size_t i = 0; i < mega.size(); ++i) mega[i] = static_cast<char>(i * 131 + (i >> 7));
    DWORD done = 0;
    WriteFile(h, mega.data(), static_cast<DWORD>(mega.size()), &done, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = size - static_cast<int64_t>(mega.size());
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    WriteFile(h, mega.data(), static_cast<DWORD>(mega.size()), &done, nullptr);
    CloseHandle(h);
    return path;
}

double ReadWhole(const std::string& path) {
    const double a = Now();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    const DWORD size = GetFileSize(h, nullptr);
    void* block = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD got = 0;
    const BOOL ok = block && ReadFile(h, block, size, &got, nullptr);
    CloseHandle(h);
    const double b = Now();
    if (block) VirtualFree(block, 0, MEM_RELEASE);
    return ok && got == size ? b - a : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int64_t megabytes = argc > 1 ? std::atoi(argv[1]) : 1024;
    if (!StartUp(GetModuleHandleA(nullptr), true)) return 1;
    ShowWindow(wn, SW_SHOWMAXIMIZED);
    DispatchWaiting();
    SendMessageA(wn, WM_COMMAND, CM_VIEW_HEX, 0);
    const std::string path = WriteSample(megabytes << 20);
    const std::string small = WriteSample(2 << 20);

    std::vector<double> opens, floors;
    for (int round = 0; round < 5; ++round) {
        std::snprintf(FileName, sizeof FileName, "%s", small.c_str());
        SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);  // releases the large block
        DispatchWaiting();
        std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
        const double a = Now();
        SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
        UpdateWindow(wn);
        UpdateWindow(hViewWnd);
        GdiFlush();
        const double b = Now();
        if (FileSize != megabytes << 20) {
            std::printf("the file did not open (%d bytes loaded)\n", FileSize);
            return 1;
        }
        DispatchWaiting();
        opens.push_back(b - a);
        // The floor's block needs the room of the document's.
        std::snprintf(FileName, sizeof FileName, "%s", small.c_str());
        SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
        DispatchWaiting();
        floors.push_back(ReadWhole(path));
    }
    std::printf(
        "opening %lld MB in hex mode, to the first screen painted: %.0f ms; floor (one "
        "ReadFile into one block): %.0f ms; the open takes %.2f times the floor\n",
        static_cast<long long>(megabytes), Median(opens), Median(floors),
        Median(opens) / Median(floors));
    DestroyWindow(wn);
    DispatchWaiting();
    DeleteFileA(path.c_str());
    DeleteFileA(small.c_str());
    return 0;
}
