// The hostile executables in the real windows: exports that refuse, rename or skip with a box and
// go on, and a dialog preview that only its buttons close.
#include "win_test_support.h"

namespace {

std::string Hostile(const char* name) {
    return ORVEX_FIXTURE_DIR "\\hostile\\" + std::string(name);
}

HTREEITEM ItemNamed(const char* text, HTREEITEM parent = TVI_ROOT) {
    for (size_t n = 0; n < TreeNodes.size(); ++n) {
        if (std::strcmp(TreeNodes[n].Text, text)) continue;
        const int32_t up = TreeNodes[n].Parent;
        if (parent == TVI_ROOT || (up >= 0 && TreeItemOf(up) == parent))
            return TreeItemOf(static_cast<int32_t>(n));
    }
    ADD_FAILURE() << text << " not in the tree";
    return nullptr;
}

void Select(HTREEITEM item) {
    SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    Pump();
}

class HostileWin : public ShellTest {
  protected:
    std::string dir = TempFilePath("orvex-hostile\\");
    void SetUp() override {
        ShellTest::SetUp();
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const std::string& name : FilesIn(dir + "*")) DeleteFileA((dir + name).c_str());
    }
    // Exports the type node `type` (or its entry `entry`) answering `name` in `folder`; the boxes
    // shown, without the save dialog's.
    Texts Export(const char* file, const char* type, const char* entry, int command,
                 const std::string& folder, const std::string& name) {
        OpenPath(Hostile(file), CM_VIEW_INTERP);
        HTREEITEM node = ItemNamed(type);
        Select(entry ? ItemNamed(entry, node) : node);
        Answers["Save As"] = Answers["Select Folder for Export"] = SaveAs(folder + name);
        Command(command);
        Texts boxes = TakeDialogs();
        boxes.erase(boxes.begin());
        return boxes;
    }
    static std::string Size(const std::string& path) {
        const std::string bytes = ReadWholeFile(path);
        return bytes == "<missing>" ? bytes : std::to_string(bytes.size());
    }
};

TEST_F(HostileWin, ExportsRefuseWhatCannotBeWrittenAndSayWhy) {
    // 65,535 entries naming one 1 MB icon: told, nothing written, the program goes on.
    EXPECT_EQ(Export("group65535.dll", "GROUP_ICON", nullptr, CM_EXPORT_ICONS, dir, "x"),
              Texts{dir + "1.ICO|The file would be larger than 4 GB: nothing was written."});
    EXPECT_EQ(Size(dir + "1.ICO"), "<missing>");
    // Claims 40,000 entries, holds two: 6 + 2 * 16 + 2 * 4096 bytes.
    EXPECT_EQ(Export("claims40000.dll", "GROUP_ICON", "1", CM_EXPORT_ICONS, dir, "two.ICO"),
              Texts{});
    EXPECT_EQ(Size(dir + "two.ICO"), "8230");
    // Ids 77 and 65535 name no image.
    EXPECT_EQ(Export("groupids.dll", "GROUP_ICON", "3", CM_EXPORT_ICONS, dir, "none.ICO"),
              Texts{dir + "none.ICO|No image of this entry can be read from the file: nothing "
                          "was written."});
    EXPECT_EQ(Size(dir + "none.ICO"), "<missing>");
    // In a folder export they are told once, at the end.
    EXPECT_EQ(Export("groupids.dll", "GROUP_ICON", nullptr, CM_EXPORT_ICONS, dir, "x"),
              Texts{dir + "|1 of 4 entries hold no image that can be read from the file: they "
                          "were not written."});
}

// Device names and streams are written as plain files; a name that would not fit the path is
// told and skipped, the others written.
TEST_F(HostileWin, FolderExportsRenameDevicesAndSkipNamesTooLong) {
    EXPECT_EQ(Export("devnames.dll", "BITMAP", nullptr, CM_EXPORT_BITMAPS, dir, "x"), Texts{});
    Texts written = FilesIn(dir + "*");
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (Texts{"1.BMP", "_...BMP", "_COM1.BMP", "_LPT9.BMP", "_NUL.BMP",
                              "_con.txt.BMP", "a_b.BMP"}));
    for (const std::string& name : written) EXPECT_EQ(Size(dir + name), "150") << name;

    // A folder of 246 characters: a path holds 254, so "_NUL.BMP" fits and "_COM1.BMP" does not.
    std::string deep = dir;
    while (deep.size() < 246) {
        deep += std::string(std::min<size_t>(60, 245 - deep.size()), 'd') + "\\";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    ASSERT_EQ(deep.size(), 246u);
    for (const std::string& name : FilesIn(deep + "*")) DeleteFileA((deep + name).c_str());
    const std::string skip = "The folder and this name make a path too long: the entry is skipped.";
    EXPECT_EQ(Export("devnames.dll", "BITMAP", nullptr, CM_EXPORT_BITMAPS, deep, "x"),
              (Texts{"_COM1.BMP|" + skip, "_LPT9.BMP|" + skip, "_con.txt.BMP|" + skip}));
    EXPECT_EQ(FilesIn(deep + "*").size(), 4u);
}

// The preview of a template whose edit (id 1) takes the focus as it is made stays until its
// button (id 2) is clicked, and each preview opens above the main window.
TEST_F(HostileWin, OnlyAButtonClosesTheDialogPreview) {
    OpenPath(Hostile("devnames.dll"), CM_VIEW_INTERP);
    const HTREEITEM entry = ItemNamed("1", ItemNamed("DIALOG"));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Select(ItemNamed("BITMAP"));
        Select(entry);
        ASSERT_TRUE(hDlgPreview && IsWindowVisible(hDlgPreview));
        // Above the main window: the main window follows it in the z-order.
        bool above = false;
        for (HWND h = hDlgPreview; h && !above; h = GetWindow(h, GW_HWNDNEXT)) above = h == wn;
        EXPECT_TRUE(above);
        SendMessageA(hDlgPreview, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlgPreview, 1)));
        ASSERT_TRUE(hDlgPreview);
    }
    HWND preview = hDlgPreview;
    Click(preview, 2);
    Pump();
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(hDlgPreview, nullptr);
}

// A file that cannot be interpreted: a root without a button, and no byte position under the
// message.
TEST_F(HostileWin, AFileThatCannotBeInterpretedShowsNothingToOpen) {
    OpenInView("plain.txt", "just some text\r\n", CM_VIEW_INTERP);
    ASSERT_TRUE(hTreeView);
    TVITEMA it{};
    it.mask = TVIF_CHILDREN;
    it.hItem = TreeItemOf(RootNode);
    SendMessageA(hTreeView, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    EXPECT_EQ(it.cChildren, 0);
    PaintView();
    EXPECT_EQ((Texts{StatusText(2), StatusText(3)}), (Texts{"", ""}));
}

}  // namespace
