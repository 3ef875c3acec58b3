#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "document/document.h"
#include "document/document_win.h"
#include "document/line_index.h"
#include "win_test_support.h"

namespace {

LoadOutcome LoadPath(const std::string& path) {
    std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
    return LoadDocumentWin();
}

class WinLoad : public ::testing::Test {
protected:
    void SetUp() override {
        Checked = ShowMode = _TEXT_;
        ReleaseDocumentWin();
    }
    void TearDown() override { ReleaseDocumentWin(); }
};

TEST_F(WinLoad, ReadsAFileThroughTheSystemFileApi) {
    const std::string path = TempFile("orvex-load.TXT", "first\r\nsecond\r\n");
    const LoadOutcome r = LoadPath(path);
    ASSERT_EQ(r.step, LoadDone);
    EXPECT_EQ(FileSize, 15);
    EXPECT_EQ(std::memcmp(FileBuf, "first\r\nsecond\r\n", 15), 0);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(hFileMem, nullptr);
    EXPECT_EQ(hFile, nullptr);  // closed once read
    EXPECT_STREQ(FileExt, ".txt");
    EXPECT_STREQ(FileNamePart, "orvex-load.TXT");
    EXPECT_NE(FileTime, 0u);
    EXPECT_EQ(NumLines, 3);

    // The local last-write time matches what the system reports.
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    FILETIME local;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    EXPECT_EQ(FileTime, (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime);
    DeleteFileA(path.c_str());
}

TEST_F(WinLoad, LargeFileGetsABlockAndTheLargerLineLimit) {
    const std::string path = TempFile("orvex-large.bin", std::string(204800, 'x') + "y");
    ASSERT_EQ(LoadPath(path).step, LoadDone);
    EXPECT_NE(hFileMem, nullptr);
    EXPECT_NE(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 83967);
    EXPECT_EQ(FileBuf[204800], 'y');

    // Loading a small file afterwards releases the block.
    const std::string small = TempFile("orvex-small.bin", "abc");
    ASSERT_EQ(LoadPath(small).step, LoadDone);
    EXPECT_EQ(hFileMem, nullptr);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 32767);
    DeleteFileA(path.c_str());
    DeleteFileA(small.c_str());
}

// A missing file and one another program holds without sharing: the open
// failure (2126) with the system's code, and the document stays.
TEST_F(WinLoad, FilesThatCannotBeOpenedAreReportedAndTheDocumentKept) {
    const std::string path = TempFile("orvex-keep.bin", "kept");
    ASSERT_EQ(LoadPath(path).step, LoadDone);
    const std::string locked = TempFile("orvex-locked.bin", "locked");
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    for (auto [name, code] : {std::pair<std::string, DWORD>{TempFilePath("orvex-no-such-file.bin"),
                                                            ERROR_FILE_NOT_FOUND},
                              {locked, ERROR_SHARING_VIOLATION}}) {
        const LoadOutcome r = LoadPath(name);
        EXPECT_EQ(static_cast<unsigned>(r.step), 2126u) << name;
        EXPECT_EQ(r.code, code) << name;
        EXPECT_EQ(FileSize, 4);
        EXPECT_EQ(std::memcmp(FileBuf, "kept", 4), 0);
        EXPECT_EQ(hFile, nullptr);
    }
    CloseHandle(lock);
    DeleteFileA(locked.c_str());
    DeleteFileA(path.c_str());
}

}  // namespace
