// Drawing the rows of the text, hex and char views on a device context: the
// screen's view window and the printer both call these.
#pragma once
#include <windows.h>

#include <cstdint>

// Draws up to `rows` text lines from the 1-based line `first`; returns the y
// just below the last row drawn. The caller has selected the font and set
// TextColor on BkColor.
int DrawTextLines(HDC hdc, int x, int y, int dy, int32_t rows, int32_t cols, int32_t first,
                  int32_t col, int32_t digits, int32_t mark);

// Draws hex or char rows of the byte range from position `first`; returns the
// y just below the last row drawn.
int DrawHexLines(HDC hdc, int x, int y, int dy, int32_t rows, int32_t rowbytes, int32_t width,
                 int32_t first, int32_t col, int32_t mark);
