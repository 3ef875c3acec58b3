// End to end: orvex.exe started on a file, closed with WM_CLOSE, and what it
// saved read back from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win_test_support.h"

TEST(OrvexExe, OpensTheNamedFileAndSavesOnClose) {
    DeleteSettingsKey();
    const std::string file = TempFile("orvex e2e file.txt", "hello\r\nworld\r\n");
    // The tests live in tests\win below the build directory that holds orvex.exe.
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string exe = self;
    for (int i = 0; i < 3; ++i) exe.resize(exe.find_last_of('\\'));
    exe += "\\orvex.exe";
    std::string line = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) << exe;
    // Its main window, once the title names the file.
    HWND h = nullptr;
    for (int i = 0; i < 200 && !h; ++i, Sleep(50))
        for (HWND w = FindWindowA("Orvex", nullptr); w && !h; w = FindWindowExA(nullptr, w, "Orvex", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pi.dwProcessId && WindowText(w).find("bytes") != std::string::npos) h = w;
        }
    ASSERT_TRUE(h);
    EXPECT_EQ(WindowText(h), "Orvex - " + file + "  14 bytes");
    PostMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    const auto recent = ReadSetting("Recent");
    EXPECT_EQ(std::string(recent.begin(), recent.end()), file + std::string(9, '\t') + '\0');
    EXPECT_EQ(ReadSetting("Settings").size(), 92u);
    DeleteSettingsKey();
    DeleteFileA(file.c_str());
}
