// Interpret mode in the real main window: the tree control, selections, the
// image pane with its pixels and scrolling, the dialog preview, resource
// export through the dialogs, and hostile files selected node by node.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/layout.h"
#include "app/settings.h"
#include "document/document.h"
#include "document/document_win.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"
#include "interpret/interpret_win.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"
#include "resources/resource_ids.h"
#include "win_test_support.h"

namespace {

std::string Fixture(const std::string& name) {
    std::string path = std::string(ORVEX_FIXTURE_DIR) + "/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

HTREEITEM Next(HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hTreeView, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// Every item of the control in order: its text indented two blanks per level,
// and its expanded, selected and button states and its node.
struct ShownItem {
    std::string text;
    bool expanded, selected, button;
    LPARAM node;
};
void ReadItems(HTREEITEM item, int depth, std::vector<ShownItem>& out, std::string& text) {
    for (; item; item = Next(item, TVGN_NEXT)) {
        char buf[128] = "";
        TVITEMA it{TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN, item, 0,
                   TVIS_EXPANDED | TVIS_SELECTED, buf, sizeof buf, 0, 0, 0, 0};
        SendMessageA(hTreeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        out.push_back({buf, (it.state & TVIS_EXPANDED) != 0, (it.state & TVIS_SELECTED) != 0,
                       it.cChildren != 0, it.lParam});
        text += std::string(2 * depth, ' ') + buf + "\n";
        ReadItems(Next(item, TVGN_CHILD), depth + 1, out, text);
    }
}
std::vector<ShownItem> ShownTree(std::string& text) {
    std::vector<ShownItem> out;
    text.clear();
    ReadItems(Next(nullptr, TVGN_ROOT), 0, out, text);
    return out;
}

// The first node of the tree data below `from` (in tree order) with `text`.
int32_t Node(const char* text, int32_t from = RootNode) {
    return FindNode(text, TreeNodes[static_cast<size_t>(from)].FirstChild);
}

// The node of a section or directory: its text after the address.
int32_t Named(const char* name) {
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        const char* colon = std::strstr(TreeNodes[i].Text, ": ");
        if (colon && std::strcmp(colon + 2, name) == 0) return static_cast<int32_t>(i);
    }
    return -1;
}

// Where a window lies in the main window's client area.
RECT ClientRectOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, wn, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
int Height(HWND h) { return ClientRectOf(h).bottom - ClientRectOf(h).top; }

// The pixels of a window's client area from (0, 0), `w` x `h`, as 0xRRGGBB.
std::vector<uint32_t> Snapshot(HWND hwnd, int w, int h) {
    HDC dc = GetDC(hwnd);
    std::vector<uint32_t> out = GrabPixels(dc, 0, 0, w, h);
    ReleaseDC(hwnd, dc);
    return out;
}

// A pixel of the pane's client area, copied out of the window first.
COLORREF PanePixel(int x, int y) {
    const uint32_t p = Snapshot(hImageWnd, x + 1, y + 1).back();
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

// Answers of the export dialogs: the file or folder name of the save
// dialog, then the buttons for each REPLACE question in turn. The name
// proposed, or the file asked about, is added to the dialog's record.
std::string SaveName;
std::vector<int> ReplaceAnswers;
int ReplaceAsked = 0;

void AnswerExportDialogs(HWND h) {
    const std::string title = WindowText(h);
    int answer = IDCANCEL;
    HWND name = GetDlgItem(h, 0x480);
    if (!name) name = GetDlgItem(h, 0x47C);
    if (title == "Confirm File Replace") {
        SeenDialogs.back() += "|" + WindowText(GetDlgItem(h, 168));
        if (ReplaceAsked < static_cast<int>(ReplaceAnswers.size()))
            answer = ReplaceAnswers[ReplaceAsked];
        ++ReplaceAsked;
    } else if (name && (title == "Save As" || title == "Select Folder for Export")) {
        SeenDialogs.back() += "|" + WindowText(name);
        if (!SaveName.empty()) {
            SetWindowTextA(name, SaveName.c_str());
            answer = IDOK;
        }
    }
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

class InterpWin : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        SaveName.clear();
        ReplaceAnswers.clear();
        ReplaceAsked = 0;
    }
    void TearDown() override {
        ShellTest::TearDown();
        AddrMode = AddrPhysical;
    }
    // Opens `path` in interpret mode and lets the main window build its tree.
    static void OpenInterpreted(const std::string& path) {
        Command(CM_VIEW_INTERP);
        std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
        Command(CM_OPEN_NAMED);
        RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }
    static void OpenBytes(const std::string& name, const Bytes& b) {
        OpenInterpreted(TempFile(name, std::string(b.data.begin(), b.data.end())));
    }
    static void Select(int32_t node) {
        ASSERT_GE(node, 0);
        ASSERT_TRUE(TreeItemOf(node));
        SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(TreeItemOf(node)));
        UpdateWindow(wn);
        if (hImageWnd) UpdateWindow(hImageWnd);
        UpdateWindow(hViewWnd);
        Pump();
    }
    static void Key(HWND to, UINT vk, bool ctrl = false) {
        SetControl(ctrl);
        Route(to, WM_KEYDOWN, vk, static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16 | 1);
        SetControl(false);
        if (hImageWnd) UpdateWindow(hImageWnd);
        UpdateWindow(hViewWnd);
    }
    // Places the panes: views `width` wide (the tree takes the rest) and
    // `height` high between toolbar and status bar.
    static void SizeViews(int32_t width, int32_t height) {
        RECT r, s, w;
        GetClientRect(wn, &r);
        GetClientRect(hStatusBar, &s);
        GetWindowRect(wn, &w);
        const int32_t extra = height - (r.bottom - ToolBarHeight - s.bottom);
        SetWindowPos(wn, 0, 0, 0, w.right - w.left, w.bottom - w.top + extra,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(wn, &r);
        TreeWidth = r.right - SplitterGap - width;
        SendMessageA(wn, WM_SIZE, 0, 0);
        Pump();
        ASSERT_EQ(ViewWidth, width);
        ASSERT_EQ(ViewHeight, height);
    }
};

// ---- the tree and selections ----

TEST_F(InterpWin, TreeShowsTheDataInOrderAndFollowsSplitterAndAddressMode) {
    std::string text;
    for (const char* name : {"fixture64.exe", "fixture64.dll"}) {
        SCOPED_TRACE(name);
        OpenInterpreted(Fixture(name));
        ASSERT_TRUE(hTreeView);
        EXPECT_EQ(InterpKind, InterpExe);
        const std::vector<ShownItem> items = ShownTree(text);
        ASSERT_EQ(items.size(), TreeNodes.size());
        EXPECT_EQ(text, TreeText());  // the control shows the tree data in its order
        EXPECT_EQ(items[0].text, name);
        EXPECT_EQ(SelNode, RootNode);
        for (const ShownItem& i : items) {
            const TreeNode& n = TreeNodes[static_cast<size_t>(i.node)];
            EXPECT_EQ(i.text, n.Text);
            EXPECT_EQ(i.button, n.HasChildren != 0) << i.text;
            // Root and sections start expanded, everything else collapsed.
            const bool section = n.Parent == RootNode && n.Kind == 0;
            EXPECT_EQ(i.expanded, i.node == RootNode || (section && n.FirstChild >= 0)) << i.text;
            EXPECT_EQ(i.selected, i.node == RootNode) << i.text;
        }
        // The root shows the whole file in hex; the tree sits left of the views.
        EXPECT_EQ(ByteOffset, 0);
        EXPECT_EQ(NumBytes, static_cast<uint32_t>(FileSize));
        EXPECT_EQ(ShowMode, _HEX_);
        const RECT tree = ClientRectOf(hTreeView);
        EXPECT_EQ(tree.left, 0);
        EXPECT_EQ(tree.top, ToolBarHeight);
        EXPECT_EQ(tree.right, TreeWidth);
        EXPECT_EQ(ClientRectOf(hViewWnd).left, TreeWidth + SplitterGap);
    }
    // The splitter resizes the tree and the views follow.
    const int32_t at = TreeWidth + 1, y = ToolBarHeight + 50;
    Route(wn, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at, y));
    Route(wn, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at + 40, y));
    Route(wn, WM_LBUTTONUP, 0, MAKELPARAM(at + 40, y));
    EXPECT_EQ(ClientRectOf(hTreeView).right, at + 39);
    EXPECT_EQ(ClientRectOf(hViewWnd).left, at + 39 + SplitterGap);
    // A new address mode builds the tree again with RVAs in its texts.
    HWND before = hTreeView;
    Command(CM_ADDR_RVA);
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    ASSERT_TRUE(hTreeView);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(ShownTree(text)[1].text, "00001000: .text");
    EXPECT_EQ(SelNode, RootNode);

    // Library names that differ only in case and punctuation show in the
    // order of the tree data, which is the program's text order.
    Bytes b = MakePe({{".idata", 0x1000, 0x400, 0x400}});
    SetDir(b, 1, 0x1000, 0x100);
    const char* names[] = {"b.dll", "A_B.dll", "B.dll", "ab.dll", "a-b.dll", "_x.dll", "a.b.dll"};
    for (size_t i = 0; i < 7; ++i) {
        b.U32(0x400 + 20 * i + 12, static_cast<uint32_t>(0x1200 + 16 * i))
            .U32(0x400 + 20 * i + 16, 0x1300);
        b.Text(0x600 + 16 * i, names[i]);
    }
    OpenBytes("order.dll", b);
    std::vector<std::string> libraries;
    for (const ShownItem& i : ShownTree(text))
        if (TreeNodes[static_cast<size_t>(i.node)].Kind == KindLibrary) libraries.push_back(i.text);
    EXPECT_EQ(libraries, (std::vector<std::string>{"_x.dll", "a-b.dll", "a.b.dll", "A_B.dll",
                                                   "ab.dll", "b.dll", "B.dll"}));
    EXPECT_EQ(text, TreeText());
}

TEST_F(InterpWin, SelectionsShowRangesListingsStatusAndExportItems) {
    OpenInterpreted(Fixture("fixture64.dll"));
    Select(Named("Exports"));
    EXPECT_EQ(SelKind, KindExports);
    EXPECT_EQ(ShowMode, _TEXT_);
    EXPECT_GT(NumLines, 2);
    EXPECT_EQ(LineNum, 1);
    EXPECT_EQ(StatusText(3), "\tColumn       1 of      49");
    // The listing scrolls as a text of NumLines lines: keys and scroll bar.
    Key(hViewWnd, VK_DOWN);
    EXPECT_EQ(LineNum, 2);
    Route(hViewWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(LineNum, 3);
    char line[64];
    std::snprintf(line, sizeof line, "\tLine       3 of %7d", NumLines);
    EXPECT_EQ(StatusText(2), line);
    // Sideways keys leave a listing drawn from its first column.
    const std::vector<uint32_t> before = Snapshot(hViewWnd, 400, 60);
    Key(hViewWnd, VK_RIGHT);
    Key(hViewWnd, VK_RIGHT);
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    EXPECT_EQ(LineNum, 3);
    EXPECT_EQ(Col, 3);
    EXPECT_TRUE(Snapshot(hViewWnd, 400, 60) == before);

    OpenInterpreted(Fixture("fixture64.exe"));
    Select(Node("fixture.dll"));
    EXPECT_EQ(SelKind, KindLibrary);
    EXPECT_EQ(NumLines, 3);
    EXPECT_EQ(NumBytes, 20u);
    // A section: its raw bytes in hex, and the table's offset in the status.
    Select(Named(".text"));
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_EQ(SelKind, 0);
    EXPECT_EQ(ByteOffset, 0x400);
    EXPECT_EQ(NumBytes, 0x200u);
    EXPECT_EQ(StatusText(2), "\tOffset to table =    400 bytes");
    EXPECT_EQ(hImageWnd, nullptr);

    // The export item of the selected kind is the only one enabled.
    const int32_t icons = Node("ICON");
    const struct {
        int32_t node;
        int enabled;
    } cases[] = {{icons, CM_EXPORT_ICONS},
                 {Node("FACE", Node("BITMAP")), CM_EXPORT_BITMAPS},
                 {Node("GROUP_CURSOR"), CM_EXPORT_CURSORS},
                 {Node("RCDATA"), 0},
                 {RootNode, 0}};
    for (const auto& c : cases) {
        Select(c.node);
        for (int id : {CM_EXPORT_BITMAPS, CM_EXPORT_CURSORS, CM_EXPORT_ICONS})
            EXPECT_EQ((MenuState(id) & MF_GRAYED) == 0, id == c.enabled)
                << TreeNodes[static_cast<size_t>(c.node)].Text << " " << id;
    }
    // Leaving interpret mode forgets the tree, its data and the selection.
    Select(icons);
    ASSERT_TRUE(hImageWnd);
    Command(CM_VIEW_HEX);
    EXPECT_EQ(hTreeView, nullptr);
    EXPECT_EQ(hImageWnd, nullptr);
    EXPECT_TRUE(TreeNodes.empty());
    EXPECT_EQ(InterpKind, InterpNone);
    EXPECT_EQ(SelKind, 0);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_EQ(ImageCount, 0);
    UpdateWindow(hViewWnd);
    EXPECT_TRUE(MenuState(CM_EXPORT_ICONS) & MF_GRAYED);
}

// ---- the image pane and the dialog preview ----

TEST_F(InterpWin, ImagePaneIsLaidOutScrolledAndDrawnWithThePixels) {
    OpenInterpreted(Fixture("fixture64.exe"));
    // Seven icons of up to 48 pixels: cells of 52, three per row beside the
    // vertical bar of views 177 wide, three rows, and room for the
    // horizontal bar.
    const int bar = GetSystemMetrics(SM_CYHSCROLL);
    SizeViews(177, 400);
    SetFocus(hTreeView);
    Select(Node("ICON"));
    ASSERT_TRUE(hImageWnd);
    EXPECT_EQ(CellWidth, 52);
    EXPECT_EQ(CellHeight, 52);
    RECT pane = ClientRectOf(hImageWnd), view = ClientRectOf(hViewWnd);
    EXPECT_EQ(pane.left, TreeWidth + 4);
    EXPECT_EQ(pane.top, ToolBarHeight);
    EXPECT_EQ(pane.right - pane.left, 177);
    EXPECT_EQ(pane.bottom - pane.top, 3 * 52 + 4 + bar);
    EXPECT_EQ(view.top, ToolBarHeight + 3 * 52 + 8 + bar);
    EXPECT_EQ(view.bottom - view.top, 400 - 164 - bar);
    EXPECT_EQ(GetFocus(), hTreeView);
    // A lower window cuts the pane to whole rows within 7/8 of the views:
    // 7 * (120 / 8) = 105, two rows of 52 shown of three.
    SizeViews(177, 120);
    EXPECT_EQ(Height(hImageWnd), 104 + bar);
    EXPECT_EQ(ClientRectOf(hViewWnd).top, ToolBarHeight + 108 + bar);
    EXPECT_EQ(MaxRow, 2);
    EXPECT_EQ(RowsShown, 2);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hImageWnd, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 2);
    EXPECT_EQ(si.nPage, 2u);
    // Scroll bar messages take the focus; keys then reach the pane.
    Route(hImageWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetFocus(), hImageWnd);
    EXPECT_EQ(VScrollPos, 1);
    const struct {
        UINT key;
        bool ctrl;
        int16_t pos;
    } steps[] = {{VK_DOWN, false, 2},  {VK_DOWN, false, 2}, {VK_UP, false, 1},
                 {VK_HOME, true, 0},   {VK_END, false, 0},  {VK_END, true, 1},
                 {VK_PRIOR, false, 0}, {VK_NEXT, true, 1},  {VK_NEXT, false, 2},
                 {VK_HOME, false, 2},  {VK_PRIOR, true, 1}};
    for (const auto& s : steps) {
        Key(GetFocus(), s.key, s.ctrl);
        EXPECT_EQ(VScrollPos, s.pos) << s.key << (s.ctrl ? " ctrl" : "");
    }
    Route(hImageWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(VScrollPos, 0);

    // ICON 4 is the 16 x 16 1-bit image of small.ico: a cell of 20, a pane
    // 24 high above the bar; colour x mod 2 where its mask is clear, drawn
    // centred in its cell (at 2, 2).
    SizeViews(300, 400);
    Select(Node("4", Node("ICON")));
    EXPECT_EQ(Height(hImageWnd), 24 + bar);
    const COLORREF c0 = RGB(255, 0, 0), c1 = RGB(202, 91, 37), white = RGB(255, 255, 255);
    EXPECT_EQ(PanePixel(2 + 1, 2 + 0), c1);
    EXPECT_EQ(PanePixel(2 + 2, 2 + 0), c0);
    EXPECT_EQ(PanePixel(2 + 3, 2 + 5), c1);
    EXPECT_EQ(PanePixel(2 + 15, 2 + 1), c1);
    EXPECT_EQ(PanePixel(19, 19), white);  // outside the image
    // The 8 x 8 face bitmap: a pane of 12 + 4, the bitmap at (2, 2) with '#'
    // in colour 1.
    Select(Node("FACE", Node("BITMAP")));
    EXPECT_EQ(Height(hImageWnd), 16 + bar);
    const char* rows[8] = {"..####..", ".#....#.", "#.#..#.#", "#......#",
                           "#.#..#.#", "#..##..#", ".#....#.", "..####.."};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(PanePixel(2 + x, 2 + y), rows[y][x] == '#' ? c1 : c0) << x << "," << y;
    // A bitmap wider than the views keeps room for the horizontal bar and
    // scrolls sideways pixel by pixel up to width + 8 - view width.
    SizeViews(20, 400);
    Select(Node("103", Node("BITMAP")));
    EXPECT_EQ(Height(hImageWnd), 10 + 8 + GetSystemMetrics(SM_CYVSCROLL));
    SetFocus(hImageWnd);
    for (int i = 0; i < 12; ++i) Key(hImageWnd, VK_RIGHT);
    EXPECT_EQ(HScrollPos, 8);
    Route(hImageWnd, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(HScrollPos, 7);
    // A node without pictures gives the views back their whole height.
    Select(Node("RCDATA"));
    EXPECT_EQ(hImageWnd, nullptr);
    EXPECT_EQ(ClientRectOf(hViewWnd).top, ToolBarHeight);
    EXPECT_EQ(Height(hViewWnd), 400);
    // A dialog entry opens a preview at the view's corner, leaving the focus
    // in the tree; another node closes it.
    SetFocus(hTreeView);
    Select(Node("200", Node("DIALOG")));
    ASSERT_TRUE(hDlgPreview);
    EXPECT_EQ(WindowText(hDlgPreview), "Fixture");
    RECT d, v;
    GetWindowRect(hDlgPreview, &d);
    GetWindowRect(hViewWnd, &v);
    EXPECT_EQ(d.left, v.left + 2);
    EXPECT_EQ(d.top, v.top + 2);
    EXPECT_EQ(GetFocus(), hTreeView);
    HWND preview = hDlgPreview;
    Select(Node("RCDATA"));
    EXPECT_EQ(hDlgPreview, nullptr);
    EXPECT_FALSE(IsWindow(preview));

    // The whole icon file: every image has a cell, its icon made as drawn.
    SizeViews(300, 400);
    OpenInterpreted(Fixture("images/app.ico"));
    ASSERT_TRUE(hImageWnd);
    EXPECT_EQ(InterpKind, InterpIconFile);
    EXPECT_EQ(SelImages.size(), 3u);
    for (int16_t i = 0; i < 3; ++i) EXPECT_TRUE(ImageIcons[i]) << i;
    // A 256-pixel PNG image is described, laid out and drawn at its size:
    // its pixel (x, y) is (7x, 5y, 128).
    OpenInterpreted(Fixture("images/png.ico"));
    ASSERT_TRUE(hImageWnd);
    EXPECT_STREQ(TreeNodes[static_cast<size_t>(TreeNodes[RootNode].FirstChild)].Text,
                 "256x256, 2*32 colors");
    EXPECT_EQ(CellWidth, 260);
    ASSERT_TRUE(ImageIcons[0]);
    EXPECT_EQ(PanePixel(2 + 10, 2 + 20), RGB(70, 100, 128));
    EXPECT_EQ(PanePixel(2 + 200, 2 + 3), RGB(120, 15, 128));
    EXPECT_EQ(PanePixel(2 + 255, 2 + 250), RGB(249, 226, 128));
}

// ---- export ----

class InterpExport : public InterpWin {
protected:
    void SetUp() override {
        InterpWin::SetUp();
        dir = TempFilePath("orvex-export\\");
        CreateDirectoryA(dir.c_str(), nullptr);
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((dir + "*").c_str(), &f);
        if (h != INVALID_HANDLE_VALUE) {
            do DeleteFileA((dir + f.cFileName).c_str());
            while (FindNextFileA(h, &f));
            FindClose(h);
        }
        DialogAnswer = AnswerExportDialogs;
    }
    // Runs an export command answered with `name` in the export folder.
    void Export(int command, const std::string& name, std::vector<int> answers = {}) {
        SaveName = dir + name;
        ReplaceAnswers = std::move(answers);
        ReplaceAsked = 0;
        ClearDialogs();
        Command(command);
    }
    std::string dir;
};

TEST_F(InterpExport, SingleEntriesWriteTheBuildersBytes) {
    OpenInterpreted(Fixture("fixture64.exe"));
    const struct {
        const char* type;
        const char* entry;
        int command;
        const char* proposed;
        const char* written;
    } cases[] = {{"BITMAP", "FACE", CM_EXPORT_BITMAPS, "FACE.BMP", "face.bmp"},
                 {"GROUP_ICON", "1", CM_EXPORT_ICONS, "1.ICO", "app.ico"},
                 {"GROUP_CURSOR", "2", CM_EXPORT_CURSORS, "2.CUR", "hand.cur"},
                 {"ICON", "4", CM_EXPORT_ICONS, "4.ICO", "small.ico"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        Select(Node(c.entry, Node(c.type)));
        std::vector<uint8_t> expected;
        if (c.command == CM_EXPORT_BITMAPS) {
            ASSERT_TRUE(BuildBmpFile(ByteOffset, NumBytes, expected));
        } else {
            ASSERT_TRUE(BuildIconFile(SelImages, static_cast<uint16_t>(c.command), expected));
        }
        Export(c.command, c.written);
        EXPECT_EQ(SeenDialogs, std::vector<std::string>{std::string("Save As||") + c.proposed});
        EXPECT_EQ(ReadAll(SaveName), expected);
        // A bitmap comes back as the file it was made from.
        if (c.command == CM_EXPORT_BITMAPS) {
            EXPECT_EQ(ReadAll(SaveName), ReadAll(Fixture("images/") + c.written));
        }
        EXPECT_EQ(hFile, nullptr);
    }
}

TEST_F(InterpExport, FolderExportAsksBeforeReplacing) {
    OpenInterpreted(Fixture("fixture64.exe"));
    Select(Node("ICON"));
    Export(CM_EXPORT_ICONS, "{ICON}.ICO");
    // Nothing existed yet: only the folder was asked for.
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{"Select Folder for Export||{ICON}.ICO"});
    std::vector<ExportItem> items;
    PlanFolderExport(SelNode, ExportIcons, items);
    ASSERT_EQ(items.size(), 7u);
    for (const ExportItem& item : items) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(BuildExportFile(item, ExportIcons, bytes));
        EXPECT_EQ(ReadAll(dir + item.Name), bytes) << item.Name;
    }
    // Again with every file there (emptied), answered `answers`: `written`
    // tells whether the first file and the others were written again.
    const auto exportAgain = [&](std::vector<int> answers, int asked, std::vector<bool> written) {
        for (const ExportItem& item : items) TempFile("orvex-export\\" + item.Name, "");
        Export(CM_EXPORT_ICONS, "{ICON}.ICO", answers);
        EXPECT_EQ(ReplaceAsked, asked);
        for (size_t k = 0; k < items.size(); ++k)
            EXPECT_EQ(!ReadAll(dir + items[k].Name).empty(), written[k < 1 ? 0 : 1]) << k;
    };
    // No, Yes, then Yes to All for the rest.
    exportAgain({IDNO, IDYES, 9}, 3, {false, true});
    ASSERT_EQ(SeenDialogs.size(), 4u);
    EXPECT_EQ(SeenDialogs[1], "Confirm File Replace|REPLACE|" + dir + items[0].Name);
    // Cancel at the second question ends the export.
    exportAgain({IDYES, IDCANCEL, IDYES}, 2, {true, false});
}

// A name the system refuses: its message with the path as caption, and the
// export goes on with the next entry.
TEST_F(InterpExport, EntriesThatCannotBeCreatedAreReportedAndSkipped) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});
    SetDir(b, 2, 0x5000, 0x100);
    LayOutResources(b, 0x400, {{2, nullptr, {{0, "a<b", 0x5800, 64}, {0, "ok", 0x5800, 64}}}});
    OpenBytes("names.dll", b);
    Select(Node("BITMAP"));
    Export(CM_EXPORT_BITMAPS, "x");
    ASSERT_EQ(SeenDialogs.size(), 2u);
    EXPECT_EQ(SeenDialogs[1].rfind(dir + "a<b.BMP|", 0), 0u) << SeenDialogs[1];
    EXPECT_GT(SeenDialogs[1].size(), dir.size() + 9);  // the system's text
    EXPECT_EQ(ReadAll(dir + "ok.BMP").size(), 64u + 14u);
}

