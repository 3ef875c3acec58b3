// Interpret mode's exports and previews in the real windows: a folder written,
// asking before replacing; hostile executables whose exports refuse, rename or
// skip with a box and go on; a dialog preview that only its buttons close.
#include "win_test_support.h"

namespace {

using InterpWin = ShellTest;

// The seven icons (ICON 4 is small.ico's image) written to a folder that holds
// emptied files of their names, only the folder asked for and the REPLACE
// questions answered No, Yes, then Yes to All: the first file stays empty.
TEST_F(InterpWin, AFolderIsWrittenAsImageFilesAskingBeforeReplacing) {
    const std::string dir = EmptyFolder("orvex-export\\");
    const Texts icons = {"1.ICO", "2.ICO", "3.ICO", "300.ICO", "4.ICO", "5.ICO", "6.ICO"};
    for (const std::string& name : icons) TempFile("orvex-export\\" + name, "");
    OpenPath(Fixture("fixture64.exe"), CM_VIEW_INTERP);
    SelectNode(Node("ICON"));
    Answers["Select Folder for Export"] = SaveAs(dir + "{ICON}.ICO");
    const int answers[] = {IDNO, IDYES, 9};
    size_t asked = 0;
    Answers["Confirm File Replace"] = [&](HWND h) {
        SeenDialogs.back() += "|" + ItemText(h, 168);
        if (asked < 3) Click(h, answers[asked]);
        ++asked;
    };
    Command(CM_EXPORT_ICONS);
    EXPECT_EQ(asked, 3u);
    const Texts seen = TakeDialogs();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], "Select Folder for Export||{ICON}.ICO");
    EXPECT_EQ(seen[1], "Confirm File Replace|REPLACE|" + dir + "1.ICO");
    for (const std::string& name : icons) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadWholeFile(dir + name).empty(), name == "1.ICO");
    }
    // small.ico as draw_images.py made it, but for the colour count of its 1-bit
    // image's directory entry (byte 8), written as 1, not 2.
    std::string small = ReadWholeFile(Fixture("images/small.ico"));
    small.at(8) = 1;
    EXPECT_EQ(ReadWholeFile(dir + "4.ICO"), small);
}

class HostileWin : public ShellTest {
  protected:
    const std::string dir = EmptyFolder("orvex-hostile\\");
    // Exports the type node `type` (or its entry `entry`) answering `name` in `folder`; the boxes
    // shown, without the save dialog's.
    Texts Export(const char* file, const char* type, const char* entry, int command,
                 const std::string& folder, const std::string& name) {
        OpenPath(Fixture("hostile\\" + std::string(file)), CM_VIEW_INTERP);
        SelectNode(entry ? Node(entry, Node(type)) : Node(type));
        Answers["Save As"] = Answers["Select Folder for Export"] = SaveAs(folder + name);
        Command(command);
        Texts boxes = TakeDialogs();
        boxes.erase(boxes.begin());
        return boxes;
    }
};

TEST_F(HostileWin, ExportsRefuseWhatCannotBeWrittenAndSayWhy) {
    // 65,535 entries naming one 1 MB icon: told, nothing written, the program goes on.
    EXPECT_EQ(Export("group65535.dll", "GROUP_ICON", nullptr, CM_EXPORT_ICONS, dir, "x"),
              Texts{dir + "1.ICO|The file would be larger than 4 GB: nothing was written."});
    EXPECT_EQ(ReadWholeFile(dir + "1.ICO"), "<missing>");
    // Ids 77 and 65535 name no image.
    EXPECT_EQ(Export("groupids.dll", "GROUP_ICON", "3", CM_EXPORT_ICONS, dir, "none.ICO"),
              Texts{dir + "none.ICO|No image of this entry can be read from the file: nothing "
                          "was written."});
    EXPECT_EQ(ReadWholeFile(dir + "none.ICO"), "<missing>");
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
    EXPECT_EQ(Export("devnames.dll", "BITMAP", nullptr, CM_EXPORT_BITMAPS, deep, "x"),
              (Texts{"_COM1.BMP|" + skip, "_LPT9.BMP|" + skip, "_con.txt.BMP|" + skip}));
    EXPECT_EQ(FilesIn(deep + "*").size(), 4u);
}

// The preview of a template whose edit (id 1) takes the focus as it is made stays until its
// button (id 2) is clicked, and each preview opens above the main window.
TEST_F(HostileWin, OnlyAButtonClosesTheDialogPreview) {
    OpenPath(Fixture("hostile\\devnames.dll"), CM_VIEW_INTERP);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        SelectNode(Node("BITMAP"));
        SelectNode(Node("1", Node("DIALOG")));
        ASSERT_TRUE(hDlgPreview);
        EXPECT_TRUE(IsWindowVisible(hDlgPreview));
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
