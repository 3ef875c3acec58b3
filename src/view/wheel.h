// The mouse wheel: notches and the partial turns of smooth wheels and
// touchpads counted into whole lines, and what those lines do to the view.
#pragma once
#include <cstdint>

// One notch of a wheel (WHEEL_DELTA).
constexpr int32_t WheelNotch = 120;
// The lines-per-notch setting that asks for a page a notch (WHEEL_PAGESCROLL).
constexpr uint32_t WheelPage = 0xFFFFFFFFu;

// What is left of a turn that has not yet made a whole line, for one window
// and one direction of the wheel.
struct WheelTurn {
    int32_t rest = 0;  // in 1/120 of a line
};

// Adds a turn of `delta` (120 a notch; any part of it from a smooth wheel)
// and returns the whole lines it makes: `perNotch` lines a notch, or `page`
// lines a notch when `perNotch` is WheelPage. The sign follows `delta`; the
// rest is kept for the next turn in the same direction and dropped when the
// direction changes. 0 lines a notch scrolls nothing.
int32_t WheelLines(WheelTurn* turn, int32_t delta, uint32_t perNotch, int32_t page);

// Moves the view by `lines` rows (negative: toward the start) with the
// moves of the scroll bar's arrows; true when the position changed.
bool WheelScrollView(int32_t lines);
// Moves the view sideways by `cols` columns (negative: left) as the
// horizontal arrows do, where the view scrolls sideways (not wrapped text,
// not the listings); true when the position changed.
bool WheelScrollViewSideways(int32_t cols);
