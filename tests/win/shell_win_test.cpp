// The application shell under Wine: the real main window driven through the
// program's routing, checked on its menus, toolbar, status bar, title and the
// registry; and a document read through the system's file API.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/app_win.h"
#include "app/find.h"
#include "app/layout.h"
#include "app/settings.h"
#include "document/document.h"
#include "document/document_win.h"
#include "document/line_index.h"
#include "resources/resource_ids.h"
#include "win_test_support.h"

namespace {

bool MenuChecked(int id) { return (MenuState(id) & MF_CHECKED) != 0; }
bool ButtonChecked(int id) { return (ButtonState(id) & TBSTATE_CHECKED) != 0; }

std::vector<LONG> Rect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Open(const std::string& path) {
    std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
    Command(CM_OPEN_NAMED);
}

using Shell = ShellTest;

TEST_F(Shell, FirstRunShowsTheFrameAndItsBoxes) {
    EXPECT_EQ(WindowText(wn), "Orvex");
    EXPECT_TRUE(IsZoomed(wn));
    EXPECT_TRUE(MenuChecked(CM_VIEW_TEXT) && ButtonChecked(CM_VIEW_TEXT));
    EXPECT_FALSE(MenuChecked(CM_VIEW_HEX) || ButtonChecked(CM_VIEW_HEX));
    EXPECT_TRUE(MenuChecked(CM_ADDR_PHYSICAL));
    for (int id : {CM_COPY, CM_EXPORT_MARKED, CM_EXPORT_BITMAPS, CM_EXPORT_CURSORS, CM_EXPORT_ICONS})
        EXPECT_TRUE(MenuState(id) & MF_GRAYED) << id;
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_INDETERMINATE);
    EXPECT_EQ(MenuText(CM_ADDR_RVA), "&Relative Virtual Address (RVA)");
    EXPECT_EQ(MenuText(CM_RECENT), "");  // the recent items show their empty entries
    EXPECT_EQ(SendMessageA(hToolBar, TB_BUTTONCOUNT, 0, 0), 19);
    EXPECT_EQ(GetParent(GetParent(hFindEdit)), hToolBar);
    for (auto [id, tip] : {std::pair<int, const char*>{CM_FIND_REVERSE, "Search in reverse direction"},
                           {CM_VIEW_CHAR, "View in character mode"}}) {
        NMTTDISPINFOA info{};
        info.hdr = {hToolBar, static_cast<UINT_PTR>(id), static_cast<UINT>(TTN_NEEDTEXTA)};
        SendMessageA(wn, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText ? info.lpszText : "", tip);
    }
    EXPECT_EQ(StatusText(0), "Commands can be typed in and will appear here.");
    EXPECT_EQ(StatusText(1), "\tRepeat");
    // The view lies between toolbar and status bar, full width.
    RECT v;
    GetWindowRect(hViewWnd, &v);
    MapWindowPoints(HWND_DESKTOP, wn, reinterpret_cast<POINT*>(&v), 2);
    EXPECT_EQ(v.left, 0);
    EXPECT_EQ(v.top, ToolBarHeight);
    EXPECT_EQ(v.right, ViewWidth);
    EXPECT_EQ(v.bottom - v.top, ViewHeight);

    // The status bar's right click opens the syntax help left of its first edge only.
    const struct {
        void (*act)();
        const char* box;  // its start; nullptr: none
    } boxes[] = {
        {[] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 2)); }, "Keyboard Command Syntax|"},
        {[] { Route(hStatusBar, WM_RBUTTONDOWN, 0, MAKELPARAM(StatusEdges[0] + 5, 2)); }, nullptr},
        {[] { Command(CM_ABOUT); }, "About Orvex|"},
        {[] { Route(hViewWnd, WM_KEYDOWN, VK_F1, 0); },
         "Help|The help file ORVEX.HLP was not found, so help cannot be shown."},
    };
    for (const auto& b : boxes) {
        ClearDialogs();
        b.act();
        const auto seen = TakeDialogs();
        ASSERT_EQ(seen.size(), b.box ? 1u : 0u) << (b.box ? b.box : "none");
        if (b.box) {
            EXPECT_EQ(seen[0].rfind(b.box, 0), 0u) << seen[0];
        }
    }
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
                {hFindEdit, VK_DOWN, false, hFindEdit}, {wn, VK_NEXT, false, hViewWnd},
                {hViewWnd, VK_BACK, false, hViewWnd},   {hFindEdit, 'F', true, wn},
                {hFindEdit, 'V', true, hFindEdit}};
    for (const auto& k : keys) {
        SetControl(k.ctrl);
        EXPECT_EQ(route(k.from, WM_KEYDOWN, k.key), k.to) << k.key << (k.ctrl ? " ctrl" : "");
    }
    SetControl(false);
    EXPECT_EQ(route(hToolBar, WM_COMMAND, CM_OPEN), wn);
    EXPECT_EQ(route(hFindEdit, WM_KEYDOWN, VK_RETURN), wn);
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_F3));
    SetFocus(hViewWnd);
    EXPECT_EQ(route(hViewWnd, WM_KEYDOWN, '1'), wn);
    EXPECT_EQ(GetFocus(), wn);
    EXPECT_EQ(route(hViewWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 6)), hViewWnd);
    EXPECT_EQ(GetFocus(), hViewWnd);
    // Clicks on the status bar reach the main window, moved below the view.
    EXPECT_EQ(route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(431, 5)), wn);
    EXPECT_EQ(m.lParam, MAKELPARAM(431, ViewHeight + 5));
}

