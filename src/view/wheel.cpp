#include "view/wheel.h"

#include <algorithm>

#include "document/document.h"
#include "interpret/interp_tree.h"
#include "interpret/selection.h"
#include "view/view_nav.h"

namespace {

// More than a long file's rows: a turn never needs more lines than this, and
// the sums below stay far inside 64 bits.
constexpr int64_t MaxWheelLines = 1 << 24;

}  // namespace

int32_t WheelLines(WheelTurn* turn, int32_t delta, uint32_t perNotch, int32_t page) {
    const int64_t perTurn =
        perNotch == WheelPage ? std::max(page, 1) : std::min<int64_t>(perNotch, MaxWheelLines);
    if (perTurn == 0 || delta == 0) return 0;
    if ((turn->rest < 0 && delta > 0) || (turn->rest > 0 && delta < 0)) turn->rest = 0;
    // In 1/120 of a line: a notch of 120 times perTurn lines.
    const int64_t sum = static_cast<int64_t>(turn->rest) + static_cast<int64_t>(delta) * perTurn;
    const int64_t lines = std::clamp<int64_t>(sum / WheelNotch, -MaxWheelLines, MaxWheelLines);
    turn->rest = static_cast<int32_t>(sum - lines * WheelNotch);
    if (turn->rest <= -WheelNotch || turn->rest >= WheelNotch) turn->rest = 0;
    return static_cast<int32_t>(lines);
}

bool WheelScrollView(int32_t lines) {
    if (lines == 0) return false;
    const int32_t line = LineNum, byte = ByteNum;
    if (lines < 0)
        MoveUp(-lines);
    else
        MoveDown(lines);
    return line != LineNum || byte != ByteNum;
}

bool WheelScrollViewSideways(int32_t cols) {
    if (cols == 0) return false;
    if (ShowMode == _TEXT_ && WrapFlag) return false;
    if (Checked == _INTERP_ && (SelKind == KindExports || SelKind == KindLibrary)) return false;
    const int32_t before = Col;
    const int64_t to = static_cast<int64_t>(Col) + cols;
    Col = static_cast<int32_t>(std::clamp<int64_t>(to, 1, std::max(RowWidth(), 1)));
    // A column already beyond the rows' width (as a key may leave it) is not
    // pulled back by a turn toward it.
    if ((cols > 0 && Col < before) || (cols < 0 && Col > before)) Col = before;
    return Col != before;
}
