// The mouse wheel over the view, a listing and the image pane; files dropped
// on the main window; Ctrl+O; F1 and the guide.
#include "win_test_support.h"

#include <shlobj.h>

#include "app/help_win.h"
#include "app/wheel_win.h"
#include "app/recent_files.h"
#include "interpret/image_pane.h"
#include "interpret_test_files.h"
#include "print/print_win.h"

namespace {

std::string Fixture(const char* name) { return ORVEX_FIXTURE_DIR "\\" + std::string(name); }
void PerNotch(UINT lines, UINT chars = 3) {
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    SystemParametersInfoA(0x006D /* SPI_SETWHEELSCROLLCHARS */, chars, nullptr, 0);
}
LPARAM Middle(HWND h) {  // in screen coordinates, as a wheel message carries it
    RECT r;
    GetWindowRect(h, &r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
// Turns with the pointer over `over`, each sent to the focus `to` through the routing.
void Turn(const Ints& deltas, HWND over, HWND to = 0, UINT msg = WM_MOUSEWHEEL) {
    for (int32_t d : deltas)
        Route(to ? to : over, msg, MAKEWPARAM(0, static_cast<WORD>(d)), Middle(over));
    PaintView();
}
std::string Status(int32_t a, int32_t b) {
    char text[64];
    std::snprintf(text, sizeof text, "\tLine %7d of %7d", a, b);
    return text;
}

struct Wheel : ShellTest {
    void TearDown() override { PerNotch(3), ShellTest::TearDown(); }
};

TEST_F(Wheel, TurnsScrollTheViewsThePaneAndThePreview) {
    std::string text = "line 1";
    for (int i = 2; i <= 2000; ++i) text += "\r\nline " + std::to_string(i);
    OpenInView("wheel.txt", text, CM_VIEW_TEXT);
    Key(VK_NEXT);
    const int32_t pageDown = LineNum;  // where Page Down from line 1 goes
    const struct {
        const char* name;
        UINT perNotch;
        Ints deltas;
        int32_t line;
    } cases[] = {
        {"three notches of 3 lines", 3, {-120, -120, -120}, 10},
        {"4 x 40 of a notch of 1 line: one line, 40 kept", 1, {-40, -40, -40, -40}, 2},
        {"a page a notch", WHEEL_PAGESCROLL, {-120}, pageDown},
        {"up at the top", 3, {120}, 1},
        {"past the end: the last line at the top", 500, Ints(5, -120), 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Key(VK_HOME, true);
        PerNotch(c.perNotch);
        Turn(c.deltas, hViewWnd);
        EXPECT_EQ(StatusText(2), Status(c.line, 2000));
    }
    // Hex by rows of 16 to the end, keeping the mark and the place in the
    // row; the tilt wheel moves along the row.
    OpenInView("wheel.bin", std::string(0x1000, 'x'), CM_VIEW_HEX);
    PerNotch(3, 4);
    SetMark(1, 0x20, 0x28);
    Key(VK_RIGHT, false, hViewWnd);
    Turn(Ints(100, -120), hViewWnd);
    EXPECT_EQ(StatusText(3), "\tByte     FF1 of    1000");
    EXPECT_EQ((Ints{MarkState, MarkStart, MarkEnd}), (Ints{1, 0x20, 0x28}));
    Turn({120}, hViewWnd, 0, WM_MOUSEHWHEEL);
    Turn(Ints(100, 120), hViewWnd);
    EXPECT_EQ((Ints{ByteNum, Col}), (Ints{0, 5}));

    // The export listing by lines, the tree focused; over the tree the tree's.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    for (size_t i = 0; i < TreeNodes.size(); ++i)
        if (TreeNodes[i].Kind == KindExports) SelectNode(static_cast<int32_t>(i));
    PerNotch(1);
    SetFocus(hTreeView);
    Turn({-120, -120, -120}, hViewWnd, hTreeView);
    EXPECT_EQ(StatusText(2), Status(4, NumLines));
    MSG m{hViewWnd, WM_MOUSEWHEEL, 0xFF880000, Middle(hTreeView), 0, {0, 0}};
    RouteMessage(&m);
    EXPECT_EQ(m.hwnd, hTreeView);

    // Seven icons of up to 48 pixels in views 125 x 128: two a row beside the
    // vertical bar, rows 0 .. 3, two of them shown, so the first row shown
    // goes from 0 to 2.
    OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    const std::vector<LONG> frame = Rect(wn);
    SizeViews(125, 128);
    SelectNode(FindNode("ICON"));
    ASSERT_TRUE(hImageWnd);
    UpdateWindow(hImageWnd);
    ASSERT_EQ(MaxRow, 3);
    ASSERT_EQ(RowsShown, 2);
    Turn({-120}, hImageWnd, hTreeView);
    EXPECT_EQ(VScrollPos, 1);
    Turn({-60, -60, -120}, hImageWnd, hTreeView);  // not past the last row
    EXPECT_EQ(VScrollPos, 2);
    Turn({120, 120, 120}, hImageWnd, hTreeView);
    EXPECT_EQ(VScrollPos, 0);
    SetWindowPos(wn, 0, 0, 0, frame[2] - frame[0], frame[3] - frame[1], SWP_NOMOVE | SWP_NOZORDER);

    // The preview, no taller than the main window's 600 pixels, is scrolled
    // by three lines of the screen font a notch through the dialog's loop,
    // the printer list focused (and left as it was).
    PerNotch(3);
    ShowWindow(wn, SW_RESTORE);
    SetWindowPos(wn, 0, 0, 0, 800, 600, SWP_NOZORDER);
    bool ran = false;
    Answers["Print Preview"] = [&](HWND dlg) {
        ran = true;
        ASSERT_TRUE(hPreviewVBar);
        HWND printers = GetDlgItem(dlg, 101);
        SetFocus(printers);
        const LRESULT chosen = SendMessageA(printers, CB_GETCURSEL, 0, 0);
        const std::pair<Ints, int32_t> turns[] = {
            {{-120}, 3 * FontHeight}, {{-60, -60}, 6 * FontHeight}, {Ints(5, 120), 0}};
        for (const auto& [deltas, pos] : turns) {
            for (int32_t d : deltas) {
                MSG w{printers,
                      WM_MOUSEWHEEL,
                      MAKEWPARAM(0, static_cast<WORD>(d)),
                      Middle(GetDlgItem(dlg, 102)),
                      0,
                      {0, 0}};
                if (!CallMsgFilterA(&w, MSGF_DIALOGBOX)) DispatchMessageA(&w);
            }
            EXPECT_EQ(GetScrollPos(hPreviewVBar, SB_CTL), pos);
        }
        EXPECT_EQ(SendMessageA(printers, CB_GETCURSEL, 0, 0), chosen);
    };
    Key('P', true);
    EXPECT_TRUE(ran);
}

// Files as a drag from Explorer delivers them.
void Drop(const Texts& paths) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& p : paths) size += p.size() + 1;
    HGLOBAL block = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    char* at = reinterpret_cast<char*>(drop + 1);
    for (const auto& p : paths) at = std::strcpy(at, p.c_str()) + p.size() + 1;
    GlobalUnlock(block);
    Route(wn, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
}

using Drops = ShellTest;

TEST_F(Drops, ADroppedFileOpensAsFromTheOpenDialog) {
    const std::string a = TempFile("drop-a.txt", "one\r\ntwo\r\nthree"),
                      b = TempFile("drop-b.txt", "bee");
    OpenPath(a);
    OpenPath(b);
    Drop({a});
    EXPECT_EQ(WindowText(wn), "Orvex - " + a + "  15 bytes");
    EXPECT_EQ((Texts{RecentFiles[0], RecentFiles[1]}), (Texts{a, b}));
    EXPECT_EQ((Ints{Checked, NumLines}), (Ints{_TEXT_, 3}));
    Drop({b, a});  // the first opens
    EXPECT_EQ((Texts{FileName, RecentFiles[0], RecentFiles[1]}), (Texts{b, b, a}));
    // A folder gets the message that opening it by name gives; b stays.
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    OpenFile(dir);
    const Texts byName = TakeDialogs();
    EXPECT_EQ(byName.size() == 1 ? byName[0].substr(0, 16) : "", "Line 2126, Error");
    Drop({dir});
    EXPECT_EQ(TakeDialogs(), byName);
    EXPECT_EQ((Texts{FileName, RecentFiles[0]}), (Texts{b, b}));
    // Interpret mode builds the tree of the dropped file.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    Drop({Fixture("fixture64.exe")});
    EXPECT_TRUE(Checked == _INTERP_ && hTreeView);
    EXPECT_STREQ(TreeNodes[RootNode].Text, "fixture64.exe");
}

// The help engine's window as Windows and Wine look it up.
std::string HelpAsked;
LRESULT CALLBACK EngineProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_COPYDATA) return DefWindowProcA(h, msg, wParam, lParam);
    const char* data = static_cast<const char*>(
        reinterpret_cast<const COPYDATASTRUCT*>(lParam)->lpData);  // command at 2, name at [12]
    HelpAsked = std::to_string(*reinterpret_cast<const WORD*>(data + 2)) + " " +
                (data + *reinterpret_cast<const WORD*>(data + 12));
    return TRUE;
}

using Help = ShellTest;

TEST_F(Help, CtrlOOpensTheOpenDialogAndF1TheEngineOrTheGuide) {
    Key('O', true);
    const Texts seen = TakeDialogs();
    EXPECT_EQ(seen.empty() ? "" : seen[0].substr(0, 12), "Open a file|");

    // ORVEX.HLP in the current folder: F1 asks the engine for its contents.
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof cwd, cwd);
    SetCurrentDirectoryA(TempFilePath("").c_str());
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
    DeleteFileA("ORVEX.HLP");
    SetCurrentDirectoryA(cwd);

    // Without it the guide, no box: resizable, read-only, Ctrl+F to its find
    // box and Escape to close (its text and search: unit tested).
    Key(VK_F1, false, hViewWnd);
    EXPECT_EQ(TakeDialogs(), Texts{});
    ASSERT_TRUE(hHelpWnd);
    EXPECT_EQ(WindowText(hHelpWnd), "Orvex Help");
    HWND text = GetDlgItem(hHelpWnd, 100);
    EXPECT_TRUE(GetWindowLongA(hHelpWnd, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(text, GWL_STYLE) & ES_READONLY);
    Key('F', true, text);
    EXPECT_EQ(GetFocus(), GetDlgItem(hHelpWnd, 102));
    Key(VK_ESCAPE, false, text);
    EXPECT_FALSE(hHelpWnd);
}

}  // namespace
