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

void SetName(const char* name) {
    std::snprintf(FileName, sizeof FileName, "%s", name);
    SetFileNameParts();
}

TEST(FileNameParts, ExtensionIsTheLastFourCharactersInLowerCase) {
    SetName("C:\\DIR\\APP.EXE");
    EXPECT_STREQ(FileNamePart, "APP.EXE");
    EXPECT_STREQ(FileExt, ".exe");
    SetName("C:\\Fonts\\x.TtF");
    EXPECT_STREQ(FileExt, ".ttf");
    SetName("noext");
    EXPECT_STREQ(FileNamePart, "noext");
    EXPECT_STREQ(FileExt, "oext");
}

TEST(FileNameParts, ShortNamesNeverReachBeforeTheBuffer) {
    SetName("a.b");
    EXPECT_STREQ(FileExt, "a.b");
    SetName("");
    EXPECT_STREQ(FileExt, "");
    EXPECT_STREQ(FileNamePart, "");
}

using Loading = DocTest;

TEST_F(Loading, SmallFileIsHeldInFileAreaAndResetsThePosition) {
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
    UnloadDocumentFile();
}

TEST_F(Loading, FileAreaBoundary) {
    {
        TempFile f(std::string(204800, 'a'));
        ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
        EXPECT_EQ(FileBuf, FileArea);
        EXPECT_EQ(MaxLines, 32767);
    }
    {
        TempFile f(std::string(204801, 'b'));
        ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
        EXPECT_NE(FileBuf, FileArea);
        EXPECT_EQ(MaxLines, 83967);
        EXPECT_EQ(FileBuf[204800], 'b');
    }
    UnloadDocumentFile();
    EXPECT_EQ(FileSize, 0);
}

TEST_F(Loading, EmptyFile) {
    TempFile f("");
    ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
    EXPECT_EQ(FileSize, 0);
    EXPECT_EQ(NumLines, 1);
}

TEST_F(Loading, ModeAndOptionsSurviveALoad) {
    Checked = ShowMode = _CHAR_;
    AddrMode = AddrRva;
    WrapFlag = 8;
    ConvertFlag = 8;
    RvaBias = 0x1000;
    TempFile f("xyz");
    ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
    EXPECT_EQ(Checked, _CHAR_);
    EXPECT_EQ(AddrMode, AddrRva);
    EXPECT_EQ(WrapFlag, 8);
    EXPECT_EQ(ConvertFlag, 8);
    EXPECT_EQ(RvaBias, 0x1000);
    EXPECT_EQ(LineNumFlag, 0);  // no line table outside text mode
}

TEST_F(Loading, MissingFileKeepsThePreviousDocument) {
    TempFile f("keep me");
    ASSERT_EQ(LoadDocumentFile(f.path()), LoadResult::Ok);
    EXPECT_EQ(LoadDocumentFile("/nonexistent/dir/file"), LoadResult::OpenFailed);
    EXPECT_EQ(FileSize, 7);
    EXPECT_EQ(std::memcmp(FileBuf, "keep me", 7), 0);
}

TEST_F(Loading, ReplacingABlockFileReleasesIt) {
    // Run under ASan: the second load must not leave FileBuf on freed memory.
    TempFile big(std::string(300000, 'q'), "orvex-doc-big.bin");
    TempFile small("s", "orvex-doc-small.bin");
    ASSERT_EQ(LoadDocumentFile(big.path()), LoadResult::Ok);
    ASSERT_EQ(LoadDocumentFile(small.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf, FileArea);
    EXPECT_EQ(FileBuf[0], 's');
    ASSERT_EQ(LoadDocumentFile(big.path()), LoadResult::Ok);
    EXPECT_EQ(FileBuf[299999], 'q');
    UnloadDocumentFile();
}

}  // namespace
