// The mouse wheel over the view, a listing and the image pane; files dropped
// on the main window; Ctrl+O; F1 and the guide.
#include "win_test_support.h"

#include <shlobj.h>

#include "app/help_win.h"
#include "app/wheel_win.h"
#include "interpret/image_pane.h"

namespace {

using Ints = std::vector<int32_t>;
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
void Turn(const Ints& deltas, HWND over, HWND to = 0) {
    for (int32_t d : deltas)
        Route(to ? to : over, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(d)), Middle(over));
    PaintView();
}

using Wheel = ShellTest;

TEST_F(Wheel, TurnsScrollTheViewsAndThePane) {
    std::string text = "line 1";
    for (int i = 2; i <= 2000; ++i) text += "\r\nline " + std::to_string(i);
    OpenPath(TempFile("wheel.txt", text), CM_VIEW_TEXT);
    const struct {
        const char* name;
        UINT perNotch;
        Ints deltas;
        int32_t line;
    } cases[] = {
        {"three notches of 3 lines", 3, {-120, -120, -120}, 10},
        {"past the end: the last line at the top", 500, Ints(5, -120), 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Key(VK_HOME, true);
        PerNotch(c.perNotch);
        Turn(c.deltas, hViewWnd);
        EXPECT_EQ(LineNum, c.line);
    }
    // Hex by rows of 16 to the end and back; the tilt wheel moves along the row.
    OpenPath(TempFile("wheel.bin", std::string(0x1000, 'x')), CM_VIEW_HEX);
    PerNotch(3, 4);
    Turn(Ints(100, -120), hViewWnd);
    EXPECT_EQ(StatusText(3), "\tByte     FF0 of    1000");
    Route(hViewWnd, WM_MOUSEHWHEEL, MAKEWPARAM(0, 120), Middle(hViewWnd));
    Turn(Ints(100, 120), hViewWnd);
    EXPECT_EQ(ByteNum, 0);
    EXPECT_EQ(Col, 5);  // from column 1, 4 a notch

    // The export listing by lines, the tree focused; over the tree the tree's.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    SelectNode(Node("Exports"));
    PerNotch(1);
    SetFocus(hTreeView);
    Turn({-120, -120, -120}, hViewWnd, hTreeView);
    EXPECT_EQ(LineNum, 4);
    MSG m{hViewWnd, WM_MOUSEWHEEL, 0xFF880000, Middle(hTreeView), 0, {0, 0}};
    RouteMessage(&m);
    EXPECT_EQ(m.hwnd, hTreeView);

    // Seven icons of up to 48 pixels in views 125 x 128: two a row beside the vertical bar, rows 0
    // to 3, two of them shown, so the first row shown goes from 0 to 2.
    OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    RECT w, client;
    GetWindowRect(wn, &w);
    GetClientRect(wn, &client);
    TreeWidth = client.right - SplitterGap - 125;
    SetWindowPos(wn, 0, 0, 0, w.right - w.left, w.bottom - w.top + 128 - ViewHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    SendMessageA(wn, WM_SIZE, 0, 0);
    SelectNode(Node("ICON"));
    ASSERT_TRUE(hImageWnd);
    ASSERT_EQ(MaxRow, 3);
    ASSERT_EQ(RowsShown, 2);
    Turn({-120}, hImageWnd, hTreeView);
    EXPECT_EQ(VScrollPos, 1);
    Turn({-60, -60, -120}, hImageWnd, hTreeView);  // not past the last row
    EXPECT_EQ(VScrollPos, 2);
    Turn({120, 120, 120}, hImageWnd, hTreeView);
    EXPECT_EQ(VScrollPos, 0);
}

// Files as a drag from Explorer delivers them.
void Drop(const Texts& paths) {
    std::string names;  // each ended by a NUL; the zeroed block adds the last
    for (const std::string& p : paths) names += p + '\0';
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(block);
    Route(wn, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    PaintView();
}

using Drops = ShellTest;

TEST_F(Drops, ADroppedFileOpensAsFromTheOpenDialog) {
    const std::string a = TempFile("drop-a.txt", "one\r\ntwo\r\nthree");
    const std::string b = TempFile("drop-b.txt", "bee");
    Drop({a});
    EXPECT_EQ(WindowText(wn), "Orvex - " + a + "  15 bytes");
    Drop({b, a});  // the first opens
    // A folder is refused as the Open command refuses it; b stays open.
    Drop({TempFilePath("")});
    EXPECT_EQ(TakeTitles(), "Line 2126, Error Code 5");
    EXPECT_STREQ(FileName, b.c_str());
    // Interpret mode builds the tree of the dropped file.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    Drop({Fixture("fixture64.exe")});
    ASSERT_TRUE(hTreeView);
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
    EXPECT_EQ(TakeTitles(), "Open a file");

    // ORVEX.HLP in the current folder: F1 asks the engine for its contents.
    CloseHandle(CreateFileA("ORVEX.HLP", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const WNDCLASSA wc{0, EngineProc, 0, 0, GetModuleHandleA(nullptr), 0, 0, 0, 0, "MS_WINHELP"};
    RegisterClassA(&wc);
    HWND engine = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, 0, 0, wc.hInstance, nullptr);
    Key(VK_F1, false, hViewWnd);
    EXPECT_EQ(HelpAsked, std::to_string(HELP_FINDER) + " ORVEX.HLP");
    EXPECT_FALSE(hHelpWnd);
    DestroyWindow(engine);
    DeleteFileA("ORVEX.HLP");

    // Without it the guide, no box: resizable, closed by Escape.
    Key(VK_F1, false, hViewWnd);
    EXPECT_EQ(TakeTitles(), "");
    ASSERT_TRUE(hHelpWnd);
    EXPECT_EQ(WindowText(hHelpWnd), "Orvex Help");
    EXPECT_TRUE(GetWindowLongA(hHelpWnd, GWL_STYLE) & WS_THICKFRAME);
    Key(VK_ESCAPE, false, GetDlgItem(hHelpWnd, 100));
    EXPECT_FALSE(hHelpWnd);
}

}  // namespace