TEST_F(InterpExport, FilesForTheCheckOfTheIconTools) {
    // Left in the export folder for the icotool and file checks after this
    // program: every bitmap, cursor group and icon group of the fixture.
    OpenInterpreted(Fixture("fixture64.exe"));
    for (auto [type, command] : {std::pair<const char*, int>{"BITMAP", CM_EXPORT_BITMAPS},
                                 {"GROUP_CURSOR", CM_EXPORT_CURSORS},
                                 {"GROUP_ICON", CM_EXPORT_ICONS}}) {
        Select(Node(type));
        Export(command, "x");
    }
    for (const char* name : {"FACE.BMP", "101.BMP", "104.BMP", "1.CUR", "2.CUR", "1.ICO", "2.ICO",
                             "DOCUMENT.ICO", "400.ICO"}) {
        ASSERT_FALSE(ReadAll(dir + name).empty()) << name;
        if (const char* outDir = std::getenv("ORVEX_EXPORT_CHECK_DIR"))
            CopyFileA((dir + name).c_str(), (std::string(outDir) + "\\" + name).c_str(), FALSE);
    }
}

// ---- hostile files ----

// An executable whose icon and bitmap claim more pixels than their
// resources hold and whose dialog claims 500 items in 30 bytes.
Bytes CraftedPe() {
    Bytes b = MakePe({{".rsrc", 0x2000, 0x400, 0x800}});
    SetDir(b, 2, 0x2000, 0x100);
    b.U32(0xA00, 40).U32(0xA04, 255).U32(0xA08, 510).U16(0xA0C, 1).U16(0xA0E, 32);  // icon
    b.U32(0xA80, 40).U32(0xA84, 0x7FFFFFFF).U32(0xA88, 0x7FFFFFFF).U16(0xA8C, 1).U16(0xA8E, 24);
    b.U32(0xB00, 0x80C800C0u).U16(0xB08, 500);  // dialog
    LayOutResources(b, 0x400, {{2, nullptr, {{1, nullptr, 0x2680, 60}}},
                               {3, nullptr, {{1, nullptr, 0x2600, 60}}},
                               {5, nullptr, {{1, nullptr, 0x2700, 30}}},
                               {14, nullptr, {{1, nullptr, 0x2600, 60}}}});
    return b;
}

