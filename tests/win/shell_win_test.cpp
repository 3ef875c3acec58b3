// The application shell: the main window through the program's routing, its
// menus, toolbar, status bar, title and registry; and orvex.exe run on a file.
#include "win_test_support.h"

namespace {

bool Checks(int id) { return (MenuState(id) & MF_CHECKED) && (ButtonState(id) & TBSTATE_CHECKED); }
bool Unchecked(int id) {
    return !(MenuState(id) & MF_CHECKED) && !(ButtonState(id) & TBSTATE_CHECKED);
}

using Shell = ShellTest;

TEST_F(Shell, FirstRunShowsTheFrameItsBoxesAndRoutesTheKeysAndItsSettingsAreReadByTheNext) {
    EXPECT_EQ(WindowText(wn) + (IsZoomed(wn) ? ", maximized" : ""), "Orvex, maximized");
    EXPECT_TRUE(Checks(CM_VIEW_TEXT) && Unchecked(CM_VIEW_HEX) &&
                (MenuState(CM_ADDR_PHYSICAL) & MF_CHECKED));
    for (int id :
         {CM_COPY, CM_EXPORT_MARKED, CM_EXPORT_BITMAPS, CM_EXPORT_CURSORS, CM_EXPORT_ICONS})
        EXPECT_TRUE(MenuState(id) & MF_GRAYED) << id;
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0), 19);
    EXPECT_EQ(StatusText(0) + StatusText(1),
              "Commands can be typed in and will appear here.\tRepeat");
    // The view lies between toolbar and status bar, full width.
    EXPECT_EQ(Rect(hViewWnd, wn),
              (std::vector<LONG>{0, ToolBarHeight, ViewWidth, ToolBarHeight + ViewHeight}));
    // The status bar's right click opens the syntax help left of its first edge only.
    const std::pair<void (*)(), const char*> boxes[] = {
        {[] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2)); },
         "Keyboard Command Syntax|"},
        {[] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2)); }, ""},
        {[] { Command(CM_ABOUT); }, "About Orvex|"},
        {[] { Route(hViewWnd, WM_KEYDOWN, VK_F1, 0); }, ""}};  // the guide, no box
    for (const auto& [act, box] : boxes) {
        act();
        const auto seen = TakeDialogs();
        EXPECT_EQ(seen.empty() ? "" : seen[0].substr(0, std::strlen(box)), box);
    }
    // Where the routing sends a key (with Ctrl held or not).
    const struct {
        HWND from;
        WPARAM key;
        bool ctrl;
        HWND to;
    } keys[] = {{hFindEdit, VK_F5, false, wn},  {hFindEdit, 'C', false, hFindEdit},
                {wn, VK_NEXT, false, hViewWnd}, {hViewWnd, VK_BACK, false, hViewWnd},
                {hFindEdit, 'F', true, wn},     {hFindEdit, 'V', true, hFindEdit}};
    for (const auto& k : keys) {
        MSG m{k.from, WM_KEYDOWN, k.key, 0, 0, {0, 0}};
        SetControl(k.ctrl);
        RouteMessage(&m);
        EXPECT_EQ(m.hwnd, k.to) << k.key << (k.ctrl ? " ctrl" : "");
    }
    SetControl(false);

    // The settings this run saves are read by the next.
    for (int id : {CM_HEX_SEARCH, CM_EXACT_CASE, CM_WRAP, CM_CONVERT, CM_ADDR_RVA}) Command(id);
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    Command(CM_EXIT);  // which saves
    EXPECT_FALSE(IsWindow(wn));
    StopShell();
    const char recent[] = "C:\\one.txt\t\tC:\\three.txt";
    HKEY key;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key);
    RegSetValueExA(key, "Recent", 0, REG_BINARY, reinterpret_cast<const BYTE*>(recent),
                   sizeof recent);
    RegCloseKey(key);
    // The next run opens the file named on its command line wrapped for the
    // width its first paint found.
    std::string text;
    for (int i = 0; i < 300 * 50; ++i) text += i % 50 == 49 ? "words\r\n" : "words ";
    const std::string path = TempFile("orvex-wrapped.txt", text);
    StartShell(path.c_str());
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{});
    EXPECT_EQ(HexSearch + ExactCase + WrapFlag + ConvertFlag, 32);
    EXPECT_TRUE(Checks(CM_WRAP) && Checks(CM_EXACT_CASE) && Checks(CM_HEX_SEARCH));
    EXPECT_TRUE((MenuState(CM_ADDR_RVA) & MF_CHECKED) &&
                !(MenuState(CM_ADDR_PHYSICAL) & MF_CHECKED));
    EXPECT_EQ(MenuText(CM_RECENT + 3), "C:\\three.txt");  // below the file opened
    EXPECT_EQ(Rect(wn), (std::vector<LONG>{30, 40, 530, 340}));
    EXPECT_EQ(WrapCols, ScreenCols);
    EXPECT_GT(NumLines, 301);
    // Wrap off from the last wrapped line keeps the line in the file.
    LineNum = NumLines;
    Command(CM_WRAP);
    EXPECT_EQ(StatusText(2), "\tLine     301 of     301");
}

