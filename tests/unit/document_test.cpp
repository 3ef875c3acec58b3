#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "doc_fixture.h"
#include "document/document.h"
#include "document/file_load.h"

namespace {

class TempFile {
public:
    // The test's name keeps the files of tests that run at once apart.
    explicit TempFile(const std::string& bytes, const char* name = "orvex-doc-test.BIN") {
        const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = std::string(::testing::TempDir()) + test + "-" + name;
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        EXPECT_TRUE(f != nullptr);
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

TEST(FileNameParts, ExtensionIsTheLastFourCharactersInLowerCase) {
    const char* const cases[][3] = {
        {"C:\\DIR\\APP.EXE", "APP.EXE", ".exe"}, {"C:\\Fonts\\x.TtF", "x.TtF", ".ttf"},
        {"noext", "noext", "oext"}, {"a.b", "a.b", "a.b"},  // short names never reach before the buffer
        {"", "", ""}};
    for (const auto& c : cases) {
        std::snprintf(FileName, sizeof FileName, "%s", c[0]);
        SetFileNameParts();
        EXPECT_STREQ(FileNamePart, c[1]);
        EXPECT_STREQ(FileExt, c[2]);
    }
}

using Loading = DocTest;

TEST_F(Loading, ASmallFileIsHeldInFileAreaWithThePositionReset) {
    TempFile f("line one\nline two\n");
    LineNum = 7;
    Col = 3;
    ByteNum = 9;
    ByteOffset = 4;
    MarkState = 1;
    ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(FileSize, 18);
    EXPECT_EQ(NumBytes, 18u);
    EXPECT_EQ(MaxLines, 32767);
    EXPECT_EQ(LineNum, 1);
    EXPECT_EQ(Col, 1);
    EXPECT_EQ(ByteNum, 0);
    EXPECT_EQ(ByteOffset, 0);
    EXPECT_EQ(MarkState, 0);
    EXPECT_EQ(NumLines, 3);  // built at once in text mode
    EXPECT_STREQ(FileExt, ".bin");

    // The mode and the options survive a load.
    Checked = ShowMode = _CHAR_;
    AddrMode = AddrRva;
    WrapFlag = 8;
    ConvertFlag = 8;
    RvaBias = 0x1000;
    ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
    EXPECT_EQ(Checked, _CHAR_);
    EXPECT_EQ(AddrMode, AddrRva);
    EXPECT_EQ(WrapFlag, 8);
    EXPECT_EQ(ConvertFlag, 8);
    EXPECT_EQ(RvaBias, 0x1000);
    EXPECT_EQ(LineNumFlag, 0);  // no line table outside text mode
    UnloadDocumentFile();
}

// Run under ASan: no load may leave FileBuf on freed memory.
TEST_F(Loading, LargerFilesGetABlockOfTheirOwn) {
    TempFile limit(std::string(204800, 'a'), "limit.bin"), big(std::string(204801, 'b'), "big.bin");
    TempFile small("s", "small.bin"), empty("", "empty.bin");
    ASSERT_EQ(LoadDocumentFile(limit.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 32767);
    ASSERT_EQ(LoadDocumentFile(big.path()), LoadResult::Ok);
    EXPECT_NE(FileBuf, FileArea);
    EXPECT_EQ(MaxLines, 83967);
    EXPECT_EQ(FileBuf[204800], 'b');
    ASSERT_EQ(LoadDocumentFile(small.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(FileBuf[0], 's');
    ASSERT_EQ(LoadDocumentFile(big.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf[204800], 'b');
    // A missing file keeps the document that was there.
    EXPECT_EQ(LoadDocumentFile("/nonexistent/dir/file"), LoadResult::OpenFailed);
    EXPECT_EQ(FileSize, 204801);
    EXPECT_EQ(FileBuf[0], 'b');
    ASSERT_EQ(LoadDocumentFile(empty.path()), LoadResult::Ok);
    EXPECT_EQ(FileSize, 0);
    EXPECT_EQ(NumLines, 1);
    UnloadDocumentFile();
    EXPECT_EQ(FileSize, 0);
}

}  // namespace