// 300 lines of 50 words.
std::string LongLines() {
    std::string line;
    for (int w = 0; w < 50; ++w) line += "words ";
    std::string text;
    for (int i = 0; i < 300; ++i) text += line + "\r\n";
    return text;
}

TEST_F(Shell, SettingsSavedByOneRunAreReadByTheNext) {
    for (int id : {CM_HEX_SEARCH, CM_EXACT_CASE, CM_WRAP, CM_CONVERT, CM_ADDR_RVA}) Command(id);
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 30, 40, 500, 300, SWP_NOZORDER);
    const char recent[] = "C:\\one.txt\t\tC:\\three.txt";
    Command(CM_EXIT);  // which saves
    EXPECT_FALSE(IsWindow(wn));
    StopShell();
    WriteSetting("Recent", REG_BINARY, recent, sizeof recent);
    // The next run opens the file named on its command line wrapped for the
    // width its first paint found.
    const std::string path = TempFile("orvex-wrapped.txt", LongLines());
    StartShellWith(path.c_str());
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{});
    EXPECT_EQ(HexSearch + ExactCase + WrapFlag + ConvertFlag, 32);
    EXPECT_EQ(AddrMode, AddrRva);
    for (int id : {CM_HEX_SEARCH, CM_EXACT_CASE, CM_WRAP, CM_ADDR_RVA}) EXPECT_TRUE(MenuChecked(id)) << id;
    EXPECT_TRUE(ButtonChecked(CM_WRAP) && ButtonChecked(CM_EXACT_CASE));
    EXPECT_FALSE(MenuChecked(CM_ADDR_PHYSICAL));
    EXPECT_EQ(MenuText(CM_RECENT + 3), "C:\\three.txt");  // below the file opened
    EXPECT_FALSE(IsZoomed(wn));
    EXPECT_EQ(Rect(wn), (std::vector<LONG>{30, 40, 530, 340}));
    EXPECT_EQ(Checked, _TEXT_);
    EXPECT_GT(ScreenCols, 1);
    EXPECT_EQ(WrapCols, ScreenCols);
    EXPECT_GT(NumLines, 301);
    // Wrap off from the last wrapped line keeps the line in the file.
    LineNum = NumLines;
    Command(CM_WRAP);
    EXPECT_EQ(LineNum, 301);
    EXPECT_EQ(StatusText(2), "\tLine     301 of     301");

    // A maximised window keeps the rectangle it was last restored to.
    ShowWindow(wn, SW_MAXIMIZE);
    StopShell();
    const std::vector<uint8_t> saved = ReadSetting("Settings");
    StartShell();
    EXPECT_TRUE(IsZoomed(wn));
    ShowWindow(wn, SW_RESTORE);
    EXPECT_EQ(Rect(wn), (std::vector<LONG>{30, 40, 530, 340}));
    // A record of another size gives the defaults.
    for (DWORD size : {91u, 93u}) {
        StopShell();
        WriteSetting("Settings", REG_BINARY, saved.data(), size);
        StartShell();
        EXPECT_EQ(HexSearch, 0) << size;
    }
    DeleteFileA(path.c_str());
}

