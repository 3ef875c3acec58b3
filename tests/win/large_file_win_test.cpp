// Files near the 2 GB limit: one opens and its last row is drawn; one that the
// address space cannot hold is told and the document before stays.
#include "win_test_support.h"

namespace {

// A file of `size` bytes, zero but `tail` at its end, written quickly.
std::string SparseFile(const std::string& name, int64_t size, const std::string& tail) {
    const std::string path = TempFilePath(name);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    OVERLAPPED at{};  // the offset, below 4 GB
    at.Offset = static_cast<DWORD>(size - static_cast<int64_t>(tail.size()));
    DWORD done = 0;
    WriteFile(h, tail.data(), static_cast<DWORD>(tail.size()), &done, &at);
    EXPECT_EQ(done, tail.size()) << path;
    CloseHandle(h);
    return path;
}

using LargeFile = ShellTest;

// 1,900,000,005 bytes = 0x713FB305: the last row starts at 0x713FB300 and
// holds the five bytes "TAIL!".
TEST_F(LargeFile, NearTheLimitOpensAndCtrlEndShowsItsLastRow) {
    constexpr int64_t Size = 1900000005;
    const std::string path = SparseFile("orvex-large.bin", Size, "TAIL!");
    OpenPath(path, CM_VIEW_HEX);
    EXPECT_EQ(WindowText(wn), "Orvex - " + path + "  1,900,000,005 bytes");
    MarkBkColor = RGB(255, 0, 0);
    SetMark(1, 0x713FB300, static_cast<int32_t>(Size) - 1);  // "TAIL", not "!"
    SetFocus(hViewWnd);
    Key(VK_END, true);
    const int64_t top = static_cast<int64_t>(ByteOffset) + ByteNum;
    const int row = static_cast<int>((0x713FB300 - top) / 16);
    ASSERT_GE(row, 0) << top;
    ASSERT_LT(row, ScreenLines) << top;
    // The row's characters start at column 54: "TAIL" is marked, "!" and the row below are not.
    EXPECT_GT(CellPixels(57, row, MarkBkColor), 0);
    EXPECT_EQ(CellPixels(58, row, MarkBkColor), 0);
    EXPECT_EQ(CellPixels(54, row + 1, MarkBkColor), 0);
    OpenPath(TempFile("orvex-small.bin", "small"), CM_VIEW_HEX);  // frees the block
    DeleteFileA(path.c_str());
}

// A 32-bit process can be made short of address space; a 64-bit one cannot.
TEST_F(LargeFile, NoRoomForTheFileKeepsThePreviousDocument) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "the address space of a 64-bit process";
    OpenPath(TempFile("orvex-before.bin", std::string(300000, 'b')), CM_VIEW_HEX);
    const std::string title = WindowText(wn);
    const std::string path = SparseFile("orvex-noroom.bin", 64 << 20, "end");
    std::vector<void*> held;  // each free block of 16 MB or more
    for (SIZE_T size = SIZE_T(1) << 30; size >= 16 << 20;) {
        if (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            held.push_back(p);
        else
            size /= 2;
    }
    const std::string boxes = OpenPath(path);
    for (void* p : held) VirtualFree(p, 0, MEM_RELEASE);
    EXPECT_EQ(boxes, "Line 3732, Error Code 8");
    EXPECT_EQ(WindowText(wn), title);
    ASSERT_EQ(FileSize, 300000);
    EXPECT_EQ(FileBuf[299999], 'b');
    DeleteFileA(path.c_str());
}

}  // namespace
