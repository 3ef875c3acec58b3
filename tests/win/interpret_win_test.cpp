// Interpret mode: the tree control, selections, the image pane's pixels and
// scrolling, the dialog preview, resource export, hostile files node by node.
#include "win_test_support.h"

#include <tuple>

#include "interpret/image_pane.h"
#include "interpret/resource_files.h"
#include "interpret_test_files.h"

namespace {

std::string Fixture(const char* name) { return ORVEX_FIXTURE_DIR "\\" + std::string(name); }
std::string Text(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

HTREEITEM Next(HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(hTreeView, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}
// The control's items in order, indented two blanks a level, each marked
// where its states are not the tree data's: the root and the sections with
// children expanded, the root selected, a button where there are children.
std::string ShownTree(HTREEITEM item = Next(nullptr, TVGN_ROOT), const std::string& indent = "") {
    std::string out;
    for (; item; item = Next(item, TVGN_NEXT)) {
        char buf[128] = "";
        TVITEMA it{TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN,
                   item,
                   0,
                   TVIS_EXPANDED | TVIS_SELECTED,
                   buf,
                   sizeof buf,
                   0,
                   0,
                   0,
                   0};
        SendMessageA(hTreeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        const TreeNode& n = TreeNodes[static_cast<size_t>(it.lParam)];
        const bool root = it.lParam == RootNode;
        const bool open = root || (n.Parent == RootNode && n.Kind == 0 && n.FirstChild >= 0);
        const bool states = !(it.state & TVIS_EXPANDED) == !open &&
                            !(it.state & TVIS_SELECTED) == !root && !it.cChildren == !n.HasChildren;
        out += indent + buf + (states ? "\n" : "  <- states\n") +
               ShownTree(Next(item, TVGN_CHILD), indent + "  ");
    }
    return out;
}

// The first node of the tree data below `from` (in tree order) with `text`.
int32_t Node(const char* text, int32_t from = RootNode) {
    return FindNode(text, TreeNodes[static_cast<size_t>(from)].FirstChild);
}
// The node of a section or directory: its text after the address.
int32_t Named(const char* name) {
    for (size_t i = 0; i < TreeNodes.size(); ++i)
        if (const char* colon = std::strstr(TreeNodes[i].Text, ": ");
            colon && !std::strcmp(colon + 2, name))
            return int32_t(i);
    return -1;
}

// Selects a node as a tree click does, then paints; no item fails unless `may_miss`.
void Select(int32_t node, bool may_miss = false) {
    HTREEITEM item = node >= 0 ? TreeItemOf(node) : nullptr;
    EXPECT_TRUE(item || may_miss) << "no item for node " << node;
    if (item) SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    if (hImageWnd) UpdateWindow(hImageWnd);
    UpdateWindow(hViewWnd);
    Pump();
}
// Places the panes: views `width` x `height` between toolbar and status bar.
void SizeViews(int32_t width, int32_t height) {
    const std::vector<LONG> w = Rect(wn),
                            status = Rect(hStatusBar, wn);  // the bar spans the client area
    const LONG extra = height - (status[1] - ToolBarHeight);
    SetWindowPos(wn, 0, 0, 0, w[2] - w[0], w[3] - w[1] + extra, SWP_NOMOVE | SWP_NOZORDER);
    TreeWidth = status[2] - status[0] - SplitterGap - width;
    SendMessageA(wn, WM_SIZE, 0, 0);
    Pump();
    ASSERT_EQ((Ints{ViewWidth, ViewHeight}), (Ints{width, height}));
}
using InterpWin = ShellTest;

TEST_F(InterpWin, TreeShowsTheDataSelectionsTheirRangesListingsAndPicturesInTheImagePane) {
    for (const char* name : {"fixture64.dll", "fixture64.exe"}) {
        OpenPath(Fixture(name), CM_VIEW_INTERP);
        ASSERT_TRUE(hTreeView) << name;
        EXPECT_EQ(ShownTree(), TreeText());
        EXPECT_EQ(TreeText().rfind(std::string(name) + "\n", 0), 0u);
    }
    // Another address mode builds the tree again with the other addresses.
    const std::string physical = ShownTree();
    Command(CM_ADDR_RVA);
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_NE(ShownTree(), physical);
    EXPECT_EQ(ShownTree(), TreeText());
    Command(CM_ADDR_PHYSICAL);
    // A section: its raw bytes in hex, and the table's offset in the status.
    Select(Named(".text"));
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_EQ(StatusText(2), "\tOffset to table =    400 bytes");

    // A listing scrolls as a text of NumLines lines by keys and scroll bar.
    OpenPath(Fixture("fixture64.dll"), CM_VIEW_INTERP);
    Select(Named("Exports"));
    EXPECT_EQ(StatusText(3), "\tColumn       1 of      49");
    Key(VK_DOWN, false, hViewWnd);
    Route(hViewWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    char line[64];
    std::snprintf(line, sizeof line, "\tLine       3 of %7d", NumLines);
    EXPECT_EQ(StatusText(2), line);

    OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    // Seven icons of up to 48 pixels: cells of 52, three per row, three rows
    // and the pane's edge; no bar, as all of it is seen.
    SizeViews(177, 400);
    SetFocus(hTreeView);
    Select(Node("ICON"));
    ASSERT_TRUE(hImageWnd);
    const LONG x = TreeWidth + 4, top = ToolBarHeight;
    EXPECT_EQ(Rect(hImageWnd, wn), (std::vector<LONG>{x, top, x + 177, top + 160}));
    EXPECT_EQ(Rect(hViewWnd, wn), (std::vector<LONG>{x, top + 164, x + 177, top + 400}));
    EXPECT_EQ(GetFocus(), hTreeView);
    // Two per row beside the vertical bar, two rows shown of four (7 * 16 =
    // 112 holds 2 * 52 and the edge): the pane scrolls by rows, taking the
    // focus from its scroll bar, up to row 2; then its keys move it.
    SizeViews(125, 128);
    ASSERT_EQ((Ints{RowsShown, MaxRow}), (Ints{2, 3}));
    Route(hImageWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetFocus(), hImageWnd);
    const struct {
        UINT key;
        bool ctrl;
        int16_t pos;
    } steps[] = {{VK_DOWN, false, 2}, {VK_DOWN, false, 2}, {VK_UP, false, 1},    {VK_HOME, true, 0},
                 {VK_END, false, 0},  {VK_END, true, 2},   {VK_PRIOR, false, 0}, {VK_NEXT, true, 1},
                 {VK_NEXT, false, 2}, {VK_PRIOR, true, 1}};
    for (const auto& s : steps) {
        Key(s.key, s.ctrl);
        EXPECT_EQ(VScrollPos, s.pos) << s.key << (s.ctrl ? " ctrl" : "");
    }
    // ICON 4, the 16 x 16 1-bit image of small.ico centred in its cell (at
    // 2, 2): colour x mod 2 where its mask is clear. The 8 x 8 face bitmap at
    // (2, 2): '#' in colour 1.
    SizeViews(300, 400);
    const COLORREF c0 = RGB(255, 0, 0), c1 = RGB(0xCA, 0x5B, 0x25), white = RGB(255, 255, 255);
    Select(Node("4", Node("ICON")));
    EXPECT_EQ(Rect(hImageWnd)[3] - Rect(hImageWnd)[1], 24);
    const Capture icon(hImageWnd);
    for (const auto& [x, y, c] :
         {std::tuple{3, 2, c1}, {4, 2, c0}, {5, 7, c1}, {17, 3, c1}, {19, 19, white}})
        EXPECT_EQ(icon.Pixel(x, y), c) << x << "," << y;
    Select(Node("FACE", Node("BITMAP")));
    const std::string face = "..####...#....#.#.#..#.##......##.#..#.##..##..#.#....#...####..";
    const Capture bitmap(hImageWnd);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(bitmap.Pixel(2 + i % 8, 2 + i / 8), face[i] == '#' ? c1 : c0) << i;
    // A dialog entry opens a preview at the view's corner, leaving the focus
    // in the tree; a node without pictures closes it and gives the views
    // back their whole height.
    SetFocus(hTreeView);
    Select(Node("200", Node("DIALOG")));
    ASSERT_TRUE(hDlgPreview);
    EXPECT_EQ(WindowText(hDlgPreview), "Fixture");
    const std::vector<LONG> d = Rect(hDlgPreview), v = Rect(hViewWnd);
    EXPECT_EQ((std::vector<LONG>{d[0], d[1]}), (std::vector<LONG>{v[0] + 2, v[1] + 2}));
    EXPECT_EQ(GetFocus(), hTreeView);
    HWND preview = hDlgPreview;
    Select(Node("RCDATA"));
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(hImageWnd, nullptr);
    EXPECT_EQ(Rect(hViewWnd)[3] - Rect(hViewWnd)[1], 400);
}

// The builders' bytes for the entry exported as `name` from type node `type`.
std::string Built(const char* type, uint16_t command, const std::string& name) {
    std::vector<ExportItem> items;
    PlanFolderExport(Node(type), command, items);
    std::vector<uint8_t> bytes;
    for (const ExportItem& item : items)
        if (item.Name == name && BuildExportFile(item, command, bytes)) return Text(bytes);
    return "<not built>";
}

class InterpExport : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const std::string& name : FilesIn(dir + "*")) DeleteFileA((dir + name).c_str());
        OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    }
    // Runs the export command of the node `entry` of `type`, answered with
    // `name` in the export folder and `answers` to the REPLACE questions (then
    // Cancel), each adding the file it asks about to its record.
    void Export(const char* type, const char* entry, int command, const std::string& name,
                std::vector<int> answers = {}) {
        Select(entry ? Node(entry, Node(type)) : Node(type));
        Answers["Save As"] = Answers["Select Folder for Export"] = SaveAs(dir + name);
        asked = 0;
        Answers["Confirm File Replace"] = [this, answers](HWND h) {
            SeenDialogs.back() += "|" + ItemText(h, 168);
            if (asked < answers.size()) Click(h, answers[asked]);
            ++asked;
        };
        SeenDialogs.clear();
        for (int id :
             {CM_EXPORT_BITMAPS, CM_EXPORT_CURSORS, CM_EXPORT_ICONS})  // the node's item only
            EXPECT_EQ(MenuState(id) & MF_GRAYED, id == command ? 0u : MF_GRAYED)
                << type << " " << id;
        Command(command);
    }
    const std::string dir = TempFilePath("orvex-export\\");
    size_t asked = 0;
};

TEST_F(InterpExport, SingleEntriesAndFoldersWriteTheBuildersBytesAskingBeforeReplacing) {
    const struct {
        const char *type, *entry;
        int command;
        const char *proposed, *written;
    } cases[] = {{"BITMAP", "FACE", CM_EXPORT_BITMAPS, "FACE.BMP", "face.bmp"},
                 {"GROUP_ICON", "1", CM_EXPORT_ICONS, "1.ICO", "app.ico"},
                 {"GROUP_CURSOR", "2", CM_EXPORT_CURSORS, "2.CUR", "hand.cur"},
                 {"ICON", "4", CM_EXPORT_ICONS, "4.ICO", "small.ico"}};
    for (const auto& c : cases) {
        Export(c.type, c.entry, c.command, c.written);
        EXPECT_EQ(SeenDialogs, std::vector<std::string>{std::string("Save As||") + c.proposed});
        EXPECT_EQ(ReadWholeFile(dir + c.written), Built(c.type, c.command, c.proposed))
            << c.written;
    }
    EXPECT_EQ(ReadWholeFile(dir + "face.bmp"),
              ReadWholeFile(Fixture("images/face.bmp")));  // as it was made
    // A folder: nothing existed yet, only the folder was asked for.
    Export("ICON", nullptr, CM_EXPORT_ICONS, "{ICON}.ICO");
    EXPECT_EQ(SeenDialogs, std::vector<std::string>{"Select Folder for Export||{ICON}.ICO"});
    std::vector<ExportItem> items;
    PlanFolderExport(SelNode, CM_EXPORT_ICONS, items);
    ASSERT_EQ(items.size(), 7u);
    for (const ExportItem& item : items)
        EXPECT_EQ(ReadWholeFile(dir + item.Name), Built("ICON", CM_EXPORT_ICONS, item.Name))
            << item.Name;
    // Again with every file there (emptied), answered `answers`: `written`
    // tells whether the first file and the others were written again.
    const auto exportAgain = [&](std::vector<int> answers, size_t asked,
                                 std::vector<bool> written) {
        for (const ExportItem& item : items) TempFile("orvex-export\\" + item.Name, "");
        Export("ICON", nullptr, CM_EXPORT_ICONS, "{ICON}.ICO", answers);
        EXPECT_EQ(this->asked, asked);
        for (size_t k = 0; k < items.size(); ++k)
            EXPECT_EQ(!ReadWholeFile(dir + items[k].Name).empty(), written[k < 1 ? 0 : 1]) << k;
    };
    exportAgain({IDNO, IDYES, 9}, 3, {false, true});  // No, Yes, then Yes to All
    ASSERT_EQ(SeenDialogs.size(), 4u);
    EXPECT_EQ(SeenDialogs[1], "Confirm File Replace|REPLACE|" + dir + items[0].Name);
    exportAgain({IDYES, IDCANCEL, IDYES}, 2, {true, false});  // Cancel ends the export
}

TEST_F(InterpWin, HostileFilesSelectedNodeByNodeLeaveTheProgramUp) {
    // An icon claiming more pixels than its resource holds and a dialog
    // claiming 500 items in 30 bytes are not given to the system.
    Bytes crafted = MakePe({{".rsrc", 0x2000, 0x400, 0x800}});
    SetDir(crafted, 2, 0x2000, 0x100);
    crafted.U32(0xA00, 40).U32(0xA04, 255).U32(0xA08, 510).U16(0xA0C, 1).U16(0xA0E, 32);
    crafted.U32(0xB00, 0x80C800C0u).U16(0xB08, 500);
    LayOutResources(crafted, 0x400,
                    {{3, nullptr, {{1, nullptr, 0x2600, 60}}},
                     {5, nullptr, {{1, nullptr, 0x2700, 30}}},
                     {14, nullptr, {{1, nullptr, 0x2600, 60}}}});
    OpenPath(TempFile("crafted.dll", Text(crafted.data)), CM_VIEW_INTERP);
    Select(Node("1", Node("ICON")));  // no icon: no cell, nothing drawn
    ASSERT_TRUE(hImageWnd);
    EXPECT_EQ(Capture(hImageWnd).Pixel(10, 10), RGB(255, 255, 255));
    SeenDialogs.clear();
    Select(Node("1", Node("DIALOG")));
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0].rfind("Line 2898, Error Code ", 0), 0u) << SeenDialogs[0];
    EXPECT_EQ(hDlgPreview, nullptr);

