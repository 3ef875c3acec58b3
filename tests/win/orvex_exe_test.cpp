// End to end: orvex.exe started on a file, closed with WM_CLOSE, and what it
// saved read back from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win_test_support.h"

namespace {
std::string ProgramPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p(path);
    // The tests live in tests\win below the build directory that holds orvex.exe.
    for (int i = 0; i < 3; ++i) p = p.substr(0, p.find_last_of('\\'));
    return p + "\\orvex.exe";
}

HWND WaitForWindow(DWORD pid) {
    for (int i = 0; i < 200; ++i) {
        for (HWND h = FindWindowA("Orvex", nullptr); h; h = FindWindowExA(nullptr, h, "Orvex", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == pid && IsWindowVisible(h)) return h;
        }
        Sleep(50);
    }
    return nullptr;
}
}  // namespace

TEST(OrvexExe, OpensTheNamedFileAndSavesOnClose) {
    DeleteSettingsKey();
    const std::string file = TempFile("orvex e2e file.txt", "hello\r\nworld\r\n");
    const std::string exe = ProgramPath();
    ASSERT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe;
    std::string line = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    HWND h = WaitForWindow(pi.dwProcessId);
    ASSERT_TRUE(h);
    char title[512] = "";
    for (int i = 0; i < 100 && std::string(title).find("bytes") == std::string::npos; ++i) {
        Sleep(50);
        GetWindowTextA(h, title, sizeof title);
    }
    EXPECT_EQ(std::string(title), "Orvex - " + file + "  14 bytes");

    PostMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);

    auto recent = ReadSetting("Recent");
    EXPECT_EQ(std::string(recent.begin(), recent.end()), file + std::string(9, '\t') + '\0');
    auto settings = ReadSetting("Settings");
    ASSERT_EQ(settings.size(), 92u);
    EXPECT_EQ(settings[82], 1);
    DeleteSettingsKey();
    DeleteFileA(file.c_str());
}
