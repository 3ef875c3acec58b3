// The main window's menus, toolbar, status bar and stored settings; the screen
// font and colours chosen in their dialogs, as drawn.
#include "appearance/font_list_win.h"
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

enum FontItem { FamilyList = 160, SizeList = 161 };
// The colour dialog's edits of red, green and blue; its button "Add to Custom
// Colors"; its custom colours.
enum ColorItem { RedEdit = 706, AddCustomButton = 712, CustomBoxes = 721 };

// The entries of a list view as "|a|*b|c|" (* selected), which must be sorted.
std::string Entries(HWND list) {
    std::string out = "|", last;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        char text[64] = "";
        ListView_GetItemText(list, i, 0, text, sizeof text);
        EXPECT_LT(lstrcmpiA(last.c_str(), text), 0) << "after \"" << last << "\": " << text;
        out += std::string(ListView_GetItemState(list, i, LVIS_SELECTED) ? "*" : "") + text + "|";
        last = text;
    }
    return out;
}

// Runs `command`, whose dialog `title` is answered by `answer`, then `button`.
void Show(int command, const char* title, const Script& answer, int button = IDOK) {
    Answers[title] = [answer, button](HWND d) {
        answer(d);
        Click(d, button);
    };
    Command(command);
    ASSERT_EQ(TakeTitles(), title);
    PaintView();
}

using Appearance = ShellTest;

// The font dialog lists the fixed-pitch families, sorted, with the sizes of the family: the raster
// Terminal's as "height x width", 12 preselected, the width read back from the text chosen; then a
// TrueType face's, the current height preselected.
TEST_F(Appearance, FontAndColoursChosenAreDrawn) {
    OpenPath(TempFile("orvex-appearance.txt", std::string(40, 'p')), CM_VIEW_TEXT);
    SetMark(1, 2, 6);
    std::string families, terminal, picked;
    FontWidth = 3;
    Show(CM_SELECT_FONT, "Select Font and Size", [&](HWND d) {
        families = Entries(GetDlgItem(d, FamilyList));
        terminal = Entries(GetDlgItem(d, SizeList));
        SelectFamily(GetDlgItem(d, SizeList), "16 x  8");  // as a click would
    });
    EXPECT_EQ(terminal, "| 8 x  8|*12 x  8|16 x  8|");
    EXPECT_EQ(families.find("|Liberation Serif|"), std::string::npos) << "not of fixed pitch";
    EXPECT_EQ(FontHeight, 16);
    EXPECT_EQ(FontWidth, 8);
    Show(CM_SELECT_FONT, "Select Font and Size", [&](HWND d) {
        SelectFamily(GetDlgItem(d, FamilyList), "Liberation Mono");
        picked = Entries(GetDlgItem(d, SizeList));
        SelectFamily(GetDlgItem(d, SizeList), "18");
    });
    EXPECT_EQ(picked, "| 8| 9|10|11|12|14|*16|18|20|");
    EXPECT_EQ(CharWidth, 10) << "of \"A\" in Liberation Mono 18";
    // The colour's value afterwards is seen in cell `col` of row 0 (3 is
    // marked, 20 is not) and not in the other. A colour added to the custom
    // colours is offered again by the next dialog, in its first custom box.
    enum Custom { None, Add, Pick };  // Pick: the first custom box, not the typed colour
    const struct {
        int command, button;
        COLORREF typed;
        Custom custom;
        COLORREF value;
        int col;
    } cases[] = {
        {CM_BK_COLOR, IDCANCEL, RGB(1, 2, 3), None, RGB(255, 255, 192), 20},
        {CM_TEXT_COLOR, IDOK, RGB(10, 200, 30), Add, RGB(10, 200, 30), 20},
        {CM_MARK_BK_COLOR, IDOK, RGB(160, 0, 160), None, RGB(160, 0, 160), 3},
        {CM_BK_COLOR, IDOK, RGB(0, 160, 0), Pick, RGB(10, 200, 30), 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        const Script answer = [&](HWND d) {
            for (int i = 0; i < 3; ++i)
                SetDlgItemInt(d, RedEdit + i, (c.typed >> (8 * i)) & 0xFF, FALSE);
            if (c.custom == Add) Click(d, AddCustomButton);
            if (c.custom != Pick) return;
            HWND boxes = GetDlgItem(d, CustomBoxes);  // 8 a row in 2 rows
            RECT r;
            GetClientRect(boxes, &r);
            POINT p{r.right / 16, r.bottom / 4};
            MapWindowPoints(boxes, d, &p, 1);
            SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            SendMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        };
        Show(c.command, "Color", answer, c.button);
        EXPECT_EQ(*CommandColor(c.command), c.value);
        EXPECT_GT(CellPixels(c.col, 0, c.value), 0);
        EXPECT_EQ(CellPixels(23 - c.col, 0, c.value), 0);
    }
}

}  // namespace
