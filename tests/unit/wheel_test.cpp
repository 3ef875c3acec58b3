// The wheel's turns counted into lines.
#include "view/wheel.h"

#include <gtest/gtest.h>

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
        {"thirds of a notch, 3 lines", 3, 20, {40, -40, -80}, {1, -1, -2}},
        // 100 left 100; 200: a line, 80 left; 180: a line, 60 left.
        {"the rest carried", 1, 20, {100, 100, 100}, {0, 1, 1}},
        {"a page a notch", WheelPage, 24, {-120, 60, 60}, {-24, 12, 12}},
        {"a page of at least a line", WheelPage, 0, {120}, {1}},
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

}  // namespace