TEST_F(InterpWin, HostileFilesSelectedNodeByNodeLeaveTheProgramUp) {
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    for (const char* name : {"fixture64.exe", "images/hand.cur"}) {
        const std::vector<uint8_t> good = ReadAll(Fixture(name));
        ASSERT_FALSE(good.empty()) << name;
        const std::string ext = std::strrchr(name, '.');
        // Cut short at places across the headers, tables and images, and
        // with bytes flipped at a spread of places.
        for (size_t cut = 7; cut < good.size(); cut = cut * 2 + 13)
            files.emplace_back("cut" + ext, std::vector<uint8_t>(good.begin(), good.begin() + cut));
        for (size_t at = 2; at < good.size(); at = at * 2 + 29) {
            std::vector<uint8_t> bad = good;
            for (size_t k = 0; k < 4 && at + k < bad.size(); ++k) bad[at + k] ^= 0xFF;
            files.emplace_back("flip" + ext, bad);
        }
    }
    files.emplace_back("crafted.dll", CraftedPe().data);
    // The fuzzers' kept inputs, when a corpus directory is given.
    if (const char* corpus = std::getenv("ORVEX_HOSTILE_DIR")) {
        WIN32_FIND_DATAA f;
        const std::string base = std::string(corpus) + "\\";
        HANDLE h = FindFirstFileA((base + "*").c_str(), &f);
        if (h != INVALID_HANDLE_VALUE) {
            do
                if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    files.emplace_back(f.cFileName, ReadAll(base + f.cFileName));
            while (FindNextFileA(h, &f));
            FindClose(h);
        }
    }
    // Every node selected in turn, with the pane painted and the preview
    // made: the program must stay up. Boxes are answered by the hook.
    size_t nodes = 0;
    for (const auto& [name, bytes] : files) {
        OpenInterpreted(TempFile("hostile-" + name, std::string(bytes.begin(), bytes.end())));
        ASSERT_TRUE(IsWindow(wn)) << name;
        nodes += TreeNodes.size();
        for (size_t n = 0; n < TreeNodes.size() && hTreeView; ++n) {
            if (HTREEITEM item = TreeItemOf(static_cast<int32_t>(n)))
                SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            if (hImageWnd) UpdateWindow(hImageWnd);
            UpdateWindow(hViewWnd);
            Pump();
        }
        ASSERT_TRUE(IsWindow(wn)) << name;
        ASSERT_TRUE(IsWindow(hViewWnd)) << name;
    }
    EXPECT_GT(nodes, files.size());
}

TEST_F(InterpWin, ImagesAndDialogsThatDoNotFitAreNotGivenToTheSystem) {
    OpenBytes("crafted.dll", CraftedPe());
    ASSERT_EQ(ImageCount, 1);
    EXPECT_EQ(ImageSizes[0], 255);
    EXPECT_EQ(ImageIcon(0), nullptr);  // its bits and mask reach past the resource
    ClearDialogs();
    Select(Node("1", Node("BITMAP")));
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{"Error|Unrecognized format!"});
    EXPECT_EQ(hImageWnd, nullptr);
    ClearDialogs();
    Select(Node("1", Node("DIALOG")));
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0].rfind("Line 2898, Error Code ", 0), 0u) << SeenDialogs[0];
    EXPECT_EQ(hDlgPreview, nullptr);
    // The icon without an icon takes no cell and draws nothing.
    Select(Node("1", Node("ICON")));
    ASSERT_TRUE(hImageWnd);
    EXPECT_EQ(PanePixel(10, 10), RGB(255, 255, 255));
}

}  // namespace
