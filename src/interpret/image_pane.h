// The arithmetic of the image pane: the cells of the selected icons or
// cursors or the size of the selected bitmap, the rows it shows, and what
// its scroll bars and keys do. The window layer lays it out and paints it.
#pragma once
#include <cstdint>

extern int32_t PerRow;      // cells per row
extern int16_t RowsShown;   // whole rows that fit in the pane
extern int16_t MaxRow;      // the last row the pane scrolls to
extern int16_t VScrollPos;  // icons: top row; bitmap: pixels
extern int16_t HScrollPos;  // bitmap: pixels
extern int32_t BmpWidth;
extern int32_t BmpHeight;  // rows of the bitmap (top-down ones too)

// Sets CellWidth, CellHeight, PerRow, ContentHeight and ImageIsBitmap for
// the selection (ImageShow, SelImages, ByteOffset) and views `viewWidth`
// pixels wide whose vertical scroll bar is `barWidth` wide; a bitmap also
// resets HScrollPos.
void SetImageCells(int32_t viewWidth, int32_t barWidth);

// Cells per row beside the vertical scroll bar: at least 1.
int32_t PerRowFor(int32_t viewWidth, int32_t barWidth);

// Sets MaxRow and RowsShown for a pane whose rows have `rowsHeight` pixels
// above its horizontal scroll bar.
void SetPaneRows(int32_t rowsHeight);

// The vertical scroll bar's last position and page: rows for icons, pixels
// for a bitmap.
int32_t PaneLastPosition();
int32_t PanePage(int32_t paneHeight);

// Scroll bar codes (0 line up/left, 1 line down/right, 5 thumb track); true
// when the position changed.
bool PaneVScroll(int code, int32_t thumb, int32_t paneHeight);
bool PaneHScroll(int code, int32_t thumb, int32_t viewWidth);

// A key of the pane (virtual key code); true when a position changed.
bool PaneKey(unsigned key, bool ctrl, int32_t paneHeight, int32_t viewWidth);
