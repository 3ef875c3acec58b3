// The main window's menus, toolbar, status bar and stored settings.
#include "view/nav_dialogs.h"
#include "win_test_support.h"

namespace {

// Where an option's check shows: "menu+button", "menu", "+button" or "".
std::string Ticked(int id) {
    const LRESULT state = SendMessageA(hToolBar, TB_GETSTATE, id, 0);  // -1: no such button
    const bool button = state != -1 && (state & TBSTATE_CHECKED);
    const bool menu = GetMenuState(GetMenu(wn), id, MF_BYCOMMAND) & MF_CHECKED;
    return std::string(menu ? "menu" : "") + (button ? "+button" : "");
}

// The stored "Settings" value ("": none), `bytes` stored first unless empty.
std::string StoredSettings(const std::string& bytes = "") {
    HKEY key;
    if (!bytes.empty() && !RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key)) {
        RegSetValueExA(key, "Settings", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    DWORD size = 4096;
    std::string out(size, '\0');
    const LONG error = RegGetValueA(HKEY_LOCAL_MACHINE, SettingsKey, "Settings", RRF_RT_ANY,
                                    nullptr, &out[0], &size);
    return out.substr(0, error ? 0 : size);
}

using Shell = ShellTest;

// The syntax help opens on a right click left of the status bar's first edge only.
TEST_F(Shell, TheSyntaxHelpOpensLeftOfTheFirstEdgeOnly) {
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
    RECT r;
    GetWindowRect(wn, &r);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
              (std::vector<LONG>{30, 40, 530, 340}));
    EXPECT_EQ(WrapCols, ScreenCols);
    EXPECT_GT(NumLines, 31);
}

// "Settings" is read only when it holds exactly 92 bytes; the view mode is the
// 16-bit field at offset 72 (305: hex).
TEST_F(Shell, AStoredSettingsValueOfAnotherSizeIsIgnored) {
    StopShell();
    std::string saved = StoredSettings();
    ASSERT_EQ(saved.size(), 92u);
    saved[72] = 0x31;  // 305 = 0x0131, little-endian
    saved[73] = 0x01;
    for (size_t size : {91, 92}) {
        SCOPED_TRACE(size);
        StoredSettings((saved + '\0').substr(0, size));
        StartShell();
        EXPECT_EQ(Ticked(CM_VIEW_HEX), size == 92 ? "menu+button" : "") << "hex read or not";
        StopShell();
        EXPECT_EQ(StoredSettings().size(), 92u) << "written back whole";
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
