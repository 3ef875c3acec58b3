// Interpret mode's exports and previews in the real windows, on sound and hostile files.
#include "win_test_support.h"

namespace {

class ExportWin : public ShellTest {
  protected:
    const std::string dir = EmptyFolder("orvex-export\\");
    std::string folderBox;  // the save dialog's record
    // Exports fixture `file`'s type node `type` answering `name` in `folder`; the boxes shown
    // after the save dialog.
    Texts Export(const std::string& file, const char* type, int command, const std::string& folder,
                 const std::string& name) {
        OpenPath(Fixture(file), CM_VIEW_INTERP);
        SelectNode(Node(type));
        Answers["Save As"] = Answers["Select Folder for Export"] = SaveAs(folder + name);
        Command(command);
        Texts boxes = TakeDialogs();
        folderBox = boxes.at(0);
        boxes.erase(boxes.begin());
        return boxes;
    }
};
using HostileWin = ExportWin;

// The seven icons (ICON 4 is small.ico's image) written to a folder that holds
// emptied files of their names, the REPLACE questions answered No, Yes, then
// Yes to All: the first file stays empty.
TEST_F(ExportWin, AFolderIsWrittenAsImageFilesAskingBeforeReplacing) {
    const Texts icons = {"1.ICO", "2.ICO", "3.ICO", "300.ICO", "4.ICO", "5.ICO", "6.ICO"};
    for (const std::string& name : icons) TempFile("orvex-export\\" + name, "");
    const int answers[] = {IDNO, IDYES, 9};
    size_t asked = 0;
    Answers["Confirm File Replace"] = [&](HWND h) {
        SeenDialogs.back() += "|" + ItemText(h, 168);
        if (asked < 3) Click(h, answers[asked++]);
    };
    const std::string replace = "Confirm File Replace|REPLACE|" + dir;
    EXPECT_EQ(Export("fixture64.exe", "ICON", CM_EXPORT_ICONS, dir, "{ICON}.ICO"),
              (Texts{replace + "1.ICO", replace + "2.ICO", replace + "3.ICO"}));
    EXPECT_EQ(folderBox, "Select Folder for Export||{ICON}.ICO");
    for (const std::string& name : icons)
        EXPECT_EQ(ReadWholeFile(dir + name).empty(), name == "1.ICO") << name;
    // small.ico as draw_images.py made it, but for the colour count of its 1-bit
    // image's directory entry (byte 8), written as 1, not 2.
    std::string small = ReadWholeFile(Fixture("images/small.ico"));
    small.at(8) = 1;
    EXPECT_EQ(ReadWholeFile(dir + "4.ICO"), small);
}

TEST_F(HostileWin, ExportsRefuseWhatCannotBeWrittenAndSayWhy) {
    // 65,535 entries naming one 1 MB icon: told, nothing written, the program goes on.
    EXPECT_EQ(Export("hostile\\group65535.dll", "GROUP_ICON", CM_EXPORT_ICONS, dir, "x"),
              Texts{dir + "1.ICO|The file would be larger than 4 GB: nothing was written."});
    EXPECT_EQ(ReadWholeFile(dir + "1.ICO"), "<missing>");
    // Entries with ids that name no image, in a folder export: told once, at the end.
    EXPECT_EQ(Export("hostile\\groupids.dll", "GROUP_ICON", CM_EXPORT_ICONS, dir, "x"),
              Texts{dir + "|1 of 4 entries hold no image that can be read from the file: they "
                          "were not written."});
}

// Device names and streams are written as plain files; a name that would not fit the path is
// told and skipped, the others written.
TEST_F(HostileWin, FolderExportsRenameDevicesAndSkipNamesTooLong) {
    EXPECT_EQ(Export("hostile\\devnames.dll", "BITMAP", CM_EXPORT_BITMAPS, dir, "x"), Texts{});
    Texts written = FilesIn(dir + "*");
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (Texts{"1.BMP", "_...BMP", "_COM1.BMP", "_LPT9.BMP", "_NUL.BMP",
                              "_con.txt.BMP", "a_b.BMP"}));
    for (const std::string& name : written)
        EXPECT_EQ(ReadWholeFile(dir + name).size(), 150u) << name;

    // A folder of 246 characters: a path holds 254, so "_NUL.BMP" fits and "_COM1.BMP" does not.
    std::string deep = dir;
    while (deep.size() < 246) {
        deep += std::string(std::min<size_t>(60, 245 - deep.size()), 'd') + "\\";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    ASSERT_EQ(deep.size(), 246u);
    EmptyFolder(deep.substr(TempFilePath("").size()));
    const std::string skip = "The folder and this name make a path too long: the entry is skipped.";
    EXPECT_EQ(Export("hostile\\devnames.dll", "BITMAP", CM_EXPORT_BITMAPS, deep, "x"),
              (Texts{"_COM1.BMP|" + skip, "_LPT9.BMP|" + skip, "_con.txt.BMP|" + skip}));
    EXPECT_EQ(FilesIn(deep + "*").size(), 4u);
}

// The preview of a template whose edit (id 1) takes the focus as it is made stays until its
// button (id 2) is clicked.
TEST_F(HostileWin, OnlyAButtonClosesTheDialogPreview) {
    OpenPath(Fixture("hostile\\devnames.dll"), CM_VIEW_INTERP);
    SelectNode(Node("1", Node("DIALOG")));
    HWND preview = hDlgPreview;
    ASSERT_TRUE(preview);
    SendMessageA(preview, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(preview, 1)));
    EXPECT_TRUE(IsWindowVisible(hDlgPreview));
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
