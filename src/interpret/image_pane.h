// The image pane's state and arithmetic: the cells of the selected icons or
// cursors or the size of the selected bitmap, how the pane is laid out and
// which scroll bars it needs, and what its scroll bars and keys do. The
// window layer places it and paints it with these numbers.
#pragma once
#include <cstdint>

// Cells: the size of one grid cell (for a bitmap, the bitmap's size + 4: a
// 2-pixel margin round it). An icon or cursor file's cell is set by its
// reader for the whole file.
extern int32_t CellWidth;
extern int32_t CellHeight;
extern uint8_t ImageIsBitmap;  // the pane shows the bitmap at ByteOffset
extern int32_t PerRow;         // cells per row
extern int32_t ContentHeight;  // all rows, or the bitmap with its margin
extern int32_t ContentWidth;   // the widest row, or the bitmap with its margin
extern int32_t BmpWidth;
extern int32_t BmpHeight;  // rows of the bitmap (top-down ones too)

// Layout: the client area inside the pane's 2-pixel edge and its bars, and
// which bars are shown (only those that have something to scroll).
extern int32_t PaneClientWidth;
extern int32_t PaneClientHeight;
extern uint8_t PaneHasVBar;
extern uint8_t PaneHasHBar;
extern int32_t RowsShown;  // whole rows the client area shows
extern int32_t MaxRow;     // the last row (a group may name 65,535 images)

// Scroll positions: icons, the top row and pixels across; a bitmap, pixels.
extern int32_t VScrollPos;
extern int32_t HScrollPos;

// Sets the cells for the selection (ImageShow, SelImages, ByteOffset): a
// bitmap's size, or the largest image of an executable's range; a bitmap
// also resets HScrollPos.
void SetImageCells();

// Lays the pane out for views `width` x `height` pixels with scroll bars
// `barWidth` wide (vertical) and `barHeight` high (horizontal): the pane
// takes its content and its edge, up to 7/8 of the views, cut to whole rows
// of icons, with a bar only where the content does not fit. Keeps the first
// icon shown in view when the cells per row change and keeps the positions
// within their new limits. Returns the pane's height.
int32_t LayOutPane(int32_t width, int32_t height, int32_t barWidth, int32_t barHeight);

// The scroll bars' ranges (0 .. max) and pages, and the largest positions:
// rows for icons vertically, pixels otherwise.
int32_t PaneVRange();
int32_t PaneVPage();
int32_t PaneHRange();
int32_t PaneHPage();
int32_t PaneLastVPos();
int32_t PaneLastHPos();

// Scrolling by the scroll bar codes: 0 a line up/left, 1 down/right, 2 a
// page up/left, 3 down/right, 4 and 5 to the thumb position `thumb`, 6 to
// the top, 7 to the end. The last two arguments are kept for callers; the
// layout gives the limits. True when the position changed.
bool PaneVScroll(int code, int32_t thumb, int32_t paneHeight = 0);
bool PaneHScroll(int code, int32_t thumb, int32_t viewWidth = 0);

// A key of the pane (virtual key code); true when a position changed.
bool PaneKey(unsigned key, bool ctrl, int32_t paneHeight = 0, int32_t viewWidth = 0);