TEST_F(Shell, LoadingReloadingRecentItemsAndModes) {
    const std::string bytes = std::string(204800, 'x') + "y";
    const std::string path = TempFile("orvex-load.txt", bytes),
                      locked = TempFile("orvex-locked.bin", "locked");
    OpenFile(path);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  204,801 bytes");
    // Read through the file API into a block of its own, the file closed.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(FileBuf), FileSize), bytes);
    EXPECT_TRUE(hFileMem && !hFile);
    // A missing file and one held without sharing: the error box with the
    // system's code, and the document stays.
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    OpenFile(path + ".missing");
    OpenFile(locked);
    CloseHandle(lock);
    const auto seen = TakeDialogs();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].rfind("Line 2126, Error Code 2|", 0), 0u) << seen[0];
    EXPECT_EQ(seen[1].rfind("Line 2126, Error Code 32|", 0), 0u) << seen[1];
    EXPECT_EQ(FileSize, 204801);
    EXPECT_EQ(MenuText(CM_RECENT) + "|" + MenuText(CM_RECENT + 1), path + "|");
    OpenFile(locked);
    Command(CM_RECENT + 1);  // moves to the top
    EXPECT_EQ(FileSize, 204801);
    EXPECT_EQ(MenuText(CM_RECENT) + "|" + MenuText(CM_RECENT + 1), path + "|" + locked);
    TempFile("orvex-load.txt", "changed!");
    Key('R', true, hViewWnd);  // reloads in place, into the file area
    EXPECT_EQ(std::string(reinterpret_cast<char*>(FileBuf), FileSize), "changed!");
    EXPECT_EQ(hFileMem, nullptr);
    EXPECT_EQ(MenuText(CM_RECENT) + "|" + MenuText(CM_RECENT + 1), path + "|" + locked);
    // The mode commands move the checks.
    Command(CM_VIEW_HEX);
    EXPECT_TRUE(Checks(CM_VIEW_HEX) && Unchecked(CM_VIEW_TEXT));
    Command(CM_VIEW_INTERP);
    EXPECT_TRUE((ButtonState(CM_VIEW_INTERP) & TBSTATE_CHECKED) && Unchecked(CM_VIEW_HEX));
    // Too many lines leave text mode, with the box once for each ask.
    Key('T', true, hFindEdit);
    OpenFile(TempFile("orvex-lines.txt", std::string(40000, '\n')));
    Command(CM_VIEW_TEXT);
    EXPECT_TRUE(Checks(CM_VIEW_HEX));
    const std::string box =
        "Text mode not available|This file has too many lines for me to handle.";
    EXPECT_EQ(SeenDialogs, (std::vector<std::string>{box, box}));
}

// orvex.exe (in the build directory) on a file: its title; closed, what it saved.
TEST(OrvexExe, OpensTheNamedFileAndSavesOnClose) {
    DeleteSettingsKey();
    const std::string file = TempFile("orvex e2e file.txt", "hello\r\nworld\r\n");
    std::string exe(MAX_PATH, '\0');
    exe.resize(GetModuleFileNameA(nullptr, &exe[0], MAX_PATH));
    for (int i = 0; i < 3; ++i) exe.resize(exe.find_last_of('\\'));
    exe += "\\orvex.exe";
    std::string line = "\"" + exe + "\" \"" + file + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    const std::string title = "Orvex - " + file + "  14 bytes";
    HWND h = nullptr;  // its main window, titled with the file
    for (int i = 0; i < 200 && !(h = FindWindowA("Orvex", title.c_str())); ++i) Sleep(50);
    ASSERT_TRUE(h);
    PostMessageA(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(ReadSetting("Recent"), file + std::string(9, '\t') + '\0');
    DeleteSettingsKey();
}

}  // namespace
