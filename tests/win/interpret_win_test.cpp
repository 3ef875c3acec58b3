// Interpret mode: the tree control, selections, the image pane's pixels and
// scrolling, the dialog preview and resource export.
#include "win_test_support.h"

#include <tuple>

#include "interpret/image_pane.h"
#include "interpret_test_files.h"

namespace {

std::string Fixture(const std::string& name) { return ORVEX_FIXTURE_DIR "\\" + name; }

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
        TVITEMA it{};
        it.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
        it.hItem = item;
        it.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(hTreeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        const TreeNode& n = TreeNodes[static_cast<size_t>(it.lParam)];
        const bool root = it.lParam == RootNode;
        const bool open = root || (n.Parent == RootNode && n.Kind == 0 && n.FirstChild >= 0);
        out += indent + buf;
        if (!(it.state & TVIS_EXPANDED) != !open) out += "  <- expanded";
        if (!(it.state & TVIS_SELECTED) != !root) out += "  <- selected";
        if (!it.cChildren != !n.HasChildren) out += "  <- button";
        out += "\n" + ShownTree(Next(item, TVGN_CHILD), indent + "  ");
    }
    return out;
}

// The first node of the tree data below `from` (in tree order) with `text`.
int32_t Node(const char* text, int32_t from = RootNode) {
    return FindNode(text, TreeNodes[static_cast<size_t>(from)].FirstChild);
}
// Selects a node as a tree click does, which must find its item.
void Select(int32_t node) {
    ASSERT_NE(node >= 0 ? TreeItemOf(node) : nullptr, nullptr) << "no item for node " << node;
    SelectNode(node);
}
using InterpWin = ShellTest;

TEST_F(InterpWin, TreeShowsTheDataSelectionsTheirRangesListingsAndPicturesInTheImagePane) {
    for (const char* name : {"fixture64.dll", "fixture64.exe"}) {
        OpenPath(Fixture(name), CM_VIEW_INTERP);
        ASSERT_TRUE(hTreeView) << name;
        EXPECT_EQ(ShownTree(), TreeText());
    }
    // A section: its raw bytes in hex, and the table's offset in the status.
    Select(NamedNode(".text"));
    EXPECT_EQ(ShowMode, _HEX_);
    EXPECT_EQ(StatusText(2), "\tOffset to table =    400 bytes");

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
    // focus from its scroll bar; then its keys move it, Down no further than row 2.
    SizeViews(125, 128);
    ASSERT_EQ(RowsShown, 2);
    Route(hImageWnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetFocus(), hImageWnd);
    EXPECT_EQ(VScrollPos, 1);
    for (int pos : {2, 2}) {
        Key(VK_DOWN);
        EXPECT_EQ(VScrollPos, pos);
    }
    Key(VK_HOME, true);
    EXPECT_EQ(VScrollPos, 0);
    // ICON 4, the 16 x 16 1-bit image of small.ico centred in its cell (at
    // 2, 2): colour x mod 2 where its mask is clear.
    SizeViews(300, 400);
    const COLORREF c0 = RGB(255, 0, 0), c1 = RGB(0xCA, 0x5B, 0x25), white = RGB(255, 255, 255);
    Select(Node("4", Node("ICON")));
    EXPECT_EQ(Rect(hImageWnd)[3] - Rect(hImageWnd)[1], 24);
    const Capture icon(hImageWnd);
    for (const auto& [x, y, c] :
         {std::tuple{3, 2, c1}, {4, 2, c0}, {5, 7, c1}, {17, 3, c1}, {19, 19, white}})
        EXPECT_EQ(icon.Pixel(x, y), c) << x << "," << y;
    // A dialog entry opens a preview at the view's corner, leaving the focus
    // in the tree; a node without pictures closes it and gives the views
    // back their whole height.
    SetFocus(hTreeView);
    Select(Node("200", Node("DIALOG")));
    ASSERT_TRUE(hDlgPreview);
    EXPECT_EQ(WindowText(hDlgPreview), "Fixture");
    EXPECT_EQ(GetFocus(), hTreeView);
    HWND preview = hDlgPreview;
    Select(Node("RCDATA"));
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(hImageWnd, nullptr);
    EXPECT_EQ(Rect(hViewWnd)[3] - Rect(hViewWnd)[1], 400);
}