TEST_F(Shell, LoadingReloadingAndRecentItems) {
    const std::string path = TempFile("orvex-load.txt", std::string(12345, 'x'));
    const std::string locked = TempFile("orvex-locked.bin", "locked");
    Open(path);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  12,345 bytes");
    EXPECT_EQ(MenuText(CM_RECENT), path);
    EXPECT_TRUE(SeenDialogs.empty());
    // A missing file and one held without sharing: the error box with the
    // system's code, and the document stays.
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Open(path + ".missing");
    Open(locked);
    CloseHandle(lock);
    const auto seen = TakeDialogs();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].rfind("Line 2126, Error Code 2|", 0), 0u) << seen[0];
    EXPECT_EQ(seen[1].rfind("Line 2126, Error Code 32|", 0), 0u) << seen[1];
    EXPECT_EQ(FileSize, 12345);
    EXPECT_STREQ(FileName, path.c_str());
    EXPECT_EQ(MenuText(CM_RECENT + 1), "");

    Open(locked);
    EXPECT_EQ(MenuText(CM_RECENT + 1), path);
    Command(CM_RECENT + 1);  // moves to the top
    EXPECT_EQ(FileSize, 12345);
    EXPECT_EQ(MenuText(CM_RECENT), path);
    EXPECT_EQ(MenuText(CM_RECENT + 1), locked);
    // Ctrl+R from the view reaches the main window and reloads in place.
    TempFile("orvex-load.txt", "changed!");
    CtrlKey(hViewWnd, 'R');
    EXPECT_EQ(FileSize, 8);
    EXPECT_EQ(MenuText(CM_RECENT), path);
    EXPECT_EQ(MenuText(CM_RECENT + 1), locked);
    DeleteFileA(path.c_str());
    DeleteFileA(locked.c_str());
}

TEST_F(Shell, ModeCommandsMoveTheChecksThePlaceAndTheStatusTexts) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line of text\r\n";  // 14 bytes a line
    const std::string path = OpenInView("orvex-modes.txt", text);
    LineNum = 11;
    Command(CM_VIEW_HEX);
    EXPECT_EQ(ByteNum, 140);
    EXPECT_TRUE(MenuChecked(CM_VIEW_HEX) && ButtonChecked(CM_VIEW_HEX));
    EXPECT_FALSE(MenuChecked(CM_VIEW_TEXT) || ButtonChecked(CM_VIEW_TEXT));
    UpdateWindow(wn);
    EXPECT_EQ(StatusText(2), "\tByte values are in hex.");
    EXPECT_EQ(StatusText(3), "\tByte      8C of    1068");
    ByteNum = 14 * 20 + 3;
    CtrlKey(hFindEdit, 'T');
    EXPECT_EQ(Checked, _TEXT_);
    UpdateWindow(wn);
    EXPECT_EQ(StatusText(2), "\tLine      21 of     301");
    Command(CM_VIEW_CHAR);
    Command(CM_VIEW_INTERP);
    EXPECT_EQ(Checked, _INTERP_);
    EXPECT_FALSE(MenuChecked(CM_VIEW_CHAR) || ButtonChecked(CM_VIEW_CHAR));
    EXPECT_TRUE(ButtonChecked(CM_VIEW_INTERP));

    // Too many lines leave text mode, with the box once for each ask.
    Command(CM_VIEW_TEXT);
    Open(TempFile("orvex-lines.txt", std::string(40000, '\n')));
    EXPECT_EQ(Checked, _HEX_);
    Command(CM_VIEW_TEXT);
    EXPECT_EQ(Checked, _HEX_);
    const std::string box = "Text mode not available|This file has too many lines for me to handle.";
    EXPECT_EQ(SeenDialogs, (std::vector<std::string>{box, box}));
    DeleteFileA(FileName);
    DeleteFileA(path.c_str());
}

TEST(WinLoad, ReadsThroughTheFileApiIntoTheAreaOrABlock) {
    const std::string small = TempFile("orvex-load.TXT", "first\r\nsecond\r\n");
    const std::string large = TempFile("orvex-large.bin", std::string(204800, 'x') + "y");
    for (const std::string* path : {&small, &large, &small}) {
        std::snprintf(FileName, sizeof FileName, "%s", path->c_str());
        ASSERT_EQ(LoadDocumentWin().step, LoadDone);
        EXPECT_EQ(hFile, nullptr);  // closed once read
        EXPECT_EQ(hFileMem != nullptr, path == &large);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FileBuf), FileSize), ReadWholeFile(*path));
        // The local last-write time.
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(path->c_str(), GetFileExInfoStandard, &data));
        FILETIME local;
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
        EXPECT_EQ(FileTime, (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
    }
    ReleaseDocumentWin();
    DeleteFileA(small.c_str());
    DeleteFileA(large.c_str());
}

}  // namespace
