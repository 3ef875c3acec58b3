// The mouse wheel over the view, the listings, the image pane and the print
// preview; files dropped on the main window; Ctrl+O; F1 and the guide window.
#include "win_test_support.h"

#include <shlobj.h>

#include <cctype>

#include "app/help_win.h"
#include "app/recent_files.h"
#include "app/wheel_win.h"
#include "interpret/image_pane.h"
#include "interpret_test_files.h"
#include "print/print_win.h"

namespace {

std::string Fixture(const char* name) { return ORVEX_FIXTURE_DIR "\\" + std::string(name); }

void SetPerNotch(UINT lines, UINT chars = 3) {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    SystemParametersInfoA(0x006D /* SPI_SETWHEELSCROLLCHARS */, chars, nullptr, 0);
}

// The middle of a window in screen coordinates, as a wheel message carries it.
LPARAM Middle(HWND over) {
    RECT r;
    GetWindowRect(over, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Turns of the wheel with the pointer over `over`, each sent to the focus
// `to` (by default `over` itself) through the routing; then the view paints.
void Turn(const Ints& deltas, HWND over, HWND to = 0, UINT msg = WM_MOUSEWHEEL) {
    for (int32_t d : deltas)
        Route(to ? to : over, msg, MAKEWPARAM(0, static_cast<WORD>(d)), Middle(over));
    PaintView();
}

std::string Lines(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += "line " + std::to_string(i) + (i < n ? "\r\n" : "");
    return text;
}

std::string Status(const char* format, int32_t a, int32_t b) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

struct Wheel : ShellTest {
    void TearDown() override {
        SetPerNotch(3);
        ShellTest::TearDown();
    }
};

// Text mode, 2000 lines, from the top each time: the lines a notch, partial
// turns, a page a notch, both ends; the status text follows.
TEST_F(Wheel, TurnsScrollTheTextByTheLinesANotchTheUserSet) {
    OpenInView("wheel.txt", Lines(2000), CM_VIEW_TEXT);
    Key(VK_NEXT);
    const int32_t pageDown = LineNum;  // where Page Down from line 1 goes
    ASSERT_GT(pageDown, 2);
    const struct {
        const char* name;
        UINT perNotch;
        Ints deltas;
        int32_t line;
    } cases[] = {
        {"three notches of 3 lines", 3, {-120, -120, -120}, 10},
        {"two notches of 5 lines", 5, {-120, -120}, 11},
        // 4 x 40 = 160: one line, and 40 kept.
        {"a touchpad's thirds of a notch, 1 line", 1, {-40, -40, -40, -40}, 2},
        // Half a notch back drops what was kept: -60 -60 is a line, +60 not.
        {"a turn back drops the part kept", 1, {-60, -60, -60, 60, -60, -60}, 3},
        {"a page a notch", WHEEL_PAGESCROLL, {-120}, pageDown},
        {"up at the top", 3, {120, 120}, 1},
        {"0 lines a notch", 0, {-120}, 1},
        {"past the end: the last line at the top", 500, {-120, -120, -120, -120, -120}, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Key(VK_HOME, true);
        SetPerNotch(c.perNotch);
        Turn(c.deltas, hViewWnd);
        EXPECT_EQ(LineNum, c.line);
        EXPECT_EQ(StatusText(2), Status("\tLine %7d of %7d", c.line, 2000));
    }
    // Back up from the end, with the focus in the find box: the view under
    // the pointer scrolls.
    SetPerNotch(3);
    SetFocus(hFindEdit);
    Turn({120}, hViewWnd, hFindEdit);
    EXPECT_EQ(LineNum, 1997);
    EXPECT_EQ(GetFocus(), hFindEdit);
    // The tilt wheel moves the text sideways unless it is wrapped.
    OpenInView("wide.txt", std::string(300, 'w') + "\r\nshort", CM_VIEW_TEXT);
    Turn({120, 120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, 7);
    Turn({-120, -120, -120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, 1);
    Command(CM_WRAP);
    Turn({120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, 1);
    Command(CM_WRAP);
}

// Hex mode on 0x1000 bytes: rows of 16, the mark kept, both ends; the tilt
// wheel by columns up to the row's width.
TEST_F(Wheel, TurnsScrollTheHexRowsAndKeepTheMark) {
    OpenInView("wheel.bin", std::string(0x1000, 'x'), CM_VIEW_HEX);
    SetPerNotch(3, 4);
    SetMark(1, 0x20, 0x28);
    Turn({-120, -120, -120}, hViewWnd);
    EXPECT_EQ(ByteNum, 0x90);  // 9 rows of 16
    EXPECT_EQ(StatusText(3), "\tByte      90 of    1000");
    EXPECT_EQ((Ints{MarkState, MarkStart, MarkEnd}), (Ints{1, 0x20, 0x28}));
    Key(VK_RIGHT);  // byte 0x91: the end keeps the place within the row
    Turn(Ints(100, -120), hViewWnd);
    EXPECT_EQ(ByteNum, 0xFF1);
    EXPECT_EQ(StatusText(3), "\tByte     FF1 of    1000");
    Turn(Ints(100, 120), hViewWnd);
    EXPECT_EQ(ByteNum, 0);
    Turn({120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, 5);
    Turn(Ints(30, 120), hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, HexCols);
}

// Interpret mode: the export listing scrolls by lines, not sideways; the
// image pane by rows of icons; the tree keeps its own wheel.
TEST_F(Wheel, TurnsScrollTheListingAndTheImagePane) {
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    int32_t exports = -1;
    for (size_t i = 0; i < TreeNodes.size(); ++i)
        if (TreeNodes[i].Kind == KindExports) exports = static_cast<int32_t>(i);
    ASSERT_GE(exports, 0);
    SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(TreeItemOf(exports)));
    PaintView();
    ASSERT_GT(NumLines, 4);
    SetPerNotch(1);
    SetFocus(hTreeView);
    Turn({-120, -120, -120}, hViewWnd, hTreeView);
    EXPECT_EQ(LineNum, 4);
    EXPECT_EQ(StatusText(2), Status("\tLine %7d of %7d", 4, NumLines));
    Turn({120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    EXPECT_EQ(Col, 1);
    // Over the tree the message stays with the tree.
    MSG m{hViewWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), Middle(hTreeView),
          0,        {0, 0}};
    RouteMessage(&m);
    EXPECT_EQ(m.hwnd, hTreeView);

    // Seven icons of up to 48 pixels in views 177 wide: cells of 52, three
    // a row, rows 0 .. 2.
    OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    RECT client;
    GetClientRect(wn, &client);
    TreeWidth = client.right - 4 - 177;
    SendMessageA(wn, WM_SIZE, 0, 0);
    SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(TreeItemOf(FindNode("ICON"))));
    Pump();
    ASSERT_TRUE(hImageWnd);
    UpdateWindow(hImageWnd);
    ASSERT_EQ(MaxRow, 2);
    const struct {
        const char* name;
        Ints deltas;
        int16_t row;
    } turns[] = {
        {"a notch: a row", {-120}, 1},
        {"half notches add up", {-60, -60}, 2},
        {"not past the last row", {-120}, 2},
        {"back to the top and not above", {120, 120, 120}, 0},
    };
    for (const auto& t : turns) {
        SCOPED_TRACE(t.name);
        Turn(t.deltas, hImageWnd, hTreeView);
        EXPECT_EQ(VScrollPos, t.row);
    }
}

// The preview's page: a notch moves it by three lines of the screen font,
// with the focus in the printer list, whose selection stays.
TEST_F(Wheel, TurnsScrollThePreviewsPage) {
    OpenInView("preview.txt", Lines(300));
    SetPerNotch(3);
    // The dialog takes the main window's height: a letter page of 792
    // pixels does not fit in 600.
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 0, 0, 800, 600, SWP_NOZORDER);
    bool ran = false;
    Answers["Print Preview"] = [&](HWND dlg) {
        ran = true;
        ASSERT_TRUE(hPreviewVBar);
        HWND printers = GetDlgItem(dlg, 101);
        SetFocus(printers);
        const LRESULT chosen = SendMessageA(printers, CB_GETCURSEL, 0, 0);
        const Ints deltas[] = {{-120}, {-60, -60}, {120, 120, 120, 120, 120}};
        const int32_t expected[] = {3 * FontHeight, 6 * FontHeight, 0};
        for (size_t i = 0; i < 3; ++i) {
            for (int32_t d : deltas[i]) {
                MSG m{printers,
                      WM_MOUSEWHEEL,
                      MAKEWPARAM(0, static_cast<WORD>(d)),
                      Middle(GetDlgItem(dlg, 102)),
                      0,
                      {0, 0}};
                // What the dialog's loop does with each message.
                if (!CallMsgFilterA(&m, MSGF_DIALOGBOX)) DispatchMessageA(&m);
            }
            EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), expected[i]) << i;
        }
        EXPECT_EQ(SendMessageA(printers, CB_GETCURSEL, 0, 0), chosen);
    };
    Key('P', true);
    EXPECT_TRUE(ran);
}

// A file list as a drag from Explorer delivers it.
HDROP DropOf(const Texts& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& p : paths) size += p.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(drop + 1);
    for (const auto& p : paths) at = std::strcpy(at, p.c_str()) + p.size() + 1;
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}
void Drop(const Texts& paths) {
    Route(wn, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
}

using Drops = ShellTest;

TEST_F(Drops, ADroppedFileOpensAsFromTheOpenDialog) {
    const std::string a = TempFile("drop-a.txt", "one\r\ntwo\r\nthree"),
                      b = TempFile("drop-b.txt", "bee");
    OpenPath(a);
    OpenPath(b);
    // Text mode: the file, its title, the recent list as for the dialog.
    Drop({a});
    EXPECT_EQ(std::string(FileName), a);
    EXPECT_EQ(WindowText(wn), "Orvex - " + a + "  15 bytes");
    EXPECT_EQ((Texts{RecentFiles[0], RecentFiles[1]}), (Texts{a, b}));
    EXPECT_EQ((Ints{Checked, NumLines}), (Ints{_TEXT_, 3}));
    EXPECT_EQ(TakeDialogs(), Texts{});
    // Two files: the first opens.
    Drop({b, a});
    EXPECT_EQ(std::string(FileName), b);
    EXPECT_EQ((Texts{RecentFiles[0], RecentFiles[1]}), (Texts{b, a}));
    // A folder: the message that opening it by name gives; the document stays.
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    OpenFile(dir);
    const Texts byName = TakeDialogs();
    ASSERT_EQ(byName.size(), 1u);
    EXPECT_EQ(byName[0].substr(0, 16), "Line 2126, Error");
    Drop({dir});
    EXPECT_EQ(TakeDialogs(), byName);
    EXPECT_EQ(std::string(FileName), b);
    EXPECT_EQ(RecentFiles[0], b);
    // Interpret mode builds the tree of the dropped file.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    Drop({Fixture("fixture64.exe")});
    EXPECT_EQ(Checked, _INTERP_);
    ASSERT_TRUE(hTreeView);
    EXPECT_STREQ(TreeNodes[RootNode].Text, "fixture64.exe");
}

// The help engine's window as Windows and Wine look it up: records what
// the program asks of it.
std::string HelpAsked;
LRESULT CALLBACK EngineProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COPYDATA) return DefWindowProcA(h, msg, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const char* bytes = static_cast<const char*>(data->lpData);
    const WORD command = *reinterpret_cast<const WORD*>(bytes + 2);
    const WORD name = *reinterpret_cast<const WORD*>(bytes + 12);  // ofsFilename
    HelpAsked = std::to_string(command) + " " + (bytes + name);
    return TRUE;
}

using Help = ShellTest;

TEST_F(Help, CtrlOOpensTheOpenDialogAndF1TheEngineOrTheGuide) {
    Key('O', true);
    const Texts seen = TakeDialogs();
    EXPECT_EQ(seen.empty() ? "" : seen[0].substr(0, 12), "Open a file|");

    // With ORVEX.HLP found, F1 asks the engine for its contents.
    char cwd[MAX_PATH], dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    GetTempPathA(sizeof dir, dir);
    SetCurrentDirectoryA(dir);
    TempFile("ORVEX.HLP", "?_\x03");
    WNDCLASSA wc{};
    wc.lpfnWndProc = EngineProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    HWND engine = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, 0, 0, wc.hInstance, nullptr);
    Key(VK_F1, false, hViewWnd);
    EXPECT_EQ(HelpAsked, std::to_string(HELP_FINDER) + " ORVEX.HLP");
    EXPECT_FALSE(hHelpWnd);
    DestroyWindow(engine);
    DeleteFileA(TempFilePath("ORVEX.HLP").c_str());
    SetCurrentDirectoryA(cwd);

    // Without it, the guide: resizable, read-only, CR LF lines.
    Key(VK_F1, false, hViewWnd);
    EXPECT_EQ(TakeDialogs(), Texts{});
    ASSERT_TRUE(hHelpWnd);
    EXPECT_EQ(WindowText(hHelpWnd), "Orvex Help");
    EXPECT_TRUE(GetWindowLongA(hHelpWnd, GWL_STYLE) & WS_THICKFRAME);
    HWND text = GetDlgItem(hHelpWnd, 100), find = GetDlgItem(hHelpWnd, 102);
    EXPECT_TRUE(GetWindowLongA(text, GWL_STYLE) & ES_READONLY);
    const std::string guide = WindowText(text);
    EXPECT_NE(guide.find("5. THE KEYBOARD COMMAND BAR\r\n"), std::string::npos);
    EXPECT_EQ(guide.find("\n\n"), std::string::npos);
    // Keys typed in the guide stay there; Ctrl+F, F3 and Escape are its own.
    MSG m{find, WM_KEYDOWN, 'W', 0, 0, {0, 0}};
    RouteMessage(&m);
    EXPECT_EQ(m.hwnd, find);
    Key('F', true, text);
    EXPECT_EQ(GetFocus(), find);
    // Every place of "wheel", found without regard to case, in turn and
    // around the end; Shift+F3 goes back.
    SetWindowTextA(find, "WHEEL");
    std::string lower = guide;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<size_t> places;
    for (size_t at = lower.find("wheel"); at != std::string::npos; at = lower.find("wheel", at + 1))
        places.push_back(at);
    ASSERT_GE(places.size(), 2u);
    places.push_back(places[0]);
    const auto selection = [text] {
        DWORD from = 0, to = 0;
        SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        return Ints{int32_t(from), int32_t(to)};
    };
    for (size_t place : places) {
        Key(VK_F3, false, find);
        EXPECT_EQ(selection(), (Ints{int32_t(place), int32_t(place + 5)}));
    }
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(VK_F3, false, find);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    const size_t last = places[places.size() - 2];
    EXPECT_EQ(selection(), (Ints{int32_t(last), int32_t(last + 5)}));
    Key(VK_ESCAPE, false, text);
    EXPECT_FALSE(hHelpWnd);
}

}  // namespace
