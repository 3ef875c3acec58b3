// Copy and Export Marked Area: the clipboard read back, the files byte by byte.
#include "win_test_support.h"

namespace {

// The whole CF_TEXT block, beyond its NUL too.
std::string Clipboard() {
    std::string out = "<none>";
    if (!OpenClipboard(nullptr)) return "<closed>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

const char ThreeLines[] = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n";

using CopyExport = ShellTest;

// The clipboard block holds the text and its NUL and no more, also when built in
// a larger room (a block's spare bytes, a zero byte in a range); the file holds a
// range's bytes, a block's lines. Refusals and failures are told, change nothing.
TEST_F(CopyExport, TheMarkedTextGoesToTheClipboardAndTheFileOrIsRefused) {
    std::string binary;
    for (int i = 0; i < 64; ++i) binary += static_cast<char>(i == 0x14 ? 0 : i * 7 + 0x41);
    const std::string block = "456789\r\n      \r\nEFGHIJ\r\n";
    const struct {
        std::string file;
        Ints mark;
        int32_t col1, col2;
        std::string text, exported;
    } cases[] = {{binary, {1, 0x10, 0x20}, 0, 0, binary.substr(0x10, 4), binary.substr(0x10, 16)},
                 {ThreeLines, {2, 4, 25}, 4, 10, block, block}};  // a block, in text mode
    const std::string path = TempFilePath("orvex-export.bin");
    for (const auto& c : cases) {
        OpenInView("orvex-copy.txt", c.file, c.mark[0] == 2 ? CM_VIEW_TEXT : CM_VIEW_HEX);
        SetMark(c.mark[0], c.mark[1], c.mark[2], c.col1, c.col2);
        for (SIZE_T size = 16; size <= 4096;
             size *= 2) {  // freed blocks of 0xAA the copy may reuse
            HGLOBAL junk = GlobalAlloc(GMEM_MOVEABLE, size);
            std::memset(GlobalLock(junk), 0xAA, size);
            GlobalUnlock(junk);
            GlobalFree(junk);
        }
        Command(CM_COPY);
        EXPECT_EQ(Clipboard(), c.text + '\0');
        DeleteFileA(path.c_str());
        Answers["Save As"] = SaveAs(path);
        Command(CM_EXPORT_MARKED);
        EXPECT_EQ(TakeDialogs().size(), 1u);  // Save As
        EXPECT_EQ(ReadWholeFile(path), c.exported);
        EXPECT_EQ(Ints({MarkState, MarkStart, MarkEnd}), c.mark);  // kept
    }
    EXPECT_EQ(hFile, nullptr);

    OpenInView("orvex-copy0.txt", ThreeLines);
    OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard();
    Command(CM_COPY);          // nothing marked
    SetMark(2, 4, 25, 4, 10);  // a block outside text mode: refused for both, with no save dialog
    Command(CM_VIEW_HEX);
    Command(CM_COPY);
    Command(CM_EXPORT_MARKED);
    const std::string refused =
        "Not Available|Copy/Export of Block Marks is only available in text mode.";
    EXPECT_EQ(TakeDialogs(), (Texts{"|No marked area", refused, refused}));
    EXPECT_EQ(Clipboard(), "<none>");
    // A cancelled save dialog writes nothing; a file held open without
    // sharing: box 3287 with the system's text, and the file is kept.
    SetMark(1, 0, 5);
    const std::string locked = TempFile("orvex-locked.bin", "keep");
    Command(CM_EXPORT_MARKED);
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Answers["Save As"] = SaveAs(locked);  // and Yes: replace it
    Command(CM_EXPORT_MARKED);
    CloseHandle(lock);
    const Texts seen = TakeDialogs();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0].rfind("Save As|", 0), 0u);
    EXPECT_EQ(seen.back().rfind("Line 3287, Error Code 32|", 0), 0u);
    EXPECT_GT(seen.back().size(),
              std::strlen("Line 3287, Error Code 32|"));  // and the system's text
    EXPECT_EQ(ReadWholeFile(locked), "keep");
    EXPECT_EQ(MarkState, 1);
}

}  // namespace
