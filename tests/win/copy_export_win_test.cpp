// Copy and Export Marked Area under Wine: the clipboard read back, the
// exported files compared byte for byte, the message boxes seen by the hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "document/document.h"
#include "document/document_win.h"
#include "resources/resource_ids.h"
#include "win_test_support.h"

namespace {

using Texts = std::vector<std::string>;

// The clipboard's text, or "<none>" when it holds none.
std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "<closed>";
    std::string out = "<none>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        out = p ? p : "<none>";
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

// The whole CF_TEXT block, beyond its NUL too.
std::string ClipboardBlock() {
    std::string out;
    if (!OpenClipboard(nullptr)) return out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        if (p) out.assign(p, GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

// Leaves freed blocks full of 0xAA that the next allocations may reuse.
void DirtyTheHeap() {
    for (SIZE_T size = 16; size <= 4096; size *= 2) {
        HGLOBAL junk = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memset(GlobalLock(junk), 0xAA, size);
        GlobalUnlock(junk);
        GlobalFree(junk);
    }
}

void SetClipboardText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(GlobalLock(mem), text, std::strlen(text) + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

class CopyExport : public ShellTest {
protected:
    static void Open(const std::string& bytes, const char* name) {
        OpenInView(name, bytes);
        ASSERT_EQ(FileSize, static_cast<int32_t>(bytes.size()));
    }
    static void MarkBytes(int32_t start, int32_t end) {
        MarkStart = start;
        MarkEnd = end;
        SetMarked();
    }
    static void MarkBlock(int32_t start, int32_t end, int32_t c1, int32_t c2) {
        MarkBytes(start, end);
        MarkState = 2;
        BlockCol1 = c1;
        BlockCol2 = c2;
    }
    // Export Marked Area answered with a fresh file of that name; returns
    // what was written.
    static std::string Export(const char* name) {
        const std::string path = TempFilePath(name);
        DeleteFileA(path.c_str());
        SaveAsAnswer = path;
        ClearDialogs();
        Command(CM_EXPORT_MARKED);
        EXPECT_TRUE(SaveAsAnswer.empty()) << "no save dialog";
        return ReadWholeFile(path);
    }
    static std::string Binary() {
        std::string b;
        for (int i = 0; i < 64; ++i) b += static_cast<char>(i * 7 + 0x41);
        b[0x14] = '\0';
        b[0x18] = '\0';
        return b;
    }
};

const char ThreeLines[] = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n";

// Each mark copied to the clipboard (the block holds the text and its NUL and
// nothing more, also when the text was built in a larger room: a block mark's
// spare bytes, a zero byte inside a range) and, when `exported` is set,
// exported to a file; the mark stays as it was.
TEST_F(CopyExport, TheMarkedTextGoesToTheClipboardAndTheFile) {
    const std::string binary = Binary();
    std::string zeroAt10 = ThreeLines;
    zeroAt10[10] = '\0';
    const std::string block = "456789\r\n      \r\nEFGHIJ\r\n";
    const struct {
        std::string file;
        int view;
        int32_t state, start, end, col1, col2;
        std::string text;
        const char* exported;
    } cases[] = {
        // A byte range stops at the first zero byte, but export keeps them all.
        {binary, CM_VIEW_HEX, 1, 0x10, 0x20, 0, 0, binary.substr(0x10, 4),
         "orvex-export1.bin"},
        // Without a zero byte the text is the mark exactly, not what follows it.
        {binary, CM_VIEW_HEX, 1, 0x20, 0x23, 0, 0, binary.substr(0x20, 3), nullptr},
        // A block mark becomes padded lines (exported without the NUL).
        {ThreeLines, CM_VIEW_TEXT, 2, 4, 25, 4, 10, block, "orvex-export2.txt"},
        {"abcdefgh\tX\r\n0123456789abcdefghij\r\n", CM_VIEW_TEXT, 2, 0, 12, 6, 18,
         "gh        X \r\n6789abcdefgh\r\n", nullptr},  // tabs expanded
        {zeroAt10, CM_VIEW_TEXT, 2, 4, 25, 4, 10, block, nullptr},
        {zeroAt10, CM_VIEW_TEXT, 1, 2, 20, 0, 0, "23456789", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open(c.file, "orvex-copy.txt");
        Command(c.view);
        if (c.state == 2) {
            MarkBlock(c.start, c.end, c.col1, c.col2);
        } else {
            MarkBytes(c.start, c.end);
        }
        DirtyTheHeap();
        Command(CM_COPY);
        EXPECT_EQ(ClipboardText(), c.text);
        const std::string all = ClipboardBlock();
        const size_t nul = all.find('\0');
        ASSERT_NE(nul, std::string::npos);
        EXPECT_EQ(all.size(), nul + 1);
        if (c.exported) {
            const std::string bytes = c.file.substr(static_cast<size_t>(c.start), 16);
            EXPECT_EQ(Export(c.exported), c.state == 2 ? c.text : bytes);
            EXPECT_EQ(hFile, nullptr);
        }
        EXPECT_EQ(MarkState, c.state);
        EXPECT_EQ(MarkStart, c.start);
        EXPECT_EQ(MarkEnd, c.end);
    }
}

TEST_F(CopyExport, RefusalsAndFailuresAreReportedAndChangeNothing) {
    Open(ThreeLines, "orvex-copy0.txt");
    // Nothing marked.
    SetClipboardText("before");
    ClearDialogs();
    Command(CM_COPY);
    EXPECT_EQ(SeenDialogs, Texts{"|No marked area"});
    EXPECT_EQ(ClipboardText(), "before");
    // A clipboard held elsewhere.
    MarkBytes(0, 2);
    ASSERT_TRUE(OpenClipboard(hStatusBar));
    ClearDialogs();
    Command(CM_COPY);
    CloseClipboard();
    EXPECT_EQ(SeenDialogs, Texts{"|I can't open the clipboard"});
    // Block marks outside text mode: refused for both, with no save dialog.
    MarkBlock(4, 25, 4, 10);
    Command(CM_VIEW_HEX);
    SetClipboardText("before");
    ClearDialogs();
    Command(CM_COPY);
    SaveAsAnswer = TempFilePath("orvex-export4.txt");
    Command(CM_EXPORT_MARKED);
    const std::string refused =
        "Not Available|Copy/Export of Block Marks is only available in text mode.";
    EXPECT_EQ(SeenDialogs, (Texts{refused, refused}));
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_FALSE(SaveAsAnswer.empty());
    SaveAsAnswer.clear();
    // A cancelled save dialog writes nothing.
    MarkBytes(0, 5);
    ClearDialogs();
    Command(CM_EXPORT_MARKED);
    EXPECT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0].rfind("Save As|", 0), 0u);
    EXPECT_EQ(MarkState, 1);
    // A file another program holds open without sharing: error box 3287
    // with the system's text, and the file is kept.
    const std::string path = TempFile("orvex-locked.bin", "keep");
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SaveAsAnswer = path;
    AnswerYes = true;  // replace it
    ClearDialogs();
    Command(CM_EXPORT_MARKED);
    CloseHandle(lock);
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_SHARING_VIOLATION, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, 255,
                   nullptr);
    ASSERT_FALSE(SeenDialogs.empty());
    EXPECT_EQ(SeenDialogs.back(), std::string("Line 3287, Error Code 32|") + text)
        << SeenDialogs.size();
    EXPECT_EQ(ReadWholeFile(path), "keep");
    EXPECT_EQ(hFile, nullptr);
    EXPECT_EQ(MarkState, 1);
    DeleteFileA(path.c_str());
}

}  // namespace