    // Fixtures cut short or with bytes flipped at a spread of places, and the
    // fuzzers' kept inputs when a corpus directory is given.
    std::vector<std::pair<std::string, std::string>> files = {{"crafted.dll", Text(crafted.data)}};
    for (const char* name : {"fixture64.exe", "images/hand.cur"}) {
        const std::string good = ReadWholeFile(Fixture(name)), ext = std::strrchr(name, '.');
        ASSERT_GT(good.size(), 100u) << name;
        for (size_t cut = 7; cut < good.size(); cut = cut * 2 + 13)
            files.emplace_back("cut" + ext, good.substr(0, cut));
        for (size_t at = 2; at < good.size(); at = at * 2 + 29) {
            std::string bad = good;
            for (size_t k = at; k < at + 4 && k < bad.size(); ++k)
                bad[k] = static_cast<char>(~bad[k]);
            files.emplace_back("flip" + ext, bad);
        }
    }
    if (const char* corpus = std::getenv("ORVEX_HOSTILE_DIR"))
        for (const std::string& name : FilesIn(std::string(corpus) + "\\*"))
            files.emplace_back(name, ReadWholeFile(std::string(corpus) + "\\" + name));
    // Every node selected in turn, with the pane painted and the preview
    // made: the program must stay up. Boxes are answered by the hook.
    size_t nodes = 0;
    for (const auto& [name, bytes] : files) {
        OpenPath(TempFile("hostile-" + name, bytes), CM_VIEW_INTERP);
        nodes += TreeNodes.size();
        for (size_t n = 0; n < TreeNodes.size() && hTreeView; ++n)
            Select(static_cast<int32_t>(n), true);
        ASSERT_TRUE(IsWindow(wn) && IsWindow(hViewWnd)) << name;
    }
    EXPECT_GT(nodes, files.size());
}

}  // namespace
