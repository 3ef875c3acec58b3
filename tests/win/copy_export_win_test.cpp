// A mark made with the mouse, copied and exported: the clipboard read back,
// the files byte by byte; and the exports that are refused or cancelled.
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

// At the centre of character cell (col, row) of the view.
void Mouse(UINT msg, WPARAM keys, int col, int row) {
    Route(hViewWnd, msg, keys,
          MAKELPARAM(4 + CharWidth * col + CharWidth / 2, 4 + FontHeight * row + FontHeight / 2));
}

using CopyExport = ShellTest;

// Hex rows of 16 bytes, their characters from cell 54: a drag from byte 0x10's
// character to byte 0x1F's marks 0x10..0x1F. The clipboard block holds the
// text up to the zero byte at 0x14 and its NUL, no more (freed blocks of 0xAA
// about would show); the file holds the 16 bytes.
TEST_F(CopyExport, AMouseMarkGoesToTheClipboardAndTheFile) {
    std::string binary;  // 0x41, 0x48, ... (7 apart) with a zero byte at 0x14
    for (int i = 0; i < 64; ++i) binary += static_cast<char>(i == 0x14 ? 0 : i * 7 + 0x41);
    OpenInView("orvex-copy.bin", binary, CM_VIEW_HEX);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 54, 1);
    EXPECT_EQ(GetCapture(), hViewWnd);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 54 + 15, 1);
    Mouse(WM_LBUTTONUP, 0, 54 + 15, 1);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(MarkStart, 0x10);
    EXPECT_EQ(MarkEnd, 0x20);
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_ENABLED);
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
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SetMark(2, 4, 25, 4, 10);  // a block outside text mode: refused, with no save dialog
    Command(CM_VIEW_HEX);
    Command(CM_COPY);
    Command(CM_EXPORT_MARKED);
    const std::string refused =
        "Not Available|Copy/Export of Block Marks is only available in text mode.";
    EXPECT_EQ(TakeDialogs(), (Texts{refused, refused}));
    EXPECT_EQ(Clipboard(), "<none>");

    // The name typed, then Cancel.
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
}

}  // namespace
