// The application shell: the main window through the program's routing, its
// menus, toolbar, status bar, title and registry.
#include "win_test_support.h"

namespace {

// Where an option's check shows: "menu+button", "menu", "button" or "none".
std::string Ticked(int id) {
    const LRESULT state = ButtonState(id);  // -1: no such button
    const bool menu = MenuState(id) & MF_CHECKED;
    const bool button = state != -1 && (state & TBSTATE_CHECKED);
    if (menu && button) return "menu+button";
    return menu ? "menu" : button ? "button" : "none";
}

void StoreSetting(const char* name, const std::string& bytes) {
    HKEY key;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key);
    RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

using Shell = ShellTest;

TEST_F(Shell, FirstRunShowsTheFrameItsBoxesAndRoutesTheKeys) {
    EXPECT_EQ(WindowText(wn), "Orvex");
    EXPECT_TRUE(IsZoomed(wn));
    EXPECT_EQ(Ticked(CM_VIEW_TEXT), "menu+button");
    EXPECT_EQ(Ticked(CM_VIEW_HEX), "none");
    EXPECT_EQ(Ticked(CM_ADDR_PHYSICAL), "menu");
    for (int id : {CM_COPY, CM_EXPORT_MARKED, CM_EXPORT_BITMAPS, CM_EXPORT_ICONS})
        EXPECT_TRUE(MenuState(id) & MF_GRAYED) << id;
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    EXPECT_EQ(StatusText(1), "\tRepeat");
    // The view lies between toolbar and status bar, full width.
    EXPECT_EQ(Rect(hViewWnd, wn),
              (std::vector<LONG>{0, ToolBarHeight, ViewWidth, ToolBarHeight + ViewHeight}));

    const struct {
        const char* action;
        void (*act)();
        const char* boxes;  // the titles of the boxes it opened
    } boxes[] = {
        {"right click left of the status bar's first edge",
         [] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2)); },
         "Keyboard Command Syntax"},
        {"right click right of it",
         [] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2)); }, ""},
        {"About", [] { Command(CM_ABOUT); }, "About Orvex"},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.action);
        b.act();
        EXPECT_EQ(TakeTitles(), b.boxes);
    }

    const struct {
        const char* key;
        HWND from;
        WPARAM vk;
        bool ctrl;
        HWND to;
    } keys[] = {
        {"F5 in the find box", hFindEdit, VK_F5, false, wn},
        {"a letter in the find box", hFindEdit, 'C', false, hFindEdit},
        {"Page Down in the frame", wn, VK_NEXT, false, hViewWnd},
        {"Backspace in the view", hViewWnd, VK_BACK, false, hViewWnd},
        {"Ctrl+F in the find box", hFindEdit, 'F', true, wn},
        {"Ctrl+V in the find box (its paste)", hFindEdit, 'V', true, hFindEdit},
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        MSG m{k.from, WM_KEYDOWN, k.vk, 0, 0, {0, 0}};
        SetControl(k.ctrl);
        RouteMessage(&m);
        SetControl(false);
        EXPECT_EQ(m.hwnd, k.to);
    }
}

TEST_F(Shell, TheSettingsOneRunSavesAreReadByTheNext) {
    for (int id : {CM_HEX_SEARCH, CM_EXACT_CASE, CM_WRAP, CM_CONVERT, CM_ADDR_RVA}) Command(id);
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    Command(CM_EXIT);  // which saves
    EXPECT_FALSE(IsWindow(wn));
    StopShell();
    StoreSetting("Recent", std::string("C:\\one.txt\t\tC:\\three.txt", 25) + '\0');
    // The next run opens the file named on its command line, wrapped for the
    // width its first paint found: 300 lines of 50 words, each wider than the view.
    std::string text;
    for (int i = 0; i < 300 * 50; ++i) text += i % 50 == 49 ? "words\r\n" : "words ";
    StartShell(TempFile("orvex-wrapped.txt", text).c_str());
    EXPECT_EQ(TakeTitles(), "");
    for (int id : {CM_WRAP, CM_EXACT_CASE, CM_HEX_SEARCH}) EXPECT_EQ(Ticked(id), "menu+button");
    EXPECT_EQ(Ticked(CM_CONVERT), "menu");
    EXPECT_EQ(Ticked(CM_ADDR_RVA), "menu");
    EXPECT_EQ(Ticked(CM_ADDR_PHYSICAL), "none");
    EXPECT_EQ(MenuText(CM_RECENT + 3), "C:\\three.txt");  // below the file opened
    EXPECT_EQ(Rect(wn), (std::vector<LONG>{30, 40, 530, 340}));
    EXPECT_EQ(WrapCols, ScreenCols);
    EXPECT_GT(NumLines, 301);
    // Wrap off from the last wrapped line keeps the line in the file.
    LineNum = NumLines;
    Command(CM_WRAP);
    EXPECT_EQ(StatusText(2), "\tLine     301 of     301");
}

// "Settings" is read only when it holds exactly 92 bytes; the view mode is the
// 16-bit field at offset 72 (305: hex).
TEST_F(Shell, AStoredSettingsValueOfAnotherSizeIsIgnored) {
    StopShell();
    std::string saved = ReadSetting("Settings");
    ASSERT_EQ(saved.size(), 92u);
    saved[72] = 0x31;  // 305 = 0x0131, little-endian
    saved[73] = 0x01;
    const struct {
        size_t size;
        const char* hex;  // where hex mode is ticked after the start
    } cases[] = {
        {91, "none"},
        {92, "menu+button"},
        {93, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        StoreSetting("Settings", (saved + '\0').substr(0, c.size));
        StartShell();
        EXPECT_EQ(Ticked(CM_VIEW_HEX), c.hex);
        StopShell();
        EXPECT_EQ(ReadSetting("Settings").size(), 92u) << "written back whole";
    }
    StartShell();
}

TEST_F(Shell, LoadingReloadingRecentItemsAndModes) {
    const std::string bytes = std::string(204800, 'x') + "y";
    const std::string path = TempFile("orvex-load.txt", bytes);
    const std::string locked = TempFile("orvex-locked.bin", "locked");
    OpenFile(path);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  204,801 bytes");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(FileBuf), FileSize), bytes);
    // A missing file and one held without sharing: the error box with the
    // system's code, and the document stays.
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    OpenFile(path + ".missing");
    OpenFile(locked);
    CloseHandle(lock);
    EXPECT_EQ(TakeTitles(), "Line 2126, Error Code 2, Line 2126, Error Code 32");
    EXPECT_EQ(FileSize, 204801);
    OpenFile(locked);
    Command(CM_RECENT + 1);  // moves to the top
    EXPECT_EQ(FileSize, 204801);
    TempFile("orvex-load.txt", "changed!");
    Key('R', true, hViewWnd);  // reloads in place, into the file area
    EXPECT_EQ(std::string(reinterpret_cast<char*>(FileBuf), FileSize), "changed!");
    EXPECT_EQ(MenuText(CM_RECENT) + "|" + MenuText(CM_RECENT + 1), path + "|" + locked);
    // Too many lines leave text mode, with the box once for each ask.
    Command(CM_VIEW_HEX);
    Key('T', true, hFindEdit);
    OpenFile(TempFile("orvex-lines.txt", std::string(40000, '\n')));
    Command(CM_VIEW_TEXT);
    EXPECT_EQ(Ticked(CM_VIEW_HEX), "menu+button");
    const std::string box =
        "Text mode not available|This file has too many lines for me to handle.";
    EXPECT_EQ(SeenDialogs, (Texts{box, box}));
}

}  // namespace