// A fixture image file in images/ as draw_images.py made it; where its first
// image has 1 bit a pixel, with the colour count of its directory entry (byte
// 8) written as the exported files have it: 1, not 2.
std::string FixtureImage(const std::string& name, bool oneBit = false) {
    std::string bytes = ReadWholeFile(Fixture("images/" + name));
    if (oneBit) bytes.at(8) = 1;
    return bytes;
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
        for (int id : {CM_EXPORT_BITMAPS, CM_EXPORT_CURSORS, CM_EXPORT_ICONS})  // the node's only
            EXPECT_EQ(MenuState(id) & MF_GRAYED, id == command ? 0u : MF_GRAYED) << id;
        Command(command);
    }
    const std::string dir = TempFilePath("orvex-export\\");
    size_t asked = 0;
};

TEST_F(InterpExport, EntriesAndFoldersAreWrittenAsImageFilesAskingBeforeReplacing) {
    const struct {
        const char *type, *entry;
        int command;
        const char *proposed, *written;
        bool oneBit;
    } cases[] = {
        {"BITMAP", "FACE", CM_EXPORT_BITMAPS, "FACE.BMP", "face.bmp", false},
        {"GROUP_CURSOR", "2", CM_EXPORT_CURSORS, "2.CUR", "hand.cur", true},
        {"ICON", "4", CM_EXPORT_ICONS, "4.ICO", "small.ico", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        Export(c.type, c.entry, c.command, c.written);
        EXPECT_EQ(SeenDialogs, Texts{std::string("Save As||") + c.proposed});
        EXPECT_EQ(ReadWholeFile(dir + c.written), FixtureImage(c.written, c.oneBit));
    }
    // A folder: nothing existed yet, only the folder was asked for. ICON 4 is
    // small.ico's image.
    for (const auto& c : cases) DeleteFileA((dir + c.written).c_str());
    Export("ICON", nullptr, CM_EXPORT_ICONS, "{ICON}.ICO");
    EXPECT_EQ(SeenDialogs, Texts{"Select Folder for Export||{ICON}.ICO"});
    const Texts icons = {"1.ICO", "2.ICO", "3.ICO", "300.ICO", "4.ICO", "5.ICO", "6.ICO"};
    Texts written = FilesIn(dir + "*.ICO");
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, icons);
    EXPECT_EQ(ReadWholeFile(dir + "4.ICO"), FixtureImage("small.ico", true));
    // Again with every file there (emptied), answered `answers`: `rewritten`
    // tells whether the first file and the others were written again.
    const struct {
        const char* name;
        std::vector<int> answers;
        size_t asked;
        bool first, others;
    } again[] = {
        {"No, Yes, then Yes to All", {IDNO, IDYES, 9}, 3, false, true},
        {"Yes, then Cancel: the export ends", {IDYES, IDCANCEL}, 2, true, false},
    };
    for (const auto& a : again) {
        SCOPED_TRACE(a.name);
        for (const std::string& name : icons) TempFile("orvex-export\\" + name, "");
        Export("ICON", nullptr, CM_EXPORT_ICONS, "{ICON}.ICO", a.answers);
        EXPECT_EQ(asked, a.asked);
        ASSERT_GE(SeenDialogs.size(), 2u);
        EXPECT_EQ(SeenDialogs[1], "Confirm File Replace|REPLACE|" + dir + "1.ICO");
        for (const std::string& name : icons) {
            const bool rewritten = name == "1.ICO" ? a.first : a.others;
            EXPECT_EQ(!ReadWholeFile(dir + name).empty(), rewritten) << name;
        }
    }
}

}  // namespace
