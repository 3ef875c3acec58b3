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

bool MenuChecked(int id) { return (MenuState(id) & MF_CHECKED) != 0; }
bool MenuGrayed(int id) { return (MenuState(id) & MF_GRAYED) != 0; }
bool ButtonChecked(int id) { return (ButtonState(id) & TBSTATE_CHECKED) != 0; }

// Whether the menu item and the button (0: none) of `id` show it checked.
void ExpectChecked(int id, bool checked, bool button = true) {
    EXPECT_EQ(MenuChecked(id), checked) << id;
    if (button) { EXPECT_EQ(ButtonChecked(id), checked) << id; }
}

class Shell : public ShellTest {
protected:
    // The stored record of the defaults with byte `at` set to `value`.
    static std::vector<uint8_t> Record(size_t at, uint8_t value) {
        DefaultSettings();
        std::vector<uint8_t> r(SettingsSize);
        PackSettings(r.data());
        r[at] = value;
        return r;
    }
    // Writes a value while no window is there to overwrite it at its end,
    // then starts again.
    static void RestartWith(const char* name, const void* data, DWORD size) {
        StopShell();
        WriteSetting(name, REG_BINARY, data, size);
        StartShell();
    }
    // The record the window saved when it was destroyed; starts again after.
    static std::vector<uint8_t> Saved() {
        StopShell();
        std::vector<uint8_t> s = ReadSetting("Settings");
        StartShell();
        return s;
    }
};

int32_t Int(const std::vector<uint8_t>& v, size_t at) {
    int32_t x = 0;
    if (v.size() >= at + 4) std::memcpy(&x, v.data() + at, 4);
    return x;
}

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

void Open(const std::string& path) {
    std::strcpy(FileName, path.c_str());
    Command(258);
}

}  // namespace

TEST_F(Shell, FirstRunShowsTheFrameWithItsMenusToolbarAndStatusBar) {
    EXPECT_TRUE(SettingsKeyExists());
    EXPECT_EQ(WindowText(wn), "Orvex");
    EXPECT_TRUE(IsZoomed(wn));  // MaxFlag 1
    EXPECT_EQ(IsMaximized, 1);

    ExpectChecked(304, true);
    ExpectChecked(305, false);
    ExpectChecked(311, true, false);
    for (int id : {277, 259, 260, 261, 262}) EXPECT_TRUE(MenuGrayed(id)) << id;
    EXPECT_EQ(MenuText(308), "&Wrap Lines");
    EXPECT_EQ(MenuText(312), "&Relative Virtual Address (RVA)");
    EXPECT_EQ(MenuText(256), "E&xit");
    EXPECT_EQ(MenuText(336), "");  // recent items show the empty entries

    EXPECT_EQ(SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0), 19);
    EXPECT_TRUE(ButtonState(277) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(GetParent(hFindCombo), hToolBar);
    EXPECT_EQ(GetParent(hFindEdit), hFindCombo);
    // Tooltips come from the string table.
    for (auto [id, tip] : {std::pair<int, const char*>{293, "Search in reverse direction"},
                           {306, "View in character mode"}}) {
        NMTTDISPINFOA info{};
        info.hdr = {hToolBar, static_cast<UINT_PTR>(id), static_cast<UINT>(TTN_NEEDTEXTA)};
        SendMessageA(wn, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_TRUE(info.lpszText) << id;
        EXPECT_STREQ(info.lpszText, tip);
    }

    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    EXPECT_EQ(StatusText(1), "\tRepeat");
    RECT r, v;
    GetClientRect(wn, &r);
    EXPECT_EQ(StatusEdges[0], r.right - 370);
    EXPECT_EQ(StatusEdges[3], r.right);
    // The view lies between toolbar and status bar, full width.
    GetWindowRect(hViewWnd, &v);
    MapWindowPoints(HWND_DESKTOP, wn, reinterpret_cast<POINT*>(&v), 2);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.top, ToolBarHeight);
    EXPECT_EQ(v.right - v.left, ViewWidth);
    EXPECT_EQ(v.bottom - v.top, ViewHeight);

    // The status bar's right click opens the syntax help left of its first
    // edge only; About and F1 show their boxes.
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2));
    EXPECT_TRUE(Seen("Keyboard Command Syntax|"));
    ClearDialogs();
    Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2));
    EXPECT_TRUE(SeenDialogs.empty());
    Command(321);
    EXPECT_TRUE(Seen("About Orvex|"));
    ClearDialogs();
    Route(hViewWnd, WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{
                               "Help|The help file ORVEX.HLP was not found, so help cannot be shown."});
}

