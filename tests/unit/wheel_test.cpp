// The wheel's turns counted into lines; the guide's text and its search.
#include "view/wheel.h"

#include <gtest/gtest.h>

#include "app/help_text.h"

#include <string>
#include <vector>

namespace {

TEST(WheelTurns, MakeWholeLinesAndKeepTheRest) {
    using Steps = std::vector<int32_t>;
    const struct {
        const char* name;
        uint32_t perNotch;
        int32_t page;
        Steps deltas, lines;
    } cases[] = {
        // 100 left 100; 200: a line, 80 left; 180: a line, 60 left.
        {"the rest carried", 1, 20, {100, 100, 100}, {0, 1, 1}},
        {"a page a notch", WheelPage, 24, {-120, 60, 60}, {-24, 12, 12}},
        {"a huge setting capped at 2^24", 0x7FFFFFFFu, 20, {120, -240}, {1 << 24, -(1 << 24)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WheelTurn turn;
        Steps got;
        for (int32_t d : c.deltas) got.push_back(WheelLines(&turn, d, c.perNotch, c.page));
        EXPECT_EQ(got, c.lines);
    }
}

// The guide's text for the help window's edit, and its search, which goes around the ends.
TEST(Guide, LinesEndWithCrLfAndTheSearchGoesAround) {
    EXPECT_EQ(GuideText("a\nb\r\nc\rd\n\n", 10, 100), "a\r\nb\r\nc\r\nd\r\n\r\n");
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
        {"backward around the start", "wheel", 0, false, 19},
        {"the whole text", "wheel, TILT wheel, WHEEL.", 3, true, 0},
        {"empty", "", 0, true, -1},
    };
    for (const auto& f : finds) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(FindInGuide(text, f.what, f.from, f.forward), f.at);
    }
}

}  // namespace
