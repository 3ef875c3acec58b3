// Copy and Export Marked Area: the clipboard read back, the files byte by byte.
#include "win_test_support.h"

namespace {

// The whole CF_TEXT block, beyond its NUL too.
std::string Clipboard() {
    if (!OpenClipboard(nullptr)) return "<closed>";
    std::string out = "<none>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out.assign(static_cast<const char*>(GlobalLock(h)), GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

// Blocks of 0xAA freed, which a copy built in too large a block may reuse.
void LitterFreedMemory() {
    for (SIZE_T size = 16; size <= 4096; size *= 2) {
        HGLOBAL junk = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memset(GlobalLock(junk), 0xAA, size);
        GlobalUnlock(junk);
        GlobalFree(junk);
    }
}

const char ThreeLines[] = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n";

using CopyExport = ShellTest;

// The clipboard block holds the text and its NUL and no more; the file holds a
// range's bytes, a block's lines. The mark is kept.
TEST_F(CopyExport, TheMarkedAreaGoesToTheClipboardAndTheFile) {
    std::string binary;  // 0x41, 0x48, ... (7 apart) with a zero byte at 0x14
    for (int i = 0; i < 64; ++i) binary += static_cast<char>(i == 0x14 ? 0 : i * 7 + 0x41);
    // Lines 1..3 cut to display columns 4..9; the short line "xy" as blanks.
    const std::string block = "456789\r\n      \r\nEFGHIJ\r\n";
    const struct {
        const char* name;
        std::string file;
        int mode;
        int32_t state, start, end, col1, col2;
        std::string copied, exported;
    } cases[] = {
        {"range with a zero byte, hex", binary, CM_VIEW_HEX, 1, 0x10, 0x20, 0, 0,
         binary.substr(0x10, 4), binary.substr(0x10, 16)},
        {"block, text", ThreeLines, CM_VIEW_TEXT, 2, 4, 25, 4, 10, block, block},
    };
    const std::string path = TempFilePath("orvex-export.bin");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenInView("orvex-copy.txt", c.file, c.mode);
        SetMark(c.state, c.start, c.end, c.col1, c.col2);
        LitterFreedMemory();
        Command(CM_COPY);
        EXPECT_EQ(Clipboard(), c.copied + '\0');
        DeleteFileA(path.c_str());
        Answers["Save As"] = SaveAs(path);
        Command(CM_EXPORT_MARKED);
        EXPECT_EQ(TakeTitles(), "Save As");
        EXPECT_EQ(ReadWholeFile(path), c.exported);
        EXPECT_EQ(MarkState, c.state);
        EXPECT_EQ(MarkStart, c.start);
        EXPECT_EQ(MarkEnd, c.end);
    }
    EXPECT_EQ(hFile, nullptr);
}

// Refusals and failures are told and change nothing.
TEST_F(CopyExport, RefusedCancelledAndFailedExportsWriteNothing) {
    OpenInView("orvex-copy0.txt", ThreeLines);
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    Command(CM_COPY);  // nothing marked
    EXPECT_EQ(TakeDialogs(), Texts{"|No marked area"});
    SetMark(2, 4, 25, 4, 10);  // a block outside text mode: refused, with no save dialog
    Command(CM_VIEW_HEX);
    Command(CM_COPY);
    Command(CM_EXPORT_MARKED);
    const std::string refused =
        "Not Available|Copy/Export of Block Marks is only available in text mode.";
    EXPECT_EQ(TakeDialogs(), (Texts{refused, refused}));
    EXPECT_EQ(Clipboard(), "<none>");

    // Cancelled: the name typed, then Cancel.
    SetMark(1, 0, 5);
    const std::string cancelled = TempFilePath("orvex-cancelled.bin");
    DeleteFileA(cancelled.c_str());
    Answers["Save As"] = [&](HWND dialog) {
        SetWindowTextA(FileNameBox(dialog), cancelled.c_str());
        Click(dialog, IDCANCEL);
    };
    Command(CM_EXPORT_MARKED);
    EXPECT_EQ(TakeTitles(), "Save As");
    EXPECT_EQ(ReadWholeFile(cancelled), "<missing>");

    // A file held open without sharing: box 3287 with the system's text, and
    // the file is kept.
    const std::string locked = TempFile("orvex-locked.bin", "keep");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Answers["Save As"] = SaveAs(locked);  // and Yes: replace it
    Command(CM_EXPORT_MARKED);
    CloseHandle(lock);
    const Texts seen = TakeDialogs();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().substr(0, 8), "Save As|");
    const std::string failure = "Line 3287, Error Code 32|";
    EXPECT_EQ(seen.back().substr(0, failure.size()), failure);
    EXPECT_GT(seen.back().size(), failure.size()) << "and the system's text";
    EXPECT_EQ(ReadWholeFile(locked), "keep");
    EXPECT_EQ(MarkState, 1);
}

}  // namespace
