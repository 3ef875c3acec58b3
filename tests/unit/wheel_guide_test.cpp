// The wheel's turns counted into lines and moving the view; the guide's
// text and its search.
#include "view/wheel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/help_text.h"
#include "doc_fixture.h"
#include "interpret/interp_tree.h"
#include "interpret/selection.h"

namespace {

using Steps = std::vector<int32_t>;

TEST(WheelTurns, MakeWholeLinesAndKeepTheRest) {
    const struct {
        const char* name;
        uint32_t perNotch;
        int32_t page;
        Steps deltas, lines;
    } cases[] = {
        {"notches of 3 lines", 3, 20, {120, -120, -240}, {3, -3, -6}},
        // 40 x 3 = 120: a line each.
        {"thirds of a notch, 3 lines", 3, 20, {40, 40, 40}, {1, 1, 1}},
        // 30 + 30 + 30 + 30 = 120: the fourth makes the line.
        {"quarters of a notch, 1 line", 1, 20, {30, 30, 30, 30, 30}, {0, 0, 0, 1, 0}},
        // 100 x 1 = 100 left 100; + 100 = 200: one line, 80 left; + 100 = 180: one, 60 left.
        {"the rest carried", 1, 20, {100, 100, 100}, {0, 1, 1}},
        {"turning back drops the rest", 1, 20, {-90, 60, 60}, {0, 0, 1}},
        {"a page a notch", WheelPage, 24, {-120, 60, 60}, {-24, 12, 12}},
        {"a page of at least a line", WheelPage, 0, {120}, {1}},
        {"0 lines a notch", 0, 20, {120, 120}, {0, 0}},
        // More than any view holds is capped at 2^24 lines a notch.
        {"a huge setting", 0x7FFFFFFFu, 20, {120, -240}, {1 << 24, -(1 << 24)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WheelTurn turn;
        Steps got;
        for (int32_t d : c.deltas) got.push_back(WheelLines(&turn, d, c.perNotch, c.page));
        EXPECT_EQ(got, c.lines);
    }
}

class WheelView : public DocTest {
  protected:
    void SetUp() override {
        DocTest::SetUp();
        ScreenLines = 10;
        SelKind = 0;
        InterpKind = 0;
    }
};

TEST_F(WheelView, MovesAsTheScrollBarArrowsWithinTheLimits) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::string(i == 7 ? 120 : 5, 'x') + "\r\n";
    LoadIn(_TEXT_, text);
    ASSERT_EQ(NumLines, 51);  // the empty line after the last CR LF
    EXPECT_TRUE(WheelScrollView(9));
    EXPECT_EQ(LineNum, 10);
    EXPECT_TRUE(WheelScrollView(-4));
    EXPECT_EQ(LineNum, 6);
    EXPECT_TRUE(WheelScrollView(1000));
    EXPECT_EQ(LineNum, 51);  // the last line may stand at the top
    EXPECT_FALSE(WheelScrollView(3));
    EXPECT_TRUE(WheelScrollView(-1000));
    EXPECT_FALSE(WheelScrollView(-1));
    EXPECT_EQ(LineNum, 1);
    // Sideways up to the widest line's 120 columns, not wrapped.
    EXPECT_TRUE(WheelScrollViewSideways(50));
    EXPECT_EQ(Col, 51);
    EXPECT_TRUE(WheelScrollViewSideways(500));
    EXPECT_EQ(Col, 120);
    EXPECT_FALSE(WheelScrollViewSideways(1));
    EXPECT_TRUE(WheelScrollViewSideways(-500));
    EXPECT_EQ(Col, 1);
    WrapFlag = 8;
    EXPECT_FALSE(WheelScrollViewSideways(3));
    EXPECT_EQ(Col, 1);

    // Hex: 0x65 bytes, rows of 16; the end keeps the place within the row.
    LoadIn(_HEX_, std::string(0x65, 'h'));
    ByteNum = 0x13;
    EXPECT_TRUE(WheelScrollView(2));
    EXPECT_EQ(ByteNum, 0x33);
    EXPECT_TRUE(WheelScrollView(100));
    EXPECT_EQ(ByteNum, 0x63);  // last row 0x60, place 3
    EXPECT_TRUE(WheelScrollView(-100));
    EXPECT_EQ(ByteNum, 0);
    EXPECT_TRUE(WheelScrollViewSideways(200));
    EXPECT_EQ(Col, HexCols);
    Col = HexCols + 5;  // as End leaves a narrow window's
    EXPECT_FALSE(WheelScrollViewSideways(1));
    EXPECT_EQ(Col, HexCols + 5);

    // A listing scrolls its lines but never sideways.
    Checked = _INTERP_, ShowMode = _TEXT_, InterpKind = InterpExe, SelKind = KindLibrary;
    NumLines = 30, NumCols = 49, LineNum = 1, Col = 1;
    EXPECT_TRUE(WheelScrollView(3));
    EXPECT_EQ(LineNum, 4);
    EXPECT_FALSE(WheelScrollViewSideways(3));
}

TEST(Guide, LinesEndWithCrLfAndTheSearchGoesAround) {
    const struct {
        const char* name;
        std::string in;
        size_t limit;
        std::string out;
    } texts[] = {
        {"LF, CR LF and CR", "a\nb\r\nc\rd", 100, "a\r\nb\r\nc\r\nd"},
        {"empty lines kept", "\n\n", 100, "\r\n\r\n"},
        {"cut at the limit", "abc\ndef", 5, "abc\r\nd"},
        {"a CR at the limit", "ab\r\ncd", 3, "ab\r\n"},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(GuideText(t.in.data(), t.in.size(), t.limit), t.out);
    }
    //                      0         1         2
    //                      0123456789012345678901234
    const std::string text = "Wheel, tilt WHEEL, wheel.";
    const struct {
        const char* name;
        std::string what;
        size_t from;
        bool forward;
        long at;
    } finds[] = {
        {"forward from the start", "wheel", 0, true, 0},
        {"forward past the first", "wheel", 1, true, 12},
        {"forward around the end", "wheel", 20, true, 0},
        {"backward from the end", "WHEEL", 25, false, 19},
        {"backward before 12", "wheel", 12, false, 0},
        {"backward around the start", "wheel", 0, false, 19},
        {"the whole text", text, 3, true, 0},
        {"nowhere", "mouse", 0, true, -1},
        {"longer than the text", text + "!", 0, true, -1},
        {"empty", "", 0, true, -1},
    };
    for (const auto& f : finds) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(FindInGuide(text, f.what, f.from, f.forward), f.at);
    }
}

}  // namespace
