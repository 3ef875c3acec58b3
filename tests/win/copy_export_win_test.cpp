// A mark copied and exported: the clipboard read back, the file byte by byte;
// and the exports that are refused or cancelled.
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

using CopyExport = ShellTest;

// Bytes 0x10..0x1F marked in hex: the clipboard block holds the text up to
// the zero byte at 0x14 and its NUL, no more (freed blocks of 0xAA about
// would show); the file holds the 16 bytes.
TEST_F(CopyExport, AMarkGoesToTheClipboardAndTheFile) {
    std::string binary;  // 0x41, 0x48, ... (7 apart) with a zero byte at 0x14
    for (int i = 0; i < 64; ++i) binary += static_cast<char>(i == 0x14 ? 0 : i * 7 + 0x41);
    OpenInView("orvex-copy.bin", binary, CM_VIEW_HEX);
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
    EXPECT_EQ(TakeTitles(), "Save As");
    EXPECT_EQ(ReadWholeFile(path), binary.substr(0x10, 16));
}

// Refusals are told and change nothing; a cancelled save dialog writes nothing.
TEST_F(CopyExport, RefusedAndCancelledExportsWriteNothing) {
    OpenInView("orvex-copy0.txt", "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n");
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

}  // namespace
