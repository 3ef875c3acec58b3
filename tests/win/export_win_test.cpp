// A mark copied and exported; interpret mode's exports, previews and find box, on
// sound and hostile files.
#include <cctype>

#include "win_test_support.h"

namespace {

// The whole CF_TEXT block, beyond its NUL too.
std::string Clipboard() {
    OpenClipboard(nullptr);
    std::string out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

using CopyExport = ShellTest;

// Bytes 0x10..0x1F marked in hex: the clipboard block holds the text up to the zero byte at 0x14
// and its NUL, no more (freed blocks of 0xAA about would show); the file holds the 16 bytes.
TEST_F(CopyExport, AMarkGoesToTheClipboardAndTheFile) {
    std::string binary;  // 0x41, 0x48, ... (7 apart) with a zero byte at 0x14
    for (int i = 0; i < 64; ++i) binary += static_cast<char>(i == 0x14 ? 0 : i * 7 + 0x41);
    OpenPath(TempFile("orvex-copy.bin", binary), CM_VIEW_HEX);
    SetMark(1, 0x10, 0x20);
    for (SIZE_T size = 16; size <= 4096; size *= 2) {
        HGLOBAL junk = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memset(GlobalLock(junk), 0xAA, size);
        GlobalUnlock(junk);
        GlobalFree(junk);
    }
    Command(CM_COPY);
    EXPECT_EQ(Clipboard(), binary.substr(0x10, 4) + '\0');
    const std::string path = TempFilePath("orvex-export.bin");
    DeleteFileA(path.c_str());
    Answers["Save As"] = SaveAs(path);
    Command(CM_EXPORT_MARKED);
    EXPECT_EQ(ReadWholeFile(path), binary.substr(0x10, 16));
}

// Refusals are told and change nothing; a cancelled save dialog writes nothing.
TEST_F(CopyExport, RefusedAndCancelledExportsWriteNothing) {
    OpenPath(TempFile("orvex-copy0.txt", "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n"));
    SetMark(2, 4, 25);  // a block outside text mode: refused, with no save dialog
    Command(CM_VIEW_HEX);
    Command(CM_EXPORT_MARKED);
    EXPECT_EQ(TakeDialogs(),
              Texts{"Not Available|Copy/Export of Block Marks is only available in text mode."});

    // The name typed, then Cancel.
    SetMark(1, 0, 5);
    const std::string cancelled = TempFilePath("orvex-cancelled.bin");
    DeleteFileA(cancelled.c_str());
    Answers["Save As"] = SaveAs(cancelled, IDCANCEL);
    Command(CM_EXPORT_MARKED);
    EXPECT_EQ(TakeTitles(), "Save As");
    EXPECT_EQ(ReadWholeFile(cancelled), "<missing>");
}

class ExportWin : public ShellTest {
  protected:
    const std::string dir = EmptyFolder(TempFilePath("orvex-export\\"));
    std::string folderBox;  // the save dialog's record
    // Exports fixture `file`'s type node `type` as its export button does, answering `path`;
    // the boxes shown after the save dialog.
    Texts Export(const std::string& file, const char* type, const std::string& path) {
        OpenPath(Fixture(file), CM_VIEW_INTERP);
        SelectNode(Node(type));
        Answers["Select Folder for Export"] = SaveAs(path);
        Command(ExportCmd);
        Texts boxes = TakeDialogs();
        folderBox = boxes.at(0);
        boxes.erase(boxes.begin());
        return boxes;
    }
};

// The seven icons written to a folder that holds emptied files of their names, the REPLACE
// questions answered No, Yes, then Yes to All: the first file stays empty.
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
    EXPECT_EQ(Export("fixture64.exe", "ICON", dir + "{ICON}.ICO"),
              (Texts{replace + "1.ICO", replace + "2.ICO", replace + "3.ICO"}));
    EXPECT_EQ(folderBox, "Select Folder for Export||{ICON}.ICO");
    for (const std::string& name : icons)
        EXPECT_EQ(ReadWholeFile(dir + name).empty(), name == "1.ICO") << name;
}

TEST_F(ExportWin, ExportsRefuseWhatCannotBeWrittenAndSayWhy) {
    // 65,535 entries naming one 1 MB icon: told, nothing written, the program goes on.
    EXPECT_EQ(Export("hostile\\group65535.dll", "GROUP_ICON", dir + "x"),
              Texts{dir + "1.ICO|The file would be larger than 4 GB: nothing was written."});
    EXPECT_EQ(ReadWholeFile(dir + "1.ICO"), "<missing>");
    // Entries with ids that name no image, in a folder export: told once, at the end.
    EXPECT_EQ(Export("hostile\\groupids.dll", "GROUP_ICON", dir + "x"),
              Texts{dir + "|1 of 4 entries hold no image that can be read from the file: they "
                          "were not written."});
}

// Device names and streams are written as plain files; a name that would not fit the path is
// told and skipped, the others written.
TEST_F(ExportWin, FolderExportsRenameDevicesAndSkipNamesTooLong) {
    EXPECT_EQ(Export("hostile\\devnames.dll", "BITMAP", dir + "x"), Texts{});
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
    EmptyFolder(deep);
    const std::string skip = "The folder and this name make a path too long: the entry is skipped.";
    EXPECT_EQ(Export("hostile\\devnames.dll", "BITMAP", deep + "x"),
              (Texts{"_COM1.BMP|" + skip, "_LPT9.BMP|" + skip, "_con.txt.BMP|" + skip}));
    EXPECT_EQ(FilesIn(deep + "*").size(), 4u);
}

// The preview of a template whose edit (id 1) takes the focus as it is made stays until its
// button (id 2) is clicked.
TEST_F(ExportWin, OnlyAButtonClosesTheDialogPreview) {
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

// "none", or the marked bytes as "start..end".
std::string Mark() {
    return MarkState ? std::to_string(MarkStart) + ".." + std::to_string(MarkEnd) : "none";
}

// A step: `section` selected if named, `typed` put in the find box if not nullptr,
// then `command` run, or its key pressed in the box.
struct FindStep {
    const char* typed;
    int command;
    std::string mark;
    const char* box;
    const char* section = nullptr;
};

using Find = ShellTest;
const char* const notFound = "Search String|Not found.";

// The search covers the selected table: forward it stops at the table's end; it starts at the
// table's first byte unless the mark lies in the table. In fixture64.exe .idata holds "Fixture"
// twice and "fixture" once (the DLL's and imports' names), "This" lies before it (the DOS stub) and
// "hello" after it (in .rsrc); the hits are found in the file's bytes, as the linker places them.
TEST_F(Find, InInterpretModeTheSelectedTableIsSearched) {
    const std::string path = Fixture("fixture64.exe");
    std::string folded = ReadWholeFile(path);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    OpenPath(path, CM_VIEW_INTERP);
    SelectNode(Node(".idata"));
    size_t from = static_cast<size_t>(ByteOffset);
    // "start..end" of the next case-folded hit of `word` from `from`, which moves past it.
    const auto next = [&](const char* word) {
        const size_t at = folded.find(word, from);
        from = at + std::strlen(word);
        return std::to_string(at) + ".." + std::to_string(from);
    };
    const std::string one = next("fixture"), two = next("fixture"), last = next("fixture");
    ASSERT_LT(from, static_cast<size_t>(ByteOffset + NumBytes)) << "the last in the table";
    const std::string hello = next("hello");
    const std::vector<FindStep> steps = {
        {"This", CM_FIND, "none", notFound, ".idata"},  // before the table
        {"fixture", CM_FIND, one, ""},
        {nullptr, VK_F3, two, ""},
        {nullptr, VK_F3, last, ""},
        {nullptr, VK_F3, last, notFound},
        // In .rsrc the mark in .idata is not in the table: backward from the
        // table's start, the hit before it, which is told to lie outside.
        {nullptr, CM_FIND_REVERSE, last, "Sorry|Marked area is not in this table", ".rsrc"},
        {"hello", CM_FIND_FORWARD, hello, ""},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        const FindStep& s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        if (s.section) SelectNode(Node(s.section));
        if (s.typed) SetWindowTextA(hFindCombo, s.typed);
        if (s.command >= CM_EXIT)
            Command(s.command);
        else
            Key(s.command, false, hFindEdit);
        EXPECT_EQ(TakeDialogs(), *s.box ? Texts{s.box} : Texts{});
        EXPECT_EQ(Mark(), s.mark);
    }
}

}  // namespace
