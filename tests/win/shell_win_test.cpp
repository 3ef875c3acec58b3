// The application shell: the main window through the program's routing, its
// menus, toolbar, status bar, title and registry.
#include "view/nav_dialogs.h"
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
    StopShell();
    // The next run opens the file it is given wrapped for its first paint's width.
    std::string text;
    for (int i = 0; i < 30 * 50; ++i) text += i % 50 == 49 ? "words\r\n" : "words ";
    StartShell(TempFile("orvex-wrapped.txt", text).c_str());
    for (int id : {CM_WRAP, CM_HEX_SEARCH}) EXPECT_EQ(Ticked(id), "menu+button");
    EXPECT_EQ(Ticked(CM_ADDR_RVA), "menu");
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

// The number converter, a modeless copy of its dialog: ten places, or a box.
TEST_F(Shell, TheConverterFillsTenPlacesOrRefuses) {
    HWND dlg = CreateDialogParamA(hInst, "CONVERT", wn, ConvertDlgProc, 0);
    ASSERT_TRUE(dlg);
    SetDlgItemTextA(dlg, ID_EDIT_FIRST, "FFFFFFFF");
    Click(dlg, ID_TO_DECIMAL);
    EXPECT_EQ(ItemText(dlg, ID_EDIT_SECOND), "4294967295");
    SetDlgItemTextA(dlg, ID_EDIT_FIRST, "123456789");  // more than 8 hex digits
    Click(dlg, ID_TO_DECIMAL);
    EXPECT_EQ(TakeDialogs().back(), "Sorry|Number is too big for me.");  // after its own
    DestroyWindow(dlg);
}

}  // namespace
