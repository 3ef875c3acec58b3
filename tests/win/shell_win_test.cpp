// The application shell under Wine: the real main window, driven through the
// program's routing, checked on its globals, menus, toolbar, status bar,
// title and the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "app/app_win.h"
#include "app/find.h"
#include "app/layout.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "document/document.h"
#include "document/line_index.h"
#include "win_test_support.h"

namespace {

class Shell : public ShellTest {
protected:
    // A 92-byte record of the defaults with some fields changed.
    static std::vector<uint8_t> Record() {
        DefaultSettings();
        std::vector<uint8_t> r(SettingsSize);
        PackSettings(r.data());
        return r;
    }
    // Writes a value while no window is there to overwrite it at its end,
    // then starts again.
    static void RestartWith(const char* name, DWORD type, const void* data, DWORD size) {
        StopShell();
        WriteSetting(name, type, data, size);
        StartShell();
    }
    static int32_t Int(const std::vector<uint8_t>& v, size_t at) {
        int32_t x;
        std::memcpy(&x, v.data() + at, 4);
        return x;
    }
};

// 300 lines of 300 characters in words of six: about 90 KB of text.
std::string LongLines() {
    std::string line;
    for (int w = 0; w < 50; ++w) line += "words ";
    std::string text;
    for (int i = 0; i < 300; ++i) text += line + "\r\n";
    return text;
}

bool Seen(const std::string& part) {
    for (auto& d : SeenDialogs)
        if (d.find(part) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST_F(Shell, FirstRunCreatesTheKeyAndShowsTheFrame) {
    EXPECT_TRUE(SettingsKeyExists());
    EXPECT_EQ(WindowText(wn), "Orvex");
    EXPECT_TRUE(IsZoomed(wn));  // MaxFlag 1
    EXPECT_EQ(IsMaximized, 1);

    EXPECT_EQ(MenuState(304) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuState(311) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuState(305) & MF_CHECKED, 0u);
    for (int id : {277, 259, 260, 261, 262})
        EXPECT_EQ(MenuState(id) & MF_GRAYED, static_cast<UINT>(MF_GRAYED)) << id;
    EXPECT_EQ(MenuText(308), "&Wrap Lines");
    EXPECT_EQ(MenuText(312), "&Relative Virtual Address (RVA)");
    EXPECT_EQ(MenuText(256), "E&xit");
    EXPECT_EQ(MenuText(336), "");  // recent items show the empty entries

    EXPECT_EQ(SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0), 19);
    EXPECT_TRUE(ButtonState(304) & TBSTATE_CHECKED);
    EXPECT_FALSE(ButtonState(305) & TBSTATE_CHECKED);
    EXPECT_TRUE(ButtonState(277) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(GetParent(hFindCombo), hToolBar);
    EXPECT_EQ(GetParent(hFindEdit), hFindCombo);

    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    EXPECT_EQ(StatusText(1), "\tRepeat");
    RECT r;
    GetClientRect(wn, &r);
    EXPECT_EQ(StatusEdges[0], r.right - 370);
    EXPECT_EQ(StatusEdges[3], r.right);

    // The view lies between toolbar and status bar, full width.
    RECT v;
    GetWindowRect(hViewWnd, &v);
    MapWindowPoints(HWND_DESKTOP, wn, reinterpret_cast<POINT*>(&v), 2);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.top, ToolBarHeight);
    EXPECT_EQ(v.right - v.left, ViewWidth);
    EXPECT_EQ(v.bottom - v.top, ViewHeight);
}

TEST_F(Shell, TooltipsComeFromTheStringTable) {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = hToolBar;
    info.hdr.idFrom = 293;
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(wn, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_TRUE(info.lpszText);
    EXPECT_STREQ(info.lpszText, "Search in reverse direction");
    info.hdr.idFrom = 306;
    SendMessageA(wn, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.lpszText, "View in character mode");
}

TEST_F(Shell, SavedAtDestructionWithTheRectangleKeptWhileMaximised) {
    StopShell();
    auto s = ReadSetting("Settings");
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(Int(s, 0), 0);
    EXPECT_EQ(Int(s, 8), 640);
    EXPECT_EQ(Int(s, 12), 450);
    EXPECT_EQ(s[82], 1);  // MaxFlag
    auto font = ReadSetting("Font");
    EXPECT_EQ(std::string(font.begin(), font.end()), std::string("Terminal", 9));
    auto recent = ReadSetting("Recent");
    EXPECT_EQ(std::string(recent.begin(), recent.end()), std::string(9, '\t') + '\0');
    EXPECT_EQ(ReadSetting("Find"), std::vector<uint8_t>{0});
    auto footer = ReadSetting("Footer");
    EXPECT_EQ(footer.size(), 1 + std::strlen("%F\tPage %p of %n\t%D  %T") + 1);
    EXPECT_EQ(footer[0], 1);
    StartShell();
}

TEST_F(Shell, RestoredWindowStoresItsRectangle) {
    auto r = Record();
    r[82] = 0;  // not maximised
    RestartWith("Settings", REG_BINARY, r.data(), 92);
    EXPECT_FALSE(IsZoomed(wn));
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    StopShell();
    auto s = ReadSetting("Settings");
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(Int(s, 0), 30);
    EXPECT_EQ(Int(s, 4), 40);
    EXPECT_EQ(Int(s, 8), 530);
    EXPECT_EQ(Int(s, 12), 340);
    EXPECT_EQ(s[82], 0);
    StartShell();
}

TEST_F(Shell, WrongSizedRecordsGiveAllDefaults) {
    auto r = Record();
    r[72] = 0x31;  // Checked 305
    for (DWORD size : {91u, 93u}) {
        std::vector<uint8_t> v(r);
        v.resize(size);
        RestartWith("Settings", REG_BINARY, v.data(), size);
        EXPECT_EQ(Checked, _TEXT_) << size;
    }
    RestartWith("Settings", REG_BINARY, r.data(), 92);
    EXPECT_EQ(Checked, _HEX_);
    EXPECT_EQ(MenuState(305) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(ButtonState(305) & TBSTATE_CHECKED);
}

TEST_F(Shell, StoredListsAreRead) {
    const char recent[] = "C:\\one.txt\t\tC:\\three.txt";
    const char find[] = "abc\t\tdef";
    StopShell();
    WriteSetting("Recent", REG_BINARY, recent, sizeof recent);
    RestartWith("Find", REG_BINARY, find, sizeof find);
    EXPECT_EQ(MenuText(336), "C:\\one.txt");
    EXPECT_EQ(MenuText(338), "C:\\three.txt");
    ASSERT_EQ(SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0), 3);
    char text[16];
    SendMessageA(hFindCombo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "def");
    StopShell();
    auto stored = ReadSetting("Find");
    EXPECT_EQ(std::string(stored.begin(), stored.end()), std::string(find, sizeof find));
    StartShell();
}

TEST_F(Shell, LoadingSetsTitleRecentAndPositions) {
    const std::string path = TempFile("orvex-load.txt", std::string(12345, 'x'));
    std::strcpy(FileName, path.c_str());
    Command(258);
    EXPECT_EQ(FileSize, 12345);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  12,345 bytes");
    EXPECT_EQ(MenuText(336), path);
    EXPECT_EQ(MarkState, 0);
    EXPECT_TRUE(SeenDialogs.empty());

    // A missing file: the error box, and the document stays.
    std::strcpy(FileName, (path + ".missing").c_str());
    Command(258);
    EXPECT_TRUE(Seen("Line 2126, Error Code 2|"));
    EXPECT_EQ(FileSize, 12345);
    EXPECT_STREQ(FileName, path.c_str());
    EXPECT_EQ(MenuText(337), "");
    DeleteFileA(path.c_str());
}

TEST_F(Shell, ReloadAndRecentItems) {
    const std::string a = TempFile("orvex-a.bin", "aaaa");
    const std::string b = TempFile("orvex-b.bin", "bb");
    std::strcpy(FileName, a.c_str());
    Command(258);
    std::strcpy(FileName, b.c_str());
    Command(258);
    EXPECT_EQ(MenuText(336), b);
    EXPECT_EQ(MenuText(337), a);
    Command(337);  // recent item 1: a
    EXPECT_EQ(FileSize, 4);
    EXPECT_EQ(MenuText(336), a);
    EXPECT_EQ(MenuText(337), b);

    TempFile("orvex-a.bin", "changed!");
    SetControl(true);
    Route(hViewWnd, WM_KEYDOWN, 'R', 0);  // Ctrl+R reaches the main window
    SetControl(false);
    EXPECT_EQ(FileSize, 8);
    EXPECT_EQ(MenuText(336), a);
    EXPECT_EQ(MenuText(337), b);
    DeleteFileA(a.c_str());
    DeleteFileA(b.c_str());
}

TEST_F(Shell, ModeChangesKeepThePlaceAndTheChecks) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line of text\r\n";  // 14 bytes a line
    const std::string path = OpenInView("orvex-modes.txt", text);
    ASSERT_EQ(Checked, _TEXT_);
    LineNum = 11;
    Command(305);
    EXPECT_EQ(ByteNum, 140);
    EXPECT_EQ(Checked, _HEX_);
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_EQ(MenuState(305) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuState(304) & MF_CHECKED, 0u);
    EXPECT_TRUE(ButtonState(305) & TBSTATE_CHECKED);
    EXPECT_FALSE(ButtonState(304) & TBSTATE_CHECKED);
    UpdateWindow(wn);
    EXPECT_EQ(StatusText(2), "\tByte values are in hex.");
    EXPECT_EQ(StatusText(3), "\tByte      8C of    1068");

    ByteNum = 14 * 20 + 3;
    SetControl(true);
    Route(hFindEdit, WM_KEYDOWN, 'T', 0);  // Ctrl+T from the find box
    SetControl(false);
    EXPECT_EQ(Checked, _TEXT_);
    EXPECT_EQ(LineNum, 21);
    UpdateWindow(wn);
    EXPECT_EQ(StatusText(2), "\tLine      21 of     301");

    Command(306);
    Command(307);
    EXPECT_EQ(Checked, _INTERP_);
    EXPECT_EQ(MenuState(306) & MF_CHECKED, 0u);
    EXPECT_FALSE(ButtonState(306) & TBSTATE_CHECKED);
    EXPECT_TRUE(ButtonState(307) & TBSTATE_CHECKED);
    DeleteFileA(path.c_str());
}

TEST_F(Shell, TooManyLinesLeavesTextModeOnce) {
    const std::string path = TempFile("orvex-lines.txt", std::string(40000, '\n'));
    std::strcpy(FileName, path.c_str());
    Command(258);
    EXPECT_EQ(Checked, _HEX_);
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0],
              "Text mode not available|This file has too many lines for me to handle.");
    ClearDialogs();
    Command(304);  // asked again: told again, the mode stays
    EXPECT_EQ(Checked, _HEX_);
    EXPECT_EQ(SeenDialogs.size(), 1u);
    DeleteFileA(path.c_str());
}

