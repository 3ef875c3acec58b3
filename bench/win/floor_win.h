// The floor of a repaint: the least code that draws what a window of the
// program draws, in a plain window of the same size placed over it. Its
// paint is one ExtTextOutA per row of fixed text, in a font made once.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// In the view's font (made here once) and colours.
struct FloorRows {
    FloorRows();
    ~FloorRows();
    FloorRows(const FloorRows&) = delete;
    FloorRows& operator=(const FloorRows&) = delete;
    HFONT font = 0;
    int rowHeight = 1;
    COLORREF text = 0, back = 0xFFFFFF;
    std::vector<std::string> rows;
};

// A child of `parent` covering `over` (a window of the program), on top of
// it, drawing `rows`; destroyed with DestroyWindow.
HWND MakeFloorView(HWND parent, HWND over, const FloorRows* rows);

// Milliseconds since an arbitrary start.
double Now();
double Median(std::vector<double> v);
