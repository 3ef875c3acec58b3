#include <gtest/gtest.h>

#include <string>

#include "app/command_bar.h"
#include "doc_fixture.h"
#include "view/view_nav.h"

namespace {

class CommandBar : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        CmdErase();
        LastCmd[0] = '\0';
    }
    void LoadIn(uint16_t mode, const std::string& bytes) {
        Checked = ShowMode = mode;
        Load(bytes);
        SetRowMetrics();
    }
    void Type(const char* text) {
        for (; *text; ++text) CmdInsert(*text);
    }
    void Run(const char* text) {
        Type(text);
        ASSERT_TRUE(ExecuteCmd());
    }
};

TEST_F(CommandBar, EditingKeys) {
    Type("1234");
    EXPECT_STREQ(CmdBuf, "1234");
    EXPECT_TRUE(CmdEdit(CmdKeyLeft));
    EXPECT_TRUE(CmdEdit(CmdKeyLeft));
    CmdInsert('x');
    EXPECT_STREQ(CmdBuf, "12x34");
    EXPECT_EQ(CmdPos, 3);
    EXPECT_TRUE(CmdEdit(CmdKeyBack));
    EXPECT_STREQ(CmdBuf, "1234");
    EXPECT_TRUE(CmdEdit(CmdKeyDelete));
    EXPECT_STREQ(CmdBuf, "124");
    EXPECT_EQ(CmdLen, 3);
    EXPECT_TRUE(CmdEdit(CmdKeyHome));
    EXPECT_FALSE(CmdEdit(CmdKeyBack));
    EXPECT_FALSE(CmdEdit(CmdKeyLeft));
    EXPECT_FALSE(CmdEdit(CmdKeyHome));
    CmdInsert('+');
    EXPECT_STREQ(CmdBuf, "+124");
    EXPECT_TRUE(CmdEdit(CmdKeyEnd));
    EXPECT_FALSE(CmdEdit(CmdKeyDelete));
    EXPECT_FALSE(CmdEdit(CmdKeyRight));
    EXPECT_FALSE(CmdEdit('Q'));
    EXPECT_TRUE(CmdErase());
    EXPECT_EQ(CmdLen, 0);
    EXPECT_EQ(CmdPos, 0);
    EXPECT_FALSE(CmdErase());
}

TEST_F(CommandBar, TheTextHoldsAtMost256Characters) {
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(CmdInsert('a' + i % 26));
    EXPECT_FALSE(CmdInsert('!'));
    EXPECT_EQ(CmdLen, 256);
    EXPECT_EQ(CmdBuf[256], '\0');
    EXPECT_EQ(CmdBuf[255], 'a' + 255 % 26);
}

TEST_F(CommandBar, TextGrammar) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "x\n";
    text += std::string(30, 'w');
    LoadIn(_TEXT_, text);
    ASSERT_EQ(NumLines, 501);
    Run("250");
    EXPECT_EQ(LineNum, 250);
    Run("+300");
    EXPECT_EQ(LineNum, 501);
    Run("-1000");
    EXPECT_EQ(LineNum, 1);
    Run("c0");
    EXPECT_EQ(Col, 1);
    Run("C 9999");
    EXPECT_EQ(Col, NumCols);
    Run("c12");
    EXPECT_EQ(Col, 12);
    Run("c  7");  // two spaces: the number reads as 0
    EXPECT_EQ(Col, 1);
    Run("abc");
    EXPECT_EQ(LineNum, 1);
    EXPECT_EQ(CmdLen, 0);
    EXPECT_STREQ(LastCmd, "abc");
}

TEST_F(CommandBar, HexGrammarWithAddressModes) {
    LoadIn(_HEX_, std::string(0x800, 'h'));
    Run("1A0");
    EXPECT_EQ(ByteNum, 0x1A0);
    Run("+10");
    EXPECT_EQ(ByteNum, 0x1B0);
    Run("-1000");
    EXPECT_EQ(ByteNum, 0);
    Run("ZZ");
    EXPECT_EQ(ByteNum, 0);
    Run("FFFFF");
    EXPECT_EQ(ByteNum, 0x7FF);

    // A table at 0x400, 0x80 bytes long.
    ByteOffset = 0x400;
    NumBytes = 0x80;
    Run("410");
    EXPECT_EQ(ByteNum, 0x10);
    AddrMode = AddrZero;
    Run("410");
    EXPECT_EQ(ByteNum, 0x7F);
    AddrMode = AddrRva;
    RvaBias = 0x2000;
    Run("2420");
    EXPECT_EQ(ByteNum, 0x20);

    // The grammar follows ShowMode: a text listing in interpret mode.
    Checked = _INTERP_;
    ShowMode = _TEXT_;
    NumLines = 40;
    Run("12");
    EXPECT_EQ(LineNum, 12);
}

TEST_F(CommandBar, EmptyRangesLeaveTheStartInPlace) {
    LoadIn(_HEX_, "");
    Run("+10");
    EXPECT_EQ(ByteNum, 0);
    LoadIn(_TEXT_, "");
    NumLines = 0;
    Run("5");
    EXPECT_EQ(LineNum, 1);
}

TEST_F(CommandBar, EnterAndRepeat) {
    LoadIn(_HEX_, std::string(0x800, 'r'));
    EXPECT_FALSE(ExecuteCmd());
    EXPECT_FALSE(RepeatCmd());
    EXPECT_EQ(ByteNum, 0);
    Run("+10");
    EXPECT_TRUE(RepeatCmd());
    EXPECT_TRUE(RepeatCmd());
    EXPECT_EQ(ByteNum, 0x30);
    EXPECT_EQ(CmdLen, 0);
    EXPECT_STREQ(LastCmd, "+10");
}

}  // namespace