TEST_F(Shell, OptionTogglesAddressModesWrapAndConvert) {
    Command(292);
    EXPECT_EQ(HexSearch, 8);
    EXPECT_EQ(MenuState(292) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(ButtonState(292) & TBSTATE_CHECKED);
    Command(292);
    EXPECT_EQ(HexSearch, 0);
    EXPECT_FALSE(ButtonState(292) & TBSTATE_CHECKED);
    Command(290);
    EXPECT_EQ(ExactCase, 8);

    Command(308);
    EXPECT_EQ(WrapFlag, 8);
    EXPECT_TRUE(ButtonState(308) & TBSTATE_CHECKED);
    Command(309);
    EXPECT_EQ(ConvertFlag, 8);
    EXPECT_EQ(MenuState(309) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    Command(312);
    EXPECT_EQ(AddrMode, AddrRva);
    EXPECT_EQ(MenuState(311) & MF_CHECKED, 0u);
    EXPECT_EQ(MenuState(312) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    StopShell();
    auto s = ReadSetting("Settings");
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(s[74] | (s[75] << 8), 312);
    EXPECT_EQ(s[80], 8);
    EXPECT_EQ(s[81], 8);
    EXPECT_EQ(s[89], 8);
    EXPECT_EQ(s[90], 0);
    StartShell();
    EXPECT_EQ(MenuState(312) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_TRUE(ButtonState(290) & TBSTATE_CHECKED);
}

TEST_F(Shell, MarkKeysEnableAndGreyCopy) {
    const std::string path = OpenInView("orvex-mark.bin", std::string(100, 'm'));
    Command(305);
    ByteNum = 10;
    SetControl(true);
    Route(hViewWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(MarkState, 1);
    EXPECT_EQ(MarkStart, 10);
    EXPECT_EQ(MarkEnd, 100);
    EXPECT_EQ(MenuState(277) & MF_GRAYED, 0u);
    EXPECT_EQ(MenuState(259) & MF_GRAYED, 0u);
    EXPECT_TRUE(ButtonState(277) & TBSTATE_ENABLED);
    SetControl(false);
    Route(hViewWnd, WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(MarkState, 2);
    SetControl(true);
    Route(hViewWnd, WM_KEYDOWN, 'U', 0);
    SetControl(false);
    EXPECT_EQ(MarkState, 0);
    EXPECT_EQ(MenuState(277) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_TRUE(ButtonState(277) & TBSTATE_INDETERMINATE);
    Route(hViewWnd, WM_KEYDOWN, VK_F2, 0);  // nothing marked: stays so
    EXPECT_EQ(MarkState, 0);
    DeleteFileA(path.c_str());
}

TEST_F(Shell, MessageRoutingRules) {
    MSG m{};
    auto route = [&](HWND h, UINT msg, WPARAM wp, LPARAM lp = 0) {
        m = MSG{};
        m.hwnd = h;
        m.message = msg;
        m.wParam = wp;
        m.lParam = lp;
        RouteMessage(&m);
        return m.hwnd;
    };
    EXPECT_EQ(route(hToolBar, WM_COMMAND, 257), wn);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, VK_F5), wn);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, 'C'), hFindEdit);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, VK_RETURN), wn);
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_F3));
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, VK_DOWN), hFindEdit);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, 'X'), hFindEdit);
    EXPECT_EQ(route(wn, WM_KEYDOWN, VK_NEXT), hViewWnd);
    EXPECT_EQ(route(hViewWnd, WM_KEYDOWN, VK_BACK), hViewWnd);
    SetControl(true);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, 'F'), wn);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, 'V'), hFindEdit);  // paste stays in the box
    SetControl(false);

    SetFocus(hViewWnd);
    EXPECT_EQ(route(hViewWnd, WM_KEYDOWN, '1'), wn);
    EXPECT_EQ(GetFocus(), wn);

    SetFocus(wn);
    EXPECT_EQ(route(hViewWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 6)), hViewWnd);
    EXPECT_EQ(GetFocus(), hViewWnd);

    EXPECT_EQ(route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(431, 5)), wn);
    EXPECT_EQ(HIWORD(m.lParam), ViewHeight + 5);
    EXPECT_EQ(LOWORD(m.lParam), 431);
    EXPECT_EQ(route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2)), wn);
}