TEST_F(Shell, MessageRoutingRules) {
    MSG m{};
    auto route = [&](HWND h, UINT msg, WPARAM wp, LPARAM lp = 0) {
        m = MSG{h, msg, wp, lp, 0, {0, 0}};
        RouteMessage(&m);
        return m.hwnd;
    };
    const struct {
        HWND from;
        WPARAM key;
        bool ctrl;
        HWND to;
    } keys[] = {{hFindEdit, VK_F5, false, wn},         {hFindEdit, 'C', false, hFindEdit},
                {hFindEdit, VK_DOWN, false, hFindEdit}, {hFindEdit, 'X', false, hFindEdit},
                {wn, VK_NEXT, false, hViewWnd},         {hViewWnd, VK_BACK, false, hViewWnd},
                {hFindEdit, 'F', true, wn},             {hFindEdit, 'V', true, hFindEdit}};
    for (const auto& k : keys) {
        SetControl(k.ctrl);
        EXPECT_EQ(route(k.from, WM_KEYDOWN, k.key), k.to) << k.key << (k.ctrl ? " ctrl" : "");
    }
    SetControl(false);
    EXPECT_EQ(route(hToolBar, WM_COMMAND, 257), wn);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, VK_RETURN), wn);  // as F3
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_F3));

    SetFocus(hViewWnd);
    EXPECT_EQ(route(hViewWnd, WM_KEYDOWN, '1'), wn);
    EXPECT_EQ(GetFocus(), wn);
    EXPECT_EQ(route(hViewWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 6)), hViewWnd);
    EXPECT_EQ(GetFocus(), hViewWnd);
    // Clicks on the status bar reach the main window, moved below the view.
    EXPECT_EQ(route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(431, 5)), wn);
    EXPECT_EQ(HIWORD(m.lParam), ViewHeight + 5);
    EXPECT_EQ(LOWORD(m.lParam), 431);
    EXPECT_EQ(route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2)), wn);
}

TEST_F(Shell, SettingsAreReadFromAndSavedToTheRegistry) {
    // The defaults saved at destruction, the rectangle kept while maximised.
    auto s = Saved();
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(Int(s, 0), 0);
    EXPECT_EQ(Int(s, 8), 640);
    EXPECT_EQ(Int(s, 12), 450);
    EXPECT_EQ(s[82], 1);  // MaxFlag
    auto font = ReadSetting("Font"), recent = ReadSetting("Recent"), footer = ReadSetting("Footer");
    EXPECT_EQ(std::string(font.begin(), font.end()), std::string("Terminal", 9));
    EXPECT_EQ(std::string(recent.begin(), recent.end()), std::string(9, '\t') + '\0');
    EXPECT_EQ(ReadSetting("Find"), std::vector<uint8_t>{0});
    EXPECT_EQ(footer.size(), 1 + std::strlen("%F\tPage %p of %n\t%D  %T") + 1);
    EXPECT_EQ(footer[0], 1);

    // A restored window stores its own rectangle.
    auto r = Record(82, 0);  // not maximised
    RestartWith("Settings", r.data(), 92);
    EXPECT_FALSE(IsZoomed(wn));
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    s = Saved();
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(Int(s, 0), 30);
    EXPECT_EQ(Int(s, 4), 40);
    EXPECT_EQ(Int(s, 8), 530);
    EXPECT_EQ(Int(s, 12), 340);
    EXPECT_EQ(s[82], 0);

    // A record of the wrong size gives all the defaults.
    r = Record(72, 0x31);  // Checked 305
    for (DWORD size : {91u, 93u, 92u}) {
        RestartWith("Settings", r.data(), size);
        EXPECT_EQ(Checked, size == 92 ? _HEX_ : _TEXT_) << size;
    }
    ExpectChecked(305, true);

    // The stored lists are read into the recent items and the find box.
    const char recentList[] = "C:\\one.txt\t\tC:\\three.txt", find[] = "abc\t\tdef";
    StopShell();
    WriteSetting("Recent", REG_BINARY, recentList, sizeof recentList);
    RestartWith("Find", find, sizeof find);
    EXPECT_EQ(MenuText(336), "C:\\one.txt");
    EXPECT_EQ(MenuText(338), "C:\\three.txt");
    ASSERT_EQ(SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0), 3);
    char text[16];
    SendMessageA(hFindCombo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "def");
    Saved();
    auto stored = ReadSetting("Find");
    EXPECT_EQ(std::string(stored.begin(), stored.end()), std::string(find, sizeof find));

    // The option toggles: flags, checks, and their bytes in the record.
    StopShell();
    DeleteSettingsKey();
    StartShell();
    Command(292);
    EXPECT_EQ(HexSearch, 8);
    ExpectChecked(292, true);
    Command(292);
    EXPECT_EQ(HexSearch, 0);
    ExpectChecked(292, false);
    Command(290);
    EXPECT_EQ(ExactCase, 8);
    Command(308);
    EXPECT_EQ(WrapFlag, 8);
    EXPECT_TRUE(ButtonChecked(308));
    Command(309);
    EXPECT_EQ(ConvertFlag, 8);
    EXPECT_TRUE(MenuChecked(309));
    Command(312);
    EXPECT_EQ(AddrMode, AddrRva);
    ExpectChecked(311, false, false);
    ExpectChecked(312, true, false);
    s = Saved();
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(s[74] | (s[75] << 8), 312);
    EXPECT_EQ(s[80], 8);
    EXPECT_EQ(s[81], 8);
    EXPECT_EQ(s[89], 8);
    EXPECT_EQ(s[90], 0);
    EXPECT_TRUE(MenuChecked(312));
    EXPECT_TRUE(ButtonChecked(290));

    // Exit destroys the window, which saves.
    Command(305);
    Command(256);
    EXPECT_FALSE(IsWindow(wn));
    s = ReadSetting("Settings");
    ASSERT_EQ(s.size(), 92u);
    EXPECT_EQ(s[72] | (s[73] << 8), 305);
}

