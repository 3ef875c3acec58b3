// The application shell: the main window through the program's routing, its
// menus, toolbar, status bar, title and registry.
#include "win_test_support.h"

namespace {

// Where an option's check shows: "menu+button", "menu", "+button" or "".
std::string Ticked(int id) {
    const LRESULT state = ButtonState(id);  // -1: no such button
    const bool button = state != -1 && (state & TBSTATE_CHECKED);
    return std::string(MenuState(id) & MF_CHECKED ? "menu" : "") + (button ? "+button" : "");
}

void StoreSetting(const char* name, const std::string& bytes) {
    HKEY key;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key);
    RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

using Shell = ShellTest;

TEST_F(Shell, FirstRunShowsTheFrameAndTheSyntaxHelp) {
    EXPECT_EQ(WindowText(wn), "Orvex");
    EXPECT_EQ(Ticked(CM_VIEW_TEXT), "menu+button");
    // The syntax help opens on a right click left of the status bar's first edge only.
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2));
    EXPECT_EQ(TakeTitles(), "Keyboard Command Syntax");
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2));
    EXPECT_EQ(TakeTitles(), "");
}

TEST_F(Shell, TheSettingsOneRunSavesAreReadByTheNext) {
    for (int id : {CM_HEX_SEARCH, CM_WRAP, CM_ADDR_RVA}) Command(id);
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    Command(CM_EXIT);  // which saves
    EXPECT_FALSE(IsWindow(wn));
    StopShell();
    StoreSetting("Recent", std::string("C:\\one.txt\t\tC:\\three.txt", 25) + '\0');
    // The next run opens the file named on its command line, wrapped for the
    // width its first paint found: 30 lines each wider than the view.
    std::string text;
    for (int i = 0; i < 30 * 50; ++i) text += i % 50 == 49 ? "words\r\n" : "words ";
    StartShell(TempFile("orvex-wrapped.txt", text).c_str());
    EXPECT_EQ(TakeTitles(), "");
    for (int id : {CM_WRAP, CM_HEX_SEARCH}) EXPECT_EQ(Ticked(id), "menu+button");
    EXPECT_EQ(Ticked(CM_ADDR_RVA), "menu");
    char recent[MAX_PATH] = "";  // below the file opened
    GetMenuStringA(GetMenu(wn), CM_RECENT + 3, recent, sizeof recent, MF_BYCOMMAND);
    EXPECT_STREQ(recent, "C:\\three.txt");
    EXPECT_EQ(Rect(wn), (std::vector<LONG>{30, 40, 530, 340}));
    EXPECT_EQ(WrapCols, ScreenCols);
    EXPECT_GT(NumLines, 31);
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
        {91, ""},
        {92, "menu+button"},
        {93, ""},
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

}  // namespace