TEST_F(Shell, StatusBarRightClickOpensTheSyntaxHelp) {
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2));
    EXPECT_TRUE(Seen("Keyboard Command Syntax|"));
    ClearDialogs();
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2));
    EXPECT_TRUE(SeenDialogs.empty());
}

TEST_F(Shell, AboutAndHelp) {
    Command(321);
    EXPECT_TRUE(Seen("About Orvex|"));
    ClearDialogs();
    Route(hViewWnd, WM_KEYDOWN, VK_F1, 0);
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0],
              "Help|The help file ORVEX.HLP was not found, so help cannot be shown.");
}

TEST_F(Shell, ExitDestroysAndSaves) {
    Command(305);
    Command(256);
    EXPECT_FALSE(IsWindow(wn));
    auto s = ReadSetting("Settings");
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(s[72] | (s[73] << 8), 305);
}

TEST_F(Shell, WrapSavedOnOpensTheNamedFileWrappedAtStart) {
    const std::string path = TempFile("orvex-wrapped.txt", LongLines());
    StopShell();
    DefaultSettings();
    WrapFlag = 8;
    std::vector<uint8_t> record(SettingsSize);
    PackSettings(record.data());
    WriteSetting("Settings", REG_BINARY, record.data(), SettingsSize);
    StartShellWith(path.c_str());
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{});
    EXPECT_EQ(Checked, _TEXT_);
    EXPECT_GT(NumLines, 300);
    EXPECT_LE(NumLines, MaxLines);
    // Built for the width the first paint found.
    EXPECT_GT(ScreenCols, 1);
    EXPECT_EQ(WrapCols, ScreenCols);
    DeleteFileA(path.c_str());
}

TEST_F(Shell, WrapOffFarDownKeepsTheLineInTheFile) {
    const std::string path = OpenInView("orvex-unwrap.txt", LongLines());
    Command(308);
    ASSERT_GT(NumLines, 301);
    LineNum = NumLines;
    Command(308);
    EXPECT_EQ(NumLines, 301);
    EXPECT_EQ(LineNum, 301);
    EXPECT_EQ(StatusText(2), "\tLine     301 of     301");
    DeleteFileA(path.c_str());
}