TEST_F(Shell, LoadingReloadingAndRecentItems) {
    const std::string path = TempFile("orvex-load.txt", std::string(12345, 'x'));
    Open(path);
    EXPECT_EQ(FileSize, 12345);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  12,345 bytes");
    EXPECT_EQ(MenuText(336), path);
    EXPECT_EQ(MarkState, 0);
    EXPECT_TRUE(SeenDialogs.empty());
    // A missing file: the error box, and the document stays.
    Open(path + ".missing");
    EXPECT_TRUE(Seen("Line 2126, Error Code 2|"));
    EXPECT_EQ(FileSize, 12345);
    EXPECT_STREQ(FileName, path.c_str());
    EXPECT_EQ(MenuText(337), "");
    DeleteFileA(path.c_str());

    const std::string a = TempFile("orvex-a.bin", "aaaa"), b = TempFile("orvex-b.bin", "bb");
    Open(a);
    Open(b);
    EXPECT_EQ(MenuText(336), b);
    EXPECT_EQ(MenuText(337), a);
    Command(337);  // recent item 1: a, which moves to the top
    EXPECT_EQ(FileSize, 4);
    EXPECT_EQ(MenuText(336), a);
    EXPECT_EQ(MenuText(337), b);
    // Ctrl+R from the view reaches the main window and reloads in place.
    TempFile("orvex-a.bin", "changed!");
    SetControl(true);
    Route(hViewWnd, WM_KEYDOWN, 'R', 0);
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
    ExpectChecked(305, true);
    ExpectChecked(304, false);
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
    ExpectChecked(306, false);
    EXPECT_TRUE(ButtonChecked(307));
    DeleteFileA(path.c_str());

    // Too many lines leave text mode, with the box once for each ask.
    Command(304);
    Open(TempFile("orvex-lines.txt", std::string(40000, '\n')));
    EXPECT_EQ(Checked, _HEX_);
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{
                               "Text mode not available|This file has too many lines for me to handle."});
    ClearDialogs();
    Command(304);
    EXPECT_EQ(Checked, _HEX_);
    EXPECT_EQ(SeenDialogs.size(), 1u);
    DeleteFileA(FileName);
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
    EXPECT_FALSE(MenuGrayed(277));
    EXPECT_FALSE(MenuGrayed(259));
    EXPECT_TRUE(ButtonState(277) & TBSTATE_ENABLED);
    SetControl(false);
    Route(hViewWnd, WM_KEYDOWN, VK_F2, 0);
    EXPECT_EQ(MarkState, 2);
    SetControl(true);
    Route(hViewWnd, WM_KEYDOWN, 'U', 0);
    SetControl(false);
    EXPECT_EQ(MarkState, 0);
    EXPECT_TRUE(MenuGrayed(277));
    EXPECT_TRUE(ButtonState(277) & TBSTATE_INDETERMINATE);
    Route(hViewWnd, WM_KEYDOWN, VK_F2, 0);  // nothing marked: stays so
    EXPECT_EQ(MarkState, 0);
    DeleteFileA(path.c_str());
}

TEST_F(Shell, WrapAtStartAndWrapOffFarDown) {
    // Wrap saved on: the named file opens wrapped for the width the first
    // paint found.
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
    EXPECT_GT(ScreenCols, 1);
    EXPECT_EQ(WrapCols, ScreenCols);
    // Wrap off and on again; then off from the last wrapped line keeps the
    // line in the file.
    Command(308);
    EXPECT_EQ(NumLines, 301);
    Command(308);
    ASSERT_GT(NumLines, 301);
    LineNum = NumLines;
    Command(308);
    EXPECT_EQ(NumLines, 301);
    EXPECT_EQ(LineNum, 301);
    EXPECT_EQ(StatusText(2), "\tLine     301 of     301");
    DeleteFileA(path.c_str());
}
