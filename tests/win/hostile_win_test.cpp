// The hostile executables in the real windows: exports that refuse, rename or skip with a box and
// go on, and a dialog preview that only its buttons close.
#include "win_test_support.h"

#include "interpret_test_files.h"

namespace {

std::string Hostile(const char* name) {
    return ORVEX_FIXTURE_DIR "\\hostile\\" + std::string(name);
}

// The node `entry` of the type node `type`; the type node itself without one.
int32_t Node(const char* type, const char* entry = nullptr) {
    const int32_t node = FindNode(type);
    return node < 0 || !entry ? node : FindNode(entry, NodeAt(node).FirstChild);
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
        SelectNode(Node(type, entry));
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
    // Ids 77 and 65535 name no image.
    EXPECT_EQ(Export("groupids.dll", "GROUP_ICON", "3", CM_EXPORT_ICONS, dir, "none.ICO"),
              Texts{dir + "none.ICO|No image of this entry can be read from the file: nothing "
                          "was written."});
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
    EXPECT_EQ(Size(dir + "_NUL.BMP"), "150");

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
    const int32_t entry = Node("DIALOG", "1");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SelectNode(Node("BITMAP"));
        SelectNode(entry);
        ASSERT_TRUE(hDlgPreview && IsWindowVisible(hDlgPreview));
        // Above the main window: the main window follows it in the z-order.
        bool above = false;
        for (HWND h = hDlgPreview; h && !above; h = GetWindow(h, GW_HWNDNEXT)) above = h == wn;
        EXPECT_TRUE(above);
        SendMessageA(hDlgPreview, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlgPreview, 1)));
        ASSERT_TRUE(hDlgPreview);
    }
    Click(hDlgPreview, 2);
    Pump();
    EXPECT_EQ(hDlgPreview, nullptr);
}

}  // namespace
