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

// Commands typed one after the other, each with the position it leads to.
TEST_F(CommandBar, TextGrammar) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "x\n";
    text += std::string(30, 'w');
    LoadIn(_TEXT_, text);
    ASSERT_EQ(NumLines, 501);
    const struct {
        const char* typed;
        int32_t line, col;
    } steps[] = {{"250", 250, 1}, {"+300", 501, 1}, {"-1000", 1, 1}, {"c12", 1, 12},
                 {"c0", 1, 1},    {"C 9999", 1, 30}, {"c5", 1, 5},   {"c  7", 1, 1},  // "  7" reads 0
                 {"abc", 1, 1}};
    for (const auto& s : steps) {
        Run(s.typed);
        EXPECT_EQ(LineNum, s.line) << s.typed;
        EXPECT_EQ(Col, s.col) << s.typed;
        EXPECT_EQ(CmdLen, 0) << s.typed;
        EXPECT_STREQ(LastCmd, s.typed);
    }
}

TEST_F(CommandBar, HexGrammarWithAddressModes) {
    LoadIn(_HEX_, std::string(0x800, 'h'));
    const struct {
        const char* typed;
        int32_t byte;
    } steps[] = {{"1A0", 0x1A0}, {"+10", 0x1B0}, {"-1000", 0}, {"ZZ", 0}, {"FFFFF", 0x7FF}};
    for (const auto& s : steps) {
        Run(s.typed);
        EXPECT_EQ(ByteNum, s.byte) << s.typed;
    }

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
